#!/usr/bin/env bash
# Runs every test of the project: native unit tests under the sanitizers, the fuzzers for a short
# fixed time, then the Windows build's tests and the end-to-end tests under Wine and Xvfb.
# Installs what is missing and builds what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
echo "== native build"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
echo "== native tests"
export ORVA_SEED_DIR="$PWD/build/fuzz-seeds"
ctest --preset native -j "$jobs"

echo "== fuzzing"
bash scripts/fuzz.sh

echo "== windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
echo "== windows and end-to-end tests (Wine, Xvfb)"
source scripts/wine-session.sh
trap wine_session_end EXIT
export ORVA_NATIVE_BUILD="$PWD/build/native"
export ORVA_ARTIFACTS="$PWD/build/artifacts"
mkdir -p "$ORVA_ARTIFACTS"
ctest --preset windows
