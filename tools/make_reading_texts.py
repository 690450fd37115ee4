#!/usr/bin/env python3
"""Write the explanation texts of the detailed reading, assets/data/鑑定解説.txt, from
tools/reading_texts.tsv.

The output is code page 932 text, every line ending in CR LF, no byte-order
mark, in the field syntax of the other data files: one record per line,

    "kind","key","text"

written kind by kind in the order below and, within a kind, key by key:

    kind              keys                                           count
    luck              祖運 主運 初運 助運 総運                            5
    family-line       1 .. 81 (祖運 read as the family line)            81
    youth             1 .. 81 (初運 read as childhood and youth)        81
    phrase            1 .. 81 (the number's phrase in plain words)      81
    element           木 火 土 金 水                                    5
    element-verdict   災害運 病気運 事故運 ------                         4
    yinyang-verdict   幸運陰陽 単一陰陽 分離陰陽 挟み陰陽 浮沈陰陽          7
                      災難陰陽 －－－－
    face-slot         1 2 3 (luck numbers, five elements, yin-yang)     3
    face              1-良 1-中 1-悪 2-良 ... 3-悪 (slot-grade)           9
    summary-overall   良 中 悪                                          3
    summary-family    良 中 悪                                          3
    summary-strong    主運-良 主運-中 ... 総運-中                        8
    summary-weak      主運-中 主運-悪 ... 総運-悪                        8
    summary-element   the five-element verdicts                        4
    summary-yinyang   the yin-yang verdicts                            7
    summary-close     0 1 2 3                                          4
    note              closing                                          1

233 records, 699 fields. The summary kinds are one sentence each, with
placeholders in braces ({主運}, {数}, {並び} ...) that the program fills in;
a placeholder a kind does not offer is refused. The keys are the texts the judgement shows ("------" is
six ASCII hyphens, "－－－－" four full-width ones), so a reader can look a
verdict up by its own text.

Every key must be present exactly once; every text must be a few whole
sentences ending in 。 (as many as its kind allows), no sentence may occur
twice in the file nor be one of the spirit-number table's sentences
(tools/spirit_numbers.tsv), no text may hold a phrase of tools/forbidden_predictions.txt, and every text
must survive code page 932 and the
comma/quote field syntax (no double quote, no ASCII comma). Any fault stops
the run with a message before the output file is touched.

Usage:
    make_reading_texts.py            regenerate the file in place
    make_reading_texts.py --check    exit 1 if the file on disk is stale
"""

import argparse
import sys
from pathlib import Path

import re

import make_spirit_table
from make_spirit_table import (
    ROOT,
    SENTENCE_END,
    SourceError,
    check_line_ends,
    check_text,
    check_unique_sentences,
    check_wording,
    encode_cp932,
    publish,
    read_fields,
    read_forbidden_phrases,
    sentences,
    source_rows,
)

DEFAULT_SOURCE = ROOT / "tools" / "reading_texts.tsv"
DEFAULT_OUTPUT = ROOT / "assets" / "data" / "鑑定解説.txt"

SLOTS = ("1", "2", "3")
GRADES = ("良", "中", "悪")
NUMBERS = tuple(str(number) for number in range(1, 82))
RATED_LUCK = ("主運", "初運", "助運", "総運")
ELEMENT_VERDICTS = ("災害運", "病気運", "事故運", "------")
# How many of the four rated numbers are unfavourable: all four favourable, none, one or two,
# three, all four.
SHARES = ("all-good", "none", "some", "most", "all")
# How the element of one luck number stands to the next one's.
ELEMENT_PAIRS = ("生む", "生まれる", "抑える", "抑えられる", "同じ")
YINYANG_VERDICTS = ("幸運陰陽", "単一陰陽", "分離陰陽", "挟み陰陽", "浮沈陰陽", "災難陰陽", "－－－－")

