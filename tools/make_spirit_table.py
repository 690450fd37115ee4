#!/usr/bin/env python3
"""Write the spirit-number table assets/data/霊数.txt from tools/spirit_numbers.tsv.

The output is code page 932 text, every line ending in CR LF, no byte-order
mark: one line per number 1 to 81,

    N,"phrase","mark","text1",...,"text7",N

then one line with the five trailer texts (title, version, aspect names,
grading note, credit). Each aspect text is two or three whole sentences ending
in 。, no sentence occurs twice in the table, and no text holds a phrase of
tools/forbidden_predictions.txt. The program reads exactly 81 x 11 + 5 = 896 fields
from it, so every row must be present and every text must survive the trip
through code page 932 and the comma/quote field syntax. Any fault in the
source stops the run with a message before the output file is touched.

Usage:
    make_spirit_table.py            regenerate the table in place
    make_spirit_table.py --check    exit 1 if the table on disk is stale
"""

import argparse
import os
import re
import sys
import tempfile
from pathlib import Path

import cp932

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_SOURCE = ROOT / "tools" / "spirit_numbers.tsv"
DEFAULT_OUTPUT = ROOT / "assets" / "data" / "霊数.txt"
FORBIDDEN_PHRASES = ROOT / "tools" / "forbidden_predictions.txt"

NUMBERS = range(1, 82)
MARKS = ("◎", "○", "△")
ASPECTS = ("性格", "仕事", "金運", "家庭", "健康", "対人", "総評")
TRAILER_KEYS = ("title", "version", "aspects", "grading", "credit")
ASPECT_SENTENCES = (2, 3)  # fewest and most sentences of an aspect text
SENTENCE_END = "。"
CELLS_PER_ROW = 3 + len(ASPECTS)  # number, phrase, mark, one text per aspect
TOTAL_FIELDS = len(NUMBERS) * (CELLS_PER_ROW + 1) + len(TRAILER_KEYS)


class SourceError(Exception):
    """A fault in the input that must stop generation."""


def encode_cp932(text, where):
    """Encode text as code page 932, refusing characters that do not round-trip."""
    encoded = cp932.encode_cp932(text)
    if encoded is None:
        bad = next(ch for ch in text if cp932.encode_cp932(ch) is None)
        raise SourceError(
            f"{where}: character {bad!r} (U+{ord(bad):04X}) does not survive a round trip "
            "through code page 932"
        )
    return encoded


def check_text(text, where):
    """Refuse a text that the field syntax of the data files cannot carry intact."""
    if not text:
        raise SourceError(f"{where}: empty text")
    if text != text.strip():
        raise SourceError(f"{where}: leading or trailing blanks in {text!r}")
    if '"' in text:
        raise SourceError(f"{where}: double quote in {text!r}; the reader would cut the text there")
    if any(ord(ch) < 0x20 or ord(ch) == 0x7F for ch in text):
        raise SourceError(f"{where}: control character in {text!r}")
    encode_cp932(text, where)


def sentences(text):
    """The sentences of a text, each with its closing 。."""
    return [piece + SENTENCE_END for piece in text.split(SENTENCE_END)[:-1]]


def read_forbidden_phrases(path=FORBIDDEN_PHRASES):
    """The phrases no text may hold, one a line; # starts a comment line."""
    try:
        lines = path.read_text(encoding="utf-8").splitlines()
    except (OSError, UnicodeDecodeError) as error:
        raise SourceError(f"cannot read {path}: {error}") from None
    return [line.strip() for line in lines if line.strip() and not line.startswith("#")]


def check_wording(text, forbidden, where):
    """Refuse a text that holds a forbidden phrase."""
    for phrase in forbidden:
        if phrase in text:
            raise SourceError(f"{where}: {phrase!r} predicts rather than describes a tendency; reword {text!r}")


