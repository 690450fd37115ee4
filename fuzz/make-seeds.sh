#!/usr/bin/env bash
# Writes the seed corpus of every fuzz target to fuzz/corpus/<target>/ from the shipped data
# files: the real files or slices of them, their line-end and quoting variants, and small files
# for the edges (entry limits, rounding of counts, unclosed quotes, invalid bytes). Seeds stay
# small; the large stroke reference file is only used in slices.
#   fuzz/make-seeds.sh
set -euo pipefail
cd "$(dirname "$0")"
data=../assets/data
corpus=corpus

targets=(fuzz_field_reader fuzz_spirit_table fuzz_kanji_dictionary fuzz_name_list fuzz_judgement
         fuzz_naming_index)
for target in "${targets[@]}"; do
    rm -rf "${corpus:?}/$target"
    mkdir -p "$corpus/$target"
done

cp932() { iconv -f UTF-8 -t CP932; }             # UTF-8 text on stdin to code page 932
to_utf8() { iconv -f CP932 -t UTF-8 "$1"; }      # a shipped file as UTF-8
lf() { tr -d '\r'; }                             # CR LF to LF
cr() { tr -d '\r' | tr '\n' '\r'; }              # CR LF to CR
crlf() { tr -d '\r' | sed 's/$/\r/'; }           # any line ends to CR LF
unquote() { tr -d '"'; }
# seed TARGET NAME: stdin becomes the seed.
seed() { cat >"$corpus/$1/$2"; }
# text TARGET NAME TEXT: UTF-8 text with \n line ends, written as code page 932 with CR LF.
text() { printf '%b' "$3" | crlf | cp932 | seed "$1" "$2"; }

# --- field reader: any text in the shared field syntax ------------------------------------
t=fuzz_field_reader
head -n 12 "$data/漢字辞書.txt" | seed $t dictionary-head
head -n 12 "$data/漢字辞書.txt" | unquote | seed $t dictionary-unquoted
head -n 12 "$data/漢字辞書.txt" | lf | seed $t dictionary-lf
head -n 12 "$data/漢字辞書.txt" | cr | seed $t dictionary-cr
head -n 1 "$data/霊数.txt" | seed $t spirit-record
tail -n 1 "$data/霊数.txt" | seed $t spirit-trailer
seed $t surnames <"$data/名字.txt"
text $t quoted-commas '"山田,太郎",12.5,"a\nb",3\n"閉じない'
text $t counts '0,1,12.5,13.5,2.5,0.5,.5,5.,32767,32767.5,32766.5,32768,40001,1e3,-1,+1, 7 ,"8",１２\n'
text $t blanks ' \t \n\n  a , b \t,,\n\n\t\n'
printf '"山",3\r\n\x1a' | cp932 | seed $t ctrl-z-end
printf 'a,\x80,b' | seed $t invalid-byte
printf '"\x88' | seed $t truncated-double-byte
printf '\xa0\xfd\xfe\xff' | seed $t unassigned-bytes

# --- spirit table: 81 records of eleven fields and a trailer of five ---------------------------
t=fuzz_spirit_table
seed $t shipped <"$data/霊数.txt"
head -n 10 "$data/霊数.txt" | seed $t shipped-first-ten
compact() {  # short texts, the shipped marks, in the shipped layout
    to_utf8 "$data/霊数.txt" | sed -n '1,81p' | awk -F'"' '{
        split($0, first, ","); n = first[1]
        printf "%s,\"p%s\",\"%s\",\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",%s\n", n, n, $4, n }'
    printf '"t","1.0","x","y","z"\n'
}
compact | crlf | cp932 | seed $t compact
compact | lf | cp932 | seed $t compact-lf
compact | cr | cp932 | seed $t compact-cr
compact | unquote | crlf | cp932 | seed $t compact-unquoted
compact | sed -n '1,80p' | crlf | cp932 | seed $t compact-80-records
compact | sed -n '1,81p' | crlf | cp932 | seed $t compact-without-trailer
compact | sed 's/"a"/"a,with a comma"/' | crlf | cp932 | seed $t compact-quoted-commas
compact | sed '40{p;s/.*//}' | crlf | cp932 | seed $t compact-blank-line