# kind: (keys in output order, fewest sentences, most sentences)
KINDS = {
    "luck": (("祖運", "主運", "初運", "助運", "総運"), 1, 3),
    "family-line": (NUMBERS, 2, 3),
    "youth": (NUMBERS, 2, 3),
    "phrase": (NUMBERS, 1, 1),
    "gist": (NUMBERS, 0, 0),
    "element": (("木", "火", "土", "金", "水"), 1, 1),
    "element-verdict": (ELEMENT_VERDICTS, 1, 3),
    "yinyang-verdict": (YINYANG_VERDICTS, 1, 3),
    "face-slot": (SLOTS, 1, 1),
    "face": (tuple(f"{slot}-{grade}" for slot in SLOTS for grade in GRADES), 1, 1),
    "element-pair": (ELEMENT_PAIRS, 1, 1),
    "romance": (NUMBERS, 1, 1),
    "summary-overall": (SHARES, 1, 1),
    "summary-repeat": (("any",), 1, 1),
    "summary-family": (GRADES, 1, 1),
    "summary-strong": (tuple(f"{luck}-{grade}" for luck in RATED_LUCK for grade in GRADES[:2]), 1, 1),
    "summary-weak": (tuple(f"{luck}-{grade}" for luck in RATED_LUCK for grade in GRADES[1:]), 1, 1),
    "summary-element": (ELEMENT_VERDICTS, 1, 1),
    "summary-yinyang": (YINYANG_VERDICTS, 1, 1),
    "summary-close": (SHARES, 1, 1),
    "note": (("closing", "caveat", "basis", "basis-traditional", "basis-complement", "lucky", "element-clash"), 1, 3),
}

# The placeholders the program fills in, by kind; every other kind has none.
# {字} is the characters a luck number counts (「藤」と「陽」), {名字} and {名前} the parts of the
# name without the complement, {並び} the elements or the odd and even marks, {上端} and {下端} the
# top and bottom characters, {端} the end set apart, {内側} the characters between the ends, {凶数}
# and {中数} the rated numbers marked △ or ○ (主運19・総運27), {強数} the strongest of them (主運16「厚徳衆望」),
# {意味} the number's gist, always written {意味}とされる: the program leaves that clause out where
# the same number's gist was given before.
SHARE_PLACEHOLDERS = {"{主運}", "{初運}", "{助運}", "{総運}", "{凶数}", "{中数}", "{件数}", "{名前}", "{強数}"}
PLACEHOLDERS = {
    "luck": {"{数}", "{字}", "{名字}", "{名前}"},
    "element": {"{運}"},
    "phrase": {"{運}"},
    "element-verdict": {"{並び}"},
    "yinyang-verdict": {"{並び}", "{上端}", "{下端}", "{端}", "{内側}"},
    "note": {"{画数}", "{名字}", "{名前}", "{並び}"},
    "element-pair": {"{前}", "{後}", "{甲}", "{乙}", "{前数}", "{後数}"},
    "summary-overall": SHARE_PLACEHOLDERS,
    "summary-repeat": {"{重なり}"},
    "summary-family": {"{数}", "{句}", "{名字}", "{意味}"},
    "summary-strong": {"{数}", "{句}", "{字}", "{意味}"},
    "summary-weak": {"{数}", "{句}", "{字}", "{意味}"},
    "summary-element": {"{並び}"},
    "summary-yinyang": {"{並び}"},
    "summary-close": SHARE_PLACEHOLDERS,
}


# How a sentence in the です・ます style ends.
POLITE_ENDINGS = tuple(ending + SENTENCE_END for ending in ("です", "ます", "ません", "でしょう", "ください", "ところです"))


def check_reading_text(kind, text, forbidden, where):
    """Refuse a text the data file cannot carry, that is not whole sentences, that predicts or
    that names a placeholder its kind does not offer."""
    check_text(text, where)
    check_wording(text, forbidden, where)
    unknown = set(re.findall(r"\{[^{}]*\}", text)) - PLACEHOLDERS.get(kind, set())
    stray = any(brace in re.sub(r"\{[^{}]*\}", "", text) for brace in "{}")
    if unknown or stray:
        raise SourceError(f"{where}: placeholder not offered by {kind}: {' '.join(sorted(unknown)) or 'stray brace'}")
    if "," in text:
        raise SourceError(f"{where}: ASCII comma in {text!r}; write 、 instead")
    if text.count("{意味}") != text.count("{意味}とされる"):
        raise SourceError(f"{where}: write {{意味}} as {{意味}}とされる")
    if KINDS[kind][2] == 0:
        # A clause the program puts inside a sentence: no sentence end of its own.
        if SENTENCE_END in text or not text:
            raise SourceError(f"{where}: a {kind} text is a clause without {SENTENCE_END}")
        return
    if not text.endswith(SENTENCE_END):
        raise SourceError(f"{where}: the text must end with {SENTENCE_END}")
    if any(not sentence.strip(SENTENCE_END) for sentence in sentences(text)):
        raise SourceError(f"{where}: empty sentence in {text!r}")
    plain = [sentence for sentence in sentences(text) if not sentence.endswith(POLITE_ENDINGS)]
    if plain:
        raise SourceError(f"{where}: write in the です・ます style: {plain[0]!r}")
    _, fewest, most = KINDS[kind]
    count = len(sentences(text))
    if not fewest <= count <= most:
        wanted = f"exactly {fewest}" if fewest == most else f"{fewest} to {most}"
        raise SourceError(f"{where}: a {kind} text holds {wanted} sentence(s), found {count}")


