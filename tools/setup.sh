#!/usr/bin/env bash
# Installs what building and testing Velkor needs on Debian 12. Runs apt-get
# only when something is missing. Needs root (or sudo).
set -euo pipefail
packages=(
    cmake ninja-build g++ python3 googletest clang-format clang libclang-rt-14-dev
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine64 wine32:i386 fonts-wine xvfb imagemagick locales
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
# The shipped Velkor.exe is 32-bit: Wine runs it with its i386 half.
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
