# Opening and saving: qbay reads every line and writes it back to a file that it syncs before
# renaming it over the target, against a copy that syncs as well (dd conv=fsync). cp copies in
# the kernel and syncs nothing, so it would compare a durable save with a copy that is not.
compare "open + save, 100 MB prose" "<= 1.5x" -- "$QBAY" "$PROSE" -o "$OUT/prose.txt" -- \
    dd if="$PROSE" of="$OUT/dd.txt" bs=4M conv=fsync status=none
compare "open + save, 1,000,000 short lines" "<= 1.5x" -- "$QBAY" "$SHORT" -o "$OUT/short.txt" -- \
    dd if="$SHORT" of="$OUT/dd.txt" bs=4M conv=fsync status=none
cmp -s "$OUT/prose.txt" "$PROSE" || echo "open + save: the prose came back different"
memory "peak memory, 100 MB prose" "$PROSE" 2 "$PROSE" -o "$OUT/prose.txt"
memory "peak memory, 1,000,000 short lines" "$SHORT" 3 "$SHORT" -o "$OUT/short.txt"
