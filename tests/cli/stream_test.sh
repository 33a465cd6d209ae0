#!/bin/bash
# qbay runs line-by-line conversions over a file block by block, several blocks at once with -j.
# The result must be byte for byte what running them over the whole document gives, whatever
# the number of workers; a leading TextAll (not a line-by-line command) makes qbay run the whole
# document, so each case is run with one worker, with three, and whole, and compared.
#   tests/cli/stream_test.sh PATH-TO-QBAY
source "$(dirname "$0")/lib.sh" "$1"

# More lines than one block, of every kind the commands care about: Shift-JIS kana and
# kanji (in UTF-8 here, converted below), half-width kana with voiced marks, full-width
# letters, tabs, trailing spaces, lone CRs, empty lines and one long line.
LC_ALL=C awk 'BEGIN {
    # 漢字 かな カナ ｶﾞｷﾞ ＡＢＣ abc １２３ 123 full-width space, space, tab, 「括弧」 、 。
    # ソ\ 表 ｰﾞﾟ Don'\''t e-mail CR, in Shift-JIS.
    n = split("\212\277\216\232|\202\251\202\310|\203J\203i|\266\336\267\336|\202`\202a\202b|abc|" \
              "\202P\202Q\202R|123|\201@| |\011|\201u\212\207\214\312\201v|\201A|\201B|" \
              "\203\134\134|\225\134|\260\336\337|Don'\''t|e-mail|\015", words, "|")
    seed = 7
    for (line = 0; line < 200000; line++) {
        text = ""
        if (line == 123456) {
            for (k = 0; k < 40000; k++) text = text "\222\267\202\242\215s"   # 長い行
        } else {
            seed = (seed * 1103515245 + 12345) % 2147483648
            count = int(seed / 65536) % 30
            for (k = 0; k < count; k++) {
                seed = (seed * 1103515245 + 12345) % 2147483648
                text = text words[int(seed / 65536) % n + 1]
            }
        }
        printf "%s\r\n", text
    }
}' > in.txt

# The text holds lines that end in a CR (a CR and three more before its CR LF), which would not
# read back as written: --lossy lets them through, with one warning. Each way writes out.txt in
# a folder of its own, so that the messages name the same file.
mkdir -p s p w
check() {
    local args=() line
    for line in "$@"; do args+=(-e "$line"); done
    rm -f s/out.txt p/out.txt w/out.txt
    (cd s && q -j 1 --lossy "${args[@]}" ../in.txt -o out.txt 2> ../streamed.err)
    local s=$?
    (cd p && q -j 3 --lossy "${args[@]}" ../in.txt -o out.txt 2> ../parallel.err)
    local p=$?
    (cd w && q --lossy -e TextAll "${args[@]}" ../in.txt -o out.txt 2> ../whole.err)
    local w=$?
    if [ -e s/out.txt ] || [ -e p/out.txt ] || [ -e w/out.txt ]; then
        cmp -s s/out.txt w/out.txt || fail "$*: the block-by-block result differs"
        cmp -s p/out.txt w/out.txt || fail "$*: the result of three workers differs"
    fi
    [ "$s/$p" = "$w/$w" ] || fail "$*: exit status $s block by block, $p with -j 3, $w whole"
    cmp -s streamed.err whole.err || fail "$*: different messages: $(cat streamed.err)"
    cmp -s parallel.err whole.err || fail "$*: different messages with -j 3: $(cat parallel.err)"
}

# Every command that runs block by block.
check ZenToHan
check HanToZen 'ZenToHan2 3' 'HanToZen2 5'
check 'ZenToHanSw 127' 'HanToZenSw 63'
check ToUpper ToZenLower HiraToKana ToTopUpper ChangeUpperLower
check ToLower ToZenUpper KanaToHira
check SjisToJis
check SjisToEuc
check SjisToEuc EucToSjis
check SjisToUtf8
check SjisToUtf8 Utf8ToSjis
check MbcsToUnicode
check MbcsToUnicode UnicodeToMbcs
check ToSjisCode
check ToSjisCode CodeToSjis
check ToJisCode
check ToJisCode CodeToJis
check LFToCRLF
check ToMime
check SjisToMime
check 'TurnChange 70'
check 'IndTurnChange 30' ZenToHan
check CtlMToCRLF 'TurnChange 20'
check DelSpaceFirst DelSpaceBack DelSpaceOnly
check 'TabSpace 8' 'SpaceTab 4'
check 'KetaChange 30' 'IndentChange 4'
check 'DeletePos 3 5' 'OverwriteString 2 XY' 'StrCat \s!'
check 'Replace 漢字 KANJI 0 0' 'Replace か X 7 0' 'DelStr 。 0 0'
check 'Replace 表 \n 0 0' ZenToHan     # splits lines: runs whole, the same either way
check 'TurnChange'                     # a missing width: the same message, nothing written
check 'IndentChange 2147483647'        # a result too large: the same message, nothing written

