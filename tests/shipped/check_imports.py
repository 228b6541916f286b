#!/usr/bin/env python3
# check_imports.py EXE: EXE loads on Windows 95 (its first release) and 98 as far
# as its header and import table tell: subsystem version 4.0, imports only from the
# DLLs listed in win9x/, each function exported by name by both and not only as a
# stub. Names every offender, sorted; exits 1 if there is one.
import re
import subprocess
import sys
from pathlib import Path

DATA = Path(__file__).resolve().parent / "win9x"


def listed(path):  # what each line that is not a comment begins with: a name, or a DLL and a name
    return {" ".join(line.split()[:2]) for line in path.read_text().splitlines() if line[:1] not in ("", "#")}


dump = subprocess.run(["i686-w64-mingw32-objdump", "-p", sys.argv[1]], check=True, capture_output=True, text=True)
windows = {os: {p.stem + ".dll": listed(p) for p in (DATA / os).glob("*.txt")} for os in ("95", "98")}
stubs = listed(DATA / "stubs.txt")
faults = set() if re.search(r"^MajorSubsystemVersion\s+4\nMinorSubsystemVersion\s+0$", dump.stdout, re.M) else {
    "subsystem version is not 4.0"}
# Each DLL's functions: "\t<address>\t <hint>  <name>" after its "DLL Name:".
for dll, table in re.findall(r"DLL Name: (\S+)\n(.*?)\n\n", dump.stdout, re.S):
    dll, names = dll.lower(), re.findall(r"^\t[0-9a-f]+\t +\d+  (\S+)", table, re.M)
    if dll not in windows["95"]:
        faults.add(f"{dll}: no export list, Windows 95 or 98 may lack it")
        continue
    faults |= {f"{dll} {n}: not on Windows {os}" for n in names for os in windows if n not in windows[os][dll]}
    faults |= {f"{dll} {n}: only a stub on Windows 95 and 98" for n in names if f"{dll} {n}" in stubs}
print("\n".join(sorted(faults) + [f"win9x: {len(faults)} faults"]))
sys.exit(1 if faults else 0)
