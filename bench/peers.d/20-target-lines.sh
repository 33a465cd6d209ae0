# Target lines and undo. qbay cannot choose target lines from its command line yet, so these run
# the benchmark programs (built with -DQB_BENCH=ON):
# - bench/target_lines_bench: the document's line test over every line of a 1,000,000-line file,
#   against LC_ALL=C grep -c on the same file (plain condition) and grep -cP on a UTF-8 copy
#   (pattern condition). CPU time is the fairer figure on a busy machine. The document's loading
#   is not counted, grep's reading is.
# - bench/undo_bench: 100 one-line edits of a 100 MB, 1,000,000-line document, each pushing an
#   undo snapshot.
TL_BENCH=$(cd "$build" && pwd)/bench/target_lines_bench
UNDO_BENCH=$(cd "$build" && pwd)/bench/undo_bench
LINES=$BENCH_DIR/lines.txt
[ -s "$LINES" ] || python3 "$here/gen_input.py" lines "$LINES"
for plain_input in "$SHORT" "$LINES"; do
    utf8_copy=${plain_input%.txt}.utf8.txt
    [ -s "$utf8_copy" ] || iconv -f CP932 -t UTF-8 "$plain_input" > "$utf8_copy"
done

# grep_times CMD...: the wall and CPU (user + sys) seconds of $RUNS runs of CMD, as two
# comma-separated lists. The output goes to a file: with its output on /dev/null, grep stops at
# the first match.
grep_times() {
    local walls=() cpus=() t w u s
    for _ in $(seq "$RUNS"); do
        t=$( { TIMEFORMAT="%3R %3U %3S"; time "$@" > "$OUT/grep-count.txt" || true; } 2>&1 | tail -n 1)
        read -r w u s <<< "$t"
        walls+=("$w")
        cpus+=("$(awk -v u="$u" -v s="$s" 'BEGIN { printf "%.3f", u + s }')")
    done
    local IFS=,
    echo "${walls[*]} ${cpus[*]}"
}

# target_compare LABEL TARGET FILE plain|pattern CONDITION-UTF8 -- GREP-CMD...
target_compare() {
    local label=$1 target=$2 file=$3 mode=$4 condition=$5; shift 6
    local sjis count load walls cpus gwalls gcpus
    sjis=$(printf %s "$condition" | iconv -f UTF-8 -t CP932)
    read -r count load walls cpus <<< "$("$TL_BENCH" "$file" "$mode" "$sjis" "$RUNS")"
    read -r gwalls gcpus <<< "$(grep_times "$@")"
    report "$label" "$target" grep "$walls" "$cpus" "$gwalls" "$gcpus" \
        "  lines $count/$(cat "$OUT/grep-count.txt")"
}

if [ ! -x "$TL_BENCH" ] || [ ! -x "$UNDO_BENCH" ]; then
    echo "target_lines_bench or undo_bench missing: configure $build with -DQB_BENCH=ON"
else
    for input in "$SHORT" "$LINES"; do
        name=$(basename "$input" .txt)
        utf8=${input%.txt}.utf8.txt
        for condition in 読んだ ＣＤを 本; do
            sjis=$(printf %s "$condition" | iconv -f UTF-8 -t CP932)
            target_compare "plain $condition, $name" "<= 2x" "$input" plain "$condition" -- \
                env LC_ALL=C grep -c "$sjis" "$input"
        done
        for pattern in '[0-9]+円' '(手紙|本)を.*読んだ' '\bOK\b' '^　'; do
            target_compare "pattern $pattern, $name" "<= 3x" "$input" pattern "$pattern" -- \
                env LC_ALL=C.UTF-8 grep -cP "$pattern" "$utf8"
        done
    done
    echo "undo, 100 one-line edits of $(basename "$LINES") (target: < 1024 MB added, each push < 50 ms)"
    "$UNDO_BENCH" "$LINES" 100 | sed 's/^/    /'
fi
