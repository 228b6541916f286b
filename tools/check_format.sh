#!/usr/bin/env bash
# The C++ sources follow .clang-format.
set -u
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "SKIPPED: clang-format is not installed"; exit 77; }
# Tracked and new files; one deleted but not yet committed is no longer there.
files=()
while read -r f; do [ -f "$f" ] && files+=("$f"); done \
    < <(git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h')
clang-format --dry-run --Werror "${files[@]}"
