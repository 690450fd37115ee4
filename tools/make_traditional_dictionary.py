#!/usr/bin/env python3
"""Build the traditional stroke count (旧字体, radicals as their characters) of every kanji of the
shipped dictionary.

Reads the shipped dictionary assets/data/漢字辞書.txt, KANJIDIC2 (`kanjidic-xml`), the Unihan
database and CJKRadicals.txt (`unicode-data`) as Debian installs them, and the rule table
tools/traditional_strokes.tsv, and writes:

  assets/data/漢字辞書旧字.txt          code page 932, CR LF, the dictionary's form ("字",画数):
                                        every kanji whose traditional count the tool could
                                        decide, in the dictionary's order
  tools/traditional_strokes_notes.txt  what was decided how, where the sources disagree and
                                        which kanji stay undecided (the program counts those
                                        as the modern dictionary does)

A kanji's traditional count:
  1. a numeral of the rule table counts as its number;
  2. its old form: the form the 人名用漢字 table lists for it (Unihan kJinmeiyoKanji
     "2010:U+…" on the old form), or a 旧字体 row of the rule table; either must be a
     KANJIDIC2 variant of the kanji.  Otherwise the kanji is its own old form;
  3. the old form's written count: the dictionary's count for the kanji itself, else
     KANJIDIC2's first count of the old form, which must equal the Kangxi radical's count plus
     the strokes beyond it (Unihan kRSKangXi) for a radical without a rule;
  4. when the old form's Kangxi radical has a 部首 row and is not the whole character, and the
     written count is the radical's written count plus the strokes beyond it (the reduced form,
     氵 in 池) or the row's count plus them (already written in full, 水 in 泉), the count is
     the row's count plus the strokes beyond the radical.  Any other written count is left
     undecided.
The output depends only on the inputs: running the tool again gives the same bytes.
"""

import argparse
import bz2
import collections
import gzip
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from cp932 import encode_cp932

REPO_ROOT = Path(__file__).resolve().parent.parent
DEFAULT_KANJIDIC = Path("/usr/share/edict/kanjidic2.xml.gz")
DEFAULT_UNICODE = Path("/usr/share/unicode")
DEFAULT_RULES = REPO_ROOT / "tools" / "traditional_strokes.tsv"
DEFAULT_DICTIONARY = REPO_ROOT / "assets" / "data" / "漢字辞書.txt"
DEFAULT_OUTPUT = REPO_ROOT / "assets" / "data" / "漢字辞書旧字.txt"
DEFAULT_NOTES = REPO_ROOT / "tools" / "traditional_strokes_notes.txt"

UNIHAN_FIELDS = {"kRSKangXi", "kTotalStrokes", "kJinmeiyoKanji", "kKangXi"}


def is_kanji(ch):
    code = ord(ch)
    return 0x3400 <= code <= 0x9FFF or 0xF900 <= code <= 0xFAFF or code >= 0x20000


