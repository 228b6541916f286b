#!/usr/bin/env python3
"""The folders of src/ are layers whose includes point only down, and the
portable ones include no Windows header. Names every include that breaks
this; exits 1 if there is one."""

import re
import sys
from pathlib import Path

SRC = Path(__file__).resolve().parent.parent / "src"
# Top to bottom; a folder includes its own headers and those of the groups
# below it, not those of its neighbours in a group.
CHAIN = ["win32", "mainwindow", "configs dosmode dialogs", "store registry", "platform"]
MAY = {layer: set(" ".join(CHAIN[i:]).split()) - set(group.split()) | {layer}
       for i, group in enumerate(CHAIN) for layer in group.split()}
# Only Windows' side: win32/ implements the platform, runtime/ stands alone.
MAY["win32"].add("platform/win32")
MAY["platform/win32"] = {"platform/win32", "platform"}
MAY["runtime"] = {"runtime"}
PORTABLE = set(" ".join(CHAIN[1:]).split())
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"]([^>"]+)[>"])', re.M)
WINDOWS_HEADER = re.compile(r"(windows|win\w+|commdlg|commctrl|shellapi|shlobj|objbase)\.h", re.I)


def layer(path):
    parts = path.relative_to(SRC).parts
    return "platform/win32" if parts[:2] == ("platform", "win32") and len(parts) > 2 else parts[0]


faults = []
for source in sorted(p for p in SRC.rglob("*") if p.suffix in (".cpp", ".h")):
    here = layer(source)
    if here not in MAY:
        faults.append(f"{source.relative_to(SRC.parent)}: src/{here} is in no layer of tools/check_layers.py")
        continue
    for spelled, name in INCLUDE.findall(source.read_text(encoding="utf-8")):
        where = f"{source.relative_to(SRC.parent)}: #include {spelled}"
        if here in PORTABLE and WINDOWS_HEADER.fullmatch(name):
            faults.append(f"{where}: a Windows header in a portable folder")
        # Project headers: beside the file or below src/; anything else is the system's or generated.
        target = next((p for p in (source.parent / name, SRC / name) if p.is_file()), None)
        if target and SRC in target.resolve().parents and layer(target.resolve()) not in MAY[here]:
            faults.append(f"{where}: src/{here} may not include src/{layer(target.resolve())}")
print("\n".join(faults + [f"layers: {len(faults)} faults"]))
sys.exit(1 if faults else 0)
