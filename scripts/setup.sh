#!/usr/bin/env bash
# Installs every tool the build, the tests and a local run need on a Debian 12 machine (as root).
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
    wine wine32 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
    cmake make perl dpkg-dev xvfb xauth x11-utils imagemagick fonts-wqy-microhei
    python3 openssl ca-certificates xdotool googletest locales iproute2 util-linux
    # Native fuzzing of the parsers (scripts/fuzz.sh): clang with libFuzzer and the sanitizers.
    clang libclang-rt-14-dev libjsoncpp-dev
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    missing=("${packages[@]}")
else
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
fi

# apt-get source needs a deb-src entry for Debian's own archive.
if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    cat > /etc/apt/sources.list.d/debian-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes the file-name and command-line encoding from the Unix locale: without a generated
# zh_CN.UTF-8, non-ASCII paths and arguments do not survive.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
