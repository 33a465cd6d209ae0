#!/bin/sh
# Installs the Debian packages Quillbay needs to build and test, and nothing else.
# Idempotent: it asks apt only when a package is missing, and updates the package lists only then.
#
#   scripts/install-deps.sh [EXTRA-PACKAGE...]
set -eu

packages="cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev libpcre2-dev libcurl4-openssl-dev
          qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic parallel $*"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
else
    echo "These packages are missing and this user cannot install them:$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing
