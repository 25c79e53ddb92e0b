#!/usr/bin/env bash
# Tools, cross-built dependencies, configure and build: from a fresh Debian 12 machine (as root) to
# a built tree in $BRAVIK_BUILD_DIR (default build/). Shared by test.sh and run.sh.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRAVIK_BUILD_DIR:-$root/build}"
jobs="$(nproc)"

"$root/scripts/setup.sh"
deps="$("$root/scripts/deps.sh")"

# The compiled-in service addresses are the local services on fixed loopback ports (below the
# ephemeral port range); the production defaults are reserved example domains.
cmake -S "$root" -B "$build" -DBRAVIK_DEPS_PREFIX="$deps" \
    -DBRAVIK_ACCOUNT_BASE_URL=https://localhost:28443/ \
    -DBRAVIK_CRASH_REPORT_URL=http://127.0.0.1:28080/DoLoadLog.php >/dev/null
cmake --build "$build" -j "$jobs"