def check_unique_sentences(named_texts, taken=frozenset()):
    """Refuse a sentence used twice among named_texts ((name, text) pairs) or found in taken."""
    first_use = {}
    for name, text in named_texts:
        for sentence in sentences(text):
            if sentence in taken:
                raise SourceError(f"{name}: {sentence!r} is already a sentence of the spirit-number table")
            if sentence in first_use:
                raise SourceError(f"{name}: {sentence!r} is used again (first in {first_use[sentence]})")
            first_use[sentence] = name


def check_aspect_text(text, where):
    """Refuse an aspect text that is not two or three whole sentences."""
    fewest, most = ASPECT_SENTENCES
    if not text.endswith(SENTENCE_END) or not fewest <= len(sentences(text)) <= most:
        raise SourceError(f"{where}: an aspect text holds {fewest} to {most} sentences ending in {SENTENCE_END}")


def source_rows(path):
    """Yield (where, tab-separated cells) for each row of a UTF-8 source; blank and "#" lines
    are no rows."""
    try:
        content = path.read_text(encoding="utf-8-sig")
    except (OSError, UnicodeDecodeError) as error:
        raise SourceError(f"cannot read {path}: {error}") from None
    for line_no, line in enumerate(content.split("\n"), start=1):
        line = line.removesuffix("\r")
        if line.strip() and not line.startswith("#"):
            yield f"{path.name} line {line_no}", line.split("\t")


def read_source(path, forbidden=()):
    """Return ({number: [phrase, mark, text1..text7]}, {trailer key: text})."""
    records, trailer = {}, {}
    for where, cells in source_rows(path):
        key = cells[0]
        if key in TRAILER_KEYS:
            if len(cells) != 2:
                raise SourceError(f"{where}: trailer row {key!r} needs exactly one value, found {len(cells) - 1}")
            if key in trailer:
                raise SourceError(f"{where}: trailer row {key!r} given twice")
            check_text(cells[1], f"{where} ({key})")
            trailer[key] = cells[1]
        elif re.fullmatch(r"[0-9]+", key):
            number = int(key)
            if number not in NUMBERS:
                raise SourceError(f"{where}: number {number} outside 1..81")
            if number in records:
                raise SourceError(f"{where}: number {number} given twice")
            if len(cells) != CELLS_PER_ROW:
                raise SourceError(
                    f"{where}: expected {CELLS_PER_ROW} tab-separated cells "
                    f"(number, phrase, mark, {len(ASPECTS)} texts), found {len(cells)}"
                )
            texts = cells[1:]
            if texts[1] not in MARKS:
                raise SourceError(f"{where}: mark {texts[1]!r} is not one of {' '.join(MARKS)}")
            for index, text in enumerate(texts):
                check_text(text, f"{where} cell {index + 2}")
                check_wording(text, forbidden, f"{where} cell {index + 2}")
            for index, text in enumerate(texts[2:]):
                check_aspect_text(text, f"{where} ({ASPECTS[index]})")
            records[number] = texts
        else:
            raise SourceError(f"{where}: row starts with {key!r}, neither a number nor a trailer key")

    missing = [str(n) for n in NUMBERS if n not in records]
    if missing:
        raise SourceError(f"{path.name}: numbers without a row: {' '.join(missing)}")
    missing = [key for key in TRAILER_KEYS if key not in trailer]
    if missing:
        raise SourceError(f"{path.name}: trailer rows missing: {' '.join(missing)}")
    if tuple(trailer["aspects"].split("・")) != ASPECTS:
        raise SourceError(
            f"{path.name}: trailer row 'aspects' must name the texts' aspects in order: {'・'.join(ASPECTS)}"
        )
    check_unique_sentences(
        (f"{number} {ASPECTS[index]}", text)
        for number, cells in sorted(records.items())
        for index, text in enumerate(cells[2:])
    )
    return records, trailer


def expected_fields(records, trailer):
    """The field values the program should read from the table, in file order."""
    fields = []
    for number in NUMBERS:
        fields += [str(number), *records[number], str(number)]
    fields += [trailer[key] for key in TRAILER_KEYS]
    return fields


