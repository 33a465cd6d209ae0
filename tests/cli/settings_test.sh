#!/bin/bash
# qbay and the settings file: read, never written; anything but a regular file is left alone.
#   tests/cli/settings_test.sh PATH-TO-QBAY
source "$(dirname "$0")/lib.sh" "$1"

printf 'abc\r\n' > sel.txt

# A run changes no setting for a later run: the pattern flag LineSelect sets stays in the run.
q -e 'LineSelect 1 a.c 1 9 1' -e TextAll sel.txt -o /dev/null || fail "LineSelect run: status $?"
[ -e settings.ini ] && fail "qbay wrote the settings file: $(cat settings.ini)"
q -e 'LineSelect 1 a.c 1 9' -e LineDelete sel.txt -o out.txt || fail "later run: status $?"
cmp -s out.txt sel.txt || fail "the pattern flag of an earlier run deleted a line"
# Nor is a damaged file rewritten or copied.
printf '[System]\ngarbage\n' > damaged.ini
q --settings damaged.ini -e 'LineSelect 1 a 1 9 1' sel.txt -o /dev/null 2> err.txt
[ "$(cat damaged.ini)" = $'[System]\ngarbage' ] || fail "the damaged settings file was rewritten"
[ -e damaged.ini.bad ] && fail "a copy of the damaged settings file was made"
grep -q 'line 2' err.txt || fail "no warning for the damaged line: $(cat err.txt)"

# --record never goes over the settings file the run reads.
printf '[System]\nCrLf=0\n' > keep.ini
q --settings keep.ini --record keep.ini -e ToUpper sel.txt -o /dev/null 2> err.txt
[ $? = 1 ] || fail "--record over the settings file: status not 1"
[ "$(cat keep.ini)" = $'[System]\nCrLf=0' ] || fail "--record overwrote the settings file"

# A pipe or a device in place of the settings file: the defaults, a warning, no wait.
mkfifo fifo.ini
timeout 10 "$qbay" --settings fifo.ini -e ToUpper sel.txt -o out.txt 2> err.txt
status=$?
[ $status = 0 ] || fail "settings from a FIFO: status $status"
grep -q 'not a regular file' err.txt || fail "settings from a FIFO: $(cat err.txt)"
timeout 10 "$qbay" --settings /dev/zero -e ToUpper sel.txt -o out.txt 2> err.txt
status=$?
[ $status = 0 ] || fail "settings from /dev/zero: status $status"

# --set takes 32-bit numbers only; one beyond does not wrap round to another value.
for value in 4294967298 -2147483649 99999999999999999999; do
    q --set "System/CrLf=$value" sel.txt -o out.txt 2> err.txt
    [ $? = 2 ] || fail "--set System/CrLf=$value: not a usage error"
done
q --set System/CrLf=2 --set Print/KinsokuLast=abc sel.txt -o out.txt || fail "--set: status $?"
cmp -s out.txt <(printf 'abc\n') || fail "--set System/CrLf=2"

finish "settings checks"
