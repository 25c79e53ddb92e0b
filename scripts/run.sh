#!/usr/bin/env bash
# From a fresh Debian 12 machine (as root): setup and build as scripts/test.sh does, the local
# account and crash-report services on the ports the build names, a sample PDF, and the program
# under Wine with that PDF on its command line. The services stop when the program ends.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRAVIK_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
source "$root/scripts/i386.sh"
require_i386

exe="$build/bin/BravikPdfEditor.exe"
[ -f "$exe" ] || { echo "run.sh: $exe was not built" >&2; exit 1; }

# The services, with their test CA beside the program so TLS is verified against it.
state="$build/run/services"
mkdir -p "$state"
rm -f "$state/ready.json"
python3 "$root/tests/fixtures/services/services.py" --state-dir "$state" --ready-file "$state/ready.json" \
    --account-port 28443 --crash-port 28080 --control-port 28081 \
    --ca-copy "$build/bin/curl-ca-bundle.crt" --parent-pid $$ >"$state/services.log" 2>&1 &
services=$!
trap 'kill "$services" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -f "$state/ready.json" ] && break
    kill -0 "$services" 2>/dev/null || { cat "$state/services.log" >&2; exit 1; }
    sleep 0.1
done
[ -f "$state/ready.json" ] || { echo "run.sh: the local services did not start" >&2; exit 1; }

# A folder name with a blank: Wine passes such an argument inside one pair of quotes, which is
# the program's command-line format for one PDF.
docs="$build/run/示例 文档"
mkdir -p "$docs"
python3 "$root/tests/scenarios/sample_pdf.py" "$docs/sample.pdf" 3
pdf="Z:$(printf '%s' "$docs/sample.pdf" | tr '/' '\\')"

echo "Starting $exe with $pdf (account service https://localhost:28443/, crash service :28080)"
# A Wine prefix of its own, so a run's settings and sign-ins never meet the tests' prefix.
"$root/scripts/wine-run" --prefix "$build/run/wineprefix" "$exe" "$pdf"
