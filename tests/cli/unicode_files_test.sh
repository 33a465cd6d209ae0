#!/bin/bash
# UTF-8 and UTF-16 files go through qbay byte for byte: characters Shift-JIS lacks (emoji, the
# dash and tilde family, 𠮷, combining marks) survive every command, each file keeps its own code
# and line ends, and one command turns a folder of mixed codes into one code.
#   unicode_files_test.sh PATH-TO-QBAY
source "$(dirname "$0")/lib.sh" "$1"

command -v iconv > /dev/null || { echo "iconv missing: skipped"; exit 0; }

# Text no Shift-JIS file could hold, next to text any could: a wide line to wrap, half-width
# kana, an em dash, a wave dash, ‖ − ¢ £ ¬, an emoji, a character beyond the BMP, a combining
# mark and a variation selector.
text=$'あいうえおかきくけこさしすせそたちつてとなにぬねの — 〜 ‖ − ¢ £ ¬ 😀 𠮷 が 葛󠄀\nｶﾀｶﾅ ＡＢＣ end'
# make NAME FORM EOL: the text in FORM (iconv's name, "UTF-8-BOM" for UTF-8 with its mark), each
# line ended by EOL and LF
make() {
    local body
    body=$(printf '%s\n' "$text" | sed "s/\$/$3/")
    case $2 in
        UTF-8-BOM) { printf '\xef\xbb\xbf'; printf '%s\n' "$body"; } > "$1" ;;
        *) printf '%s\n' "$body" | iconv -f UTF-8 -t "$2" > "$1" ;;
    esac
}
forms=("UTF-8::utf8" "UTF-8:\r:utf8crlf" "UTF-8-BOM::utf8bom" "UTF-16:\r:utf16" "UTF-16BE::u16be"
       "UTF-16LE:\r:u16le")

# A run that changes nothing gives the same bytes, written back, to a file and to a pipe.
for entry in "${forms[@]}"; do
    IFS=: read -r form eol name <<< "$entry"
    make "$name.txt" "$form" "$eol"
    cp "$name.txt" "$name.orig"
    q -i -e DelSpaceBack "$name.txt" 2> err.txt || fail "$name -i: $(cat err.txt)"
    cmp -s "$name.txt" "$name.orig" || fail "$name -i changed the bytes: $(cmp "$name.txt" "$name.orig")"
    q -e 'TurnChange 200' < "$name.orig" > piped.txt 2> err.txt || fail "$name pipe: $(cat err.txt)"
    cmp -s piped.txt "$name.orig" || fail "$name through a pipe changed the bytes"
done

# Commands work on the text and keep what they do not touch: wrapped and made half-width, the
# UTF-8 result holds every injected character and equals the same commands run on UTF-8 alone.
make wide.txt UTF-8 ""
q -e 'TurnChange 40' -e ZenToHan wide.txt -o wrapped.txt 2> err.txt || fail "wrap: $(cat err.txt)"
for c in — 〜 ‖ − ¢ £ ¬ 😀 𠮷 葛󠄀; do
    grep -q "$c" wrapped.txt || fail "wrap lost $c"
done
[ "$(wc -l < wrapped.txt)" -gt 2 ] || fail "TurnChange 40 did not wrap: $(cat wrapped.txt)"
grep -q 'ABC' wrapped.txt || fail "ZenToHan did not run"
make wide16.txt UTF-16 ""
q -e 'TurnChange 40' -e ZenToHan --to utf8 wide16.txt -o wrapped16.txt 2> err.txt
cmp -s wrapped16.txt wrapped.txt || fail "UTF-16 gave another result than UTF-8"

