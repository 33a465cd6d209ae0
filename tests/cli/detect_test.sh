#!/bin/bash
# qbay --detect names the character code of each file, one "FILE: KIND" line each, reading the
# files as they are (no conversion on opening) and writing nothing.
#   detect_test.sh PATH-TO-QBAY
set -u
qbay=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export QUILLBAY_SETTINGS=$dir/settings.ini
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# detect NAME EXPECTED-KIND FILE: one file, one line
detect() {
    local out
    out=$("$qbay" --detect "$3" 2> "$dir/stderr")
    local status=$?
    [ "$status" = 0 ] || fail "$1: exit status $status ($(cat "$dir/stderr"))"
    [ "$out" = "$3: $2" ] || fail "$1: printed '$out', expected '$3: $2'"
}

printf 'plain ascii\r\n' > "$dir/ascii.txt"
printf '\x82\xa0\x82\xa2\r\n' > "$dir/sjis.txt"                 # あい
printf 'a\r\n\x1b$B$"\x1b(B\r\n' > "$dir/jis.txt"                # あ in JIS
printf '\xa4\xa2\xa4\xf3\r\n' > "$dir/euc.txt"                  # あん in EUC-JP
printf '\xe3\x81\x82\r\n' > "$dir/utf8.txt"                      # あ in UTF-8
printf '\xa4\xa2\r\n' > "$dir/unknown.txt"                       # EUC or Shift-JIS
printf '\xe3\x81' > "$dir/cut.txt"                               # UTF-8 cut short
: > "$dir/empty.txt"
detect "ascii" ASCII "$dir/ascii.txt"
detect "shift-jis" ShiftJIS "$dir/sjis.txt"
detect "jis" JIS "$dir/jis.txt"
detect "euc" EUC "$dir/euc.txt"
detect "utf-8" UTF8 "$dir/utf8.txt"
detect "undecided" Unknown "$dir/unknown.txt"
detect "cut utf-8" ShiftJIS "$dir/cut.txt"
detect "empty" ASCII "$dir/empty.txt"

# The setting that converts JIS and EUC on opening changes nothing here.
out=$("$qbay" --set System/Auto=1 --detect "$dir/jis.txt")
[ "$out" = "$dir/jis.txt: JIS" ] || fail "System/Auto: printed '$out'"

# A long UTF-8 file is read to its end: the last line decides that it is not UTF-8.
for _ in $(seq 20000); do printf '\xe3\x81\x82\xe3\x81\x84 text\r\n'; done > "$dir/long.txt"
cp "$dir/long.txt" "$dir/long-bad.txt"
printf '\x82\xa0\r\n' >> "$dir/long-bad.txt"
detect "long utf-8" UTF8 "$dir/long.txt"
detect "long, Shift-JIS at the end" ShiftJIS "$dir/long-bad.txt"

# Several files, standard input among them, in order; a missing file is reported on standard
# error, the others are still printed, and the status is 1.
"$qbay" --detect "$dir/sjis.txt" - "$dir/missing.txt" "$dir/euc.txt" < "$dir/jis.txt" \
    > "$dir/out" 2> "$dir/err"
status=$?
printf '%s\n' "$dir/sjis.txt: ShiftJIS" "-: JIS" "$dir/euc.txt: EUC" > "$dir/expected"
cmp -s "$dir/out" "$dir/expected" || fail "several files: $(cat "$dir/out")"
[ "$status" = 1 ] || fail "missing file: exit status $status"
grep -q "missing.txt" "$dir/err" || fail "missing file not reported: $(cat "$dir/err")"
"$qbay" --detect "$dir" > /dev/null 2>&1 && fail "a folder is no file"

# --detect only reads: it refuses options that convert or write.
"$qbay" --detect -o "$dir/x" "$dir/jis.txt" > /dev/null 2> "$dir/err"
[ $? = 2 ] || fail "--detect with -o: not a usage error"
[ -e "$dir/x" ] && fail "--detect with -o wrote a file"
"$qbay" --help | grep -q -- "--detect" || fail "--help does not describe --detect"

[ "$failures" = 0 ] && echo "all passed"
exit $((failures > 0))
