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

# A UTF-8 file's preview shows the characters Shift-JIS lacks as they are.
mkdir u8
printf 'color \xe2\x9c\x93 \xf0\x9f\x98\x80\n' > u8/a.txt               # color ✓ 😀
q -e 'MultiFileReplace u8 *.txt color colour' --dry-run > out.txt 2> err.txt
grep -qx -- '-color ✓ 😀' out.txt && grep -qx -- '+colour ✓ 😀' out.txt ||
    fail "UTF-8 preview: $(od -c out.txt | sed -n 4,6p)"

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

# A folder whose name holds a space is given with ESCAPED 1 (\s), which --help lists; each file is
# named with its folder, and the subfolders passed over are counted.
mkdir -p "two words/sub"
printf 'a\r\n' > "two words/s.txt"
printf 'a\r\n' > "two words/sub/t.txt"
q --help MultiFileReplace > out.txt 2>&1
grep -q '^ *ESCAPED ' out.txt || fail "--help MultiFileReplace lists no ESCAPED: $(cat out.txt)"
q -e 'MultiFileReplace two\swords *.txt a b 1' > out.txt 2> err.txt
[ $? = 0 ] || fail "folder with a space: exit status ($(cat err.txt))"
cmp -s "two words/s.txt" <(printf 'b\r\n') || fail "folder with a space: not replaced"
grep -qx 'two words/s.txt: ASCII, 1 replacement' out.txt || fail "file with its folder: $(cat out.txt)"
grep -qx '1 subfolder not searched .*' out.txt || fail "subfolder: $(cat out.txt)"
cmp -s "two words/sub/t.txt" <(printf 'a\r\n') || fail "a subfolder was searched"
# A file left alone is named, in English outside a Japanese locale, and its report line has its
# folder in the preview as in the run.
mkdir full
# 2,000 characters of CJK extension B (U+20000 on), none of them in Shift-JIS, in UTF-8.
for ((c = 0x20000; c < 0x20000 + 2000; c++)); do
    printf '\\x%x\\x%x\\x%x\\x%x' $((0xF0 | c >> 18)) $((0x80 | (c >> 12 & 63))) \
        $((0x80 | (c >> 6 & 63))) $((0x80 | (c & 63)))
done > many.txt
{ printf 'a '; printf "$(cat many.txt)"; printf '\n'; } > full/f.txt
cp full/f.txt full-before.txt
for dry in "" --dry-run; do
    # shellcheck disable=SC2086
    LC_ALL= LANG=C.UTF-8 "$qbay" --settings "$work/settings.ini" $dry \
        -e 'MultiFileReplace full *.txt a b' > out.txt 2> err.txt
    grep -q "^qbay: left alone: .*Shift-JIS lacks.*: full/f.txt$" err.txt ||
        fail "file left alone $dry: $(cat err.txt)"
    grep -q '^full/f.txt: UTF8, left alone' out.txt || fail "file left alone $dry: $(cat out.txt)"
    cmp -s full/f.txt full-before.txt || fail "file left alone $dry: changed"
done

# A preview refuses anything that could change a file.
for args in "-e ZenToHan folder/sjis.txt" "-e 'MultiFileReplace folder *.txt a b' -i folder/sjis.txt" \
            "-e 'MultiFileReplace folder *.txt a b' -o x.txt folder/sjis.txt"; do
    eval q --dry-run "$args" 2> /dev/null
    [ $? = 2 ] || fail "--dry-run $args must be a usage error"
done

finish "multi-file checks"
