#!/usr/bin/env bash
# Runs every test of the project: native unit tests under the sanitizers, the fuzzers for a short
# fixed time, then the Windows build's tests and the end-to-end tests under Wine and Xvfb.
# Installs what is missing and builds what it needs. Prints how long each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."

# Time limits: each test that needs more than the presets' 300 s guard sets its own TIMEOUT.
logs=build/test-logs
mkdir -p "$logs"
rm -f "$logs"/ctest-*.log

stage_name=""
stage_began=$SECONDS
all_began=$SECONDS
end_stage() {
    [ -n "$stage_name" ] && printf -- '-- %s: %d s\n' "$stage_name" $((SECONDS - stage_began))
    stage_name=""
}
stage() {
    end_stage
    stage_name=$1
    stage_began=$SECONDS
    echo "== $stage_name"
}
# What the runs leave for a reader: the five slowest tests, and every test or case that was
# skipped (a skip is no pass: the README says what cannot run here and why).
report_tests() {
    local runs=("$logs"/ctest-*.log)
    [ -e "${runs[0]}" ] || return 0
    echo "-- five slowest tests:"
    grep -hE 'Test +#[0-9]+: ' "${runs[@]}" | sed -E 's/.*Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$/\2 \1/' |
        grep -E '^[0-9.]+ ' | sort -rn | head -n 5 | awk '{ printf "   %7.1f s  %s\n", $1, $2 }'
    local skipped
    skipped=$( (grep -hE 'Test +#[0-9]+: [^ ]+ \.+ *(\*\*\*Skipped|\*\*\*Not Run|Not Run)' "${runs[@]}" |
        sed -E 's/.*Test +#[0-9]+: ([^ ]+) .*/\1 (whole test)/'
        grep -hE '^\[  SKIPPED \] [A-Za-z_][A-Za-z0-9_/]*\.[A-Za-z_]' build/*/Testing/Temporary/LastTest*.log 2>/dev/null |
        sed -E 's/^\[  SKIPPED \] ([^ ]+).*/\1 (case inside a test program)/') | sort -u)
    if [ -n "$skipped" ]; then
        echo "-- skipped ($(wc -l <<<"$skipped")):"
        sed 's/^/   /' <<<"$skipped"
    else
        echo "-- skipped: none"
    fi
}
report_times() {
    local status=$1
    report_tests
    end_stage
    printf -- '-- all stages: %d s%s\n' $((SECONDS - all_began)) \
        "$([ "$status" = 0 ] || echo " (failed)")"
}
trap 'report_times $?' EXIT

stage "setup"
bash scripts/setup.sh
# The tests start python3 hundreds of times. They use the distribution's interpreter, which
# setup.sh installs, ahead of a version manager's shim that may come first on PATH: a shim starts
# a chain of shells at every call (0.4 CPU-seconds a start instead of 0.07).
if [ -x /usr/bin/python3 ] && [ "$(command -v python3)" != /usr/bin/python3 ]; then
    mkdir -p build/host-bin
    ln -sf /usr/bin/python3 build/host-bin/python3
    export PATH="$PWD/build/host-bin:$PATH"
fi

jobs=$(nproc)
stage "native build"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
stage "native tests"
export ORVA_SEED_DIR="$PWD/build/fuzz-seeds"
# One more than the cores: the silent-mouse test spends most of its time waiting out timeouts.
ctest --preset native -j "$((jobs + 1))" | tee "$logs/ctest-native.log"

stage "fuzzing"
bash scripts/fuzz.sh

stage "windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

stage "windows and end-to-end tests (Wine, Xvfb)"
source scripts/wine-session.sh
trap 'rc=$?; wine_session_end; report_times $rc' EXIT
export ORVA_NATIVE_BUILD="$PWD/build/native"
export ORVA_ARTIFACTS="$PWD/build/artifacts"
mkdir -p "$ORVA_ARTIFACTS"
# A GUI test under Wine that fails is run once more before it counts; the log shows both runs.
ctest --preset windows -j "${ORVA_WINE_JOBS:-4}" --repeat until-pass:2 | tee "$logs/ctest-windows.log"
