#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer and runs each one, for a short fixed time or
# (--runs) for a fixed number of inputs. Seeds come from the native tests (they write them under
# build/fuzz-seeds when asked).
# Usage: scripts/fuzz.sh [--build-only | --run-only] [--runs | seconds-per-target]
#   --runs  each target tries the number of inputs given below: about 20 s of one core here, the
#           same work however busy the machine is, so the fuzzers may run at a low priority
#           beside other work (scripts/test-all.sh runs them beside the Windows tests).
set -euo pipefail
cd "$(dirname "$0")/.."
build=1
run=1
case ${1:-} in
    --build-only) run=0; shift ;;
    --run-only) build=0; shift ;;
esac
by_runs=0
if [ "${1:-}" = --runs ]; then
    by_runs=1
    shift
fi
seconds=${1:-${ORVA_FUZZ_SECONDS:-20}}
if [ $build = 1 ]; then
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz
fi
[ $run = 1 ] || exit 0

# Inputs a target tries with --runs: about 20 s of one core on the 2-core test machine. A new
# target needs its line here, or the run fails and says so.
runs_of() {
    case $1 in
        fuzz_bmp_layout) echo 8000000 ;;
        fuzz_config_values) echo 950000 ;;
        fuzz_device_image) echo 1200000 ;;
        fuzz_device_replies) echo 360000 ;;
        fuzz_firmware_file) echo 5500 ;;
        fuzz_macro_files) echo 470000 ;;
        fuzz_mouse_model) echo 220000 ;;
        fuzz_profile) echo 450000 ;;
        *) return 1 ;;
    esac
}
# run_one FUZZER: one target for the given time; fails when the fuzzer found a fault.
run_one() {
    local fuzzer=$1 name corpus dictionary
    name=$(basename "$fuzzer")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus" build/fuzz/crashes
    # Inputs as long as the decoder's largest case needs, so that its oversize branch is reached;
    # a dictionary where the decoder looks for words that random bytes seldom spell.
    local extra=()
    case $name in
        fuzz_firmware_file)
            extra=(-max_len=$((1024 * 200 + 1024)))
            # One seed a byte over the largest image, so the refusal is tried from the start.
            [ -f "$corpus/over-the-limit" ] || head -c $((1024 * 200 + 1)) /dev/zero >"$corpus/over-the-limit"
            ;;
    esac
    dictionary=tests/fuzz/dictionaries/$name.dict
    [ -f "$dictionary" ] && extra+=(-dict="$dictionary")
    [ -d "build/fuzz-seeds/$name" ] && cp -n build/fuzz-seeds/"$name"/* "$corpus"/ 2>/dev/null || true
    local budget
    if [ $by_runs = 1 ]; then
        local runs
        runs=$(runs_of "$name") || { echo "fuzz: $name has no number of runs in scripts/fuzz.sh"; return 1; }
        # Bounded all the same, should a target become much slower per input. At a low priority
        # beside busy work an input may wait seconds for the CPU: a hang is a minute here.
        budget=(-runs="$runs" -max_total_time=600 -timeout=60)
        echo "fuzz: $name for $runs inputs"
    else
        budget=(-max_total_time="$seconds" -timeout=10)
        echo "fuzz: $name for ${seconds}s"
    fi
    if ! "$fuzzer" "${budget[@]}" -rss_limit_mb=2048 -print_final_stats=0 \
            "${extra[@]}" \
            -artifact_prefix=build/fuzz/crashes/"$name"- "$corpus" > "build/fuzz/$name.log" 2>&1; then
        echo "fuzz: $name FAILED (see build/fuzz/$name.log)"
        tail -n 40 "build/fuzz/$name.log"
        return 1
    fi
}

# Each fuzzer is one process: as many run side by side as there are cores, each for its full time.
parallel=$(nproc)
status=0
ran=0
running=0
for fuzzer in build/fuzz/tests/fuzz/*/fuzz_*; do
    [ -x "$fuzzer" ] && [ -f "$fuzzer" ] || continue
    ran=$((ran + 1))
    if [ "$running" -ge "$parallel" ]; then
        wait -n || status=1
        running=$((running - 1))
    fi
    run_one "$fuzzer" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || status=1
    running=$((running - 1))
done
# A build that made no fuzzer is a failure, not a quiet pass.
if [ "$ran" = 0 ]; then
    echo "fuzz: no fuzz targets found under build/fuzz/tests/fuzz"
    exit 1
fi
exit $status
