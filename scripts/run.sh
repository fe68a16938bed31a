#!/usr/bin/env bash
# Sets up what is missing, builds, and starts Vantorel.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
exec "$here/build/app/vantorel"
