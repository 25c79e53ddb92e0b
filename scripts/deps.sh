#!/usr/bin/env bash
# Cross-builds the project's dependencies for i686-w64-mingw32 from Debian's source packages
# (OpenSSL, libcurl with OpenSSL, jsoncpp, pugixml) and GoogleTest from /usr/src/googletest, into a
# prefix outside the work tree. The prefix is keyed by the source versions and this script's content,
# so a clean clone on the same machine reuses it. Prints the prefix path on stdout; logs go to stderr.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
toolchain="$root/cmake/mingw32.cmake"
cache="${BRAVIK_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/bravik-deps}"
jobs="$(nproc)"
triple=i686-w64-mingw32

log() { echo "deps: $*" >&2; }

newest_source() {
    apt-cache showsrc "$1" | awk '/^Version:/ {print $2}' | sort -V | tail -n 1
}

declare -A version
for pkg in openssl curl libjsoncpp pugixml; do
    version[$pkg]="$(newest_source "$pkg")"
    [ -n "${version[$pkg]}" ] || { log "no source package $pkg (is a deb-src entry present? run scripts/setup.sh)"; exit 1; }
done
version[googletest]="$(dpkg-query -W -f='${Version}' googletest)"

key="$( {
    cat "${BASH_SOURCE[0]}" "$toolchain"
    for p in openssl curl libjsoncpp pugixml googletest; do echo "$p=${version[$p]}"; done
    "$triple-g++-posix" --version | head -n 1
} | sha256sum | cut -c1-16)"
prefix="$cache/$key"

if [ -f "$prefix/.complete" ]; then
    log "reusing $prefix"
    echo "$prefix"
    exit 0
fi

work="$cache/build-$key"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"
cd "$work"

fetch() { # package → unpacked source folder
    local pkg="$1"
    (apt-get source -q --download-only "$pkg=${version[$pkg]}" >&2)
    dpkg-source -x --no-check ./*"${pkg}"_*.dsc "src-$pkg" >&2
    echo "$work/src-$pkg"
}

cmake_dep() { # source folder, extra cmake arguments...
    local src="$1"; shift
    cmake -S "$src" -B "$src/_build" -G "Unix Makefiles" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBRAVIK_DEPS_PREFIX="$prefix" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DBUILD_SHARED_LIBS=OFF "$@" >&2
    cmake --build "$src/_build" -j "$jobs" >&2
    cmake --install "$src/_build" >&2
}

log "OpenSSL ${version[openssl]}"
src="$(fetch openssl)"
(
    cd "$src"
    # OpenSSL's own assembly for COFF (every handshake's arithmetic): Debian's patch that makes it
    # position-independent for ELF (GOT relocations, .hidden) does not assemble for COFF, so it is
    # taken back out of this copy of the source.
    patch -R -p1 <debian/patches/pic.patch >&2
    CC="$triple-gcc-posix" AR="$triple-ar" RANLIB="$triple-ranlib" RC="$triple-windres" \
        ./Configure mingw no-shared no-tests --prefix="$prefix" --libdir=lib \
        --openssldir="$prefix/ssl" >&2
    make -j "$jobs" build_libs >&2
    make install_dev >&2
)

log "curl ${version[curl]}"
src="$(fetch curl)"
cmake_dep "$src" -DCURL_USE_OPENSSL=ON -DCURL_USE_SCHANNEL=OFF -DOPENSSL_ROOT_DIR="$prefix" \
    -DOPENSSL_USE_STATIC_LIBS=ON -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DHTTP_ONLY=ON \
    -DCURL_USE_LIBSSH2=OFF -DUSE_LIBIDN2=OFF -DCURL_ZLIB=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF \
    -DENABLE_MANUAL=OFF -DCURL_CA_BUNDLE=none -DCURL_CA_PATH=none -DCURL_DISABLE_LDAP=ON \
    -DUSE_NGHTTP2=OFF -DUSE_WIN32_IDN=OFF -DENABLE_UNIX_SOCKETS=OFF

log "jsoncpp ${version[libjsoncpp]}"
src="$(fetch libjsoncpp)"
cmake_dep "$src" -DJSONCPP_WITH_TESTS=OFF -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF \
    -DJSONCPP_WITH_PKGCONFIG_SUPPORT=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_OBJECT_LIBS=OFF

log "pugixml ${version[pugixml]}"
src="$(fetch pugixml)"
cmake_dep "$src" -DPUGIXML_BUILD_TESTS=OFF

log "GoogleTest ${version[googletest]}"
cp -r /usr/src/googletest "$work/src-googletest"
cmake_dep "$work/src-googletest" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -Dgtest_disable_pthreads=ON

cd /
rm -rf "$work"
touch "$prefix/.complete"
log "built $prefix"
echo "$prefix"
