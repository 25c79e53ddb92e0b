#!/usr/bin/env bash
# Everything from a fresh Debian 12 machine (as root) to a CTest summary: tools, cross-built
# dependencies, configure, build, and every test under Wine on one virtual display.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRAVIK_BUILD_DIR:-$root/build}"
jobs="$(nproc)"

"$root/scripts/build.sh"

source "$root/scripts/i386.sh"
if ! require_i386; then
    # Only the parsers' native fuzz targets can run here; the run fails all the same.
    "$root/scripts/fuzz.sh" 15 || true
    exit 1
fi

# One display for the whole run: Wine's desktop process of a prefix lives on one display.
source "$root/scripts/display.sh"
start_display
export BRAVIK_WINEPREFIX="$build/wineprefix"
trap 'stop_display' EXIT

status=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@" || status=$?

# The parsers' fuzz targets, natively, a short while each from their seeds: a seed that fails
# again or a quick finding fails the run.
"$root/scripts/fuzz.sh" 15 || status=1
exit "$status"
