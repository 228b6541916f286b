#!/usr/bin/env bash
# Builds Velkor and starts it under Wine in the project's own prefix (run/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 --target Velkor vkdrive
exec python3 tools/run.py
