#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer and runs each for a short fixed time.
# Seeds come from the native tests (they write them under build/fuzz-seeds when asked).
# Usage: scripts/fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${ORVA_FUZZ_SECONDS:-20}}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
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
    echo "fuzz: $name for ${seconds}s"
    if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
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
