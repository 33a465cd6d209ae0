#!/bin/sh
# Shows what qbay does with the bundled sample (samples/sample.txt, Shift-JIS): read back, and
# run through a few macro lines with -e.
#   scripts/run-sample.sh PATH-TO-QBAY
set -eu
qbay=$1
sample="$(dirname "$0")/../samples/sample.txt"
settings=$(mktemp)
out=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$settings" "$out" "$errors"' EXIT

echo "== samples/sample.txt read and written back by qbay (shown in UTF-8):"
"$qbay" --settings "$settings" "$sample" -o - | iconv -f CP932 -t UTF-8

# run_qbay MACRO-LINE... : the sample through qbay -e LINE -e LINE ..., to standard output.
run_qbay() {
    count=$#
    for line in "$@"; do set -- "$@" -e "$line"; done
    shift "$count"
    "$qbay" --settings "$settings" "$@" "$sample" -o -
}

# show TITLE MACRO-LINE... : the result, turned into UTF-8 for the terminal by a last
# SjisToUtf8 (or by iconv, while this build lacks SjisToUtf8).
show() {
    title=$1
    shift
    printf '\n== qbay'
    printf " -e '%s'" "$@" SjisToUtf8
    printf ' samples/sample.txt -o -    # %s\n' "$title"
    if run_qbay "$@" SjisToUtf8 >"$out" 2>"$errors"; then
        cat "$out"
    elif run_qbay "$@" >"$out" 2>"$errors"; then
        iconv -f CP932 -t UTF-8 <"$out"
    else
        sed 's/^/   /' "$errors"
        echo "   (not available in this build yet)"
    fi
}

show "fold at 40 columns with the kinsoku rules" "TurnChange 40"
show "full width to half width, then fold at 70 columns" "ZenToHan" "TurnChange 70"
show "lines 4 to 6 chosen, replaced by one line" "LineSelect 1 \\b 4 6 0" "LineDelete" \
    "InsertLine 3 (three\\slines\\swere\\shere)"
show "replace ignoring width, then quote every line" "Replace ABC xyz 1 0" "InsertString 1 >\\s"
