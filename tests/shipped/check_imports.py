#!/usr/bin/env python3
"""check_imports.py EXE: EXE loads on Windows 95 (its first release) and 98 as far
as its header and import table tell: subsystem version 4.0, imports by name only
from the DLLs listed in win9x/, each function exported by both and not only as a
stub. Names every offender, sorted; exits 1 if there is one."""

import re
import subprocess
import sys
from pathlib import Path

DATA = Path(__file__).resolve().parent / "win9x"


def names(path):
    return {line.split()[0] for line in path.read_text().splitlines() if line.strip() and not line.startswith("#")}


def imports(dump):
    dll = None
    for line in dump.splitlines():
        if m := re.match(r"\s*DLL Name: (\S+)", line):
            dll = m[1].lower()
        elif line[:1].strip():
            dll = None
        elif dll and (m := re.match(r"\t[0-9a-f]+\t +\d+  (\S+)", line)):
            yield dll, m[1]


def main(exe):
    dump = subprocess.run(["i686-w64-mingw32-objdump", "-p", exe], check=True, capture_output=True, text=True).stdout
    lists = {os: {p.name[:-4]: names(p) for p in (DATA / os).glob("*.dll.txt")} for os in ("win95", "win98")}
    stubs = {tuple(line.split()[:2]) for line in (DATA / "stubs.txt").read_text().splitlines() if line[:1] != "#"}
    version = [re.search(rf"^{part}SubsystemVersion\s+(\d+)$", dump, re.M) for part in ("Major", "Minor")]
    faults = set() if [v and v[1] for v in version] == ["4", "0"] else {"subsystem version is not 4.0"}
    found = list(imports(dump))
    for dll, name in found:
        if dll not in lists["win95"]:
            faults.add(f"{dll}: no export list, Windows 95 or 98 may lack it")
        elif name == "<none>":
            faults.add(f"{dll}: imported by ordinal")
        else:
            faults |= {f"{dll} {name}: not on Windows {os[3:]}" for os in lists if name not in lists[os][dll]}
            if (dll, name) in stubs:
                faults.add(f"{dll} {name}: only a stub on Windows 95 and 98")
    if not found:
        faults.add("no imports found")
    print("\n".join(sorted(faults) + [f"win9x: {len(found)} imports, {len(faults)} faults"]))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
