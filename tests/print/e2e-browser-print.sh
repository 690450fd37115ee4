#!/usr/bin/env bash
# Prints namori-judge's 鑑定書 (--html) from headless Chromium to A4 PDF and checks that no section
# of the page is split across two pages: each section's first and last words are on one page.
# Usage: e2e-browser-print.sh NAMORI_JUDGE [PNG]  (PNG: where to leave page 1 as a picture)
# Exits 77 (a skip for CTest) when chromium or poppler-utils are missing.
set -euo pipefail
export LC_ALL=C.UTF-8
judge=$1
command -v chromium >/dev/null && command -v pdftotext >/dev/null || exit 77
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Names of several shapes, one with unfavourable numbers (a closing section of stroke patterns).
for entry in "林 翔 はやし,しょう" "佐藤 陽翔 さとう,はると" "長谷川 由紀子 はせがわ,ゆきこ"; do
    read -r surname given furigana <<<"$entry"
    name="$surname $given"
    "$judge" --html --furigana "$furigana" "$surname" "$given" >"$work/page.html"
    chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$work/profile" \
        --no-pdf-header-footer --print-to-pdf="$work/page.pdf" "file://$work/page.html" 2>/dev/null
    [ -z "${2:-}" ] || [ "$name" != "林 翔" ] || pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/page.pdf" "${2%.png}"
    python3 - "$work/page.html" "$work/page.pdf" "$name" <<'PY'
import html, re, subprocess, sys
page, pdf, name = sys.argv[1:]
flat = lambda text: re.sub(r"\s+", "", html.unescape(text))
sections = re.findall(r'(?s)<div class="section">(.*?)</div>', open(page, encoding="utf-8").read())
pages = int(re.search(r"Pages:\s+(\d+)", subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout).group(1))
texts = [flat(subprocess.run(["pdftotext", "-f", str(n), "-l", str(n), pdf, "-"], capture_output=True, text=True).stdout) for n in range(1, pages + 1)]
for section in sections:
    words = [w for w in (flat(t) for t in re.sub(r"<[^>]+>", "\n", section).split("\n")) if w]
    first, last = words[0][:6], words[-1][-6:]
    on = [n for n, text in enumerate(texts, 1) if first in text and last in text]
    if not on:
        sys.exit(f"{name}: the section starting {words[0][:20]!r} is split across pages ({pages} pages)")
print(f"{name}: {len(sections)} sections on {pages} A4 pages, none split")
PY
done
