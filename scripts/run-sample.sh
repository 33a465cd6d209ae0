#!/bin/sh
# Shows what qbay does with the bundled sample (samples/sample.txt, Shift-JIS).
#   scripts/run-sample.sh PATH-TO-QBAY
set -eu
qbay=$1
sample="$(dirname "$0")/../samples/sample.txt"
settings=$(mktemp)
trap 'rm -f "$settings"' EXIT

echo "== samples/sample.txt read and written back by qbay (shown in UTF-8):"
"$qbay" --settings "$settings" "$sample" -o - | iconv -f CP932 -t UTF-8