# --- kanji dictionary: a text and a count per entry, at most 2000 entries ---------------------
t=fuzz_kanji_dictionary
head -n 40 "$data/漢字辞書.txt" | seed $t shipped-head
tail -n 40 "$data/漢字辞書.txt" | seed $t shipped-tail
head -n 20 "$data/漢字辞書.txt" | unquote | seed $t unquoted
head -n 20 "$data/漢字辞書.txt" | lf | seed $t lf
head -n 20 "$data/漢字辞書.txt" | cr | seed $t cr
head -n 20 "$data/漢字辞書.txt" | tr ',' '\n' | crlf | seed $t two-lines-per-entry
head -n 2000 "$data/漢字画数参考.txt" | seed $t reference-2000-entries
head -n 2001 "$data/漢字画数参考.txt" | seed $t reference-2001-entries
text $t count-missing-at-end '"山",3\n"田"\n'
text $t decimal-counts '"山",2.5\n"川",3.5\n"田",4.49\n"口",32767.5\n'
text $t duplicates '"山",3\n"川",3\n"山",4\n'
text $t empty-and-long-texts '"",3\n"山田",8\n"１",1\n'
text $t bad-counts '"山",x\n"川",40000\n"田",-1\n'
text $t blank-lines '\n\n"山",3\n\n  \n"川",3\n\n\n'
printf '"山",3\r\n\x1a' | cp932 | seed $t ctrl-z-end

# --- name lists: one entry a line ------------------------------------------------------------
t=fuzz_name_list
seed $t surnames <"$data/名字.txt"
seed $t given-names <"$data/名前.txt"
lf <"$data/名字.txt" | seed $t surnames-lf
cr <"$data/名字.txt" | seed $t surnames-cr
text $t comma-line '山田,太郎\n佐藤\n'
text $t quoted '"山田"\n"佐藤,鈴木"\n  "林" \n'
text $t blanks '\n  山田  \n\t\n\n林\n\n'
text $t unclosed-quote '山田\n"佐藤\n'
printf '山田\r\n\x1a' | cp932 | seed $t ctrl-z-end
printf '' | seed $t empty
printf '\x8e\x52\x80\r\n' | seed $t invalid-byte

# --- judgement: dictionary length, dictionary, flag byte, UTF-16LE names ---------------------
t=fuzz_judgement
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
to_utf8 "$data/漢字辞書.txt" >"$scratch/dictionary"
to_utf8 "$data/漢字画数参考.txt" >"$scratch/reference"
# The entries of every character of the shipped lists and the seed names below: from the
# dictionary, else from the stroke reference.
dictionary=$({
    to_utf8 "$data/名字.txt"
    to_utf8 "$data/名前.txt"
    printf '山本健太花長谷川田郎１\n'
} | lf | grep -o . | LC_ALL=C sort -u | while read -r character; do
    grep -m1 "^\"$character\"," "$scratch/dictionary" ||
        grep -m1 "^\"$character\"," "$scratch/reference" || true
done | crlf | cp932 | od -An -tx1 -v | tr -d ' \n')
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
# judgement NAME FLAGS SURNAME GIVEN [SURNAME GIVEN]: a seed with the dictionary above.
judgement() {
    local name=$1 flags=$2
    shift 2
    local length=$((${#dictionary} / 2))
    {
        printf "$(printf '\\x%02x\\x%02x' $((length & 255)) $((length >> 8)))"
        printf "$(printf '%s' "$dictionary" | sed 's/../\\x&/g')"
        printf "$(printf '\\x%02x' "$flags")"
        local first=1
        for part in "$@"; do
            [[ $first == 1 ]] || printf '\xff\xff'
            first=0
            utf16 "$part"
        done
    } | seed $t "$name"
}
judgement two-and-two 0 山本 健太
judgement one-and-one 0 林 翔
judgement one-and-one-complement 1 林 翔
judgement three-and-three 0 長谷川 由美子
judgement kana 0 佐藤 さくら
judgement two-names 3 白鳥 杏奈 林 翔
judgement unregistered-then-ready 0 山犬 太郎 田中 大輔
judgement too-long 0 長谷川田 太郎
judgement empty-given-name 0 山田 ''
judgement control-character 0 $'山\x01' 太郎
judgement outside-code-page 0 山田 $'\u00e9'
judgement typed-complement 0 １山 太１

# --- naming index: the real-name index, FF FE, the kanji index ---------------------------------
t=fuzz_naming_index
naming=../assets/naming
{ grep -a -F -e "$(printf 'はると,' | cp932)" -e "$(printf 'あんな,' | cp932)" "$naming/名前読み.txt"
  printf '\xff\xfe'
  head -n 1 "$naming/漢字読み.txt"
  grep -a -F -e "$(printf 'と,' | cp932)" -e "$(printf 'はる,' | cp932)" "$naming/漢字読み.txt"; } \
    | seed $t shipped-slices
# index KANJI-INDEX-TEXT: stdin's real-name index text, FF FE, then the kanji index text.
index() { crlf | cp932; printf '\xff\xfe'; printf '%b' "$1" | crlf | cp932; }
printf 'はると,陽翔,m,3\nあんな,杏奈,f,9\nはると,晴人,g,2\n' | index '名前数,100\nはる,陽,n,20\nと,翔,n,9\n' \
    | seed $t unsorted
printf 'はると,陽翔,m,3\n' | index '名前数,0\n' | seed $t no-names-counted
text $t names-only-truncated 'はると,陽翔,m,3\nはると,晴'
