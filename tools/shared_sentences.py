#!/usr/bin/env python3
"""Print how much of each name's 鑑定書 is shared with the others of a set of names.

Runs namori-judge --html for every name, takes the sentences of each page's text (tags
removed, split after 。) and, for each reading, counts the sentences that also occur in at
least one other reading of the set. Prints that share per name, then the mean and the
highest; a reading written for its name shares little.

Usage:
    shared_sentences.py [--judge PATH] [--data DIR] [姓,名 ...]

Without names, a fixed varied set of twenty (one to three characters in each part).
"""

import argparse
import html
import re
import subprocess
import sys
from collections import Counter

NAMES = (
    "佐藤,陽翔", "山本,蓮", "林,翔", "田中,結衣", "小林,大和", "伊藤,湊", "高橋,さくら", "鈴木,一郎",
    "渡辺,美咲", "中村,悠真", "加藤,陽菜", "吉田,健太郎", "山田,花子", "佐々木,蒼", "松本,結菜",
    "井上,樹", "木村,美羽", "斎藤,大輝", "清水,葵", "長谷川,由紀子",
)


def sentences_of(page):
    """The sentences of an HTML page's visible text, in order."""
    body = re.sub(r"(?s)<head>.*?</head>", "", page)
    text = html.unescape(re.sub(r"<[^>]+>", "\n", body))
    found = []
    for line in text.splitlines():
        found += [part.strip() + "。" for part in line.split("。")[:-1] if part.strip()]
    return found


def main(argv=None):
    parser = argparse.ArgumentParser(description="Share of each reading's sentences that other names' readings repeat.")
    parser.add_argument("--judge", default="namori-judge", help="the namori-judge to run")
    parser.add_argument("--data", help="data folder handed to namori-judge")
    parser.add_argument("names", nargs="*", help="名字,名前 pairs (default: a fixed set of twenty)")
    args = parser.parse_args(argv)
    readings = {}
    for name in args.names or NAMES:
        surname, given = name.split(",")
        command = [args.judge, "--html"] + (["--data", args.data] if args.data else []) + [surname, given]
        page = subprocess.run(command, check=True, capture_output=True, text=True).stdout
        readings[name] = sentences_of(page)
    readers = Counter(s for found in readings.values() for s in set(found))
    shares = []
    for name, found in readings.items():
        shared = sum(1 for s in found if readers[s] > 1)
        shares.append(shared / len(found))
        print(f"{name}\t{len(found)} sentences\t{shared} shared\t{shares[-1]:.0%}")
    total = sum(len(found) for found in readings.values())
    distinct = len({s for found in readings.values() for s in found})
    print(f"mean {sum(shares) / len(shares):.0%}\thighest {max(shares):.0%}\t{total} sentences, {distinct} distinct")
    return 0


if __name__ == "__main__":
    sys.exit(main())
