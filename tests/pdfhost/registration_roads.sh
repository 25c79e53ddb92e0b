#!/usr/bin/env bash
# Registration lives in the Wine prefix, so these roads run in a fresh prefix of their own:
# not registered -> the non-administrator road, of the wrapper and of the program's entry point ->
# still not registered -> the administrator road registers -> regsvr32 /u and regsvr32 take it
# away and back.
#
#   registration_roads.sh WINE_RUN TEST_EXE WKE_DLL PREFIX ENTRY_TEST_EXE
set -euo pipefail
wine_run="$1" exe="$2" dll="$3" prefix="$4" entry_exe="$5"
dll_windows="Z:$(printf '%s' "$dll" | tr '/' '\\')"

rm -rf "$prefix" "$prefix.lock"
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true' EXIT

step() {
    local filter="$1" test_exe="${2:-$exe}" out
    echo "== $filter"
    out="$("$wine_run" --prefix "$prefix" "$test_exe" --gtest_filter="$filter" 2>&1)" || { echo "$out"; exit 1; }
    echo "$out" | grep -q '\[  PASSED  \] 1 test' || { echo "$out"; echo "no test ran for $filter"; exit 1; }
}

step 'Registration.EngineIsNotCreatable'
step 'Fallback.WithoutAdministratorRightsStartsItselfElevated'
step 'Registration.EngineIsNotCreatable'
step 'EntryPoint.*' "$entry_exe"
step 'Registration.EngineIsNotCreatable'
step 'Fallback.AsAdministratorRegistersTheControlAndReturnsTheWrapper'
step 'Registration.EngineIsCreatable'
echo "== regsvr32 /u"
"$wine_run" --prefix "$prefix" regsvr32 /u "$dll_windows"
step 'Registration.EngineIsNotCreatable'
echo "== regsvr32"
"$wine_run" --prefix "$prefix" regsvr32 "$dll_windows"
step 'Registration.EngineIsCreatable'
echo "all registration roads passed"
