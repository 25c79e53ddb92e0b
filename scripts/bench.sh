#!/usr/bin/env bash
# Start-up, hand-off and MD5 figures of the program beside baselines of the project's own, from one
# run in one Wine prefix (build/bench/wineprefix, one Wine server for the run), with the local
# services on the compiled-in ports, so the start-up's requests (TLS included) are in the figures.
# Not a test: it prints figures (tests/bench/bench.py takes them), and it fails (non-zero, with a
# message) only when a run did not take the road its figure names, which must never count as a
# better figure.
#
#   scripts/bench.sh [--runs N] [--no-build]      (N defaults to 9)
#
# Every figure is the minimum, median and maximum of N runs, after one untimed warm-up; ratios and
# differences are of medians; a program and its baselines take turns, run after run.
# - launch: from the start of `wine program.exe` (as a launcher on the desktop starts it) until a
#   visible top-level window with the main window's title answers a sent WM_NULL, holds what the
#   road puts in it and has painted itself: neither it nor a child window has a part left to paint.
#   A watcher of the project's own inside the same Wine session (tests/bench/window_watch.cpp)
#   polls every millisecond for the window, sends WM_NULL, polls for the road's windows and text
#   and the windows' update regions and reports; the benchmark takes its clock when the report
#   arrives. The program's road: its main window holds the PDF control's window (visible, of some
#   size, painted as every child window) and, signed in, its account area shows the profile's user
#   name (the watcher asks the UI library's inspection window, as the tool souispy does, then looks
#   at the paint again). The WM_NULL round trip means the process has left its start-up and pumps
#   messages, and the road and paint checks mean what the user sees is there and drawn, so neither
#   a window shown early nor work put off past the first paint can shorten the figure. The window
#   is then closed and the process awaited. Two states, both later starts (first-start marker set:
#   no guide): settings without a stored user, and a stored user with the sign-in switch on (the
#   service's default reply), which makes three signed requests before the window shows.
#   Checked after each run, once the process has ended: the services' request log holds exactly
#   the run's account requests (without a user the start-up information; signed in that, the
#   profile and the main window's profile), each logged no later than the figure's end, validly
#   signed, all with the one machine code and version.
#   Baselines: tests/bench/minimal_window.c (one window, no work), and the floor
#   (tests/bench/floor.cpp, `bench_floor window`): a program with the program's imports (the
#   benchmark compares the import tables and stops when they differ) that builds the program's
#   application state, makes the same account requests through the program's own account client
#   over TLS, then shows and paints a window of the main window's size (1100 x 700). Each is timed
#   the same way (a window of their title, answering and painted), and the floor's requests are
#   checked as the program's are.
# - hand-off: with a first instance running, from the start of a second launch with a PDF of its
#   own on its command line until that process has ended (it hands the document over and waits
#   until the first instance has opened it). Checked after each run: the launch made its one
#   start-up request, logged before it ended, and the first instance's PDF control journal
#   (BRAVIK_PDFCONTROL_JOURNAL) shows exactly that document opened and no call refused. Baselines:
#   tests/bench/exit_at_once.c, and the floor without a window (`bench_floor`: the program's
#   imports and its start-up request, then it ends). After every start the first instance is
#   awaited as above (answering, holding the PDF control's window, painted), untimed, so no start
#   shares the machine with the last one's aftermath.
# - MD5: throughput of CMd5Digest and of OpenSSL's MD5 over one 64 MB buffer, passes taking turns
#   in one process (tests/bench/md5_throughput.cpp); the digests must agree.
# The load average is printed at the start and the end: compare figures taken at a low load only.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRAVIK_BUILD_DIR:-$root/build}"
runs=9
do_build=1
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="$2"; shift 2 ;;
        --no-build) do_build=0; shift ;;
        *) echo "usage: bench.sh [--runs N] [--no-build]" >&2; exit 2 ;;
    esac
done

[ "$do_build" = 0 ] || "$root/scripts/build.sh" >&2

source "$root/scripts/display.sh"
start_display
export BRAVIK_WINEPREFIX="$build/bench/wineprefix"
trap stop_display EXIT
python3 "$root/tests/bench/bench.py" --build "$build" --runs "$runs"
