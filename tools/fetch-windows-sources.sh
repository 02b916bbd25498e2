#!/usr/bin/env bash
# Fetches, once each, what the windows preset compiles with mingw-w64 but
# cannot take from the machine's own packages:
#   fetch-windows-sources.sh [PREFIX]       PREFIX: /usr/local/src
#   PREFIX/vettle-expat            expat's Debian source package (built static, tools off)
#   PREFIX/vettle-tomlplusplus     Debian's libtomlplusplus-dev, unpacked: usr/include/toml++
#   PREFIX/vettle-nlohmann-json    Debian's nlohmann-json3-dev, unpacked: usr/include/nlohmann
# The last two are headers alone, the same on every host. Needs root for
# apt. Adds a deb-src entry for the machine's own release beside its deb
# entries if it has none.
set -euo pipefail
prefix=${1:-/usr/local/src}
mkdir -p "$prefix"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A binary package's files under `target`, as dpkg would install them,
# unless `header` is there already.
unpackdeb() {
    local package=$1 target=$2 header=$3
    [ -f "$target/$header" ] && return 0
    local work=$scratch/$package deb
    mkdir "$work"
    (cd "$work" && apt-get download "$package")
    deb=$(find "$work" -maxdepth 1 -name "${package}_*.deb" | head -n 1)
    dpkg-deb -x "$deb" "$work/unpacked"
    [ -f "$work/unpacked/$header" ] || { echo "$package holds no $header" >&2; return 1; }
    rm -rf "$target"
    mkdir -p "$(dirname "$target")"
    mv "$work/unpacked" "$target"
    echo "$package $(dpkg-deb -f "$deb" Version) unpacked in $target"
}

fetchexpat() {
    local target=$1
    [ -f "$target/expat/lib/expat.h" ] && return 0
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

    local work=$scratch/expat version
    mkdir "$work"
    # The newest version whose files the mirror serves (a security update's
    # index may name files a mirror does not hold yet).
    for version in $(apt-cache showsrc expat | sed -n 's/^Version: //p' | sort -rV); do
        if (cd "$work" && apt-get source --only-source "expat=$version"); then
            mv "$(find "$work" -maxdepth 1 -type d -name 'expat-*' | head -n 1)" "$target"
            echo "expat $version unpacked in $target"
            return 0
        fi
    done
    echo "no source package of expat could be fetched" >&2
    return 1
}

fetchexpat "$prefix/vettle-expat"
unpackdeb libtomlplusplus-dev "$prefix/vettle-tomlplusplus" usr/include/toml++/toml.h
unpackdeb nlohmann-json3-dev "$prefix/vettle-nlohmann-json" usr/include/nlohmann/json.hpp
