#!/usr/bin/env bash
# Fetches Debian's source package of expat once into a fixed folder, from
# which the windows preset builds expat with mingw-w64 (static, tools off):
#   fetch-expat-source.sh [FOLDER]      FOLDER: /usr/local/src/vettle-expat
# Needs root for apt. Adds a deb-src entry for the machine's own release
# beside its deb entries if it has none.
set -euo pipefail
target=${1:-/usr/local/src/vettle-expat}
[ -f "$target/expat/lib/expat.h" ] && exit 0

if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            > /etc/apt/sources.list.d/vettle-deb-src.sources
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/vettle-deb-src.list
    fi
    apt-get update
fi
command -v dpkg-source >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends dpkg-dev

work=$(mktemp -d)
cd "$work"
# The newest version whose files the mirror serves (a security update's
# index may name files a mirror does not hold yet).
for version in $(apt-cache showsrc expat | sed -n 's/^Version: //p' | sort -rV); do
    if apt-get source --only-source "expat=$version"; then
        mkdir -p "$(dirname "$target")"
        mv "$(find "$work" -maxdepth 1 -type d -name 'expat-*' | head -n 1)" "$target"
        echo "expat $version unpacked in $target"
        exit 0
    fi
done
echo "no source package of expat could be fetched" >&2
exit 1