# A UTF-8 file larger than a block runs block by block with the same result as whole: every
# character Shift-JIS lacks kept, the mark and the line ends as they were.
for i in $(seq 30000); do printf 'ＡＢＣ %d 😀 — 〜 𠮷 ｶﾅ\r\n' "$i"; done > big.txt
{ printf '\xef\xbb\xbf'; cat big.txt; } > bigbom.txt
for f in big bigbom; do
    q -e ZenToHan "$f.txt" -o streamed.txt 2> err.txt || fail "$f streamed: $(cat err.txt)"
    q -e TextAll -e ZenToHan "$f.txt" -o whole.txt 2> err.txt || fail "$f whole: $(cat err.txt)"
    cmp -s streamed.txt whole.txt || fail "$f: block by block differs from whole"
    grep -c '😀 — 〜 𠮷' streamed.txt | grep -qx 30000 || fail "$f: characters lost"
done
head -c 4 streamed.txt | cmp -s - <(printf '\xef\xbb\xbfA') || fail "the byte-order mark was not kept"
# And into EUC-JP, what it lacks told the same way block by block as whole.
q --to euc -e ZenToHan big.txt -o streamed.txt 2> err1.txt
q --to euc -e TextAll -e ZenToHan big.txt -o whole.txt 2> err2.txt
cmp -s streamed.txt whole.txt && cmp -s err1.txt err2.txt || fail "--to euc block by block differs"
grep -q "big.txt: 119997 more characters were lost" err1.txt || fail "--to euc: $(tail -1 err1.txt)"

# --from utf8 looks at the start only, and still keeps a last line without its line end.
printf 'b\xf0\x9f\x98\x80\na' > open.txt
for steps in "-e Sort1" "-e ZenToHan"; do
    # shellcheck disable=SC2086
    q --from utf8 $steps open.txt -o out.txt 2> err.txt || fail "--from utf8 $steps: $(cat err.txt)"
    [ "$(tail -c 1 out.txt | od -An -c | tr -d ' ')" != '\n' ] || fail "--from utf8 $steps ended the last line"
done

# One command for a folder of mixed codes: each is found and written as UTF-8 with LF.
mkdir mixed
line='日本語のテキストです。'
printf '%s\r\n' "$line" | iconv -f UTF-8 -t CP932 > mixed/sjis.txt
printf '%s\r\n' "$line" | iconv -f UTF-8 -t EUC-JP > mixed/euc.txt
printf '%s\r\n' "$line" | iconv -f UTF-8 -t ISO-2022-JP > mixed/jis.txt
printf '%s\r' "$line" > mixed/mac.txt
printf '%s\r\n' "$line" | iconv -f UTF-8 -t UTF-16 > mixed/u16.txt
printf '😀\r\n' > mixed/u8.txt
q -i --to utf8 --eol lf mixed/* 2> err.txt || fail "mixed folder: $(cat err.txt)"
for f in sjis euc jis mac u16; do
    cmp -s "mixed/$f.txt" <(printf '%s\n' "$line") || fail "mixed $f: $(od -An -c "mixed/$f.txt")"
done
cmp -s mixed/u8.txt <(printf '😀\n') || fail "mixed u8: $(od -An -tx1 mixed/u8.txt)"

# A CR-only file reads as lines, and what --eol cr writes reads back.
printf 'b\ra\r' > mac.txt
q -e Sort1 mac.txt -o sorted.txt 2> err.txt || fail "CR lines: $(cat err.txt)"
cmp -s sorted.txt <(printf 'a\rb\r') || fail "CR lines sorted: $(od -An -c sorted.txt)"
printf 'x\ny\n' > lf.txt
q --eol cr lf.txt -o cr.txt && q -e ToUpper cr.txt -o back.txt 2> err.txt ||
    fail "--eol cr does not read back: $(cat err.txt)"
cmp -s back.txt <(printf 'X\rY\r') || fail "--eol cr read back: $(od -An -c back.txt)"

# Shift-JIS or EUC-JP output of what they lack is reported, not written silently.
printf '😀\n' > emoji.txt
q --to sjis emoji.txt -o out.sjis 2> err.txt && fail "--to sjis lost emoji with exit 0"
grep -q "U+1F600" err.txt || fail "--to sjis: emoji loss not named: $(cat err.txt)"

finish "UTF-8 and UTF-16 checks"
