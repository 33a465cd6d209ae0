#!/bin/bash
# Runs qbay and the peer tools (dd, iconv, nkf, GNU fold/sed/sort, ...) on the same generated
# inputs and prints the time ratios and peak memory.
#
#   bench/peers.sh [BUILD-DIR] [ONLY]
#
# BUILD-DIR holds app/cli/qbay (default build-bench). ONLY, when given, runs only the
# comparison files in bench/peers.d/ whose name contains it. Inputs are generated once into
# $QB_BENCH_DIR (default /tmp/qbay-bench) by bench/gen_input.py:
#   prose.txt  ~100 MB Shift-JIS prose, long paragraph lines
#   short.txt  1,000,000 short lines
# Each comparison runs qbay and its peer in turn $QB_BENCH_RUNS times (default 5) and prints the
# median wall and CPU (user + system) times of each, and the median and range of the per-run
# ratios qbay/peer: on a shared machine the range shows how far to trust the median.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build-bench}
only=${2:-}
QBAY=$(cd "$build" && pwd)/app/cli/qbay
BENCH_DIR=${QB_BENCH_DIR:-/tmp/qbay-bench}
RUNS=${QB_BENCH_RUNS:-5}
mkdir -p "$BENCH_DIR"
PROSE=$BENCH_DIR/prose.txt
SHORT=$BENCH_DIR/short.txt
[ -s "$PROSE" ] || python3 "$here/gen_input.py" prose "$PROSE"
[ -s "$SHORT" ] || python3 "$here/gen_input.py" short "$SHORT"
SETTINGS=$BENCH_DIR/settings.ini
: > "$SETTINGS"
export QUILLBAY_SETTINGS=$SETTINGS LC_ALL=C
OUT=$BENCH_DIR/out
mkdir -p "$OUT"

# run_once CMD...: runs CMD once (output discarded) and prints its wall and CPU (user + system)
# seconds.
run_once() {
    local t w u s
    t=$( { TIMEFORMAT="%3R %3U %3S"; time "$@" > /dev/null 2>&1; } 2>&1 | tail -n 1)
    read -r w u s <<< "$t"
    awk -v w="$w" -v u="$u" -v s="$s" 'BEGIN { printf "%.3f %.3f\n", w, u + s }'
}

# report LABEL TARGET PEER-NAME OUR-WALLS OUR-CPUS PEER-WALLS PEER-CPUS [NOTE]: prints one line.
# The time lists are comma-separated, one entry per run, runs of the same index paired. The first
# command is called qbay unless $COMPARE_AS names it otherwise.
report() {
    # The label goes through the environment: awk -v would read \b in it as an escape.
    LABEL=$1 NOTE=${8:-} awk -v t="$2" -v p="$3" -v aw="$4" -v ac="$5" -v bw="$6" -v bc="$7" \
        -v o="${COMPARE_AS:-qbay}" '
    function sort(a, n,   i, j, x) {
        for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
    }
    function median(a, n) { sort(a, n); return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
    # Median, lowest and highest of the ratios x[i] / y[i], as "M (L-H)".
    function ratios(xs, ys,   x, y, r, n, i) {
        n = split(xs, x, ","); split(ys, y, ",")
        for (i = 1; i <= n; i++) r[i] = y[i] > 0 ? x[i] / y[i] : 0
        m = median(r, n)
        return sprintf("%5.2fx (%.2f-%.2f)", m, r[1], r[n])
    }
    function med(xs,   x, n) { n = split(xs, x, ","); return median(x, n) }
    # The label padded to 40 columns; a UTF-8 kana or kanji takes two.
    function padded(s,   n, rest, wide) {
        n = length(s); rest = s; n -= gsub(/[\200-\277]/, "", rest)
        rest = s; wide = gsub(/[\340-\357]/, "", rest)
        return s sprintf("%" (40 - n - wide > 0 ? 40 - n - wide : 0) "s", "")
    }
    BEGIN {
        printf "%s %-4s %6.3fs cpu %6.3fs  %-6s %6.3fs cpu %6.3fs  ratio %s cpu %s  (target %s)%s\n",
            padded(ENVIRON["LABEL"]), o, med(aw), med(ac), substr(p, 1, 6), med(bw), med(bc),
            ratios(aw, bw), ratios(ac, bc), t, ENVIRON["NOTE"] }'
}

# compare LABEL TARGET -- QBAY-CMD... -- PEER-CMD...: runs both $RUNS times in turn (after one
# run each that warms the caches) and prints the medians and the ratio qbay/peer. TARGET is a
# text such as "<= 3x" shown beside the ratio for the reader.
compare() {
    local label=$1 target=$2; shift 3
    local ours=() peer=() aw=() ac=() bw=() bc=() w c
    while [ "$1" != "--" ]; do ours+=("$1"); shift; done; shift
    peer=("$@")
    run_once "${ours[@]}" > /dev/null
    run_once "${peer[@]}" > /dev/null
    for _ in $(seq "$RUNS"); do
        read -r w c <<< "$(run_once "${ours[@]}")"; aw+=("$w"); ac+=("$c")
        read -r w c <<< "$(run_once "${peer[@]}")"; bw+=("$w"); bc+=("$c")
    done
    local IFS=,
    report "$label" "$target" "${peer[0]##*/}" "${aw[*]}" "${ac[*]}" "${bw[*]}" "${bc[*]}"
}

# peak_mb CMD...: the peak resident memory of one run of CMD, in MB; peak_kb in KB, for ratios
# of small peaks that whole megabytes would round far off.
peak_mb() {
    /usr/bin/time -f %M "$@" 2>&1 > /dev/null | tail -n 1 | awk '{printf "%.0f", $1 / 1024}'
}
peak_kb() {
    /usr/bin/time -f %M "$@" 2>&1 > /dev/null | tail -n 1
}

# memory LABEL INPUT TARGET-FACTOR QBAY-ARGS...: peak memory of qbay against the input's size.
memory() {
    local label=$1 input=$2 factor=$3; shift 3
    local mb size
    mb=$(peak_mb "$QBAY" "$@")
    size=$(stat -c %s "$input")
    awk -v l="$label" -v m="$mb" -v s="$size" -v f="$factor" 'BEGIN {
        printf "%-40s peak %5d MB  input %5.0f MB  ratio %4.2fx  (target < %sx)\n", l, m, s/1048576, m*1048576/s, f }'
}

echo "qbay $("$QBAY" --version | awk '{print $NF}'), inputs in $BENCH_DIR, $RUNS runs each," \
     "medians, ratio ranges in brackets; load $(cut -d' ' -f1-3 /proc/loadavg)"
for f in "$here"/peers.d/*.sh; do
    [ -n "$only" ] && [[ "$f" != *"$only"* ]] && continue
    echo "== $(basename "$f" .sh)"
    # shellcheck source=/dev/null
    source "$f"
done
