#!/bin/bash
# qbay reads and writes files as the document does: byte for byte where the rules say so.
#   files_test.sh PATH-TO-QBAY
source "$(dirname "$0")/lib.sh" "$1"

# same NAME FILE-A FILE-B
same() { cmp -s "$2" "$3" || fail "$1: $(od -c "$2" | head -3) vs $(od -c "$3" | head -3)"; }
# status NAME EXPECTED COMMAND...
status() {
    local name=$1 expected=$2; shift 2
    "$@" > "$work/stdout" 2> "$work/stderr"
    local got=$?
    [ "$got" = "$expected" ] || fail "$name: exit status $got, expected $expected ($(cat "$work/stderr"))"
}

# CR LF files come back unchanged, also with a 100,000-byte line and Shift-JIS bytes.
printf 'a\r\n\r\n\x83\x5c\x82\xa0\r\n' > "$work/crlf.txt"
head -c 100000 /dev/zero | tr '\0' 'x' >> "$work/crlf.txt"
printf '\r\nlast\r\n' >> "$work/crlf.txt"
status "crlf round trip" 0 "$qbay" "$work/crlf.txt" -o "$work/out.txt"
same "crlf round trip" "$work/crlf.txt" "$work/out.txt"

# LF files keep LF unless --eol or System/CrLf say otherwise.
printf 'a\nb\n' > "$work/lf.txt"
printf 'a\r\nb\r\n' > "$work/lf-as-crlf.txt"
status "lf kept" 0 "$qbay" "$work/lf.txt" -o "$work/out.txt"
same "lf kept" "$work/lf.txt" "$work/out.txt"
status "lf to crlf" 0 "$qbay" --eol crlf "$work/lf.txt" -o "$work/out.txt"
same "lf to crlf" "$work/lf-as-crlf.txt" "$work/out.txt"
status "crlf to lf" 0 "$qbay" --set System/CrLf=2 "$work/lf-as-crlf.txt" -o "$work/out.txt"
same "crlf to lf" "$work/lf.txt" "$work/out.txt"
if [ -e "$QUILLBAY_SETTINGS" ] && grep -q CrLf "$QUILLBAY_SETTINGS"; then
    fail "--set was written to the settings file"
fi

# A file without a final line end stays so, unless --eol names a line end; an empty file stays
# empty.
printf 'a\r\nb' > "$work/open.txt"
printf 'a\r\nb\r\n' > "$work/closed.txt"
status "no final line end" 0 "$qbay" "$work/open.txt" -o "$work/out.txt"
same "no final line end" "$work/open.txt" "$work/out.txt"
status "final line end" 0 "$qbay" --eol crlf "$work/open.txt" -o "$work/out.txt"
same "final line end" "$work/closed.txt" "$work/out.txt"
: > "$work/empty.txt"
status "empty" 0 "$qbay" "$work/empty.txt" -o "$work/out.txt"
same "empty" "$work/empty.txt" "$work/out.txt"

# Ctrl-Z ends the text, with a warning when something followed it (exit status unchanged).
printf 'a\r\n\x1arest\r\n' > "$work/ctrlz.txt"
printf 'a\r\n' > "$work/ctrlz-expected.txt"
status "ctrl-z" 0 "$qbay" "$work/ctrlz.txt" -o "$work/out.txt"
same "ctrl-z" "$work/ctrlz-expected.txt" "$work/out.txt"
grep -q "Ctrl-Z" "$work/stderr" || fail "ctrl-z: no warning"

# -i never writes back text cut short by a Ctrl-Z: the bytes after it would be lost. That holds
# for a run block by block and a run over the whole document alike; other files still go.
for step in ToUpper Sort1; do
    cp "$work/ctrlz.txt" "$work/ctrlz-i.txt"
    cp "$work/lf.txt" "$work/plain-i.txt"
    status "ctrl-z -i $step" 1 "$qbay" -e "$step" -i "$work/ctrlz-i.txt" "$work/plain-i.txt"
    same "ctrl-z -i $step" "$work/ctrlz.txt" "$work/ctrlz-i.txt"
    grep -q "Ctrl-Z" "$work/stderr" || fail "ctrl-z -i $step: no message"
    printf 'A\nB\n' > "$work/plain-expected.txt"
    [ $step = Sort1 ] && printf 'a\nb\n' > "$work/plain-expected.txt"
    same "ctrl-z -i $step, the other file" "$work/plain-expected.txt" "$work/plain-i.txt"
