#!/usr/bin/env bash
# Builds the shipped Velkor.exe and starts it under Wine in the project's own prefix (run/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset i686 >/dev/null
cmake --build --preset i686 --target Velkor vkdrive
exec python3 tools/run.py
