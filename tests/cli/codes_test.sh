#!/bin/bash
# qbay reads and writes other codes (--from, --to), keeps a file's code and line ends with -i,
# takes --eol, shows UTF-8 on a UTF-8 terminal, and tells of every character a conversion loses.
#   codes_test.sh PATH-TO-QBAY
source "$(dirname "$0")/lib.sh" "$1"

# bytes FILE EXPECTED-PRINTF-FORMAT WHAT
bytes() { cmp -s "$1" <(printf "$2") || fail "$3: $(od -An -tx1 "$1" | tr -s ' ')"; }
# run EXPECTED-STATUS WHAT QBAY-ARGS...
run() {
    local expected=$1 what=$2; shift 2
    q "$@" > out.txt 2> err.txt
    local got=$?
    [ "$got" = "$expected" ] || fail "$what: exit status $got, not $expected ($(cat err.txt))"
}

printf '\x88\x9f\x82\xa0A\r\nb\r\n' > sjis.txt     # 亜あA, b
# --to writes each code; the document in between stays Shift-JIS.
run 0 "--to utf8" --to utf8 --eol lf sjis.txt -o out.u8
bytes out.u8 '\xe4\xba\x9c\xe3\x81\x82A\nb\n' "--to utf8"
run 0 "--to jis" --to jis sjis.txt -o out.jis
bytes out.jis '\x1b$B0!$"\x1b(BA\r\nb\r\n' "--to jis"
run 0 "--to euc" --to euc sjis.txt -o out.euc
bytes out.euc '\xb0\xa1\xa4\xa2A\r\nb\r\n' "--to euc"
run 0 "--to utf16" --to utf16 --eol lf sjis.txt -o out.u16
bytes out.u16 '\xff\xfe\x9c\x4e\x42\x30A\x00\n\x00b\x00\n\x00' "--to utf16"
# --from reads them back, and so does the default, which finds each code.
for code in utf8:out.u8 jis:out.jis euc:out.euc utf16:out.u16 auto:out.u8 auto:out.u16; do
    run 0 "--from ${code%%:*}" --from "${code%%:*}" --to sjis --eol crlf "${code#*:}" -o back.txt
    cmp -s back.txt sjis.txt || fail "--from ${code%%:*}: $(od -An -tx1 back.txt)"
done
# From one code to another, and a pipeline through standard input.
run 0 "--from euc --to utf8" --from euc --to utf8 --eol keep out.euc -o out2.u8
bytes out2.u8 '\xe4\xba\x9c\xe3\x81\x82A\r\nb\r\n' "--from euc --to utf8"
q --from utf8 --to euc < out.u8 > piped.euc 2> err.txt || fail "pipeline: $(cat err.txt)"
bytes piped.euc '\xb0\xa1\xa4\xa2A\nb\n' "pipeline"
q < out.u8 | q -e DelSpaceBack | cmp -s - out.u8 || fail "a UTF-8 pipe does not stay UTF-8"

# -i writes each file back in its own code and line ends: JIS and EUC found on opening, the
# codes --from names (with a UTF-8 byte-order mark kept), UTF-16 big-endian.
printf '\x1b$B0!\x1b(Ba\nb' > in.jis                         # LF, no line end at the end
printf '\xa4\xa2\xa4\xf3a\r\n' > in.euc
printf '\xef\xbb\xbf\xe3\x81\x82a\n' > in.u8
printf '\xfe\xff\x30\x42\x00a\x00\r\x00\n' > in.u16
run 0 "-i, JIS and EUC" -i -e ToUpper in.jis in.euc
bytes in.jis '\x1b$B0!\x1b(BA\nB' "-i keeps JIS"
bytes in.euc '\xa4\xa2\xa4\xf3A\r\n' "-i keeps EUC"
run 0 "-i --from utf8" -i --from utf8 -e ToUpper in.u8
bytes in.u8 '\xef\xbb\xbf\xe3\x81\x82A\n' "-i keeps UTF-8 and its mark"
run 0 "-i --from utf16" -i --from utf16 -e ToUpper in.u16
bytes in.u16 '\xfe\xff\x30\x42\x00A\x00\r\x00\n' "-i keeps UTF-16 big-endian"
# Lines that end in a bare CR, the last one too: written back in UTF-16 as in Shift-JIS, not
# refused for a CR that would end the one line.
printf '\xff\xfea\x00\r\x00b\x00\r\x00' > cr.u16
printf 'a\rb\r' > cr.sjis
run 0 "-i UTF-16 with CR line ends" -i --from utf16 -e ToUpper cr.u16
bytes cr.u16 '\xff\xfeA\x00\r\x00B\x00\r\x00' "-i keeps UTF-16 CR line ends"
run 0 "-i Shift-JIS with CR line ends" -i -e ToUpper cr.sjis
bytes cr.sjis 'A\rB\r' "-i keeps Shift-JIS CR line ends"
run 0 "-i --to --eol" -i --to utf8 --eol crlf in.jis
bytes in.jis '\xe4\xba\x9cA\r\nB\r\n' "-i --to utf8 --eol crlf"
# A run that changes nothing leaves a file of mixed line ends as it is (writing would give every
# line the same end), whole or with a step that could run block by block.
for step in TextAll DelSpaceBack 'Replace zz yy 0 0'; do
    printf 'a\r\nb\nc\r\n' > mixed.txt
    run 0 "-i $step, mixed line ends" -i -e "$step" mixed.txt
    bytes mixed.txt 'a\r\nb\nc\r\n' "-i $step rewrote mixed line ends"
