#!/usr/bin/env python3
"""check_cpu_baseline.py EXE SYMBOLS [MAP]: every instruction in EXE must run
on an i486. Offending instructions are named with the function they are in,
taken from SYMBOLS (an unstripped copy of EXE), and the linked object they
came from, taken from MAP (the linker's map file). Exits 1 if any is found."""

import bisect
import re
import subprocess
import sys
from collections import defaultdict

# What came after the i486: the Pentium's cpuid (only some late 486s have it),
# rdtsc, rdmsr/wrmsr and cmpxchg8b; the Pentium Pro's conditional moves, fcomi
# and rdpmc, and its long NOPs; the Pentium II's fast system calls; and every
# MMX and SSE instruction, which shows in its registers or its state.
NEWER = re.compile(
    r"\b(cmov\w*|fcmov\w*|fu?comip?|rdpmc|sysenter|sysexit|syscall|sysret|cpuid|rdtscp?|"
    r"rdmsr|wrmsr|cmpxchg8b|nop[wl]|emms|femms|fxsave|fxrstor|ldmxcsr|stmxcsr|[lms]fence|"
    r"clflush|prefetch\w*|movnti|fisttp\w*)\b|%[xyz]?mm\d")
OBJDUMP = "i686-w64-mingw32-objdump"
NM = "i686-w64-mingw32-nm"


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def offending(exe):
    for line in run(OBJDUMP, "-d", "--no-show-raw-insn", exe).splitlines():
        parts = line.split("\t")
        if len(parts) >= 2 and parts[0].strip().endswith(":") and NEWER.search(parts[1]):
            yield int(parts[0].strip()[:-1], 16), parts[1].split()[0]


def functions(symbols_exe):
    names = {}
    for line in run(NM, "-C", "--defined-only", symbols_exe).splitlines():
        address, kind, name = line.split(" ", 2)
        # A section's own symbol names a function only if nothing else does.
        if kind in "tT" and (not name.startswith(".") or int(address, 16) not in names):
            names[int(address, 16)] = name
    starts = sorted(names)
    return starts, [names[a] for a in starts]


# The input sections of the program's code as the map lists them, one line
# " .text  0xADDR  0xSIZE  object", or two when the name is long.
def objects(map_file):
    ranges, long_name, placed = [], None, False
    for line in open(map_file, encoding="utf-8", errors="replace"):
        placed = placed or line.startswith("Linker script and memory map")
        fields = line.split()
        if not placed:
            continue
        if line.startswith(" .") and len(fields) == 1:
            long_name = fields[0]
            continue
        section, place = None, []
        if line.startswith(" .") and len(fields) == 4:
            section, place = fields[0], fields[1:]
        elif long_name and len(fields) == 3:
            section, place = long_name, fields
        long_name = None
        if section and section.startswith(".text") and place[0].startswith("0x"):
            start, size = int(place[0], 16), int(place[1], 16)
            if size:
                ranges.append((start, start + size, place[2].rsplit("/", 1)[-1]))
    return ranges


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    exe, symbols_exe = sys.argv[1:3]
    starts, names = functions(symbols_exe)
    ranges = objects(sys.argv[3]) if len(sys.argv) == 4 else []
    found = defaultdict(list)
    for address, mnemonic in offending(exe):
        i = bisect.bisect_right(starts, address) - 1
        name = names[i] if i >= 0 else "?"
        origin = next((o for s, e, o in ranges if s <= address < e), None)
        found[name + (f" ({origin})" if origin else "")].append(mnemonic)
    for where, mnemonics in found.items():
        print(f"{where}: {' '.join(sorted(set(mnemonics)))} ({len(mnemonics)}x)")
    total = sum(len(m) for m in found.values())
    print(f"cpu-baseline: {total} instructions newer than the i486 in {len(found)} functions")
    return 1 if total else 0


if __name__ == "__main__":
    sys.exit(main())
