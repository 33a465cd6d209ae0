# The desktop program's text view, offscreen (bench/gui/quillbay_view_bench): opening a file to
# its first painted page, timed whole against qbay opening and saving the same file; then the
# repaints after jumps and page down, and the peak memory, as the program measures them.
VIEW_BENCH=$(cd "$build" && pwd)/bench/quillbay_view_bench
if [ ! -x "$VIEW_BENCH" ]; then
    echo "quillbay_view_bench missing: configure $build with -DQB_BENCH=ON and the desktop program"
else
    for input in "$PROSE" "$SHORT"; do
        name=$(basename "$input" .txt)
        COMPARE_AS=view compare "open to first painted page, $name" "<= 1.5x" -- \
            "$VIEW_BENCH" --first "$input" -- "$QBAY" "$input" -o "$OUT/$name.txt"
        echo "view of $name:"
        "$VIEW_BENCH" "$input" 2>/dev/null | sed 's/^/    /'
    done
fi