done
# The same for a file that the macro opens and changes.
cp "$work/ctrlz.txt" "$work/ctrlz-open.txt"
status "ctrl-z -i, opened" 1 "$qbay" -e "Open $work/ctrlz-open.txt" -e ToUpper -i "$work/plain-i.txt"
same "ctrl-z -i, opened" "$work/ctrlz.txt" "$work/ctrlz-open.txt"
ls -a "$work" | grep -q qbtmp && fail "ctrl-z -i: a temporary file was left"

# - reads standard input and writes standard output; no -o also writes standard output.
"$qbay" - -o - < "$work/crlf.txt" > "$work/out.txt" || fail "stdin to stdout: status $?"
same "stdin to stdout" "$work/crlf.txt" "$work/out.txt"
"$qbay" "$work/crlf.txt" > "$work/out.txt" || fail "default stdout: status $?"
same "default stdout" "$work/crlf.txt" "$work/out.txt"
"$qbay" "$work/lf.txt" "$work/open.txt" -o - > "$work/out.txt" || fail "two files to stdout"
printf 'a\nb\na\r\nb' > "$work/both.txt"
same "two files to stdout" "$work/both.txt" "$work/out.txt"

# -i rewrites every file in place with the line ends it had (a missing last one too) and keeps
# its permissions; --eol says otherwise for the run, as --set System/CrLf does.
cp "$work/lf.txt" "$work/i1.txt"; cp "$work/open.txt" "$work/i2.txt"; chmod 640 "$work/i1.txt"
status "in place" 0 "$qbay" -i -e ToUpper "$work/i1.txt" "$work/i2.txt"
same "in place 1" <(printf 'A\nB\n') "$work/i1.txt"
same "in place 2" <(printf 'A\r\nB') "$work/i2.txt"
status "in place, --eol crlf" 0 "$qbay" -i --eol crlf "$work/i1.txt" "$work/i2.txt"
same "in place, --eol crlf" <(printf 'A\r\nB\r\n') "$work/i1.txt"
same "in place, --eol crlf 2" <(printf 'A\r\nB\r\n') "$work/i2.txt"
status "in place, --set System/CrLf=2" 0 "$qbay" -i --set System/CrLf=2 "$work/i1.txt"
same "in place, --set System/CrLf=2" <(printf 'A\nB\n') "$work/i1.txt"
[ "$(stat -c %a "$work/i1.txt")" = 640 ] || fail "in place: permissions changed"

# Failures: a message, status 1, nothing lost; the other files are still processed.
status "missing file" 1 env LC_ALL=ja_JP.UTF-8 "$qbay" "$work/missing.txt" -o "$work/out.txt"
grep -q "missing.txt: ファイルが見つかりません" "$work/stderr" || fail "missing file: $(cat "$work/stderr")"
[ "$(wc -l < "$work/stderr")" = 1 ] || fail "missing file: more than one message"
mkdir "$work/folder"
status "folder as input" 1 "$qbay" "$work/folder" -o "$work/out.txt"
[ "$(cat "$work/stderr")" = "qbay: $work/folder: cannot open the file (Is a directory)" ] ||
    fail "folder as input: $(cat "$work/stderr")"
status "folder opened by a macro" 1 "$qbay" -e "Open $work/folder"
[ "$(cat "$work/stderr")" = "qbay: cannot open the file: $work/folder (Is a directory)" ] ||
    fail "folder opened by a macro: $(cat "$work/stderr")"
cp "$work/lf.txt" "$work/ok.txt"
status "missing among others" 1 "$qbay" -i "$work/missing.txt" "$work/ok.txt"
same "missing among others" "$work/lf.txt" "$work/ok.txt"
status "unwritable output" 1 "$qbay" "$work/lf.txt" -o "$work/no/such/dir/out.txt"
grep -q "cannot write the file" "$work/stderr" || fail "unwritable output: $(cat "$work/stderr")"
status "folder as input" 1 "$qbay" "$work" -o "$work/out.txt"

