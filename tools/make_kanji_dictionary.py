#!/usr/bin/env python3
"""Build the shipped kanji stroke dictionary and the stroke reference table.

Reads KANJIDIC2 (stroke counts, school grades) and ENAMDICT (Japanese names)
as Debian installs them, plus the kana table tools/kana_strokes.tsv, and
writes two code page 932 files with CR LF line ends:

  assets/data/漢字辞書.txt      the dictionary the program starts with: the
                                kana of names, then the kanji most used in
                                names, most frequent first
  assets/data/漢字画数参考.txt  every KANJIDIC2 character that code page 932
                                holds, with its stroke count, by code point

Every line has the form the registration dialog appends: the character in
double quotes, a comma, the stroke count in decimal, CR LF.  The output
depends only on the input files: running the tool again gives the same bytes.

Which kanji the dictionary holds:
  - candidates are the 常用 kanji (KANJIDIC2 grades 1-6 and 8), the 人名用
    kanji (grades 9 and 10), and the old and variant surname forms of
    EXTRA_SURNAME_KANJI below;
  - a kanji's frequency is the number of distinct name writings in ENAMDICT
    that contain it, counting writings of one to three characters tagged as a
    surname (s) or a given name (g, f, m).  A writing listed with several
    readings counts once.  Entries tagged u (unclassified person name) are
    left out: they mix Chinese and Korean names, stage names and foreign
    names with Japanese ones;
  - the kanji of ALWAYS_INCLUDED get in; the other candidates fill the
    remaining places by falling frequency.  The kanji are written in order of
    falling frequency, ties by code point.
The dictionary stops at MAX_ENTRIES lines so that the user keeps room below
the program's limit of 2000 entries for characters of their own.

A kanji's stroke count is the first <stroke_count> KANJIDIC2 gives it, which
counts the character in its current printed form (漢 13, 藤 18); an entry of
ALWAYS_INCLUDED may give the count where KANJIDIC2 lacks the character.
"""

import argparse
import collections
import gzip
import re
import sys
import unicodedata
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from cp932 import encode_cp932  # noqa: F401  (also used by make_naming_index)

REPO_ROOT = Path(__file__).resolve().parent.parent
DEFAULT_KANJIDIC = Path("/usr/share/edict/kanjidic2.xml.gz")
DEFAULT_ENAMDICT = Path("/usr/share/edict/enamdict")
DEFAULT_KANA_TABLE = REPO_ROOT / "tools" / "kana_strokes.tsv"
DEFAULT_DICTIONARY = REPO_ROOT / "assets" / "data" / "漢字辞書.txt"
DEFAULT_REFERENCE = REPO_ROOT / "assets" / "data" / "漢字画数参考.txt"

PROGRAM_CAPACITY = 2000   # entries the program's dictionary can hold
MAX_ENTRIES = 1850        # entries shipped, kana included

JOYO_GRADES = {1, 2, 3, 4, 5, 6, 8}
JINMEIYO_GRADES = {9, 10}
SURNAME_TAG = "s"
GIVEN_NAME_TAGS = ("g", "f", "m")
NAME_TAGS = (SURNAME_TAG,) + GIVEN_NAME_TAGS
NAME_LENGTHS = range(1, 4)

# Old and variant forms, and a few other characters, that are frequent in
# surnames but are neither 常用 nor 人名用 kanji.  Each entry: (kanji, stroke count or None to
# take KANJIDIC2's, form whose frequency it borrows or None).
#
# ENAMDICT is stored in EUC-JP and cannot hold 髙 and 﨑, so they borrow the
# frequency of 高 and 崎; both are common in real surnames (髙橋, 山﨑).
# KANJIDIC2 lacks 髙: the ladder form of 高 is counted like 高, 10 strokes.
# KANJIDIC2 counts 﨑 12: the bottom line of 立 is also the top line of 可.
# The rest occur in 45 or more ENAMDICT surnames each.
EXTRA_SURNAME_KANJI = [
    ("髙", 10, "高"),
    ("﨑", None, "崎"),
    ("澤", None, None),   # 沢
    ("濱", None, None),   # 浜
    ("渕", None, None),   # 淵
    ("嵜", None, None),   # 崎
    ("嶌", None, None),   # 島
    ("舘", None, None),   # 館
    ("桝", None, None),   # 枡
    ("嶽", None, None),   # 岳
    ("邊", None, None),   # 辺
    ("邉", None, None),   # 辺
    ("舛", None, None),
    ("薮", None, None),   # 藪
    ("藪", None, None),
    ("籔", None, None),   # 藪
    ("籐", None, None),
    ("苅", None, None),   # 刈
    ("舩", None, None),   # 船
    ("礒", None, None),   # 磯
    ("當", None, None),   # 当
    ("邨", None, None),   # 村
    ("枡", None, None),
    ("篭", None, None),   # 籠
    ("穐", None, None),   # 秋
    ("蟻", None, None),
    ("齋", None, None),   # 斎
    ("夛", None, None),   # 多
    ("寳", None, None),   # 宝
    ("寶", None, None),   # 宝
    ("淺", None, None),   # 浅
    ("繩", None, None),   # 縄
]

