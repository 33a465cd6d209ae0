#!/bin/bash
# End-to-end checks of qbay's macro lines: -e and -m in order, several files, -i, the
# workspace (Open, Save, Close, Paste), --record and replay, encodings of macro text.
#   tests/cli/macro_test.sh PATH-TO-QBAY
source "$(dirname "$0")/lib.sh" "$1"

# expect_bytes FILE EXPECTED-PRINTF-FORMAT
expect_bytes() {
    local want
    want=$(printf "$2" | od -An -tx1)
    [ "$(od -An -tx1 < "$1")" = "$want" ] || fail "$1 holds $(od -An -c < "$1" | tr -s ' '), not $2"
}
expect_status() {
    local want=$1 got=$2 what=$3
    [ "$got" = "$want" ] || fail "$what: exit status $got, not $want"
}

# -e lines run in order on FILE; -o writes the result.
printf 'one\r\ntwo\r\n' > in.txt
q -e 'LineEdit 0 first' -e 'InsertEndLine last\sline' -e 'lineedit 1 x' in.txt -o out.txt
expect_status 0 $? "-e lines"
expect_bytes out.txt 'first\r\nx\r\nlast line\r\n'
expect_bytes in.txt 'one\r\ntwo\r\n'

# The operations: replace (here ignoring width), then fold.
printf 'abcdefgh\r\n\x82\x60\x82\x61\x82\x62 z\r\n' > w.txt   # the second line is ＡＢＣ z
q -e 'Replace ABC\sz x 1 0' -e 'TurnChange 4' w.txt -o w.out
expect_status 0 $? "Replace and TurnChange"
expect_bytes w.out 'abcd\r\nefgh\r\nx\r\n'

# -m runs a macro file; with -i over several files each is rewritten, each from its own text.
printf 'InsertEndLine end\r\nLineSelect 1 \\b 1 1 0\r\nLineEdit 0 top\n' > script.qmc
printf 'a\r\n' > a.txt
printf 'b\nbb\n' > b.txt
q -m script.qmc a.txt b.txt -i
expect_status 0 $? "-m over two files"
expect_bytes a.txt 'top\r\nend\r\n'
expect_bytes b.txt 'top\nbb\nend\n'      # -i keeps each file's line ends

# -e and -m in the order given.
printf 'x\r\n' > c.txt
q -e 'InsertEndLine 1' -m script.qmc -e 'InsertEndLine 2' c.txt -o -  > c.out
expect_bytes c.out 'top\r\n1\r\nend\r\n2\r\n'

# A recorded run replays to the same result, with -m as in the desktop program.
printf 'alpha\r\nbeta\r\ngamma\r\n' > r.txt
q --record rec.qmc -e 'LineSelect 2 a 1 3 0' -e 'Notsel' -e 'LineEdit 2 with\s\stwo\sspaces' \
  -e 'TextAll' -e 'InsertLine 0 \\s\\\\' r.txt -o direct.txt
expect_status 0 $? "--record"
expect_bytes rec.qmc 'LineSelect 2 a 1 3 0\r\nNotsel\r\nLineEdit 2 with\\s\\stwo\\sspaces\r\nTextAll\r\nInsertLine 0 \\\\s\\\\\\\\\r\n'
q -m rec.qmc r.txt -o replayed.txt
cmp -s direct.txt replayed.txt || fail "the recorded macro replays differently"

# The same with operations, recorded and replayed.
printf 'one two three four five\r\nsix seven\r\n' > ops.txt
q --record ops.qmc -e 'Replace o\sT 0_T 2 0' -e 'TurnChange 8' -e 'StrCat \s!' -e 'Sort2' ops.txt \
  -o ops-direct.txt
expect_status 0 $? "--record with operations"
q -m ops.qmc ops.txt -o ops-replayed.txt
cmp -s ops-direct.txt ops-replayed.txt || fail "the recorded operations replay differently"

# Open, Save and Close: the documents record their own lines; paths keep their spaces.
printf 'first\r\n' > 'with space.txt'
q --record files.qmc -e 'Open with space.txt' -e 'InsertEndLine more' -e 'Save saved copy.txt' \
  -e 'Close' -o -  > /dev/null 2> err.txt
expect_status 0 $? "Open, Save, Close"
grep -q 'no document is open at the end' err.txt || fail "no warning when nothing is left to write"
expect_bytes 'saved copy.txt' 'first\r\nmore\r\n'
expect_bytes files.qmc 'Open with space.txt\r\nInsertEndLine more\r\nSave saved copy.txt\r\nClose\r\n'

