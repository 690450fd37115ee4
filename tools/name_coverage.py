#!/usr/bin/env python3
"""Report how many real names the kanji stroke dictionary can judge.

A name is covered when every one of its characters has an entry with a
stroke count other than 0 in the dictionary.  The names are the ENAMDICT
writings of one to three characters tagged as surnames (s) or given names
(g, f, m); a writing listed with several readings counts once.  The report
gives the share overall, for surnames, for given names and for each given-name
tag, then checks a list of names common today and prints those not covered.
"""

import argparse
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # keep the tools folder free of caches
from make_kanji_dictionary import (DEFAULT_DICTIONARY, DEFAULT_ENAMDICT,  # noqa: E402
                                   GIVEN_NAME_TAGS, NAME_TAGS, SURNAME_TAG,
                                   person_names, read_name_tags)

COMMON_SURNAMES = ("佐藤 鈴木 高橋 田中 伊藤 渡辺 山本 中村 小林 加藤 吉田 山田 佐々木 "
                   "山口 松本 井上 木村 林 斎藤 齋藤 清水 白鳥").split()
COMMON_GIVEN_NAMES = ("陽翔 蓮 湊 蒼 樹 大翔 悠真 陽向 紬 凛 結菜 陽葵 芽依 葵 澪 杏奈 "
                      "さくら ひなた 由美子 大輔 健太 翔 美咲 恵子 ゆうき").split()


def read_dictionary(path):
    """Characters with a known stroke count in a dictionary file.

    Reads the file as the program does: code page 932, one entry per line,
    the character optionally in double quotes, a comma, the count.  As in the
    program, the last entry of a character wins and a count of 0 means that
    no count is known."""
    counts = {}
    for number, line in enumerate(Path(path).read_bytes().decode("cp932").splitlines(), 1):
        if not line.strip():
            continue
        text, _, count = line.partition(",")
        text = text.strip()
        if len(text) >= 2 and text[0] == text[-1] == '"':
            text = text[1:-1]
        try:
            counts[text] = int(count.strip())
        except ValueError:
            raise SystemExit("%s:%d: no stroke count in %r" % (path, number, line))
    return {ch for ch, n in counts.items() if n != 0}


def covered(name, known):
    return all(ch in known for ch in name)


def share(names, known):
    hits = sum(1 for name in names if covered(name, known))
    return hits, len(names)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--dictionary", type=Path, default=DEFAULT_DICTIONARY,
                        help="dictionary file (default: %(default)s)")
    parser.add_argument("--enamdict", type=Path, default=DEFAULT_ENAMDICT,
                        help="ENAMDICT in EUC-JP (default: %(default)s)")
    args = parser.parse_args(argv)

    known = read_dictionary(args.dictionary)
    name_tags, _ = read_name_tags(args.enamdict)
    groups = [("all names (s, g, f, m)", NAME_TAGS),
              ("surnames (s)", (SURNAME_TAG,)),
              ("given names (g, f, m)", GIVEN_NAME_TAGS)]
    groups += [("  given names (%s)" % tag, (tag,)) for tag in GIVEN_NAME_TAGS]

    print("%s: %d characters with a stroke count" % (args.dictionary, len(known)))
    for label, tags in groups:
        hits, total = share(person_names(name_tags, tags), known)
        print("%-26s %6d of %6d covered, %5.1f%%" % (label, hits, total, 100.0 * hits / total))

    missing = [(name, "".join(ch for ch in name if ch not in known))
               for name in COMMON_SURNAMES + COMMON_GIVEN_NAMES if not covered(name, known)]
    print("common names checked: %d, not covered: %d"
          % (len(COMMON_SURNAMES) + len(COMMON_GIVEN_NAMES), len(missing)))
    for name, chars in missing:
        print("  %s (missing %s)" % (name, chars))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