# 人名用 kanji that have become popular in given names only in recent years,
# and so are rare in ENAMDICT: 紬 (つむぎ), 絆 (きずな), 紡, 琥 and 珀 (琥珀),
# 櫂 (かい).  They always get in, with KANJIDIC2's stroke counts, and are
# ordered by their ENAMDICT frequency like the rest.
RECENT_GIVEN_NAME_KANJI = [(kanji, None, None) for kanji in "紬絆紡琥珀櫂"]

ALWAYS_INCLUDED = EXTRA_SURNAME_KANJI + RECENT_GIVEN_NAME_KANJI

def entry_line(ch, strokes):
    """One dictionary line in the form the registration dialog writes."""
    return encode_cp932('"%s",%d\r\n' % (ch, strokes))


def kanjidic_characters(path, header=None):
    """Yield (literal, grade or None, character element) for every KANJIDIC2 character; the
    element is cleared once the next one is asked for. header, when given, gets the file's
    version fields."""
    with gzip.open(path) as stream:
        for _, element in ElementTree.iterparse(stream):
            if header is not None and element.tag in ("file_version", "database_version",
                                                      "date_of_creation"):
                header[element.tag] = element.text
            elif element.tag == "character":
                grade = element.findtext("misc/grade")
                yield element.findtext("literal"), int(grade) if grade else None, element
                element.clear()


def read_kanjidic(path):
    """Map every KANJIDIC2 literal to (grade or None, first stroke count)."""
    entries = {}
    header = {}
    for literal, grade, element in kanjidic_characters(path, header):
        strokes = element.findtext("misc/stroke_count")
        if literal and strokes:
            entries[literal] = (grade, int(strokes))
    return entries, header


_TAG_GROUP = re.compile(r"/\(([a-z]+(?:,[a-z]+)*)\)")


def read_name_tags(path):
    """Map every ENAMDICT headword to the set of sense tags it carries.

    A headword listed on several lines (one per reading) gets the union of
    their tags.  Lines that are not valid EUC-JP are skipped and counted."""
    tags = collections.defaultdict(set)
    undecodable = 0
    with open(path, "rb") as stream:
        for raw in stream:
            try:
                line = raw.decode("euc_jp")
            except UnicodeDecodeError:
                undecodable += 1
                continue
            headword = line.split(" ", 1)[0]
            for group in _TAG_GROUP.findall(line):
                tags[headword].update(group.split(","))
    return tags, undecodable


def person_names(name_tags, wanted_tags):
    """Headwords of one to three characters with any of wanted_tags, sorted."""
    wanted = set(wanted_tags)
    return sorted(h for h, t in name_tags.items()
                  if len(h) in NAME_LENGTHS and t & wanted)


def read_kana_table(path):
    """Read (kana, strokes) rows and check them against the counting rules."""
    rows = []
    counts = {}
    for number, line in enumerate(Path(path).read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) < 2 or len(fields[0]) != 1 or not fields[1].isdigit() or int(fields[1]) < 1:
            raise SystemExit("%s:%d: expected kana, tab, stroke count" % (path, number))
        kana, strokes = fields[0], int(fields[1])
        if kana in counts:
            raise SystemExit("%s:%d: %s is listed twice" % (path, number, kana))
        if encode_cp932(kana) is None:
            raise SystemExit("%s:%d: code page 932 cannot hold %s" % (path, number, kana))
        counts[kana] = strokes
        rows.append((kana, strokes))
    for kana, strokes in rows:
        expected = None
        decomposed = unicodedata.normalize("NFD", kana)
        name = unicodedata.name(kana, "")
        if len(decomposed) == 2 and decomposed[1] == "\u3099":
            expected, rule = counts.get(decomposed[0], 0) + 2, "%s + 2" % decomposed[0]
        elif len(decomposed) == 2 and decomposed[1] == "\u309a":
            expected, rule = counts.get(decomposed[0], 0) + 1, "%s + 1" % decomposed[0]
        elif " SMALL " in name:
            full = unicodedata.lookup(name.replace(" SMALL ", " "))
            expected, rule = counts.get(full, 0), "like %s" % full
        if expected is not None and strokes != expected:
            raise SystemExit("%s: %s has %d strokes, but counts %s = %d"
                             % (path, kana, strokes, rule, expected))
    return rows


def name_frequency(names):
    """Number of names that contain each character (a name counts once)."""
    frequency = collections.Counter()
    for name in names:
        frequency.update(set(name))
    return frequency


