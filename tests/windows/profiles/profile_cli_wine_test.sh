#!/usr/bin/env bash
# orva7100ctl.exe under Wine: a profile with a non-ASCII name and path round-trips through JSON.
set -u
exe=$1
source "$(dirname "$0")/../../support/temp_work.sh"
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
wine "$exe" profile new --name "Schütze" --index 3 -o "Profil ä.profile" || fail "new"
wine "$exe" profile show "Profil ä.profile" > a.json || fail "show"
grep -q '"name": "Schütze"' a.json || { cat a.json; fail "name"; }
grep -q '"index": 3' a.json || fail "index"
wine "$exe" profile build a.json -o b.profile || fail "build"
cmp -s "Profil ä.profile" b.profile || fail "build differs"
wine "$exe" profile image b.profile --raw > image.bin || fail "image"
[ "$(stat -c %s image.bin)" = 2048 ] || fail "raw image size $(stat -c %s image.bin)"
wine "$exe" profile show missing.profile 2>/dev/null && fail "missing file accepted"
echo "orva7100ctl under Wine: all checks passed"