def read_rules(path):
    """Return (radicals: number -> (form, written counts, count, original), numerals,
    old forms: kanji -> (old form, published count, source))."""
    radicals, numerals, old_forms = {}, {}, {}
    for number, line in enumerate(Path(path).read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        try:
            if fields[0] == "部首" and len(fields) == 7:
                written = {int(n) for n in fields[3].split(",")}
                radicals[int(fields[1])] = (fields[2], written, int(fields[4]), fields[5])
                continue
            if fields[0] == "数字" and len(fields) == 4 and len(fields[1]) == 1:
                numerals[fields[1]] = int(fields[2])
                continue
            if fields[0] == "旧字体" and len(fields) == 5 and len(fields[1]) == len(fields[2]) == 1:
                old_forms[fields[1]] = (fields[2], int(fields[3]), fields[4])
                continue
        except ValueError:
            pass
        raise SystemExit("%s:%d: not a 部首, 数字 or 旧字体 row of the documented form"
                         % (path, number))
    return radicals, numerals, old_forms


def read_kanjidic(path):
    """Map each literal to (grade, stroke counts, variant literals) and return the version."""
    by_code = {}
    raw = {}
    version = "?"
    with gzip.open(path) as stream:
        for _, element in ElementTree.iterparse(stream):
            if element.tag == "database_version":
                version = element.text
            if element.tag != "character":
                continue
            literal = element.findtext("literal")
            for value in element.findall("codepoint/cp_value"):
                by_code[(value.get("cp_type"), value.text.upper())] = literal
            grade = element.findtext("misc/grade")
            counts = [int(s.text) for s in element.findall("misc/stroke_count")]
            variants = [(v.get("var_type"), v.text.upper()) for v in element.findall("misc/variant")]
            raw[literal] = (int(grade) if grade else None, counts, variants)
            element.clear()
    entries = {}
    for literal, (grade, counts, variants) in raw.items():
        linked = {by_code.get(v) for v in variants} - {None}
        entries[literal] = (grade, counts, linked)
    return entries, version


def read_unihan(folder):
    """Map code point characters to their wanted Unihan fields; return the Unicode version."""
    fields = collections.defaultdict(dict)
    version = "?"
    for name in ("Unihan_RadicalStrokeCounts.txt.bz2", "Unihan_IRGSources.txt.bz2",
                 "Unihan_OtherMappings.txt.bz2", "Unihan_DictionaryIndices.txt.bz2"):
        with bz2.open(folder / name, "rt", encoding="utf-8") as stream:
            for line in stream:
                if line.startswith("# Unicode version:"):
                    version = line.split(":", 1)[1].strip()
                if line.startswith("#") or not line.strip():
                    continue
                code, field, value = line.rstrip("\n").split("\t", 2)
                if field in UNIHAN_FIELDS:
                    fields[chr(int(code[2:], 16))][field] = value
    return fields, version


def read_radical_characters(path):
    """Map each Kangxi radical number to the unified ideograph made of it alone."""
    radicals = {}
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        if line.startswith("#") or not line.strip():
            continue
        number, _, ideograph = (f.strip() for f in line.split(";"))
        if number.isdigit():
            radicals[int(number)] = chr(int(ideograph, 16))
    return radicals


def read_dictionary(path):
    entries = []
    for line in path.read_bytes().decode("cp932").split("\r\n"):
        if line:
            character, count = line.split(",")
            entries.append((character.strip('"'), int(count)))
    return entries


def kangxi(unihan, character):
    """(radical number, strokes beyond it) from kRSKangXi, or None."""
    value = unihan.get(character, {}).get("kRSKangXi")
    if not value or "'" in value.split()[0]:
        return None
    radical, residual = value.split()[0].split(".")
    return int(radical), int(residual)


class Counter:
    """Decides traditional counts; collects what the notes say."""

    def __init__(self, rules, kanjidic, unihan, radical_characters):
        self.radicals, self.numerals, self.rule_old_forms = rules
        self.kanjidic = kanjidic
        self.unihan = unihan
        self.radical_characters = radical_characters
        self.jinmeiyo_old_forms = collections.defaultdict(set)
        for character, values in unihan.items():
            target = values.get("kJinmeiyoKanji", "")
            if ":U+" in target:
                self.jinmeiyo_old_forms[chr(int(target.split(":U+")[1], 16))].add(character)
        self.undecided = []      # (kanji, why)
        self.old_forms = []      # (kanji, old form, source)
        self.disagreements = []  # (kanji, what)
        self.variants_not_taken = []  # (kanji, 人名用 variant) when the kanji is in Kangxi
        self.inner_old_forms = []  # kanji counted with an inner part one stroke longer

    def strokes_of(self, character):
        entry = self.kanjidic.get(character)
        return entry[1][0] if entry and entry[1] else None

    def old_form(self, kanji):
        """(old form, source) or (None, why) when the sources conflict."""
        candidates = {}
        # The 人名用漢字 table pairs a kanji with its old form and with other variants (島 嶋);
        # only a kanji that is not itself a head character of the Kangxi dictionary (kKangXi
        # ending in 1: placed there, not listed) is a new form whose pair is its old form.
        in_kangxi = self.unihan.get(kanji, {}).get("kKangXi", "1").split()[0].endswith("0")
        for form in sorted(self.jinmeiyo_old_forms.get(kanji, ())):
            if in_kangxi:
                self.variants_not_taken.append((kanji, form))
            else:
                candidates.setdefault(form, []).append("人名用漢字")
        if kanji in self.rule_old_forms:
            candidates.setdefault(self.rule_old_forms[kanji][0], []).append(
                "規則表 " + self.rule_old_forms[kanji][2])
        if not candidates:
            return kanji, None
        if len(candidates) > 1:
            return None, "旧字体の候補が複数: " + " ".join(sorted(candidates))
        form, sources = next(iter(candidates.items()))
        linked = self.kanjidic.get(kanji, (None, [], set()))[2] | \
            self.kanjidic.get(form, (None, [], set()))[2]
        if form not in linked and kanji not in linked:
            return None, "旧字体 %s (%s) は KANJIDIC2 の異体字にない" % (form, "・".join(sources))
        return form, "・".join(sources)

    def count(self, kanji, modern):
        if kanji in self.numerals:
            return self.numerals[kanji]
        form, source = self.old_form(kanji)
        if form is None:
            self.undecided.append((kanji, source))
            return None
        # Unihan gives kRSKangXi only to the unified character a compatibility ideograph
        # stands for; its Kangxi entry is that character's.
        split = kangxi(self.unihan, form) or kangxi(self.unihan, kanji)
        if form == kanji:
            written = modern
        else:
            self.old_forms.append((kanji, form, source))
            written = self.strokes_of(form)
            if written is None:
                self.undecided.append((kanji, "旧字体 %s の画数が KANJIDIC2 にない" % form))
                return None
        if split is None:
            self.undecided.append((kanji, "%s の康熙部首が Unihan にない" % form))
            return None
        radical, residual = split
        rule = self.radicals.get(radical)
        if rule is not None and residual > 0:
            _, written_counts, full, _ = rule
            if written - residual in written_counts or written - residual == full:
                return self.checked(kanji, full + residual)
            if written - residual == min(written_counts) - 1:
                # Kangxi counts an inner part in its old form, one stroke longer (艹 in 瑛,
                # 辶 in 蓮, the dot of 者 in 都): the radical is still the reduced form.
                self.inner_old_forms.append(kanji)
                return self.checked(kanji, full + residual)
            self.undecided.append((kanji, "%s の画数 %d は部首 %d (%s) と残り %d 画に合わない"
                                   % (form, written, radical, rule[0], residual)))
            return None
        if form != kanji:
            radical_strokes = self.strokes_of(self.radical_characters.get(radical, ""))
            if radical_strokes is None:
                radical_strokes = int(self.unihan.get(self.radical_characters.get(radical, ""),
                                                      {}).get("kTotalStrokes", "0").split()[0])
            published = self.rule_old_forms.get(kanji, (None, None))[1]
            if radical_strokes + residual != written and published == radical_strokes + residual:
                self.disagreements.append((kanji, "%s: KANJIDIC2 %d 画、康熙 %d 画; 規則表の出典に従い %d 画"
                                           % (form, written, published, published)))
                return published
            if radical_strokes + residual != written:
                self.undecided.append((kanji, "%s: KANJIDIC2 %d 画、康熙部首 %s 画 + %d 画、Unihan %s 画"
                                       % (form, written, radical_strokes, residual,
                                          self.unihan.get(form, {}).get("kTotalStrokes", "?"))))
                return None
        return self.checked(kanji, written)

    def checked(self, kanji, count):
        published = self.rule_old_forms.get(kanji)
        if published and published[1] != count:
            why = "%s は %d 画と数えたが %s は %d 画" % (published[0], count, published[2],
                                                     published[1])
            self.disagreements.append((kanji, why))
            self.undecided.append((kanji, why))
            return None
        return count


def write_notes(path, versions, counter, entries, differing):
    kanji_total = len(entries)
    lines = [
        "Notes of tools/make_traditional_dictionary.py (generated; do not edit).",
        "Sources: KANJIDIC2 %s; Unihan and CJKRadicals.txt of Unicode %s; the rules and their"
        % versions,
        "citations in tools/traditional_strokes.tsv.",
        "",
        "%d kanji of the dictionary; %d decided, %d of them counted differently from the modern"
        % (kanji_total, kanji_total - len(counter.undecided), differing),
        "count; %d undecided (counted as the modern dictionary counts them)." % len(
            counter.undecided),
        "",
        "Undecided (the tool writes no count for them; never filled in by hand):",
    ]
    lines += ["  %s  %s" % item for item in counter.undecided] or ["  none"]
    lines += ["", "Where a rule row's published count differs from the computed count:"]
    lines += ["  %s  %s" % item for item in counter.disagreements] or ["  none"]
    lines += ["", "Counted by Kangxi with an inner part one stroke longer than written today",
              "(艹 4 inside 瑛, 辶 4 inside 蓮, 者 with its dot):"]
    lines += ["  " + "".join(counter.inner_old_forms)]
    lines += ["", "人名用漢字 variants not taken as old forms (the kanji is itself in Kangxi):"]
    lines += ["  " + " ".join(k + v for k, v in counter.variants_not_taken)]
    lines += ["", "Old forms used (kanji, old form, source):"]
    lines += ["  %s %s  %s" % item for item in counter.old_forms]
    path.write_text("\n".join(lines) + "\n", encoding="utf-8")


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--kanjidic", type=Path, default=DEFAULT_KANJIDIC)
    parser.add_argument("--unicode", type=Path, default=DEFAULT_UNICODE,
                        help="folder of the Unicode data files (default: %(default)s)")
    parser.add_argument("--rules", type=Path, default=DEFAULT_RULES)
    parser.add_argument("--dictionary", type=Path, default=DEFAULT_DICTIONARY)
    parser.add_argument("--output", type=Path, default=DEFAULT_OUTPUT)
    parser.add_argument("--notes", type=Path, default=DEFAULT_NOTES)
    args = parser.parse_args(argv)

    rules = read_rules(args.rules)
    kanjidic, kanjidic_version = read_kanjidic(args.kanjidic)
    unihan, unicode_version = read_unihan(args.unicode)
    counter = Counter(rules, kanjidic, unihan,
                      read_radical_characters(args.unicode / "CJKRadicals.txt"))
    entries = [(k, n) for k, n in read_dictionary(args.dictionary) if is_kanji(k)]
    output, differing = [], 0
    for kanji, modern in entries:
        traditional = counter.count(kanji, modern)
        if traditional is not None:
            output.append(encode_cp932('"%s",%d\r\n' % (kanji, traditional)))
            differing += traditional != modern
    args.output.write_bytes(b"".join(output))
    write_notes(args.notes, (kanjidic_version, unicode_version), counter, entries, differing)
    print("%s: %d kanji, %d counted differently from the modern count; %d undecided: %s"
          % (args.output, len(output), differing, len(counter.undecided),
             "".join(k for k, _ in counter.undecided)))
    if counter.disagreements:
        print("disagreements: " + ", ".join(k for k, _ in counter.disagreements))
    return 0


if __name__ == "__main__":
    sys.exit(main())
