# Character-code conversion and detection, against iconv and nkf.
# These need the macro commands SjisToUtf8 and Utf8ToSjis (qbay -e) and qbay --detect, which
# are built separately from the conversion kernels: until they exist the comparisons below are
# skipped. The ratio is qbay's time over the peer's for the whole run (open, convert, save).

PROSE_UTF8=$BENCH_DIR/prose.utf8.txt
PROSE_JIS=$BENCH_DIR/prose.jis.txt
PROSE_EUC=$BENCH_DIR/prose.euc.txt
[ -s "$PROSE_UTF8" ] || iconv -f CP932 -t UTF-8 "$PROSE" > "$PROSE_UTF8"
# -x keeps half-width katakana as they are, as qbay does.
[ -s "$PROSE_JIS" ] || nkf -S -x -j "$PROSE" > "$PROSE_JIS"
[ -s "$PROSE_EUC" ] || nkf -S -x -e "$PROSE" > "$PROSE_EUC"

# Whether qbay knows a macro line or an option yet (a run on a one-line input succeeds).
printf 'a\r\n' > "$OUT/probe.txt"
qbay_supports() {
    "$QBAY" "$@" "$OUT/probe.txt" -o "$OUT/probe.out" > /dev/null 2>&1
}

if qbay_supports -e SjisToUtf8; then
    compare "SjisToUtf8, 100 MB prose" "<= 0.33x" -- \
        "$QBAY" -e SjisToUtf8 "$PROSE" -o "$OUT/prose.utf8.txt" -- \
        iconv -f CP932 -t UTF-8 "$PROSE" -o "$OUT/iconv.txt"
else
    echo "SjisToUtf8: qbay has no such macro command yet, skipped"
fi

if qbay_supports -e Utf8ToSjis; then
    compare "Utf8ToSjis, 100 MB prose" "<= 0.5x" -- \
        "$QBAY" -e Utf8ToSjis "$PROSE_UTF8" -o "$OUT/prose.sjis.txt" -- \
        iconv -f UTF-8 -t CP932 "$PROSE_UTF8" -o "$OUT/iconv.txt"
else
    echo "Utf8ToSjis: qbay has no such macro command yet, skipped"
fi

# Opening converts JIS and EUC files to Shift-JIS by itself.
compare "open JIS with conversion, 100 MB prose" "<= 0.25x" -- \
    "$QBAY" "$PROSE_JIS" -o "$OUT/prose.from-jis.txt" -- \
    nkf -x -s "$PROSE_JIS"
compare "open EUC with conversion, 100 MB prose" "<= 0.25x" -- \
    "$QBAY" "$PROSE_EUC" -o "$OUT/prose.from-euc.txt" -- \
    nkf -x -s "$PROSE_EUC"

# --detect prints the code kind's name: "ASCII" for the probe (which would print "a" if the
# option were taken for a plain run).
if "$QBAY" --detect "$OUT/probe.txt" 2> /dev/null | grep -q ASCII; then
    compare "code detection, 100 MB prose (EUC)" "<= 0.1x" -- \
        "$QBAY" --detect "$PROSE_EUC" -- nkf --guess "$PROSE_EUC"
    compare "code detection, 100 MB prose (UTF-8)" "<= 0.1x" -- \
        "$QBAY" --detect "$PROSE_UTF8" -- nkf --guess "$PROSE_UTF8"
else
    echo "code detection: qbay has no --detect yet, skipped"
fi
