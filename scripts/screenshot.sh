#!/bin/sh
# Remakes docs/screenshot.png, the main window as the README shows it: the two bundled samples
# side by side, line numbers on, lines 4 to 6 of the first as the target range; and
# docs/preview.png, the replace dialog previewing "、" to "，" on the first sample; and
# docs/utf8.png, the UTF-8 sample with its emoji, its code and line ends in the status bar (the
# emoji need a colour emoji font, fonts-noto-color-emoji on Debian); and docs/find.png, the Find
# dialog over the first sample with the line found framed. Needs no display.
#   scripts/screenshot.sh [BUILD-DIR]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
cmake --build "$build" --target quillbay-screenshot
QT_QPA_PLATFORM=offscreen "$build/app/gui/screenshot/quillbay-screenshot" "$here/docs/screenshot.png" \
    "$here/samples/sample.txt" "$here/samples/sample-euc.txt"
QT_QPA_PLATFORM=offscreen "$build/app/gui/screenshot/quillbay-screenshot" --preview "$here/docs/preview.png" \
    "$here/samples/sample.txt"
QT_QPA_PLATFORM=offscreen "$build/app/gui/screenshot/quillbay-screenshot" --single "$here/docs/utf8.png" \
    "$here/samples/sample-utf8.txt"
QT_QPA_PLATFORM=offscreen "$build/app/gui/screenshot/quillbay-screenshot" --find "$here/docs/find.png" \
    "$here/samples/sample.txt" 禁則
echo "wrote docs/screenshot.png, docs/preview.png, docs/utf8.png and docs/find.png"