# Without a document a command stops the run; without FILE the lines still run.
# Messages are Japanese under a Japanese locale, English under any other.
env LC_ALL=ja_JP.UTF-8 "$qbay" -e 'Close' -e 'Paste' 2> err.txt < /dev/null
expect_status 1 $? "no document"
grep -q '文書が存在しません' err.txt || fail "no document: $(cat err.txt)"
env LANG=ja_JP.UTF-8 LC_ALL= "$qbay" -e 'Close' -e 'Paste' 2> err.txt < /dev/null
grep -q '文書が存在しません' err.txt || fail "no document under LANG: $(cat err.txt)"
q -e 'Close' -e 'Paste' 2> err.txt < /dev/null
grep -q '^qbay: no document is open$' err.txt || fail "no document in English: $(cat err.txt)"

# Paste takes standard input as the clipboard; Copy replaces it.
printf 'p1\np2\n' | q -e Paste -e 'InsertEndLine p3' -o - > paste.out
expect_bytes paste.out 'p1\r\np2\r\np3\r\n'
# Standard input read as the clipboard is cut short by a Ctrl-Z, as any text: never silently.
printf 'p1\n\x1ap2\n' | q -e Paste -o - > paste.out 2> err.txt
expect_bytes paste.out 'p1\r\n'
grep -q 'standard input: .*Ctrl-Z' err.txt || fail "Paste: no Ctrl-Z warning: $(cat err.txt)"

# -e lines are UTF-8 and reach the document as Shift-JIS; so do UTF-8 macro files, while a
# Shift-JIS macro file (as Quillbay records them) is read as it is.
printf 'x\r\n' > j.txt
q -e 'LineEdit 0 表' j.txt -o - > j.out
expect_bytes j.out '\x95\x5c\r\n'
printf 'LineEdit 0 表\r\n' > utf8.qmc
printf 'LineEdit 0 \x95\x5c\r\n' > sjis.qmc
q -m utf8.qmc j.txt -o - > j1.out
q -m sjis.qmc j.txt -o - > j2.out
expect_bytes j1.out '\x95\x5c\r\n'
expect_bytes j2.out '\x95\x5c\r\n'

# A macro file is read once, so it may be a pipe; with several FILEs each gets it whole. A
# device or a named pipe nobody writes to neither hangs the run nor fills the memory.
printf 'abc\r\n' > m1.txt
cp m1.txt m2.txt
q -m <(printf 'ToUpper\r\n') m1.txt m2.txt -o - > m.out 2> err.txt
expect_status 0 $? "-m from a pipe"
expect_bytes m.out 'ABC\r\nABC\r\n'
q -m /dev/stdin m1.txt -o - < <(printf 'StrCat !\r\n') > m.out 2> err.txt
expect_status 0 $? "-m /dev/stdin"
expect_bytes m.out 'abc!\r\n'
timeout 10 "$qbay" -m /dev/zero m1.txt -o m.out 2> err.txt
expect_status 1 $? "-m /dev/zero"
grep -q 'not a regular file or a pipe' err.txt || fail "-m /dev/zero: $(cat err.txt)"
mkfifo nobody.fifo
timeout 10 "$qbay" -m nobody.fifo m1.txt -o - > m.out 2> err.txt
expect_status 0 $? "-m from a named pipe nobody writes to"
expect_bytes m.out 'abc\r\n'

# Usage errors: an unknown command name on the command line.
q -e 'ZenToHn' in.txt 2> err.txt
expect_status 2 $? "unknown -e command"
grep -q "ZenToHn" err.txt || fail "unknown -e command: $(cat err.txt)"

# A macro file naming no command: a warning, the other lines run.
printf 'NoSuchThing\r\nInsertEndLine y\r\n' > warn.qmc
q -m warn.qmc j.txt -o - > w.out 2> err.txt
expect_status 0 $? "unknown line in a macro file"
grep -q 'warn.qmc:1' err.txt || fail "no warning for the unknown line: $(cat err.txt)"
expect_bytes w.out 'x\r\ny\r\n'

# A macro file that cannot be read, or a recording that cannot be made: nothing is touched.
printf 'keep\r\n' > keep.txt
q -m missing.qmc keep.txt -i 2> err.txt
expect_status 1 $? "missing macro file"
q --record no/such/dir/r.qmc -e 'InsertEndLine z' keep.txt -i 2> err.txt
expect_status 1 $? "recording into a missing folder"
grep -q 'cannot create the macro file' err.txt || fail "recording failure: $(cat err.txt)"
expect_bytes keep.txt 'keep\r\n'

