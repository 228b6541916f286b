#!/usr/bin/env bash
# check_win9x.sh CHECKER EXE: the EXE must load on Windows 95 (its first
# release) and 98: subsystem version 4.0, only DLLs of the system itself (no
# MSVCRT.DLL, which the first Windows 95 lacks), every import present on both.
# Exits 77 (reported as skipped) when the checker is not there.
set -u
checker=$1 exe=$2
if [ ! -x "$checker" ] && [ ! -f "$checker" ]; then
    echo "SKIPPED: $checker not found, the Windows 95/98 import check did not run"
    exit 77
fi
dump=$(i686-w64-mingw32-objdump -p "$exe") || exit 1
fail=0
grep -q '^MajorSubsystemVersion[[:space:]]*4$' <<<"$dump" || { echo "subsystem version is not 4"; fail=1; }
grep -q '^MinorSubsystemVersion[[:space:]]*0$' <<<"$dump" || { echo "minor subsystem version is not 0"; fail=1; }
allowed='^(kernel32|user32|gdi32|shell32|advapi32|comdlg32)\.dll$'
while read -r dll; do
    if ! grep -qiE "$allowed" <<<"$dll"; then echo "imports from $dll, which is not allowed"; fail=1; fi
done < <(awk '/DLL Name:/ {print tolower($3)}' <<<"$dump")
bash "$checker" --quiet --win95-rtm "$exe" || fail=1
exit $fail
