#!/usr/bin/env bash
# bench.sh [ROUNDS]: how long Velkor takes to start, against a bare window and
# against its own window without its logic, under Wine, ROUNDS alternating
# runs each (default 15); and its size. Velkor is the shipped i686 build, and
# the other two are built as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset i686 >/dev/null
cmake --build --preset i686 --target Velkor bare_window ui_floor benchrun >/dev/null
exec python3 tools/bench.py "${1:-15}"
