#!/usr/bin/env bash
# Everything from a fresh Debian 12 machine (as root) to a CTest summary: tools, cross-built
# dependencies, configure, build, and every test under Wine on one virtual display.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRAVIK_BUILD_DIR:-$root/build}"
jobs="$(nproc)"

"$root/scripts/setup.sh"
deps="$("$root/scripts/deps.sh")"

# The test build's compiled-in service addresses are the local services on fixed loopback ports
# (below the ephemeral port range); the production defaults are reserved example domains.
cmake -S "$root" -B "$build" -DBRAVIK_DEPS_PREFIX="$deps" \
    -DBRAVIK_ACCOUNT_BASE_URL=https://localhost:28443/ \
    -DBRAVIK_CRASH_REPORT_URL=http://127.0.0.1:28080/DoLoadLog.php >/dev/null
cmake --build "$build" -j "$jobs"

# One display for the whole run: Wine's desktop process of a prefix lives on one display.
source "$root/scripts/display.sh"
start_display
export BRAVIK_WINEPREFIX="$build/wineprefix"
trap 'stop_display' EXIT

ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
