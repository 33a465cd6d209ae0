#!/bin/bash
# A run that shows an error writes nothing for its file; a result that would not read back as
# it was written is not written without --lossy; every write to standard output is checked.
#   tests/cli/failures_test.sh PATH-TO-QBAY
source "$(dirname "$0")/lib.sh" "$1"

# run NAME EXPECTED-STATUS ARGS...: runs qbay (scratch settings), stderr in err.txt.
run() {
    local name=$1 expected=$2; shift 2
    q "$@" > out.txt 2> err.txt
    local got=$?
    [ "$got" = "$expected" ] || fail "$name: exit status $got, expected $expected ($(cat err.txt))"
}
# unchanged NAME FILE BYTES: FILE still holds exactly BYTES (a printf format).
unchanged() { cmp -s "$2" <(printf "$3") || fail "$1: $2 was changed: $(od -c "$2" | head -3)"; }

# The error stops the run for that file: neither -i nor -o writes a half-applied result, nor
# does a later Save; with several files the others are still written.
printf 'b\r\naaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab\r\n' > limit.txt
printf 'b\r\n' > other.txt
run "match limit -i" 1 -i -e 'Replace (a|aa)+c|b X 0 1' limit.txt other.txt
unchanged "match limit -i" limit.txt 'b\r\naaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab\r\n'
unchanged "match limit -i, the other file" other.txt 'X\r\n'
printf 'line\r\n' > m.txt
run "malformed pattern -o" 1 -e ToUpper -e 'Replace [ x 0 1' -e 'StrCat Z' -e 'Save saved.txt' \
    m.txt -o result.txt
[ -e result.txt ] && fail "malformed pattern -o: result.txt was written"
[ -e saved.txt ] && fail "malformed pattern: the Save after the error ran"
printf 'z\r\n' > z.txt
printf 'y\r\n' > y.txt
printf 'Utf8ToSjis\r\nZenToHan\r\nTurnChange\r\n' > missing.qmc  # -e would refuse it at once
run "missing argument -i" 1 -m missing.qmc -i z.txt
unchanged "missing argument -i" z.txt 'z\r\n'
printf 'StrCat !\r\nReplace [ x 0 1\r\n' > bad.qmc
run "error in a macro file, two files" 1 -m bad.qmc -i z.txt
unchanged "error in a macro file" z.txt 'z\r\n'
run "Open of a missing file" 1 -e 'Open missing-file.txt' -e 'StrCat !' -i y.txt
unchanged "Open of a missing file" y.txt 'y\r\n'

# A target-line pattern the engine cannot test stops the run once, before any line changes.
printf 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab\r\nkeep\r\n' > sel.txt
for pattern in '(a|aa)+c|b' '('; do
    run "target pattern $pattern" 1 -e "LineSelect 1 $pattern 1 2 1" -e Notsel -e LineDelete \
        -i sel.txt
    unchanged "target pattern $pattern" sel.txt 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab\r\nkeep\r\n'
    [ "$(grep -vc warning err.txt)" = 1 ] || fail "target pattern $pattern: not one message: $(cat err.txt)"
done

# Files that opening cannot give back byte for byte are not written over themselves: zero
# bytes (UTF-16 text, binary files), as text cut short by Ctrl-Z.
for step in ToUpper Sort1; do
    printf '\x00\x00\x0d\x0a' > binary.txt   # a zero unit: no UTF-16 text
    run "zero bytes -i $step" 1 -e $step -i binary.txt
    unchanged "zero bytes -i $step" binary.txt '\x00\x00\x0d\x0a'
    grep -q 'zero bytes' err.txt || fail "zero bytes -i $step: $(cat err.txt)"
    # UTF-16 without its mark is text, and goes back as it was.
    printf '\x00\x0d\x00\x0a' > utf16.txt
    run "UTF-16 without a mark -i $step" 0 -e $step -i utf16.txt
    unchanged "UTF-16 without a mark -i $step" utf16.txt '\x00\x0d\x00\x0a'
done
run "zero bytes -o" 0 binary.txt -o copy.txt
grep -q 'zero bytes' err.txt || fail "zero bytes -o: no warning"