done

# A JIS file keeps its own escapes (ESC $ @, ESC ( J, ESC ( I), which the settings would change.
printf 'a\\~\n\x1b$@0!\x1b(Jb\\~\n\x1b(I1\x1b(Jc\n' > old.jis
cp old.jis old2.jis
run 0 "-i keeps JIS escapes" -i -e DelSpaceBack old2.jis
cmp -s old.jis old2.jis || fail "-i rewrote JIS escapes: $(od -An -c old2.jis)"
# An IBM extension kanji goes out to JIS and EUC-JP as its NEC twin, which reads back as other
# bytes: told as a loss, as any other change.
printf '\xfa\x8d\r\n' > ibm.txt
for code in jis euc; do
    run 1 "IBM kanji --to $code" --to $code ibm.txt -o ibm.out
    grep -q "ibm.txt:1:1: lost: " err.txt || fail "IBM kanji --to $code: $(cat err.txt)"
done

# -o keeps the file's form unless the options or "System"/"CrLf" say otherwise.
printf 'a\nb' > lf.txt
run 0 "-o" lf.txt -o out.txt
bytes out.txt 'a\nb' "-o keeps LF"
run 0 "-o System/CrLf=0" --set System/CrLf=0 lf.txt -o out.txt
bytes out.txt 'a\nb' "-o System/CrLf=0 keeps LF"
run 0 "-o System/CrLf=1" --set System/CrLf=1 lf.txt -o out.txt
bytes out.txt 'a\rb\r' "-o System/CrLf=1 writes CR"
run 0 "-o --eol keep" --eol keep lf.txt -o out.txt
bytes out.txt 'a\nb' "-o --eol keep"
run 0 "-o --eol cr" --eol cr lf.txt -o out.txt
bytes out.txt 'a\rb\r' "-o --eol cr"
run 2 "--to auto" --to auto lf.txt
run 2 "--from latin1" --from latin1 lf.txt
run 2 "--eol unix" --eol unix lf.txt

# Every character a conversion cannot carry is reported with its place; with -i the file is
# not written back unless --lossy says so. Exit status 1 either way.
printf '\xa4\xa2\xa4\xf3\r\na\x8f\xab\xb1z\r\n' > x0212.euc     # あん, aéz with é in JIS X 0212
cp x0212.euc lost.euc
run 1 "JIS X 0212" -i -e ToUpper lost.euc
grep -q "^qbay: lost.euc:2:2: lost: bytes 8F AB B1 (JIS X 0212) (no form in Shift-JIS)$" err.txt ||
    fail "JIS X 0212 not reported: $(cat err.txt)"
grep -q "lost.euc: not written back" err.txt || fail "JIS X 0212: -i wrote"
cmp -s lost.euc x0212.euc || fail "JIS X 0212: the file changed"
run 1 "JIS X 0212 --lossy" --lossy -i -e ToUpper lost.euc
cmp -s lost.euc x0212.euc && fail "JIS X 0212 --lossy: not written"
printf 'a\r\n' > plain.txt
cp plain.txt plain2.txt
run 1 "a -e line" -i -e 'StrCat 😀' plain.txt plain2.txt
grep -q "^qbay: -e 'StrCat 😀': lost: 😀 (U+1F600) (no form in Shift-JIS)$" err.txt ||
    fail "a -e line: $(cat err.txt)"
