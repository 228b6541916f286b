#!/usr/bin/env bash
# Remakes the README's pictures in docs/: the shipped Velkor.exe under a German
# Wine (its main window, the arrange dialog, the icon's menu, the question at
# leaving), then the banner of the Autoexec.bat it writes, as DOS shows it, in
# DOSBox.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
command -v dosbox >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq dosbox >/dev/null
cmake --preset i686 >/dev/null
cmake --build --preset i686 --target Velkor vkdrive >/dev/null
exec python3 tools/screenshots.py