def render(records, trailer):
    """Encode the table as it is stored on disk."""
    lines = []
    for number in NUMBERS:
        quoted = ",".join(f'"{text}"' for text in records[number])
        lines.append(f"{number},{quoted},{number}")
    lines.append(",".join(f'"{trailer[key]}"' for key in TRAILER_KEYS))
    return encode_cp932("".join(line + "\r\n" for line in lines), "output")


def read_fields(data):
    """Split code page 932 data into field values the way the program's reader does.

    A field ends at a comma or a line end, blanks before a field are skipped, and a
    field that starts with a double quote runs to the next double quote.
    """
    text = data.decode("cp932")
    fields, i, end = [], 0, len(text)
    while i < end:
        while i < end and text[i] == " ":
            i += 1
        if i < end and text[i] == '"':
            close = text.find('"', i + 1)
            if close < 0:
                raise SourceError("output: unterminated quoted field")
            fields.append(text[i + 1 : close])
            i = close + 1
            while i < end and text[i] not in ",\r\n":
                i += 1
        else:
            start = i
            while i < end and text[i] not in ",\r\n":
                i += 1
            fields.append(text[start:i])
        if text.startswith("\r\n", i):
            i += 2
        elif i < end:
            i += 1
    return fields


def check_line_ends(data):
    """Refuse output that starts with a byte-order mark or has a line not ending in CR LF."""
    if data.startswith(b"\xef\xbb\xbf"):
        raise SourceError("output: starts with a byte-order mark")
    without_line_ends = data.replace(b"\r\n", b"")
    if not data.endswith(b"\r\n") or b"\r" in without_line_ends or b"\n" in without_line_ends:
        raise SourceError("output: a line does not end in CR LF")


def verify(data, records, trailer):
    """Refuse output that would not read back as the source says."""
    check_line_ends(data)
    fields = read_fields(data)
    if len(fields) != TOTAL_FIELDS:
        raise SourceError(f"output: reads back as {len(fields)} fields, expected {TOTAL_FIELDS}")
    if fields != expected_fields(records, trailer):
        raise SourceError("output: reads back differently from the source")


def write_atomically(path, data):
    """Replace path with data so that a failed run never leaves a half-written file."""
    path.parent.mkdir(parents=True, exist_ok=True)
    handle, temporary = tempfile.mkstemp(dir=path.parent, prefix=".tmp-")
    try:
        os.chmod(temporary, 0o644)  # mkstemp makes the file private; data files are shared
        with os.fdopen(handle, "wb") as stream:
            stream.write(data)
            stream.flush()
            os.fsync(stream.fileno())
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def publish(path, data, check):
    """Write data to path, or with check only compare them; return the exit status."""
    try:
        current = path.read_bytes()
    except FileNotFoundError:
        current = None
    if current == data:
        print(f"{path}: up to date")
        return 0
    if check:
        print(f"{path}: stale; run {Path(sys.argv[0]).name} to regenerate", file=sys.stderr)
        return 1
    write_atomically(path, data)
    print(f"{path}: wrote {len(data)} bytes")
    return 0


def main(argv=None):
    parser = argparse.ArgumentParser(description="Write the spirit-number table 霊数.txt.")
    parser.add_argument("--source", type=Path, default=DEFAULT_SOURCE, help="tab-separated source (UTF-8)")
    parser.add_argument("--output", type=Path, default=DEFAULT_OUTPUT, help="table to write")
    parser.add_argument("--check", action="store_true", help="only report whether the output is up to date")
    args = parser.parse_args(argv)
    try:
        records, trailer = read_source(args.source, read_forbidden_phrases())
        data = render(records, trailer)
        verify(data, records, trailer)
        return publish(args.output, data, args.check)
    except (SourceError, OSError) as error:
        print(f"{parser.prog}: error: {error}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
