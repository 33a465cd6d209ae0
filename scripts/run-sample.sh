#!/bin/sh
# Shows what qbay does with the bundled sample (samples/sample.txt, Shift-JIS): read back, and
# run through a few macro lines with -e.
#   scripts/run-sample.sh PATH-TO-QBAY
set -eu
qbay=$1
sample="$(dirname "$0")/../samples/sample.txt"
settings=$(mktemp)
trap 'rm -f "$settings"' EXIT

# run_qbay MACRO-LINE... : the sample through qbay -e LINE -e LINE ..., to standard output.
run_qbay() {
    count=$#
    for line in "$@"; do set -- "$@" -e "$line"; done
    shift "$count"
    "$qbay" --settings "$settings" "$@" "$sample" -o -
}

# show TITLE MACRO-LINE... : the result, turned into UTF-8 for the terminal by a last SjisToUtf8
# over every line (TextAll first: the macro lines may have left only some lines as targets).
show() {
    title=$1
    shift
    printf '\n== qbay'
    printf " -e '%s'" "$@" TextAll SjisToUtf8
    printf ' samples/sample.txt -o -    # %s\n' "$title"
    run_qbay "$@" TextAll SjisToUtf8
}

echo "== samples/sample.txt read by qbay and shown in UTF-8 (qbay -e SjisToUtf8 samples/sample.txt):"
run_qbay SjisToUtf8

show "fold at 40 columns with the kinsoku rules" "TurnChange 40"
show "full width to half width, then fold at 70 columns" "ZenToHan" "TurnChange 70"
show "lines 4 to 6 chosen, replaced by one line" "LineSelect 1 \\b 4 6 0" "LineDelete" \
    "InsertLine 3 (three\\slines\\swere\\shere)"
show "half width to full width, then hiragana to katakana" "HanToZen" "HiraToKana"
show "replace ignoring width, then quote every line" "Replace ABC xyz 1 0" "InsertString 1 >\\s"
