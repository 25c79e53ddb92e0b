#!/usr/bin/env bash
# Coverage-guided fuzzing of the parsers: builds the targets of tests/fuzz natively (clang,
# libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for the
# given seconds (default 180), as many at once as there are cores, from a scratch copy of its
# committed seeds. Fails when a target fails; the input that made it fail is kept in
# build-fuzz/findings/<target>/ and the target's output in build-fuzz/logs/<target>.log.
#
#   scripts/fuzz.sh [seconds] [target...]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRAVIK_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-180}"
shift $(($# > 0 ? 1 : 0))

cmake -S "$root/tests/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1 || { cat "$build/build.log"; exit 1; }

if [ $# -gt 0 ]; then
    targets=("$@")
else
    mapfile -t targets <"$build/fuzz-targets.txt"
fi

fuzz_one() {
    local name="$1"
    local corpus="$build/corpus/$name" findings="$build/findings/$name" log="$build/logs/$name.log"
    rm -rf "$corpus"
    mkdir -p "$corpus" "$findings" "$build/logs"
    cp "$root/tests/fuzz/seeds/$name/"* "$corpus/"
    if "$build/bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" >"$log" 2>&1; then
        echo "fuzz $name: passed, $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs," \
            "$(find "$corpus" -type f | wc -l) inputs in the corpus"
    else
        echo "fuzz $name: FAILED (log $log, input in $findings/)"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|.*property does not hold|artifact_prefix|Test unit written)' "$log" | head -n 10
        return 1
    fi
}
export -f fuzz_one
export build root seconds

printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'fuzz_one "$1"' _ {}
