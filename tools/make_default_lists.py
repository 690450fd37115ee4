#!/usr/bin/env python3
"""Write the default name lists assets/data/名字.txt and assets/data/名前.txt.

Each file is code page 932 text without a byte-order mark: one bare entry per
line, each line ending in CR LF. The first surname is the name the program
looks up at start-up, and the first entry of each list fills its entry box.

Usage:
    make_default_lists.py            regenerate both lists in place
    make_default_lists.py --check    exit 1 if a list on disk is stale
"""

import argparse
import sys
from pathlib import Path

from make_spirit_table import ROOT, SourceError, encode_cp932, publish

DEFAULT_DIRECTORY = ROOT / "assets" / "data"

LISTS = {
    "名字.txt": ("白鳥", "佐藤", "鈴木", "高橋", "田中", "渡辺", "伊藤", "山本", "中村", "林", "小林"),
    "名前.txt": ("杏奈", "陽翔", "結菜", "大輔", "由美子", "翔", "さくら", "美咲", "健太", "優子"),
}

# A name part is at most three characters; only those are looked up.
MAX_ENTRY_LENGTH = 3


def render(file_name, entries):
    """Encode one list, refusing entries that would not read back as one and the same entry."""
    if not entries:
        raise SourceError(f"{file_name}: the list is empty")
    seen = set()
    lines = []
    for entry in entries:
        where = f"{file_name} entry {entry!r}"
        if not 1 <= len(entry) <= MAX_ENTRY_LENGTH:
            raise SourceError(f"{where}: must be 1 to {MAX_ENTRY_LENGTH} characters")
        # Commas split an entry on reading, quotes are stripped, blanks are skipped.
        if any(ch in ',"' or ch.isspace() or ord(ch) < 0x20 for ch in entry):
            raise SourceError(f"{where}: holds a comma, a double quote, a blank or a control character")
        if entry in seen:
            raise SourceError(f"{where}: listed twice")
        seen.add(entry)
        lines.append(encode_cp932(entry, where) + b"\r\n")
    return b"".join(lines)


def main(argv=None):
    parser = argparse.ArgumentParser(description="Write the default surname and given-name lists.")
    parser.add_argument("--directory", type=Path, default=DEFAULT_DIRECTORY, help="folder to write into")
    parser.add_argument("--check", action="store_true", help="only report whether the lists are up to date")
    args = parser.parse_args(argv)
    try:
        rendered = {name: render(name, entries) for name, entries in LISTS.items()}
        status = 0
        for name, data in rendered.items():
            status |= publish(args.directory / name, data, args.check)
        return status
    except (SourceError, OSError) as error:
        print(f"{parser.prog}: error: {error}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