def read_source(path, forbidden=()):
    """Return {(kind, key): text} for every row of the source."""
    texts = {}
    for where, cells in source_rows(path):
        if len(cells) != 3:
            raise SourceError(f"{where}: expected 3 tab-separated cells (kind, key, text), found {len(cells)}")
        kind, key, text = cells
        if kind not in KINDS:
            raise SourceError(f"{where}: unknown kind {kind!r}; the kinds are {' '.join(KINDS)}")
        if key not in KINDS[kind][0]:
            raise SourceError(f"{where}: unknown {kind} key {key!r}; the keys are {' '.join(KINDS[kind][0])}")
        if (kind, key) in texts:
            raise SourceError(f"{where}: {kind} {key} given twice")
        check_reading_text(kind, text, forbidden, f"{where} ({kind} {key})")
        texts[(kind, key)] = text

    missing = [f"{kind} {key}" for kind, (keys, _, _) in KINDS.items() for key in keys if (kind, key) not in texts]
    if missing:
        raise SourceError(f"{path.name}: rows missing: {', '.join(missing)}")
    return texts


def spirit_sentences(path):
    """Every sentence and phrase of the spirit-number table's source."""
    records, trailer = make_spirit_table.read_source(path)
    found = set()
    for text in [cell for cells in records.values() for cell in cells] + list(trailer.values()):
        found.update(sentences(text) or [text])
    return found


def check_sentences(texts, taken):
    """Refuse a sentence used twice here or already used by the spirit-number table."""
    check_unique_sentences(((f"{kind} {key}", text) for (kind, key), text in texts.items()), taken)


def expected_fields(texts):
    """The field values a reader should get from the file, in file order."""
    fields = []
    for kind, (keys, _, _) in KINDS.items():
        for key in keys:
            fields += [kind, key, texts[(kind, key)]]
    return fields


def render(texts):
    """Encode the file as it is stored on disk."""
    fields = expected_fields(texts)
    lines = [",".join(f'"{field}"' for field in fields[at : at + 3]) for at in range(0, len(fields), 3)]
    return encode_cp932("".join(line + "\r\n" for line in lines), "output")


def verify(data, texts):
    """Refuse output that would not read back as the source says."""
    check_line_ends(data)
    if read_fields(data) != expected_fields(texts):
        raise SourceError("output: reads back differently from the source")


def main(argv=None):
    parser = argparse.ArgumentParser(description="Write the explanation texts of the detailed reading, 鑑定解説.txt.")
    parser.add_argument("--source", type=Path, default=DEFAULT_SOURCE, help="tab-separated source (UTF-8)")
    parser.add_argument(
        "--spirit-source",
        type=Path,
        default=make_spirit_table.DEFAULT_SOURCE,
        help="spirit-number table source whose sentences must not be reused",
    )
    parser.add_argument("--output", type=Path, default=DEFAULT_OUTPUT, help="file to write")
    parser.add_argument("--check", action="store_true", help="only report whether the output is up to date")
    args = parser.parse_args(argv)
    try:
        texts = read_source(args.source, read_forbidden_phrases())
        check_sentences(texts, spirit_sentences(args.spirit_source))
        data = render(texts)
        verify(data, texts)
        return publish(args.output, data, args.check)
    except (SourceError, OSError) as error:
        print(f"{parser.prog}: error: {error}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
