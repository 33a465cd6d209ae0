#!/bin/bash
# The README's recipes run as written and do what they say, and its table of settings gives the
# defaults that qbay --help CMD gives.
#   readme_test.sh PATH-TO-QBAY PATH-TO-README
set -u
qbay=$(realpath "$1")
readme=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir bin && ln -s "$qbay" bin/qbay
export PATH=$work/bin:$PATH QUILLBAY_SETTINGS=$work/settings.ini LC_ALL=C
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# sjis FILE TEXT...: writes the lines (UTF-8 here) in Shift-JIS, each ended by CR LF.
sjis() { local f=$1; shift; printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 > "$f"; }
# utf8 FILE: the text of a Shift-JIS file in UTF-8, without CRs.
utf8() { iconv -f CP932 -t UTF-8 "$1" | tr -d '\r'; }

sjis notes.txt 'Ｑｕｉｌｌｂａｙ　１２３　テキスト' 'あいうえおかきくけこさしすせそたちつてと。なに' 'end   '
mkdir letters chapters
sjis letters/a.txt 'お手紙です'
printf '%s\r\n' 'こんにちは、手紙' | iconv -f UTF-8 -t EUC-JP > letters/b.txt
sjis chapters/one.txt 'Ｑｕｉｌｌｂａｙ  '
printf '%s\n' 'Ｑｕｉｌｌｂａｙ　の本' | iconv -f UTF-8 -t CP932 > chapters/two.txt

# The shell blocks of the Recipes section, in order, each run as a script; its output is kept.
awk '/^## Recipes/ { on = 1; next } /^## / { on = 0 }
     on && /^```sh/ { n++; file = sprintf("recipe-%d.sh", n); next }
     on && /^```/ { file = ""; next }
     on && file != "" { print > file }' "$readme"
count=$(ls recipe-*.sh 2> /dev/null | wc -l)
[ "$count" = 7 ] || fail "the Recipes section has $count blocks, the checks below expect 7"
for n in $(seq "$count"); do
    bash -e -o pipefail "recipe-$n.sh" > "recipe-$n.out" 2> "recipe-$n.err" ||
        fail "recipe $n failed: $(cat "recipe-$n.sh") $(cat "recipe-$n.err")"
done

# 1: to UTF-8 and back.
cmp -s notes.utf8.txt <(utf8 notes.txt) || fail "recipe 1: notes.utf8.txt: $(od -c notes.utf8.txt | head -3)"
cmp -s notes.sjis.txt notes.txt || fail "recipe 1: notes.sjis.txt differs from notes.txt"
# 2: the full stop at column 41 hangs on the line it ends.
[ "$(utf8 wrapped.txt | sed -n 2,3p)" = $'あいうえおかきくけこさしすせそたちつてと。\nなに' ] ||
    fail "recipe 2: $(utf8 wrapped.txt)"
# 3: every kind, then digits and letters only.
[ "$(utf8 half.txt | head -1)" = 'Quillbay 123 ﾃｷｽﾄ' ] || fail "recipe 3: $(utf8 half.txt)"
[ "$(utf8 digits-letters.txt | head -1)" = 'Quillbay　123　テキスト' ] ||
    fail "recipe 3: $(utf8 digits-letters.txt)"
# 4: the preview shows the lines in UTF-8 and changes nothing; the run changes both files, each
# in its own code.
for line in '-お手紙です' '+お葉書です' '-こんにちは、手紙' '+こんにちは、葉書'; do
    grep -qxF -- "$line" recipe-4.out || fail "recipe 4: the preview lacks $line: $(cat recipe-4.out)"
done
[ "$(utf8 letters/a.txt)" = 'お葉書です' ] || fail "recipe 4: letters/a.txt"
[ "$(iconv -f EUC-JP -t UTF-8 letters/b.txt | tr -d '\r')" = 'こんにちは、葉書' ] ||
    fail "recipe 4: letters/b.txt is no longer EUC-JP with the replacement"
# 5: the recorded macro, replayed in place, keeps each file's line ends.
cmp -s tidy.qmc <(printf 'DelSpaceBack\r\nTurnChange 40\r\n') || fail "recipe 5: tidy.qmc: $(cat tidy.qmc)"
cmp -s chapters/one.txt <(printf '%s\r\n' 'Ｑｕｉｌｌｂａｙ' | iconv -f UTF-8 -t CP932) ||
    fail "recipe 5: chapters/one.txt"
cmp -s chapters/two.txt <(printf '%s\n' 'Ｑｕｉｌｌｂａｙ　の本' | iconv -f UTF-8 -t CP932) ||
    fail "recipe 5: chapters/two.txt"
# 6: the pipeline.
[ "$(cat recipe-6.out)" = 2 ] || fail "recipe 6: $(cat recipe-6.out)"
# 7: GNU parallel over the hosts (this one here): every file done, one log line each; the
# chapters stay as recipe 5 left them (checked above), the macro doing nothing more.
[ "$(awk -F '\t' 'NR > 1 && $7 == 0' run.log | wc -l)" = 2 ] || fail "recipe 7: run.log: $(cat run.log)"

# Every setting a command reads is in the README's table, with the default --help CMD gives.
for command in $(qbay --list | sed -n 's/^  \([A-Za-z0-9]*\).*/\1/p'); do
    qbay --help "$command" | awk '
        /^Settings it reads/ { on = 1; next }
        on && /^$/ { on = 0 }
        on && /^  [A-Za-z]+\/[A-Za-z]+ / { if (entry != "") print entry; entry = $0; next }
        on { sub(/^ +/, " "); entry = entry $0 }
        END { if (entry != "") print entry }'
done | sort -u | while read -r key rest; do
    default=${rest##*; default }
    grep -qF "| \`$key\` | \`$default\` |" "$readme" || echo "$key, default $default"
done > settings.out
[ -s settings.out ] && fail "the README's settings table lacks: $(cat settings.out)"

[ "$failures" = 0 ] && echo "all README checks passed"
exit $((failures > 0))
