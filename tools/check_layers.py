#!/usr/bin/env python3
"""Refuses an include in src/ that reaches from a layer to a higher one or to a sibling.

data <- analysis <- rules <- naming <- reading <- cli, ui; within ui, common is below every window
folder and only main, which owns the windows, includes another window folder.
Usage: check_layers.py SRC_DIR
"""
import pathlib
import re
import sys

WINDOWS = ["ui/help", "ui/lists", "ui/naming", "ui/reading", "ui/registration"]
# The folders each folder builds on directly; what those may use it may use too.
BUILDS_ON = {
    "data": [],
    "analysis": ["data"],
    "rules": ["analysis"],
    "naming": ["rules"],
    "reading": ["naming"],
    "cli": ["naming", "reading"],
    "ui/common": ["naming", "reading"],
    "ui/main": ["ui/common"] + WINDOWS,
    "app": ["ui/main"],
    **{window: ["ui/common"] for window in WINDOWS},
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def may_use(folder, seen=None):
    seen = set() if seen is None else seen
    for lower in BUILDS_ON[folder]:
        if lower not in seen:
            seen.add(lower)
            may_use(lower, seen)
    return seen


def folder_of(path):
    parts = path.split("/")
    if parts[0] == "ui" and len(parts) > 2:
        return "ui/" + parts[1]
    return parts[0] if len(parts) > 1 and parts[0] in BUILDS_ON else None


def main():
    src = pathlib.Path(sys.argv[1])
    allowed = {folder: may_use(folder) | {folder} for folder in BUILDS_ON}
    files = sorted(p for p in src.rglob("*") if p.suffix in (".cpp", ".h"))
    faults = []
    for path in files:
        name = path.relative_to(src).as_posix()
        folder = folder_of(name)
        if folder is None:
            faults.append(f"{name}: in no known layer")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            target = folder_of(match.group(1)) if match else None
            if target and target not in allowed[folder]:
                faults.append(f"{name}:{number}: {folder} may not include {match.group(1)}")
    if not files:
        faults.append(f"{src}: no sources found")
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        return 1
    print(f"{len(files)} files: every include stays within its layer or below")
    return 0


if __name__ == "__main__":
    sys.exit(main())