# Converting back gives the text (without lone CRs, which reading strips at line ends).
tr -d '\r' < in.txt > nocr.txt
q -e TextAll nocr.txt -o read.txt
q -e SjisToUtf8 nocr.txt -o utf8.txt
q --set System/Auto=0 -e Utf8ToSjis utf8.txt -o back.txt
cmp -s read.txt back.txt || fail "SjisToUtf8 then Utf8ToSjis does not give the text back"

# JIS and EUC files are converted as opening converts them, block by block as well as whole,
# with steps or without (open and save), also when the code shows only after many ASCII lines.
q --lossy -e SjisToJis in.txt -o jis.txt
q --lossy -e SjisToEuc in.txt -o euc.txt
{ yes 'plain ASCII' | head -70000; cat jis.txt; } > late.txt
for f in jis.txt euc.txt late.txt in.txt; do
    for steps in "-e ZenToHan" ""; do
        q --lossy $steps $f -o a.txt
        q --lossy -e TextAll $steps $f -o b.txt
        cmp -s a.txt b.txt || fail "$f${steps:+ with $steps}: the block-by-block result differs"
        # From a pipe as well, whose code is judged by its start.
        cat $f | q --lossy $steps - -o a.txt
        cmp -s a.txt b.txt || fail "$f${steps:+ with $steps} from a pipe: the result differs"
    done
done
# A character EUC-JP has and Shift-JIS lacks, far into the text (where several workers convert
# the lines): every -j tells it at the same line and column, with the same exit status.
{ cat euc.txt; printf 'a\x8f\xab\xb1z\r\n'; cat euc.txt; } > lost.euc
for j in 1 3; do
    q -j $j -e ToUpper lost.euc -o lost$j.txt 2> told$j.txt
    [ $? = 1 ] || fail "EUC with a lost character, -j $j: exit status"
done
cmp -s told1.txt told3.txt || fail "EUC: -j 3 told the lost character otherwise: $(cat told3.txt)"
grep -q ":200001:2: lost: bytes 8F AB B1" told1.txt || fail "EUC: the loss not told: $(cat told1.txt)"

# --from utf8 as well; -i writes the file back in UTF-8 with its byte-order mark.
{ printf '\xEF\xBB\xBF'; cat utf8.txt; } > bom.txt
cp bom.txt bom-whole.txt
q --from utf8 -e ZenToHan -i bom.txt
q --from utf8 -e ZenToHan -e TextAll -i bom-whole.txt
cmp -s bom.txt bom-whole.txt || fail "--from utf8 -i: the block-by-block result differs"
[ "$(head -c 3 bom.txt | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "--from utf8 -i lost the mark"
q --lossy -e ZenToHan - -o a.txt < in.txt
q --lossy -e TextAll -e ZenToHan in.txt -o b.txt
cmp -s a.txt b.txt || fail "standard input"

# Text whose code stays undecided (ASCII) streams too: output from a never-ending pipe begins
# after its first bytes.
first=$(timeout 20 bash -c 'yes abc | "$0" --settings "$1" - -e ToUpper | head -n 2' \
        "$qbay" "$work/settings.ini")
[ "$first" = $'ABC\nABC' ] || fail "yes | qbay - -e ToUpper gave no output: '$first'"

# -i writes over the file only when everything went well; an unwritable target loses nothing.
cp in.txt inplace.txt
q --lossy -i -e ZenToHan inplace.txt
cmp -s inplace.txt b.txt || fail "-i"
mkdir locked && cp in.txt locked/f.txt && chmod 555 locked
if [ "$(id -u)" != 0 ]; then
    q -i -e ZenToHan locked/f.txt 2> err.txt
    [ $? = 1 ] || fail "an unwritable folder must give exit status 1"
    cmp -s locked/f.txt in.txt || fail "an unwritable folder changed the file"
    grep -q "cannot write the file" err.txt || fail "no message for an unwritable folder"
fi
q -e ZenToHan missing.txt -o x.txt 2> err.txt
[ $? = 1 ] || fail "a missing file must give exit status 1"
grep -q "file not found" err.txt || fail "no message for a missing file"

finish "stream checks"
