#!/bin/bash
# qbay reads and writes files as the document does: byte for byte where the rules say so.
#   files_test.sh PATH-TO-QBAY
set -u
qbay=$1
dir=$(mktemp -d)
trap 'chmod -R u+w "$dir"; rm -rf "$dir"' EXIT
export QUILLBAY_SETTINGS=$dir/settings.ini
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# same NAME FILE-A FILE-B
same() { cmp -s "$2" "$3" || fail "$1: $(od -c "$2" | head -3) vs $(od -c "$3" | head -3)"; }
# status NAME EXPECTED COMMAND...
status() {
    local name=$1 expected=$2; shift 2
    "$@" > "$dir/stdout" 2> "$dir/stderr"
    local got=$?
    [ "$got" = "$expected" ] || fail "$name: exit status $got, expected $expected ($(cat "$dir/stderr"))"
}

# CR LF files come back unchanged, also with a 100,000-byte line and Shift-JIS bytes.
printf 'a\r\n\r\n\x83\x5c\x82\xa0\r\n' > "$dir/crlf.txt"
head -c 100000 /dev/zero | tr '\0' 'x' >> "$dir/crlf.txt"
printf '\r\nlast\r\n' >> "$dir/crlf.txt"
status "crlf round trip" 0 "$qbay" "$dir/crlf.txt" -o "$dir/out.txt"
same "crlf round trip" "$dir/crlf.txt" "$dir/out.txt"

# LF files are written with the terminator of System/CrLf: CR LF by default, LF with 2.
printf 'a\nb\n' > "$dir/lf.txt"
printf 'a\r\nb\r\n' > "$dir/lf-as-crlf.txt"
status "lf to crlf" 0 "$qbay" "$dir/lf.txt" -o "$dir/out.txt"
same "lf to crlf" "$dir/lf-as-crlf.txt" "$dir/out.txt"
status "lf kept" 0 "$qbay" --set System/CrLf=2 "$dir/lf.txt" -o "$dir/out.txt"
same "lf kept" "$dir/lf.txt" "$dir/out.txt"
if [ -e "$QUILLBAY_SETTINGS" ] && grep -q CrLf "$QUILLBAY_SETTINGS"; then
    fail "--set was written to the settings file"
fi

# A file without a final line end gets one; an empty file stays empty.
printf 'a\r\nb' > "$dir/open.txt"
printf 'a\r\nb\r\n' > "$dir/closed.txt"
status "final line end" 0 "$qbay" "$dir/open.txt" -o "$dir/out.txt"
same "final line end" "$dir/closed.txt" "$dir/out.txt"
: > "$dir/empty.txt"
status "empty" 0 "$qbay" "$dir/empty.txt" -o "$dir/out.txt"
same "empty" "$dir/empty.txt" "$dir/out.txt"

# Ctrl-Z ends the text, with a warning when something followed it (exit status unchanged).
printf 'a\r\n\x1arest\r\n' > "$dir/ctrlz.txt"
printf 'a\r\n' > "$dir/ctrlz-expected.txt"
status "ctrl-z" 0 "$qbay" "$dir/ctrlz.txt" -o "$dir/out.txt"
same "ctrl-z" "$dir/ctrlz-expected.txt" "$dir/out.txt"
grep -q "Ctrl-Z" "$dir/stderr" || fail "ctrl-z: no warning"

# - reads standard input and writes standard output; no -o also writes standard output.
"$qbay" - -o - < "$dir/crlf.txt" > "$dir/out.txt" || fail "stdin to stdout: status $?"
same "stdin to stdout" "$dir/crlf.txt" "$dir/out.txt"
"$qbay" "$dir/crlf.txt" > "$dir/out.txt" || fail "default stdout: status $?"
same "default stdout" "$dir/crlf.txt" "$dir/out.txt"
"$qbay" "$dir/lf.txt" "$dir/open.txt" -o - > "$dir/out.txt" || fail "two files to stdout"
printf 'a\r\nb\r\na\r\nb\r\n' > "$dir/both.txt"
same "two files to stdout" "$dir/both.txt" "$dir/out.txt"

# -i rewrites every file in place and keeps its permissions.
cp "$dir/lf.txt" "$dir/i1.txt"; cp "$dir/open.txt" "$dir/i2.txt"; chmod 640 "$dir/i1.txt"
status "in place" 0 "$qbay" -i "$dir/i1.txt" "$dir/i2.txt"
same "in place 1" "$dir/lf-as-crlf.txt" "$dir/i1.txt"
same "in place 2" "$dir/closed.txt" "$dir/i2.txt"
[ "$(stat -c %a "$dir/i1.txt")" = 640 ] || fail "in place: permissions changed"

# Failures: a message, status 1, nothing lost; the other files are still processed.
status "missing file" 1 "$qbay" "$dir/missing.txt" -o "$dir/out.txt"
grep -q "missing.txt: ファイルが見つかりません" "$dir/stderr" || fail "missing file: $(cat "$dir/stderr")"
cp "$dir/lf.txt" "$dir/ok.txt"
status "missing among others" 1 "$qbay" -i "$dir/missing.txt" "$dir/ok.txt"
same "missing among others" "$dir/lf-as-crlf.txt" "$dir/ok.txt"
status "unwritable output" 1 "$qbay" "$dir/lf.txt" -o "$dir/no/such/dir/out.txt"
grep -q "ファイルに書き込めません" "$dir/stderr" || fail "unwritable output: $(cat "$dir/stderr")"
status "folder as input" 1 "$qbay" "$dir" -o "$dir/out.txt"

# Usage errors: status 2 and a hint.
status "no files" 2 "$qbay"
status "unknown option" 2 "$qbay" --frobnicate x
grep -q "qbay --help" "$dir/stderr" || fail "usage error without a hint"
status "-o with two files" 2 "$qbay" "$dir/lf.txt" "$dir/open.txt" -o "$dir/out.txt"
status "-i with stdin" 2 "$qbay" -i -
status "bad --set" 2 "$qbay" --set nonsense "$dir/lf.txt"
status "help" 0 "$qbay" --help
grep -q "Usage: qbay" "$dir/stdout" || fail "--help prints no usage"
status "version" 0 "$qbay" --version

[ "$failures" = 0 ] && echo "all passed"
exit $((failures > 0))
