# Opening and saving: qbay reads every line and writes it back, against cp.
compare "open + save, 100 MB prose" "<= 3x" -- "$QBAY" "$PROSE" -o "$OUT/prose.txt" -- cp "$PROSE" "$OUT/cp.txt"
compare "open + save, 1,000,000 short lines" "<= 3x" -- "$QBAY" "$SHORT" -o "$OUT/short.txt" -- cp "$SHORT" "$OUT/cp.txt"
memory "peak memory, 100 MB prose" "$PROSE" 2 "$PROSE" -o "$OUT/prose.txt"
memory "peak memory, 1,000,000 short lines" "$SHORT" 3 "$SHORT" -o "$OUT/short.txt"
