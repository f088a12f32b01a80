#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each one for a bounded time.
#   fuzz/run.sh [seconds-per-target] [target...]
# Corpora grow in build/fuzz/corpus/<target> across runs (seeded from fuzz/seeds/<target>);
# crashing inputs land in build/fuzz/artifacts/<target>/. Ends with "N passed, N failed".
# QUELLOX_FUZZ_SOURCE and QUELLOX_FUZZ_BUILD override the source and build folders.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source_dir=${QUELLOX_FUZZ_SOURCE:-$root}
build=${QUELLOX_FUZZ_BUILD:-$root/build/fuzz}
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(LzhDecodeFuzz SkinReaderFuzz QuickIniFuzz LzhRoundTripFuzz BmpFileFuzz)

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
    echo "usage: fuzz/run.sh [seconds-per-target] [target...]" >&2
    exit 2
fi
command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (scripts/bootstrap.sh installs it)" >&2; exit 1; }

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$source_dir" -B "$build" --preset fuzz >/dev/null || exit 1
fi
cmake --build "$build" -j "${JOBS:-2}" --target "${targets[@]}" >/dev/null || exit 1

passed=0
failed=0
for t in "${targets[@]}"; do
    bin=$(find "$build" -type f -name "$t" -perm -u+x | head -n 1)
    corpus=$build/corpus/$t
    artifacts=$build/artifacts/$t
    mkdir -p "$corpus" "$artifacts"
    seeds=()
    [ -d "$root/fuzz/seeds/$t" ] && seeds=("$root/fuzz/seeds/$t")
    echo "== $t: ${seconds}s"
    if "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
              -artifact_prefix="$artifacts/" "$corpus" "${seeds[@]}" >"$build/$t.log" 2>&1; then
        passed=$((passed + 1))
        grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/$t.log" | tr '\n' ' '
        echo "(corpus $(ls "$corpus" | wc -l) files)"
    else
        failed=$((failed + 1))
        echo "$t FAILED: see $build/$t.log and $artifacts/"
        tail -n 30 "$build/$t.log"
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
