#!/usr/bin/env bash
# Runs one scenario suite on a loopback network and a display of its own, so that suites run side
# by side: each starts the local services on the same fixed ports, and real clicks must land on
# its own windows. Where a private network cannot be made (not root), suites take turns instead.
#
#   run_isolated.sh PREFIX command [args...]
#
# PREFIX is the suite's Wine prefix; its Wine server is let finish before the display goes.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
prefix="$1"
shift

if [ -z "${BRAVIK_ISOLATED:-}" ] && unshare --net true 2>/dev/null; then
    exec env BRAVIK_ISOLATED=1 unshare --net -- "$0" "$prefix" "$@"
fi
if [ -n "${BRAVIK_ISOLATED:-}" ]; then
    ip link set lo up
else
    mkdir -p "$(dirname "$prefix")"
    exec 8>"$(dirname "$prefix")/services.lock"
    flock 8
fi

unset DISPLAY
source "$here/../../scripts/display.sh"
start_display
export BRAVIK_WINEPREFIX="$prefix"
trap stop_display EXIT
"$@"