# Usage errors: status 2 and a hint.
# Without FILE, standard input is read when it is not a terminal (a terminal would be a usage
# error, "no input files").
"$qbay" --eol lf -e ToUpper < "$work/lf.txt" > "$work/out.txt" || fail "stdin without FILE"
same "stdin without FILE" <(printf 'A\nB\n') "$work/out.txt"
status "unknown option" 2 "$qbay" --frobnicate x
grep -q "qbay --help" "$work/stderr" || fail "usage error without a hint"
status "-o with two files" 2 "$qbay" "$work/lf.txt" "$work/open.txt" -o "$work/out.txt"
status "-i with stdin" 2 "$qbay" -i -
# -i with standard input taken by default, not named: the same usage error, not a run that reads
# the text, writes it nowhere and reports success.
status "-i with stdin by default" 2 "$qbay" -i -e ZenToHan < "$work/lf.txt"
grep -q "cannot save standard input in place" "$work/stderr" ||
    fail "-i with stdin by default: $(cat "$work/stderr")"
[ -s "$work/stdout" ] && fail "-i with stdin by default: wrote $(cat "$work/stdout")"
# A macro that opens its own files leaves standard input alone: -i saves what it changed.
cp "$work/lf.txt" "$work/opened-i.txt"
status "-i, the macro opens the file" 0 "$qbay" -i -e "Open $work/opened-i.txt" -e ToUpper < /dev/null
same "-i, the macro opens the file" <(printf 'A\nB\n') "$work/opened-i.txt"
status "bad --set" 2 "$qbay" --set nonsense "$work/lf.txt"
status "help" 0 "$qbay" --help
grep -q "Usage: qbay" "$work/stdout" || fail "--help prints no usage"
status "version" 0 "$qbay" --version

# A read-only file is not rewritten in place, block by block or whole; a device is written to.
for step in ToUpper Sort1; do
    printf 'ro\r\nb\r\n' > ro.txt && chmod 444 ro.txt
    status "read-only -i $step" 1 "$qbay" -e "$step" -i ro.txt
    [ "$(cat ro.txt)" = $'ro\r\nb\r' ] || fail "read-only -i $step: the file was rewritten"
    grep -q "read-only" "$work/stderr" || fail "read-only -i $step: $(cat "$work/stderr")"
    rm -f ro.txt
done
status "-o /dev/null" 0 "$qbay" "$work/lf.txt" -o /dev/null

# A file size limit (ulimit -f) is an error like any other: a message, status 1, the output
# as it was and no temporary file; the same for a kill in mid-save.
# Shift-JIS text (あ), which is decided at once and so written as it is read.
yes "$(printf '\x82\xa0%.0s' {1..49})" | head -n 30000 > big.txt
for step in ToUpper Sort1; do
    printf 'old\r\n' > kept.txt
    status "ulimit -f $step" 1 bash -c 'ulimit -f 1000; "$0" -e "$1" big.txt -o kept.txt' \
        "$qbay" "$step"
    grep -q "File too large" "$work/stderr" || fail "ulimit -f $step: $(cat "$work/stderr")"
    [ "$(cat kept.txt)" = $'old\r' ] || fail "ulimit -f $step: the output was changed"
done
ls -a | grep -q qbtmp && fail "ulimit -f: a temporary file was left"
mkfifo slow.fifo
for sig in TERM HUP KILL; do
    printf 'old\r\n' > kept.txt
    { cat big.txt big.txt; exec sleep 60; } > slow.fifo &
    feeder=$!
    "$qbay" -e ToUpper slow.fifo -o kept.txt 2> /dev/null &
    pid=$!
    sleep 2  # the first blocks are written by now, and the run waits for more
    kill -s $sig $pid
    wait $pid 2> /dev/null
    kill $feeder 2> /dev/null
    wait $feeder 2> /dev/null
    ls -a | grep -q qbtmp && fail "SIG$sig in mid-save left a temporary file"
    [ "$(cat kept.txt)" = $'old\r' ] || fail "SIG$sig in mid-save changed the output"
    rm -f .*qbtmp*