# A line holding a Ctrl-Z or a trailing CR would not read back as the same text: not written
# without --lossy, block by block or whole; a CR inside a line reads back and goes. An LF a
# command put into a line is a line break, and UTF-16 bytes that hold LF bytes are meant as bytes:
# both are written.
printf '\x8f\xe3\r\n' > up.txt   # 上 is U+4E0A: its UTF-16 form holds an LF byte
for lead in "" "-e TextAll"; do
    # shellcheck disable=SC2086
    run "LF byte in UTF-16 $lead" 0 $lead -e MbcsToUnicode up.txt -o utf16.txt
    unchanged "LF byte in UTF-16 $lead" utf16.txt '\xff\xfe\x0a\x4e\r\n'
done
run "line break put in by StrCat" 0 -e 'StrCat X\nY' up.txt -o broken.txt
unchanged "line break put in by StrCat" broken.txt '\x8f\xe3X\r\nY\r\n'
for text in 'a\x1ab' 'a\r'; do
    run "$text in a line" 1 -e "LineEdit 0 $(printf "$text")" up.txt -o - 
    [ -s out.txt ] && fail "$text in a line: written to standard output"
done
grep -q 'CtlMToCRLF' err.txt || fail "a CR at a line's end: no word of CtlMToCRLF: $(cat err.txt)"
run "a CR at a line's end, --lossy" 0 --lossy -e "LineEdit 0 $(printf 'a\r')" up.txt -o lossy.txt
# A lead byte without its second byte: Shift-JIS writes it back as it was read (nothing is lost);
# a code that has no form for it says so by name, and -i is refused without --lossy.
printf 'ab\x82\r\ncd\r\n' > lone.txt
cp lone.txt lone-i.txt
run "lone lead byte, Shift-JIS -i" 0 -i -e ToUpper lone-i.txt
unchanged "lone lead byte, Shift-JIS -i" lone-i.txt 'AB\x82\r\nCD\r\n'
for code in utf8 utf16 jis euc; do
    cp lone.txt lone-$code.txt
    run "lone lead byte, -i --to $code" 1 -i --to $code lone-$code.txt
    unchanged "lone lead byte, -i --to $code" lone-$code.txt 'ab\x82\r\ncd\r\n'
    grep -q 'lone-'$code'.txt:1:3: lost: lead byte 82 without its second byte' err.txt ||
        fail "lone lead byte, --to $code: $(cat err.txt)"
    grep -q 'not written back' err.txt || fail "lone lead byte, --to $code: not refused"
done
printf 'a\rb\r\n' > cr.txt
run "CR inside a line" 0 cr.txt -o same.txt
cmp -s cr.txt same.txt || fail "CR inside a line: not written back the same"
run "Save of a line with Ctrl-Z" 1 -e "LineEdit 0 $(printf 'a\x1a')" -e 'Save s.txt' up.txt -o /dev/null
[ -e s.txt ] && fail "Save wrote a line holding Ctrl-Z"

# --record keeps the lines that ran, not the one that failed.
run "record a failed line" 1 --record r.qmc -e 'StrCat 1' -e 'Replace [ x 0 1' up.txt -o o.txt
unchanged "record a failed line" r.qmc 'StrCat 1\r\n'

# Opening a file that is already open with unsaved changes says so instead of losing them.
printf 'f\r\n' > f.txt
run "open twice" 1 -i f.txt -e 'StrCat Y' -e 'Open f.txt' -e 'StrCat X'
unchanged "open twice" f.txt 'f\r\n'
grep -q 'already open' err.txt || fail "open twice: $(cat err.txt)"

# A zero byte in a macro line does not cut its message short.
run "zero byte in a message" 1 -m <(printf 'DeletePos \x00tail\r\n') f.txt -o /dev/null
grep -q 'tail' err.txt || fail "zero byte in a message: $(od -c err.txt | head -3)"

# Writing to standard output is checked: a full device, a closed descriptor.
printf 'a\r\n' > a.txt
# to_stdout ARGS...: runs qbay with its output to /dev/full and then closed; status 1 both times.
to_stdout() {
    q "$@" > /dev/full 2> err.txt
    local full=$?
    q "$@" >&- 2> err.txt
    local closed=$?
    [ $full = 1 ] && [ $closed = 1 ] || fail "$*: exit status $full to /dev/full, $closed closed"
}
to_stdout a.txt
to_stdout -e Sort1 a.txt
to_stdout --help
to_stdout --version
to_stdout --detect a.txt
to_stdout --dry-run -e 'MultiFileReplace . *.none a b'

finish "failure checks"
