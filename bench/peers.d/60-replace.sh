# Replacement, sorting, duplicate removal and multi-file replace: qbay's whole run (open, the
# macro line, save) against sed, perl, sort -f and awk doing the same work.
#
# The macro lines are written in UTF-8 here; qbay takes a command line that is valid UTF-8 as
# such. The peers search the Shift-JIS bytes themselves (LC_ALL=C).
KANJI_SJIS=$(printf '\x8e\xe8\x8e\x86')     # 手紙
HAGAKI_SJIS=$(printf '\x97\x74\x8f\x91')    # 葉書
PROSE_UTF8=$BENCH_DIR/prose.utf8.txt
[ -s "$PROSE_UTF8" ] || iconv -f CP932 -t UTF-8 "$PROSE" > "$PROSE_UTF8"

compare "Replace of a kanji word, 100 MB" "<= 0.5x" \
    -- "$QBAY" -e "Replace 手紙 XX 0 0" "$PROSE" -o "$OUT/replace.txt" \
    -- bash -c "sed 's/$KANJI_SJIS/XX/g' '$PROSE' > '$OUT/sed.txt'"
compare "RegExpReplace [0-9]+, 100 MB" "<= 2x" \
    -- "$QBAY" -e "Replace [0-9]+ # 0 1" "$PROSE" -o "$OUT/regexp.txt" \
    -- bash -c "perl -pe 's/[0-9]+/#/g' '$PROSE_UTF8' > '$OUT/perl.txt'"
compare "Sort1, 1,000,000 lines" "< 1x" \
    -- "$QBAY" -e "Sort1" "$SHORT" -o "$OUT/sort.txt" \
    -- bash -c "sort -f '$SHORT' > '$OUT/sort-f.txt'"
compare "DupLineDel (not sorted), 1,000,000 lines" "<= 1x" \
    -- "$QBAY" -e "DupLineDel 0 0 0 0" "$SHORT" -o "$OUT/dup.txt" \
    -- bash -c "awk '!seen[\$0]++' '$SHORT' > '$OUT/awk.txt'"

# 10,000 files of ten prose lines each. Each timed run replaces the word and then puts it back,
# so that every run finds the same work.
MFR_DIR=$BENCH_DIR/mfr
if [ ! -s "$MFR_DIR/f09999.txt" ]; then
    rm -rf "$MFR_DIR" && mkdir -p "$MFR_DIR"
    head -n 100000 "$PROSE" | split -l 10 -a 5 -d --additional-suffix=.txt - "$MFR_DIR/f"
fi
: > "$OUT/empty.txt"
compare "MultiFileReplace, 10,000 files (there and back)" "<= 2x" \
    -- "$QBAY" -e "MultiFileReplace $MFR_DIR *.txt 手紙 葉書" \
               -e "MultiFileReplace $MFR_DIR *.txt 葉書 手紙" "$OUT/empty.txt" -o /dev/null \
    -- bash -c "sed -i 's/$KANJI_SJIS/$HAGAKI_SJIS/g' '$MFR_DIR'/*.txt &&
                sed -i 's/$HAGAKI_SJIS/$KANJI_SJIS/g' '$MFR_DIR'/*.txt"
