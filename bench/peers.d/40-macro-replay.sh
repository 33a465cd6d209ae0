# Replaying a long macro: 10,000 Replace lines on a small document, against sed running the
# same 10,000 substitutions. What counts here is the interpreter's cost per line (target: the
# whole replay well under a second).
MACRO_DIR=$BENCH_DIR/macro
mkdir -p "$MACRO_DIR"
if [ ! -s "$MACRO_DIR/replace.qmc" ]; then
    for i in $(seq 0 199); do echo "line $i of a small document, some words to replace"; done \
        > "$MACRO_DIR/small.txt"
    awk 'BEGIN { for (i = 0; i < 10000; i++) printf "Replace word%d\\sX w%d 0 0\r\n", i, i }' \
        > "$MACRO_DIR/replace.qmc"
    awk 'BEGIN { for (i = 0; i < 10000; i++) printf "s/word%d X/w%d/g\n", i, i }' \
        > "$MACRO_DIR/replace.sed"
fi
compare "macro replay, 10,000 Replace lines" "< 1 s" -- \
    "$QBAY" -m "$MACRO_DIR/replace.qmc" "$MACRO_DIR/small.txt" -o "$OUT/macro.txt" -- \
    sed -f "$MACRO_DIR/replace.sed" "$MACRO_DIR/small.txt"