def choose_kanji(kanjidic, frequency, places, taken):
    """Pick and order the kanji of the dictionary.

    Returns (list of (kanji, strokes), list of skipped characters with why)."""
    skipped = []
    counts = {}
    borrowed = {}
    for kanji, strokes, like in ALWAYS_INCLUDED:
        if strokes is None:
            if kanji not in kanjidic:
                raise SystemExit("KANJIDIC2 lacks %s; give its stroke count" % kanji)
            strokes = kanjidic[kanji][1]
        counts[kanji] = strokes
        if like:
            borrowed[kanji] = like
    forced = list(counts)
    candidates = []
    for kanji, (grade, strokes) in kanjidic.items():
        if grade in JOYO_GRADES or grade in JINMEIYO_GRADES:
            counts.setdefault(kanji, strokes)
            if kanji not in forced:
                candidates.append(kanji)

    def usefulness(kanji):
        return frequency[borrowed.get(kanji, kanji)]

    def order(kanji):
        return (-usefulness(kanji), ord(kanji))

    chosen = set()
    for kanji in forced + sorted(candidates, key=order):
        if len(chosen) == places:
            break
        if kanji in taken or kanji in chosen:
            continue
        if encode_cp932(kanji) is None:
            skipped.append((kanji, "not in code page 932"))
            continue
        chosen.add(kanji)
    chosen = sorted(chosen, key=order)
    return [(k, counts[k]) for k in chosen], skipped


def reference_entries(kanjidic):
    """Every KANJIDIC2 character code page 932 holds, by code point."""
    entries, skipped = [], 0
    for kanji in sorted(kanjidic, key=ord):
        if encode_cp932(kanji) is None:
            skipped += 1
        else:
            entries.append((kanji, kanjidic[kanji][1]))
    return entries, skipped


def write_entries(path, entries):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(b"".join(entry_line(ch, n) for ch, n in entries))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--kanjidic", type=Path, default=DEFAULT_KANJIDIC,
                        help="KANJIDIC2 XML, gzipped (default: %(default)s)")
    parser.add_argument("--enamdict", type=Path, default=DEFAULT_ENAMDICT,
                        help="ENAMDICT in EUC-JP (default: %(default)s)")
    parser.add_argument("--kana-table", type=Path, default=DEFAULT_KANA_TABLE,
                        help="kana stroke table (default: %(default)s)")
    parser.add_argument("--dictionary", type=Path, default=DEFAULT_DICTIONARY,
                        help="dictionary to write (default: %(default)s)")
    parser.add_argument("--reference", type=Path, default=DEFAULT_REFERENCE,
                        help="reference table to write (default: %(default)s)")
    parser.add_argument("--max-entries", type=int, default=MAX_ENTRIES,
                        help="dictionary size, kana included (default: %(default)s)")
    args = parser.parse_args(argv)
    if not 0 < args.max_entries <= PROGRAM_CAPACITY:
        parser.error("--max-entries must lie between 1 and %d" % PROGRAM_CAPACITY)

    kana = read_kana_table(args.kana_table)
    if len(kana) > args.max_entries:
        parser.error("the kana table alone has more than %d entries" % args.max_entries)
    kanjidic, header = read_kanjidic(args.kanjidic)
    name_tags, undecodable = read_name_tags(args.enamdict)
    names = person_names(name_tags, NAME_TAGS)
    frequency = name_frequency(names)

    kanji, skipped = choose_kanji(kanjidic, frequency, args.max_entries - len(kana),
                                  {k for k, _ in kana})
    entries = kana + kanji
    write_entries(args.dictionary, entries)
    reference, reference_skipped = reference_entries(kanjidic)
    write_entries(args.reference, reference)

    print("KANJIDIC2 %s (%s), %d characters; ENAMDICT %d headwords, %d names of 1-3 characters%s"
          % (header.get("database_version", "?"), header.get("date_of_creation", "?"),
             len(kanjidic), len(name_tags), len(names),
             ", %d undecodable lines skipped" % undecodable if undecodable else ""))
    print("%s: %d entries (%d kana, %d kanji), %d of %d places free"
          % (args.dictionary, len(entries), len(kana), len(kanji),
             PROGRAM_CAPACITY - len(entries), PROGRAM_CAPACITY))
    always = {k for k, _, _ in ALWAYS_INCLUDED}
    ranked = [frequency[k] for k, _ in kanji if k not in always]
    if ranked:
        print("  the rarest kanji taken by frequency occurs in %d names" % min(ranked))
    if skipped:
        print("  skipped: " + ", ".join("%s (%s)" % s for s in skipped))
    else:
        print("  skipped: none")
    print("%s: %d entries, %d KANJIDIC2 characters skipped (not in code page 932)"
          % (args.reference, len(reference), reference_skipped))
    return 0


if __name__ == "__main__":
    sys.exit(main())
