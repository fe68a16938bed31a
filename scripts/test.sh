#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test.
# VANTOREL_SANITIZE=1 builds into build-asan with AddressSanitizer and UBSan and runs the suite there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ "${VANTOREL_SANITIZE:-0}" = 1 ]; then
    build="$here/build-asan"
    "$here/scripts/setup.sh" "$build" -DVANTOREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
    build="$here/build"
    "$here/scripts/setup.sh" "$build"
fi
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
