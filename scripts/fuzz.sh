#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer and runs each for a short fixed time.
# Seeds come from the native tests (they write them under build/fuzz-seeds when asked).
# Usage: scripts/fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${ORVA_FUZZ_SECONDS:-30}}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
status=0
for fuzzer in build/fuzz/tests/fuzz/*/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus" build/fuzz/crashes
    [ -d "build/fuzz-seeds/$name" ] && cp -n build/fuzz-seeds/"$name"/* "$corpus"/ 2>/dev/null || true
    echo "fuzz: $name for ${seconds}s"
    if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
            -artifact_prefix=build/fuzz/crashes/"$name"- "$corpus" > "build/fuzz/$name.log" 2>&1; then
        echo "fuzz: $name FAILED (see build/fuzz/$name.log)"
        tail -n 40 "build/fuzz/$name.log"
        status=1
    fi
done
exit $status
