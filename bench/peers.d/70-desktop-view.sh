# The desktop program's text view, offscreen (bench/gui/quillbay_view_bench): opening a file to
# its first painted page, timed whole against qbay opening and saving the same file; then the
# repaints after jumps and page down, and the peak memory, as the program measures them.
VIEW_BENCH=$(cd "$build" && pwd)/bench/quillbay_view_bench
if [ ! -x "$VIEW_BENCH" ]; then
    echo "quillbay_view_bench missing: configure $build with -DQB_BENCH=ON and the desktop program"
else
    for input in "$PROSE" "$SHORT"; do
        name=$(basename "$input" .txt)
        t_view=$(best_time "$VIEW_BENCH" --first "$input")
        t_qbay=$(best_time "$QBAY" "$input" -o "$OUT/$name.txt")
        awk -v l="open to first painted page, $name" -v a="$t_view" -v b="$t_qbay" 'BEGIN {
            printf "%-44s view %6.2fs  qbay -o %6.2fs  ratio %5.2fx  (target <= 1.5x)\n", l, a, b, (b > 0) ? a / b : 0 }'
        echo "view of $name:"
        "$VIEW_BENCH" "$input" 2>/dev/null | sed 's/^/    /'
    done
fi
