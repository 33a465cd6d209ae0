#!/bin/bash
# qbay --detect names the character code of each file, one "FILE: KIND" line each, reading the
# files as they are (no conversion on opening) and writing nothing.
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
detect "ascii" ASCII "$work/ascii.txt"
detect "shift-jis" ShiftJIS "$work/sjis.txt"
detect "jis" JIS "$work/jis.txt"
detect "euc" EUC "$work/euc.txt"
detect "utf-8" UTF8 "$work/utf8.txt"
detect "undecided" Unknown "$work/unknown.txt"
detect "cut utf-8" ShiftJIS "$work/cut.txt"
detect "empty" ASCII "$work/empty.txt"
detect "utf-16 little-endian" UTF16LE "$work/utf16le.txt"
detect "utf-16 big-endian" UTF16BE "$work/utf16be.txt"

# The setting that converts JIS and EUC on opening changes nothing here.
out=$("$qbay" --set System/Auto=1 --detect "$work/jis.txt")
[ "$out" = "$work/jis.txt: JIS" ] || fail "System/Auto: printed '$out'"

# A long UTF-8 file is read to its end: the last line decides that it is not UTF-8.
for _ in $(seq 20000); do printf '\xe3\x81\x82\xe3\x81\x84 text\r\n'; done > "$work/long.txt"
cp "$work/long.txt" "$work/long-bad.txt"
printf '\x82\xa0\r\n' >> "$work/long-bad.txt"
detect "long utf-8" UTF8 "$work/long.txt"
detect "long, Shift-JIS at the end" ShiftJIS "$work/long-bad.txt"

# Several files, standard input among them, in order; a missing file is reported on standard
# error, the others are still printed, and the status is 1.
"$qbay" --detect "$work/sjis.txt" - "$work/missing.txt" "$work/euc.txt" < "$work/jis.txt" \
    > "$work/out" 2> "$work/err"
status=$?
printf '%s\n' "$work/sjis.txt: ShiftJIS" "-: JIS" "$work/euc.txt: EUC" > "$work/expected"
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
[ "$out" = "-: ASCII" ] || fail "yes | qbay --detect -: '$out'"

# --detect only reads: it refuses options that convert or write.
"$qbay" --detect -o "$work/x" "$work/jis.txt" > /dev/null 2> "$work/err"
[ $? = 2 ] || fail "--detect with -o: not a usage error"
[ -e "$work/x" ] && fail "--detect with -o wrote a file"
"$qbay" --help | grep -q -- "--detect" || fail "--help does not describe --detect"

finish "checks"
