# What the qbay end-to-end scripts share; each sources it with the path of qbay:
#   source "$(dirname "$0")/lib.sh" "$1"
# It gives $qbay (absolute), a scratch folder $work that is the current folder and goes at exit
# (read-only files in it included), settings kept there, and q, fail and finish.
set -u
qbay=$(realpath "$1")
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work" || exit 1
export QUILLBAY_SETTINGS=$work/settings.ini
export LC_ALL=C  # system error texts in English, as the checks expect
failures=0

# q ARGS...: runs qbay with the scratch settings.
q() { "$qbay" --settings "$work/settings.ini" "$@"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# finish WHAT: says that all WHAT passed, or exits with 1 when any check failed.
finish() {
    [ "$failures" = 0 ] && echo "all $1 passed"
    exit $((failures > 0))
}
