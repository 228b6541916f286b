#!/usr/bin/env python3
"""check_cpu_baseline.py EXE SYMBOLS: every instruction in EXE must run on an
i486. Offending instructions are named with the function they are in, taken
from SYMBOLS (an unstripped copy of EXE). Exits 1 if any is found."""

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


def instructions(exe):
    # (address, the function it is in, the instruction) for each instruction.
    out = subprocess.run(["i686-w64-mingw32-objdump", "-d", "-C", "--no-show-raw-insn", exe],
                         check=True, capture_output=True, text=True).stdout
    function = "?"
    for line in out.splitlines():
        if line.endswith(">:"):
            function = line[line.index("<") + 1:-2]
        parts = line.split("\t")
        if len(parts) >= 2 and parts[0].strip().endswith(":"):
            yield int(parts[0].strip()[:-1], 16), function, parts[1]


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    names = {address: function for address, function, _ in instructions(sys.argv[2])}
    found = defaultdict(list)
    for address, _, instruction in instructions(sys.argv[1]):
        if NEWER.search(instruction):
            found[names.get(address, "?")].append(instruction.split()[0])
    for where, mnemonics in found.items():
        print(f"{where}: {' '.join(sorted(set(mnemonics)))} ({len(mnemonics)}x)")
    total = sum(len(m) for m in found.values())
    print(f"cpu-baseline: {total} instructions newer than the i486 in {len(found)} functions")
    return 1 if total else 0


if __name__ == "__main__":
    sys.exit(main())
