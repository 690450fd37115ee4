"""Hand-checked alignments of given names with kanji readings, and which names are aligned."""

import sys
import tempfile
import unittest
from pathlib import Path

TOOLS = Path(__file__).resolve().parents[2] / "tools"
sys.path.insert(0, str(TOOLS))

import make_naming_index  # noqa: E402
from name_alignment import KUN, NANORI, ON, Aligner, count_pairs  # noqa: E402

READINGS = {
    "陽": {"はる": NANORI, "ひ": NANORI, "よう": ON},
    "翔": {"と": NANORI, "かける": KUN, "しょう": ON},
    "大": {"ひろ": NANORI, "おお": KUN, "だい": ON, "たい": ON},
    "晴": {"はる": NANORI, "は": KUN, "せい": ON},
    "人": {"ひと": KUN, "と": NANORI, "じん": ON},
    "一": {"いち": ON, "かず": NANORI},
    "輝": {"き": ON, "てる": KUN},
    "奈": {"な": ON},
    "佐": {"さ": ON, "すけ": NANORI},
    "木": {"き": KUN, "こ": KUN, "もく": ON},
    "時": {"とき": KUN, "じ": ON},
    "太": {"た": ON, "たい": ON, "ふと": KUN},
    "河": {"か": ON, "かわ": KUN},
    "優": {"ゆう": ON, "やさ": KUN},
    "子": {"こ": KUN, "し": ON},
}


class AlignmentTest(unittest.TestCase):
    def test_hand_checked_names(self):
        aligner = Aligner(READINGS)
        rows = [
            ("陽翔", "はると", ["はる", "と"]),
            ("大翔", "ひろと", ["ひろ", "と"]),
            ("晴人", "はると", ["はる", "と"]),
            ("一輝", "いっき", ["いっ", "き"]),      # small っ at a piece end
            ("時々", "ときどき", ["とき", "どき"]),  # 々 repeats, with rendaku
            ("大河", "たいが", ["たい", "が"]),      # rendaku on a later piece
            ("優奈", "ゆな", ["ゆ", "な"]),          # long vowel dropped
            ("優子", "ゆうこ", ["ゆう", "こ"]),
            ("陽なた", "ひなた", ["ひ", "な", "た"]),  # kana read as themselves
            ("陽翔", "はるか", None),
            ("翔", "がける", None),                  # no rendaku on the first piece
        ]
        for spelling, reading, pieces in rows:
            with self.subTest(spelling=spelling, reading=reading):
                self.assertEqual(aligner.align(spelling, reading), pieces)

    def test_counts_pairs_of_given_names_only(self):
        # ENAMDICT lines as Debian ships them (EUC-JP): 佐々木 is only a surname, 陽翔 a given
        # name tagged u only, read as a given name elsewhere.
        lines = [
            "佐々木 [ささき] /(s) Sasaki/",
            "陽翔 [はると] /(u) Haruto/",
            "晴人 [はると] /(m) Haruto/",
            "大翔 [ひろと] /(m) Hiroto/",
            "奈 [な] /(f) Na/",
            "佐奈 [さな] /(s,f) Sana/",
        ]
        with tempfile.TemporaryDirectory() as folder:
            enamdict = Path(folder) / "enamdict"
            enamdict.write_bytes("\n".join(lines).encode("euc_jp") + b"\n")
            entries, _ = make_naming_index.read_enamdict(enamdict)
        names, _ = make_naming_index.given_names(entries)
        spellings = {line[1] for line in names}
        self.assertNotIn("佐々木", spellings)
        self.assertEqual(spellings, {"陽翔", "晴人", "大翔", "奈", "佐奈"})
        pairs, aligned, unaligned, _ = count_pairs(
            [(line[0], line[1]) for line in names], Aligner(READINGS), set(READINGS))
        self.assertEqual(aligned, 5)
        self.assertEqual(sum(unaligned.values()), 0)
        self.assertEqual(pairs["と", "翔"], 2)
        self.assertEqual(pairs["はる", "陽"], 1)
        self.assertEqual(pairs["ひろ", "大"], 1)
        self.assertEqual(pairs["さ", "佐"], 1)  # 佐奈 is a given name too
        self.assertNotIn(("さ", "木"), pairs)
        self.assertEqual(pairs["き", "木"], 0)


if __name__ == "__main__":
    unittest.main()