# A recording never goes over a file the run reads or writes: the macro file being run, an
# input file, or the output (also under another name for the same file).
printf 'ToUpper\r\n' > self.qmc
printf 'abc\r\n' > self.txt
ln -s self.txt self-link.txt
for clash in "--record self.qmc -m self.qmc self.txt" "--record self.txt -e ToUpper self.txt" \
    "--record self-link.txt -e ToUpper self.txt -o -" \
    "--record self-out.txt -e ToUpper self.txt -o self-out.txt"; do
    # shellcheck disable=SC2086
    q $clash > /dev/null 2> err.txt
    expect_status 1 $? "$clash"
    grep -q -- '--record' err.txt || fail "$clash: no message: $(cat err.txt)"
done
expect_bytes self.qmc 'ToUpper\r\n'
expect_bytes self.txt 'abc\r\n'
[ -e self-out.txt ] && fail "a clashing --record still wrote self-out.txt"

# A missing number that would destroy text: in a macro file the line runs nothing and says so,
# and the run stops there and writes nothing;
# on the command line it is a usage error, as are a word where a number belongs and a token
# beyond the arguments. A macro file keeps the language's reading of them, with a warning.
printf 'LineEdit\r\n' > lineedit.qmc
q -m lineedit.qmc keep.txt -o - > k.out 2> err.txt
expect_status 1 $? "missing argument"
expect_bytes k.out ''
for line in LineEdit 'TurnChange abc' 'StrCat a b'; do
    q -e "$line" keep.txt -o - > k.out 2> err.txt
    expect_status 2 $? "-e '$line'"
    [ -s k.out ] && fail "-e '$line' wrote $(cat k.out)"
done
grep -q "^qbay: -e 'StrCat a b': 'b' is one argument too many" err.txt || fail "StrCat a b: $(cat err.txt)"
printf 'TurnChange 2x\r\n' > turn.qmc
q -m turn.qmc keep.txt -o - > k.out 2> err.txt
expect_status 0 $? "-m TurnChange 2x"
expect_bytes k.out 'ke\r\nep\r\n'
grep -q "turn.qmc:1: WIDTH must be a number, not '2x'" err.txt || fail "-m TurnChange 2x: $(cat err.txt)"

# A -m line naming no command does nothing, with a warning naming the nearest command; a line
# beginning with # is a comment. --strict refuses the file before anything runs.
printf 'ToUpper\r\n# lower case next\r\nZenToHn\r\n' > notes.qmc
q -m notes.qmc keep.txt -o - > k.out 2> err.txt
expect_status 0 $? "-m with a note"
expect_bytes k.out 'KEEP\r\n'
grep -q "notes.qmc:3: no macro command is named 'ZenToHn' (did you mean ZenToHan?)" err.txt ||
    fail "-m unknown line: $(cat err.txt)"
grep -q 'notes.qmc:2' err.txt && fail "a # line was warned about"
cp keep.txt strict.txt
q --strict -m notes.qmc -i strict.txt > k.out 2> err.txt
expect_status 2 $? "--strict"
grep -q "notes.qmc:3: no macro command" err.txt || fail "--strict: $(cat err.txt)"
expect_bytes strict.txt 'keep\r\n'

# --list shows the commands by topic, --help CMD one command; a name that is no command gets
# the nearest ones.
q --list | grep -q '^  TurnChange WIDTH' || fail "--list does not list TurnChange WIDTH"
[ "$(q --list wrap | grep -c '^  [A-Z]')" = 3 ] || fail "--list wrap: $(q --list wrap)"
q --list no-such-word > /dev/null 2>&1
expect_status 1 $? "--list matching nothing"
q --help turnchange | grep -q 'Print/KinsokuFirst' || fail "--help TurnChange names no settings"
q --help SjisToUtf > /dev/null 2> err.txt
expect_status 2 $? "--help of no command"
grep -q 'did you mean SjisToUtf8?' err.txt || fail "--help SjisToUtf: $(cat err.txt)"
# Replace tells how many replacements it made, on standard error only, once for the whole text
# whether the text runs block by block (Replace alone) or whole (with Sort1); the multi-file
# replace has its report instead.
awk 'BEGIN { for (i = 0; i < 300000; i++) printf "aXbX %d\r\n", i }' > many.txt
for lead in "" "-e Sort1"; do
    # shellcheck disable=SC2086
    q $lead -e 'Replace X Y' -e 'Replace nothing-here Z' many.txt -o - > many.out 2> err.txt
    expect_status 0 $? "Replace count $lead"
    [ "$(cat err.txt)" = "$(printf 'qbay: many.txt: 600000 replacements made\nqbay: many.txt: 0 replacements made')" ] ||
        fail "Replace count $lead: $(cat err.txt)"
    grep -q 'replacement' many.out && fail "Replace count $lead: told on standard output"
done

q -e ZenToHn keep.txt 2> err.txt
expect_status 2 $? "-e naming no command"
grep -q 'did you mean ZenToHan?' err.txt || fail "-e ZenToHn: $(cat err.txt)"

finish "macro checks"
