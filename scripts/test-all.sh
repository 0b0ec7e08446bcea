#!/usr/bin/env bash
# Runs every test of the project: native unit tests under the sanitizers, the fuzzers for a short
# fixed time, then the Windows build's tests and the end-to-end tests under Wine and Xvfb.
# Installs what is missing and builds what it needs. Prints how long each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."

# A test without a time limit of its own gets this one, so a hang costs minutes, not the run.
test_timeout=300

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
report_times() {
    local status=$1
    end_stage
    printf -- '-- all stages: %d s%s\n' $((SECONDS - all_began)) \
        "$([ "$status" = 0 ] || echo " (failed)")"
}
trap 'report_times $?' EXIT

stage "setup"
bash scripts/setup.sh

jobs=$(nproc)
stage "native build"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
stage "native tests"
export ORVA_SEED_DIR="$PWD/build/fuzz-seeds"
ctest --preset native -j "$jobs" --timeout "$test_timeout"

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
ctest --preset windows --timeout "$test_timeout"
