#!/bin/bash
# make install: installs into a temporary DESTDIR under another prefix and checks the tree: the
# programs, qbay's man page and bash completion (both made from the command table), and for the
# desktop program its desktop entry, icon and HTML help.
#   install_test.sh BUILD-DIR
set -u
build=$(realpath "$1")
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
export LC_ALL=C
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# make install built every target, tests and fuzz targets included (an hour at one job), where it
# needs only the programs and their files: it builds the target "installable", and that target
# nothing of the tests, the fuzz targets or the benchmarks.
source=$(cd "$(dirname "$0")/.." && pwd)
make -n -C "$source" install BUILD="$build" 2> /dev/null | grep -q -- '--build .* --target installable$' ||
    fail "make install does not build the target installable alone"
if [ -f "$build/build.ninja" ]; then
    if commands=$(ninja -C "$build" -t commands installable 2>&1); then
        needless=$(printf '%s\n' "$commands" | grep -oE -- '-o (tests|fuzz|bench)/[^ ]*' | head -n 3)
        [ -z "$needless" ] || fail "installing builds what it does not install: $needless"
        for program in app/cli/qbay app/cli/qbay.1; do
            printf '%s\n' "$commands" | grep -q -- "-o $program\b\|$program\$" ||
                fail "installable does not build $program"
        done
    else
        fail "no target installable: $commands"
    fi
fi

DESTDIR=$dest cmake --install "$build" --prefix /opt/qb > "$dest.log" 2>&1 ||
    { cat "$dest.log"; fail "cmake --install failed"; }
rm -f "$dest.log"
root=$dest/opt/qb

# Nothing lands outside the prefix.
[ "$(ls -A "$dest")" = opt ] || fail "installed outside the prefix: $(ls -A "$dest")"

[ -x "$root/bin/qbay" ] || fail "bin/qbay missing"
"$root/bin/qbay" --version | grep -q '^qbay (Quillbay) ' || fail "installed qbay does not run"

# The man page names every macro command and every option, and is clean roff.
page=$root/share/man/man1/qbay.1
if [ -f "$page" ]; then
    for command in $("$root/bin/qbay" --list | sed -n 's/^  \([A-Za-z0-9]*\).*/\1/p'); do
        grep -q "^\\\\fB$command\\\\fR" "$page" || fail "man page lacks $command"
    done
    grep -q 'fB\\-\\-strict' "$page" || fail "man page lacks --strict"
    if command -v groff > /dev/null; then
        warnings=$(groff -k -man -Tutf8 -ww -z "$page" 2>&1)
        [ -z "$warnings" ] || fail "man page: $warnings"
    fi
else
    fail "share/man/man1/qbay.1 missing"
fi

# The completion offers command names after -e and --help, options after -.
completion=$root/share/bash-completion/completions/qbay
if [ -f "$completion" ]; then
    complete_words() {
        bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _qbay
                 printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@"
    }
    [ "$(complete_words qbay -e TurnC)" = TurnChange ] || fail "completion of -e TurnC"
    [ "$(complete_words qbay --help SjisToU | sort | tr '\n' ' ')" = "SjisToUrl SjisToUtf8 " ] ||
        fail "completion of --help SjisToU: $(complete_words qbay --help SjisToU)"
    [ "$(complete_words qbay --str)" = --strict ] || fail "completion of --str"
    # Command names are read in any case; auto is a code to read in, not one to write.
    [ "$(complete_words qbay -e turnc)" = TurnChange ] || fail "completion of -e turnc"
    [ -z "$(complete_words qbay --to a)" ] || fail "completion of --to offers auto"
    [ "$(complete_words qbay --from a)" = auto ] || fail "completion of --from a"
else
    fail "bash completion missing"
fi

# The desktop program, when this build has it.
if [ -x "$build/app/gui/quillbay" ]; then
    [ -x "$root/bin/quillbay" ] || fail "bin/quillbay missing"
    entry=$root/share/applications/quillbay.desktop
    for line in 'Type=Application' 'Exec=quillbay %f' 'Icon=quillbay' 'MimeType=text/plain;'; do
        grep -qxF "$line" "$entry" 2> /dev/null || fail "desktop entry lacks $line"
    done
    [ -f "$root/share/icons/hicolor/scalable/apps/quillbay.svg" ] || fail "icon missing"
    [ -f "$root/share/quillbay/help/index.html" ] || fail "HTML help missing"
    # The standard keys a new user starts with.
    [ -s "$root/share/quillbay/quillbay.key" ] || fail "default key file missing"
fi

[ "$failures" = 0 ] && echo "all install checks passed"
exit $((failures > 0))
