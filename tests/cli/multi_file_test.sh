#!/bin/bash
# qbay -e 'MultiFileReplace ...': a folder rewritten file by file, or with --dry-run only listed.
#   tests/cli/multi_file_test.sh PATH-TO-QBAY
source "$(dirname "$0")/lib.sh" "$1"

mkdir folder
printf '\x82\xa0a\r\na\r\n' > folder/sjis.txt                  # あa, a in Shift-JIS
printf '\x1b$B$"\x1b(Ba\r\n' > folder/jis.txt                   # あa in JIS
printf 'none\r\n' > folder/other.TXT
printf 'a\r\n' > folder/skipped.csv
touch -d '2001-01-01' folder/other.TXT
sums=$(cd folder && md5sum ./*)

# The preview shows the lines each file would change as a diff in UTF-8, and changes nothing.
q -e 'MultiFileReplace folder *.txt a b' --dry-run > out.txt 2> err.txt
[ $? = 0 ] || fail "dry run: exit status $? ($(cat err.txt))"
want=$'--- folder/jis.txt\tJIS, 1 replacement\n+++ folder/jis.txt\n@@ -1 +1 @@\n-あa\n+あb
--- folder/sjis.txt\tShiftJIS, 2 replacements\n+++ folder/sjis.txt\n@@ -1,2 +1,2 @@\n-あa\n-a\n+あb\n+b
2 files would change, 3 replacements in all'
[ "$(cat out.txt)" = "$want" ] || fail "dry run listing: $(cat out.txt)"
[ "$(cd folder && md5sum ./*)" = "$sums" ] || fail "the dry run changed a file"

# The real run rewrites the matching files in their own codes; the others stay untouched.
q -e 'MultiFileReplace folder *.txt a b' > out.txt 2> err.txt
[ $? = 0 ] || fail "replace: exit status $? ($(cat err.txt))"
grep -q "2 files changed, 3 replacements in all" out.txt || fail "replace summary: $(cat out.txt)"
cmp -s folder/sjis.txt <(printf '\x82\xa0b\r\nb\r\n') || fail "the Shift-JIS file"
cmp -s folder/jis.txt <(printf '\x1b$B$"\x1b(Bb\r\n') || fail "the JIS file"
[ "$(stat -c %Y folder/other.TXT)" = "$(date -d 2001-01-01 +%s)" ] || fail "an unchanged file got a new time"
cmp -s folder/skipped.csv <(printf 'a\r\n') || fail "a file outside the pattern"

# A UTF-8 file is replaced as characters and stays UTF-8; a link is passed over and listed.
mkdir utf8
printf '\xe3\x81\x81[\xe3\x83\xbc\r\n' > utf8/u.txt      # ぁ[ー: ー is 81 5B, as in ぁ[
printf 'abc\r\n' > outside.txt
ln -s ../outside.txt utf8/link.txt
q -e 'MultiFileReplace utf8 *.txt ー x' > out.txt 2> err.txt
[ $? = 0 ] || fail "UTF-8 and a link: exit status $? ($(cat err.txt))"
cmp -s utf8/u.txt <(printf '\xe3\x81\x81[x\r\n') || fail "the UTF-8 file: $(od -c utf8/u.txt)"
grep -q 'u.txt: UTF8, 1 replacement' out.txt || fail "the UTF-8 file's line: $(cat out.txt)"
grep -q 'link.txt: .*passed over: a symbolic link' out.txt || fail "the link's line: $(cat out.txt)"
[ "$(cat outside.txt)" = $'abc\r' ] || fail "a link was followed out of the folder"
# A folder that is not there is named.
q -e 'MultiFileReplace nowhere *.txt a b' > out.txt 2> err.txt
[ $? = 1 ] || fail "missing folder: exit status"
[ "$(cat err.txt)" = "qbay: folder not found: nowhere" ] || fail "missing folder: $(cat err.txt)"

# A preview refuses anything that could change a file.
for args in "-e ZenToHan folder/sjis.txt" "-e 'MultiFileReplace folder *.txt a b' -i folder/sjis.txt" \
            "-e 'MultiFileReplace folder *.txt a b' -o x.txt folder/sjis.txt"; do
    eval q --dry-run "$args" 2> /dev/null
    [ $? = 2 ] || fail "--dry-run $args must be a usage error"
done

finish "multi-file checks"
