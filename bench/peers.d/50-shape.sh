# Line shaping: folding with kinsoku against fold, tab expansion against expand, trailing blanks
# against sed (all byte-oriented, LC_ALL=C).
compare "TurnChange 70, 100 MB prose" "<= 2x" -- "$QBAY" -e "TurnChange 70" "$PROSE" -o "$OUT/turn.txt" -- fold -b -w 70 "$PROSE"
compare "TabSpace 8, 100 MB prose" "<= 1.5x" -- "$QBAY" -e "TabSpace 8" "$PROSE" -o "$OUT/tab.txt" -- expand -t 8 "$PROSE"
compare "DelSpaceBack, 100 MB prose" "<= 0.2x" -- "$QBAY" -e DelSpaceBack "$PROSE" -o "$OUT/back.txt" -- sed 's/ *$//' "$PROSE"
