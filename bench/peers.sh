#!/bin/bash
# Runs qbay and the peer tools (cp, iconv, nkf, GNU fold/sed/sort, ...) on the same generated
# inputs, in one run, and prints the time ratios and peak memory.
#
#   bench/peers.sh [BUILD-DIR] [ONLY]
#
# BUILD-DIR holds app/cli/qbay (default build-bench). ONLY, when given, runs only the
# comparison files in bench/peers.d/ whose name contains it. Inputs are generated once into
# $QB_BENCH_DIR (default /tmp/qbay-bench) by bench/gen_input.py:
#   prose.txt  ~100 MB Shift-JIS prose, long paragraph lines
#   short.txt  1,000,000 short lines
# Each timing is the best of $QB_BENCH_RUNS runs (default 3) of the whole command.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build-bench}
only=${2:-}
QBAY=$(cd "$build" && pwd)/app/cli/qbay
BENCH_DIR=${QB_BENCH_DIR:-/tmp/qbay-bench}
RUNS=${QB_BENCH_RUNS:-3}
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

# best_time CMD...: prints the best wall time in seconds of $RUNS runs of CMD (output discarded).
best_time() {
    local best="" t
    for _ in $(seq "$RUNS"); do
        t=$( { TIMEFORMAT=%R; time "$@" > /dev/null 2>&1; } 2>&1 )
        if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    done
    echo "$best"
}

# peak_mb CMD...: the peak resident memory of one run of CMD, in MB.
peak_mb() {
    /usr/bin/time -f %M "$@" 2>&1 > /dev/null | tail -n 1 | awk '{printf "%.0f", $1 / 1024}'
}

# compare LABEL TARGET -- QBAY-CMD... -- PEER-CMD...: times both, prints the ratio qbay/peer.
# TARGET is a text such as "<= 3x" shown beside the ratio for the reader.
compare() {
    local label=$1 target=$2; shift 3
    local ours=() peer=()
    while [ "$1" != "--" ]; do ours+=("$1"); shift; done; shift
    peer=("$@")
    local t_ours t_peer
    t_ours=$(best_time "${ours[@]}")
    t_peer=$(best_time "${peer[@]}")
    awk -v l="$label" -v a="$t_ours" -v b="$t_peer" -v t="$target" -v p="${peer[0]##*/}" 'BEGIN {
        r = (b > 0) ? a / b : 0
        printf "%-44s qbay %6.2fs  %-8s %6.2fs  ratio %5.2fx  (target %s)\n", l, a, p, b, r, t }'
}

# memory LABEL INPUT TARGET-FACTOR QBAY-ARGS...: peak memory of qbay against the input's size.
memory() {
    local label=$1 input=$2 factor=$3; shift 3
    local mb size
    mb=$(peak_mb "$QBAY" "$@")
    size=$(stat -c %s "$input")
    awk -v l="$label" -v m="$mb" -v s="$size" -v f="$factor" 'BEGIN {
        printf "%-44s peak %5d MB  input %5.0f MB  ratio %4.2fx  (target < %sx)\n", l, m, s/1048576, m*1048576/s, f }'
}

echo "qbay $("$QBAY" --version | awk '{print $NF}'), inputs in $BENCH_DIR, best of $RUNS runs"
for f in "$here"/peers.d/*.sh; do
    [ -n "$only" ] && [[ "$f" != *"$only"* ]] && continue
    echo "== $(basename "$f" .sh)"
    # shellcheck source=/dev/null
    source "$f"
done