cmp -s plain.txt <(printf 'a\r\n') || fail "a -e line: -i wrote"
printf 'a\xeb\x81\r\n' > undefined.txt
for steps in "" "-e ToUpper" "-e Sort1"; do   # written as a whole, block by block, as a whole
    # shellcheck disable=SC2086
    run 1 "--to utf8 $steps" --to utf8 $steps undefined.txt -o out.u8
    grep -q "^qbay: undefined.txt:1:2: lost: bytes EB 81 (no form in UTF-8)$" err.txt ||
        fail "--to utf8 $steps: $(cat err.txt)"
    # shellcheck disable=SC2086
    run 1 "-i --to utf8 $steps" -i --to utf8 $steps undefined.txt
    cmp -s undefined.txt <(printf 'a\xeb\x81\r\n') || fail "-i --to utf8 $steps wrote"
done
run 1 "SjisToUtf8 block by block" -e SjisToUtf8 undefined.txt -o out.txt
grep -q "^qbay: undefined.txt:1:2: lost: bytes EB 81 (no form in Unicode)$" err.txt ||
    fail "SjisToUtf8: $(cat err.txt)"
# A few places, then a count.
for _ in 1 2 3 4 5; do printf '\xeb\x81'; done > many.txt
run 1 "many" --to utf8 many.txt -o out.u8
[ "$(grep -c ': lost: ' err.txt)" = 3 ] || fail "many: $(cat err.txt)"
grep -q "^qbay: many.txt: 2 more characters were lost$" err.txt || fail "many: $(cat err.txt)"
# What writing loses was named after the file written (/dev/null:1:2), and a character lost on
# reading was reported again, with other bytes, when what stood in for it was written. Each is
# named after the file read and its line, once.
for steps in "" "-e ToUpper" "-e Sort1"; do
    # shellcheck disable=SC2086
    run 1 "loss named by the input $steps" --to utf8 $steps undefined.txt -o /dev/null
    [ "$(cat err.txt)" = "qbay: undefined.txt:1:2: lost: bytes EB 81 (no form in UTF-8)" ] ||
        fail "loss named by the input $steps: $(cat err.txt)"
    for to in utf8 utf16; do
        # shellcheck disable=SC2086
        run 1 "JIS X 0212 --to $to $steps" --from euc --to $to $steps x0212.euc -o /dev/null
        [ "$(cat err.txt)" = \
            "qbay: x0212.euc:2:2: lost: bytes 8F AB B1 (JIS X 0212) (no form in Shift-JIS)" ] ||
            fail "JIS X 0212 --to $to $steps, reported once: $(cat err.txt)"
    done
done

# UTF-8 is found and written back as UTF-8, also what Shift-JIS lacks; an old macro that
# converts it itself does not garble it, and says why it did nothing.
printf '\xe3\x81\x82\xe2\x80\x94\xf0\x9f\x98\x80\r\n' > utf8.txt       # あ, EM DASH, an emoji
run 0 "UTF-8 found" utf8.txt -o out.txt
cmp -s out.txt utf8.txt || fail "UTF-8 found: $(od -An -tx1 out.txt)"
run 0 "Utf8ToSjis after finding UTF-8" -e Utf8ToSjis utf8.txt -o out.txt
cmp -s out.txt utf8.txt || fail "Utf8ToSjis garbled UTF-8: $(od -An -tx1 out.txt)"
grep -q "UTF-8" err.txt || fail "Utf8ToSjis skipped without a word"
run 0 "--from sjis reads UTF-8 as bytes" --from sjis -e ZenToHan utf8.txt -o out.txt

# A UTF-8 terminal is shown UTF-8 with LF; a pipe gets the bytes the options say.
if command -v script > /dev/null; then
    # As a whole, block by block, and made UTF-8 by the macro itself (shown as it is).
    for steps in "" "-e DelSpaceBack" "-e SjisToUtf8"; do
        shown=$(script -qec "env LC_ALL=C.UTF-8 $qbay --settings $work/settings.ini $steps \
            sjis.txt" /dev/null | od -An -c | tr -s ' ')
        [ "$shown" = " 344 272 234 343 201 202 A \r \n b \r \n" ] ||
            fail "UTF-8 terminal ($steps): $shown"   # the terminal turns each LF into CR LF
    done
fi
q sjis.txt | cmp -s - sjis.txt || fail "a pipe gets Shift-JIS"

finish "code checks"
