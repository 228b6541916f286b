#!/usr/bin/env bash
# Remakes the README's pictures: docs/velkor.png (the main window under Wine,
# with the sample Velkor.ini) and docs/banner.png (the banner of the
# Autoexec.bat that Velkor then writes, as DOS shows it, in DOSBox).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
command -v dosbox >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq dosbox >/dev/null
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 --target Velkor vkdrive >/dev/null
exec python3 tools/screenshots.py
