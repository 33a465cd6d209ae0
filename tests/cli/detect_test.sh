#!/bin/bash
# qbay --detect: the code of each FILE, as the code-detection command decides a document's.
#   tests/cli/detect_test.sh PATH-TO-QBAY
set -u
qbay=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
q() { "$qbay" --settings "$work/settings.ini" "$@"; }

printf 'plain\r\n' > ascii.txt
printf '\x82\xa0\x82\xa2\x82\xa4\r\n' > sjis.txt                 # あいう in Shift-JIS
printf '\xe3\x81\x82\xe3\x81\x84\n' > utf8.txt                     # あい in UTF-8
printf 'a\x1b$B$"$$\x1b(B\r\n' > jis.txt                          # あい in JIS
printf '\xa4\xa2\xa4\xa4\xa4\xa6 \xb4\xc1\xbb\xfa\r\n' > euc.txt    # あいう 漢字 in EUC

[ "$(q --detect ascii.txt)" = "ASCII" ] || fail "one FILE: $(q --detect ascii.txt)"
want=$'ascii.txt: ASCII\nsjis.txt: ShiftJIS\nutf8.txt: UTF8\njis.txt: JIS'
got=$(q --detect ascii.txt sjis.txt utf8.txt jis.txt)
[ "$got" = "$want" ] || fail "several FILEs: $got"
case "$(q --detect euc.txt)" in EUC | Unknown) ;; *) fail "EUC: $(q --detect euc.txt)" ;; esac
[ "$(q --detect - < utf8.txt)" = "UTF8" ] || fail "standard input"
# Detecting changes nothing and opens nothing else.
cmp -s sjis.txt <(printf '\x82\xa0\x82\xa2\x82\xa4\r\n') || fail "the file was changed"

q --detect missing.txt ascii.txt > out.txt 2> err.txt
[ $? = 1 ] || fail "a missing FILE must give exit status 1"
grep -q 'ascii.txt: ASCII' out.txt || fail "the other FILEs are still detected"
q --detect -e ZenToHan ascii.txt 2> /dev/null
[ $? = 2 ] || fail "--detect with -e is a usage error"

[ "$failures" = 0 ] && echo "all detect checks passed"
exit $((failures > 0))
