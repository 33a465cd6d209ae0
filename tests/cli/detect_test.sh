#!/bin/bash
# qbay --detect names the code and line ends of each file, one "FILE: FORM" line each, as opening
# finds them, and writes nothing; --from takes every name it prints.
#   detect_test.sh PATH-TO-QBAY
source "$(dirname "$0")/lib.sh" "$1"

# detect NAME EXPECTED-KIND FILE: one file, one line
detect() {
    local out
    out=$("$qbay" --detect "$3" 2> "$work/stderr")
    local status=$?
    [ "$status" = 0 ] || fail "$1: exit status $status ($(cat "$work/stderr"))"
    [ "$out" = "$3: $2" ] || fail "$1: printed '$out', expected '$3: $2'"
}

printf 'plain ascii\r\n' > "$work/ascii.txt"
printf '\x82\xa0\x82\xa2\r\n' > "$work/sjis.txt"                 # あい
printf 'a\r\n\x1b$B$"\x1b(B\r\n' > "$work/jis.txt"                # あ in JIS
printf '\xa4\xa2\xa4\xf3\r\n' > "$work/euc.txt"                  # あん in EUC-JP
printf '\xe3\x81\x82\r\n' > "$work/utf8.txt"                      # あ in UTF-8
printf '\xa4\xa2\r\n' > "$work/unknown.txt"                       # EUC or Shift-JIS
printf '\xe3\x81' > "$work/cut.txt"                               # UTF-8 cut short
printf '\xff\xfeB0\x0d\x00\x0a\x00' > "$work/utf16le.txt"             # 亜 in UTF-16 with its mark
printf '\xfe\xff0B\x00\x0d\x00\x0a' > "$work/utf16be.txt"
: > "$work/empty.txt"
detect "ascii" "ASCII (CRLF)" "$work/ascii.txt"
detect "shift-jis" "Shift-JIS (CRLF)" "$work/sjis.txt"
detect "jis" "JIS (CRLF)" "$work/jis.txt"
detect "euc" "EUC-JP (CRLF)" "$work/euc.txt"
detect "utf-8" "UTF-8 (CRLF)" "$work/utf8.txt"
detect "undecided, taken as Shift-JIS as opening takes it" "Shift-JIS (CRLF)" "$work/unknown.txt"
detect "cut utf-8" "Shift-JIS" "$work/cut.txt"
detect "empty" "ASCII" "$work/empty.txt"
detect "utf-16 little-endian" "UTF-16LE (CRLF)" "$work/utf16le.txt"
detect "utf-16 big-endian" "UTF-16BE (CRLF)" "$work/utf16be.txt"

# Line ends: LF, CR alone, and a mixed file by its most common kind; UTF-8 with its mark.
printf 'a\nb\r\nc\n' > "$work/mixed.txt"
printf '\xe3\x81\x82\rb\r' > "$work/mac.txt"
printf '\xef\xbb\xbfa\n' > "$work/bom.txt"
detect "mixed line ends" "ASCII (LF)" "$work/mixed.txt"
detect "CR line ends" "UTF-8 (CR)" "$work/mac.txt"
detect "utf-8 with its mark" "UTF-8 BOM (LF)" "$work/bom.txt"

# --from takes each name --detect prints, as printed.
for f in sjis jis euc utf8 utf16le utf16be mac bom; do
    name=$("$qbay" --detect "$work/$f.txt" | sed 's/^[^:]*: //')
    "$qbay" --from "$name" "$work/$f.txt" -o "$work/from.out" 2> "$work/err" ||
        fail "--from '$name': $(cat "$work/err")"
    cmp -s "$work/$f.txt" "$work/from.out" || fail "--from '$name' did not give $f.txt back"
done

# The setting that converts JIS and EUC on opening changes nothing here.
out=$("$qbay" --set System/Auto=1 --detect "$work/jis.txt")
[ "$out" = "$work/jis.txt: JIS (CRLF)" ] || fail "System/Auto: printed '$out'"

# A long UTF-8 file is read to its end: the last line decides that it is not UTF-8.
for _ in $(seq 20000); do printf '\xe3\x81\x82\xe3\x81\x84 text\r\n'; done > "$work/long.txt"
cp "$work/long.txt" "$work/long-bad.txt"
printf '\x82\xa0\r\n' >> "$work/long-bad.txt"
detect "long utf-8" "UTF-8 (CRLF)" "$work/long.txt"
detect "long, Shift-JIS at the end" "Shift-JIS (CRLF)" "$work/long-bad.txt"

# Several files, standard input among them, in order; a missing file is reported on standard
# error, the others are still printed, and the status is 1.
"$qbay" --detect "$work/sjis.txt" - "$work/missing.txt" "$work/euc.txt" < "$work/jis.txt" \
    > "$work/out" 2> "$work/err"
status=$?
printf '%s\n' "$work/sjis.txt: Shift-JIS (CRLF)" "-: JIS (CRLF)" "$work/euc.txt: EUC-JP (CRLF)" \
    > "$work/expected"
cmp -s "$work/out" "$work/expected" || fail "several files: $(cat "$work/out")"
[ "$status" = 1 ] || fail "missing file: exit status $status"
grep -q "missing.txt" "$work/err" || fail "missing file not reported: $(cat "$work/err")"
# A folder is reported once, for what it is.
"$qbay" --detect "$work" > /dev/null 2> "$work/err" && fail "a folder is no file"
[ "$(cat "$work/err")" = "qbay: $work: cannot open the file (Is a directory)" ] ||
    fail "a folder: $(cat "$work/err")"

# Something that may never end (a device, a pipe, a named pipe nobody writes to) is judged by
# its start, as opening judges it: no wait, no endless reading.
mkfifo "$work/nobody.fifo"
for input in /dev/zero "$work/nobody.fifo"; do
    timeout 10 "$qbay" --detect "$input" > "$work/out" 2> "$work/err"
    status=$?
    [ $status = 0 ] || fail "--detect $input: exit status $status ($(cat "$work/err"))"
    [ "$(cat "$work/out")" = "$input: ASCII" ] || fail "--detect $input: $(cat "$work/out")"
done
out=$(timeout 10 bash -c 'yes | "$0" --detect -' "$qbay")
[ "$out" = "-: ASCII (LF)" ] || fail "yes | qbay --detect -: '$out'"

# --detect only reads: it refuses options that convert or write.
"$qbay" --detect -o "$work/x" "$work/jis.txt" > /dev/null 2> "$work/err"
[ $? = 2 ] || fail "--detect with -o: not a usage error"
[ -e "$work/x" ] && fail "--detect with -o wrote a file"
"$qbay" --help | grep -q -- "--detect" || fail "--help does not describe --detect"

finish "checks"