done
# An output that is not a file (a device, /dev/stdout, a FIFO) is written where it is.
printf 'abc\r\n' > "$work/abc.txt"
status "-o /dev/null" 0 "$qbay" -e ToUpper "$work/abc.txt" -o /dev/null
status "-o /dev/stdout" 0 "$qbay" -e ToUpper "$work/abc.txt" -o /dev/stdout
[ "$(cat "$work/stdout")" = $'ABC\r' ] || fail "-o /dev/stdout: $(od -c "$work/stdout")"
mkfifo "$work/fifo"
timeout 10 cat "$work/fifo" > "$work/from-fifo.txt" &
status "-o FIFO" 0 timeout 10 "$qbay" -e ToUpper "$work/abc.txt" -o "$work/fifo"
wait
[ "$(cat "$work/from-fifo.txt")" = $'ABC\r' ] || fail "-o FIFO: $(od -c "$work/from-fifo.txt")"

# -i over many files runs several at once; every file, every message and its order, and the
# exit status are those of one file after another. Among the files: ones that lose a character
# (an emoji in UTF-8 written as Shift-JIS), a missing one, a folder, a Ctrl-Z, and empty ones.
mkdir -p "$work/one" "$work/four"
for i in $(seq 1 40); do
    case $((i % 8)) in
        0) printf 'ｶﾀｶﾅ %d\xf0\x9f\x98\x80\n' "$i" ;;   # UTF-8 with an emoji
        1) : ;;                                          # empty
        2) printf 'ABC %d\r\n\x1a tail\r\n' "$i" ;;      # Ctrl-Z: not written back
        *) printf '\x82\xa0 %d \xb6\xc0\r\n' "$i" ;;     # Shift-JIS
    esac > "$work/one/f$i.txt"
done
mkdir "$work/one/f13.txt.d"
cp -r "$work/one/." "$work/four/"
names=$(cd "$work/one" && echo f*.txt missing.txt f13.txt.d)
(cd "$work/one" && "$qbay" -i -j 1 --to sjis -e HanToZen $names > /dev/null 2> "$work/one.err")
one=$?
(cd "$work/four" && "$qbay" -i -j 4 --to sjis -e HanToZen $names > /dev/null 2> "$work/four.err")
four=$?
[ "$one/$four" = 1/1 ] || fail "-i -j 4: exit status $four, -j 1 $one"
cmp -s "$work/one.err" "$work/four.err" || fail "-i -j 4: the messages differ: $(diff "$work/one.err" "$work/four.err" | head -5)"
diff -r "$work/one" "$work/four" > /dev/null || fail "-i -j 4: the files differ from -j 1's"
grep -q "missing.txt" "$work/one.err" || fail "-i -j 1: no message for the missing file"

# Running out of memory stops the run with a message and leaves the output as it was.
if [ -z "${QB_SANITIZED:-}" ]; then
    printf 'abc\r\n' > "$work/small.txt"
    printf 'old\r\n' > "$work/kept.txt"
    status "out of memory" 1 bash -c 'ulimit -v 600000; "$0" -e "IndentChange 900000000" \
        "$1" -o "$2"' "$qbay" "$work/small.txt" "$work/kept.txt"
    grep -q "out of memory" "$work/stderr" || fail "out of memory: no message ($(cat "$work/stderr"))"
    [ "$(cat "$work/kept.txt")" = $'old\r' ] || fail "out of memory: the output was changed"
    ls -a "$work" | grep -q qbtmp && fail "out of memory: a temporary file was left"
    # Several files at once: the worker's failure stops the run as one file's would.
    mkdir "$work/oom" && for n in 1 2 3; do printf 'abc\r\n' > "$work/oom/$n.txt"; done
    status "out of memory, -i -j 2" 1 bash -c 'ulimit -v 600000; "$0" -j 2 -i \
        -e "IndentChange 900000000" "$1"/1.txt "$1"/2.txt "$1"/3.txt' "$qbay" "$work/oom"
    grep -q "out of memory" "$work/stderr" || fail "out of memory, -j 2: no message"
    [ "$(cat "$work"/oom/*.txt)" = $'abc\r\nabc\r\nabc\r' ] || fail "out of memory, -j 2: a file changed"
    ls -a "$work/oom" | grep -q qbtmp && fail "out of memory, -j 2: a temporary file was left"
fi

finish "checks"
