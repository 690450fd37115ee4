#!/usr/bin/env python3
"""Write varied names for the batch benchmark: SURNAME<TAB>GIVEN lines (UTF-8).

Every character is drawn from the kanji stroke dictionary, so every name judges (no refusal
shortcut), and no two neighbouring lines repeat the same shape: surnames and given names of one
to three characters (mostly two, as real names are), drawn with a fixed seed so that runs compare.

Usage: make-varied-names.py [--count N] [--seed S] [--dictionary FILE] > names.tsv
"""

import argparse
import random
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LENGTHS = (1, 2, 2, 2, 2, 3)  # one, two or three characters, two the most common


def dictionary_characters(path):
    """The single characters of the dictionary file that have a stroke count."""
    characters = []
    for line in path.read_bytes().decode("cp932").splitlines():
        fields = [field.strip().strip('"') for field in line.split(",")]
        if len(fields) == 2 and len(fields[0]) == 1 and fields[1] not in ("", "0"):
            characters.append(fields[0])
    return sorted(set(characters))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--count", type=int, default=1_000_000)
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--dictionary", type=Path, default=ROOT / "assets" / "data" / "漢字辞書.txt")
    arguments = parser.parse_args()
    characters = dictionary_characters(arguments.dictionary)
    generator = random.Random(arguments.seed)

    def name():
        return "".join(generator.choices(characters, k=generator.choice(LENGTHS)))

    out = sys.stdout
    for _ in range(arguments.count):
        out.write(f"{name()}\t{name()}\n")


if __name__ == "__main__":
    main()
