#!/usr/bin/env bash
# The profile tests run from a folder whose path is far longer than MAX_PATH: the program's own
# folder (where skins and the updater are looked up) must come back whole, not cut.
set -u
exe=$1
source "$(dirname "$0")/../../support/temp_work.sh"
deep=$work
for i in $(seq 1 12); do deep="$deep/folder-number-$i-with-a-rather-long-name"; done
mkdir -p "$deep"
cp "$exe" "$deep/"
cd "$deep" || exit 1
# Wine shows the Unix root as drive Z: (winepath itself cuts its answer at MAX_PATH).
folder="Z:${deep//\//\\}"
echo "path length: ${#folder}"
[ "${#folder}" -gt 300 ] || { echo "FAIL: the folder's path is not beyond MAX_PATH"; exit 1; }
# The test reads the expected folder as UTF-8 from the environment.
ORVA_EXPECTED_APP_FOLDER=$folder timeout 60 wine "./$(basename "$exe")" --gtest_color=no \
    --gtest_filter='Storage.ApplicationFolderIsTheExecutablesFolder' >"$work/out.txt" 2>&1
status=$?
tr -d '\r' <"$work/out.txt"
# A filter that matches nothing runs nothing and passes: that is a failure here.
grep -q '^\[  PASSED  \] 1 test\.' <(tr -d '\r' <"$work/out.txt") || { echo "FAIL: the test did not run"; exit 1; }
exit $status
