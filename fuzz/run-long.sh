#!/usr/bin/env bash
# Runs one fuzz target for a long time: fuzz/run-long.sh TARGET SECONDS [extra libFuzzer flags...]
# Builds the targets with clang in build-fuzz/ when needed. The corpus grows in
# build-fuzz/corpus/TARGET/ and is kept between runs; the hand-written seeds in fuzz/corpus/TARGET/
# are read, never written. A failing input lands in build-fuzz/findings/TARGET/.
# FUZZ_BUILD_DIR chooses another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 2 ]; then
    echo "Usage: $0 TARGET SECONDS [libFuzzer flags...]" >&2
    echo "Targets: $(sed -n 's/^    \(fuzz_[a-z_]*\)\()\)\{0,1\}$/\1/p' "$here/fuzz/FuzzTargets.cmake" | tr '\n' ' ')" >&2
    exit 2
fi
target=$1
seconds=$2
shift 2
build=${FUZZ_BUILD_DIR:-$here/build-fuzz}

if [ ! -d "$here/fuzz/corpus/$target" ]; then
    echo "No such fuzz target: $target (no folder fuzz/corpus/$target)" >&2
    exit 2
fi
if ! command -v clang++ >/dev/null || ! command -v clang >/dev/null; then
    echo "clang is not installed: run scripts/setup.sh (Debian packages clang, libclang-rt-14-dev)." >&2
    exit 1
fi

cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
    -DVANTOREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target "$target"

corpus="$build/corpus/$target"
findings="$build/findings/$target"
mkdir -p "$corpus" "$findings"
echo "Fuzzing $target for $seconds s; corpus $corpus, findings $findings"
set +e
"$build/fuzz/$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$@" "$corpus" "$here/fuzz/corpus/$target"
result=$?
set -e
if [ $result -ne 0 ]; then
    echo "$target found a fault (exit $result). Inputs kept in $findings:" >&2
    ls -1 "$findings" >&2
    echo "Replay one with: $build/fuzz/$target <file>; once mended, copy it into" \
        "fuzz/corpus/$target/ under a name that says what it checks." >&2
fi
exit $result
