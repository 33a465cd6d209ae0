# Several workers (-j) against one, on the same 100 MB prose: qbay with N workers is compared
# with qbay -j 1, so the ratio is the wall time N workers take (0.59x is 1.7 times faster).
# Every step here changes each line on its own, so the file runs block by block on the workers.
# The result is written with -o to memory (/dev/shm where there is one): a file on a disk is
# synced before it takes its name, and on 100 MB that wait, the same for any -j, hides the work.
PROSE_UTF8=$BENCH_DIR/prose.utf8.txt
[ -s "$PROSE_UTF8" ] || iconv -f CP932 -t UTF-8 "$PROSE" > "$PROSE_UTF8"
cores=$(nproc)
SHM=$OUT
[ -d /dev/shm ] && [ -w /dev/shm ] && SHM=$(mktemp -d /dev/shm/qbay-workers.XXXXXX)
workers_row() {
    local label=$1 input=$2; shift 2
    local n
    for n in 2 4 8; do
        [ "$n" -gt "$cores" ] && break
        COMPARE_AS="-j $n" compare "$label, -j $n against -j 1" "<= 0.59x" -- \
            "$QBAY" -j "$n" "$@" "$input" -o "$SHM/n.txt" -- \
            "$QBAY" -j 1 "$@" "$input" -o "$SHM/1.txt"
        cmp -s "$SHM/n.txt" "$SHM/1.txt" || echo "$label: -j $n wrote other bytes"
    done
}
workers_row "ZenToHan" "$PROSE" -e ZenToHan
workers_row "TurnChange 70" "$PROSE" -e 'TurnChange 70'
workers_row "kanji Replace" "$PROSE" -e 'Replace 駅前 駅の前 0 0'
workers_row "SjisToUtf8" "$PROSE" -e SjisToUtf8
workers_row "open + save UTF-8" "$PROSE_UTF8"
workers_row "--to utf8" "$PROSE" --to utf8
workers_row "--from utf8 --to sjis" "$PROSE_UTF8" --to sjis
# What a second core gives on this machine at all: two independent -j 1 runs at once against
# one (1.00x: twice the work in the same time). On a shared virtual machine two cores seldom do
# twice the work of one, and the -j 2 rows above are bounded by what this row shows.
if [ "$cores" -ge 2 ]; then
    compare "ZenToHan, two -j 1 runs at once against one" "(the machine)" -- \
        bash -c '"$0" -j 1 -e ZenToHan "$1" -o "$2/a.txt" & "$0" -j 1 -e ZenToHan "$1" -o "$2/b.txt"
                 wait' "$QBAY" "$PROSE" "$SHM" -- \
        "$QBAY" -j 1 -e ZenToHan "$PROSE" -o "$SHM/1.txt"
fi
if [ "$cores" -ge 2 ]; then
    one=$(peak_kb "$QBAY" -j 1 -e ZenToHan "$PROSE" -o "$SHM/1.txt")
    all=$(peak_kb "$QBAY" -j "$cores" -e ZenToHan "$PROSE" -o "$SHM/n.txt")
    awk -v o="$one" -v a="$all" -v n="$cores" 'BEGIN {
        printf "%-40s peak %5.1f MB  -j 1 %5.1f MB  ratio %4.2fx  (target <= 2x)\n",
            "peak memory, ZenToHan -j " n, a / 1024, o / 1024, a / o }'
fi
[ "$SHM" != "$OUT" ] && rm -rf "$SHM"
