# Character-code conversion and detection, and the width conversions, against iconv, nkf and
# uconv. The ratio is qbay's time over the peer's for the whole run (open, convert, save).
# The comparisons that need macro lines (qbay -e) are skipped while qbay cannot run them;
# opening JIS and EUC files and --detect need none.

# JIS, EUC-JP and UTF-8 copies of the prose, made once.
PROSE_UTF8=$BENCH_DIR/prose.utf8.txt
PROSE_JIS=$BENCH_DIR/prose.jis.txt
PROSE_EUC=$BENCH_DIR/prose.euc.txt
[ -s "$PROSE_UTF8" ] || iconv -f CP932 -t UTF-8 "$PROSE" > "$PROSE_UTF8"
# ISO-2022-JP-3 writes half-width katakana with ESC ( I, which qbay reads.
[ -s "$PROSE_JIS" ] || iconv -f CP932 -t ISO-2022-JP-3 "$PROSE" > "$PROSE_JIS"
[ -s "$PROSE_EUC" ] || iconv -f CP932 -t EUC-JP-MS "$PROSE" > "$PROSE_EUC"

# Whether qbay knows a macro line or an option yet (a run on a one-line input succeeds).
printf 'a\r\n' > "$OUT/probe.txt"
qbay_supports() {
    "$QBAY" "$@" "$OUT/probe.txt" -o "$OUT/probe.out" > /dev/null 2>&1
}

# Opening converts JIS and EUC files to Shift-JIS by itself; --to sjis writes that text (without
# it the file would go back out in its own code).
# nkf is told the input code and not to decode MIME, so that it does only the conversion. The
# second pair compares against qbay's own open + save of the same text in Shift-JIS.
compare "open JIS with conversion, 100 MB prose" "<= 0.25x" -- \
    "$QBAY" --to sjis "$PROSE_JIS" -o "$OUT/prose.from-jis.txt" -- \
    nkf -J -s -x -m0 "$PROSE_JIS"
compare "open EUC with conversion, 100 MB prose" "<= 0.25x" -- \
    "$QBAY" --to sjis "$PROSE_EUC" -o "$OUT/prose.from-euc.txt" -- \
    nkf -E -s -x -m0 "$PROSE_EUC"
compare "open JIS against open Shift-JIS" "<= 1.3x" -- \
    "$QBAY" --to sjis "$PROSE_JIS" -o "$OUT/prose.from-jis.txt" -- \
    "$QBAY" "$PROSE" -o "$OUT/prose.txt"
compare "open EUC against open Shift-JIS" "<= 1.3x" -- \
    "$QBAY" --to sjis "$PROSE_EUC" -o "$OUT/prose.from-euc.txt" -- \
    "$QBAY" "$PROSE" -o "$OUT/prose.txt"
cmp -s "$OUT/prose.from-jis.txt" "$PROSE" || echo "open JIS: the result differs from the prose"
cmp -s "$OUT/prose.from-euc.txt" "$PROSE" || echo "open EUC: the result differs from the prose"

# Detection reads a UTF-8 file to its end (the last byte could still rule UTF-8 out); an EUC
# file is decided within its first lines.
compare "code detection, 100 MB prose (UTF-8)" "<= 0.1x" -- \
    "$QBAY" --detect "$PROSE_UTF8" -- nkf --guess "$PROSE_UTF8"
compare "code detection, 100 MB prose (EUC)" "<= 0.1x" -- \
    "$QBAY" --detect "$PROSE_EUC" -- nkf --guess "$PROSE_EUC"

if qbay_supports -e SjisToUtf8; then
    compare "SjisToUtf8, 100 MB prose" "<= 0.33x" -- \
        "$QBAY" -e SjisToUtf8 "$PROSE" -o "$OUT/prose.utf8.txt" -- \
        iconv -f CP932 -t UTF-8 "$PROSE" -o "$OUT/iconv.txt"
    compare "Utf8ToSjis, 100 MB prose" "<= 0.5x" -- \
        "$QBAY" --set System/Auto=0 -e Utf8ToSjis "$PROSE_UTF8" -o "$OUT/prose.sjis.txt" -- \
        iconv -f UTF-8 -t CP932 "$PROSE_UTF8" -o "$OUT/iconv.txt"
    # uconv works on Unicode text, so it reads the UTF-8 copy; qbay the Shift-JIS original.
    compare "ZenToHan, 100 MB prose" "<= 0.2x" -- \
        "$QBAY" -e ZenToHan "$PROSE" -o "$OUT/prose.han.txt" -- \
        uconv -f UTF-8 -t UTF-8 -x Fullwidth-Halfwidth "$PROSE_UTF8" -o "$OUT/uconv.txt"
    compare "HanToZen, 100 MB prose" "<= 0.2x" -- \
        "$QBAY" -e HanToZen "$PROSE" -o "$OUT/prose.zen.txt" -- \
        uconv -f UTF-8 -t UTF-8 -x Halfwidth-Fullwidth "$PROSE_UTF8" -o "$OUT/uconv.txt"
else
    echo "SjisToUtf8, Utf8ToSjis, ZenToHan, HanToZen: qbay runs no macro lines yet, skipped"
fi

# Reading and writing other codes with the options, as iconv users type it.
if qbay_supports --to utf8; then
    compare "--to utf8, 100 MB prose" "<= 0.5x" -- \
        "$QBAY" --to utf8 --eol keep "$PROSE" -o "$OUT/prose.to-utf8.txt" -- \
        iconv -f CP932 -t UTF-8 "$PROSE" -o "$OUT/iconv.txt"
    cmp -s "$OUT/prose.to-utf8.txt" "$PROSE_UTF8" || echo "--to utf8: the result differs from iconv's"
    compare "--from utf8 --to sjis, 100 MB prose" "<= 0.5x" -- \
        "$QBAY" --from utf8 --to sjis "$PROSE_UTF8" -o "$OUT/prose.from-utf8.txt" -- \
        iconv -f UTF-8 -t CP932 "$PROSE_UTF8" -o "$OUT/iconv.txt"
    cmp -s "$OUT/prose.from-utf8.txt" "$PROSE" || echo "--from utf8: the result differs from the prose"
    # A UTF-8 file is found, read through stand-ins (every character kept) and written back as
    # UTF-8: against iconv's copy, and against qbay writing the same text from Shift-JIS.
    compare "open + save UTF-8 as UTF-8, 100 MB prose" "<= 1.2x" -- \
        "$QBAY" "$PROSE_UTF8" -o "$OUT/prose.own-utf8.txt" -- \
        iconv -f UTF-8 -t UTF-8 "$PROSE_UTF8" -o "$OUT/iconv.txt"
    cmp -s "$OUT/prose.own-utf8.txt" "$PROSE_UTF8" || echo "open + save UTF-8: the bytes changed"
    compare "open + save UTF-8 against --to utf8 from Shift-JIS" "<= 1.5x" -- \
        "$QBAY" "$PROSE_UTF8" -o "$OUT/prose.own-utf8.txt" -- \
        "$QBAY" --to utf8 "$PROSE" -o "$OUT/prose.to-utf8.txt"
    compare "--to euc, 100 MB prose" "<= 0.5x" -- \
        "$QBAY" --to euc --eol keep "$PROSE" -o "$OUT/prose.to-euc.txt" -- \
        nkf -x -e "$PROSE"
else
    echo "--to, --from: not in this qbay, skipped"
fi
