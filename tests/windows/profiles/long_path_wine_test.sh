#!/usr/bin/env bash
# The profile tests run from a folder whose path is far longer than MAX_PATH: the program's own
# folder (where skins and the updater are looked up) must still be found.
set -u
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
deep=$work
for i in $(seq 1 12); do deep="$deep/folder-number-$i-with-a-rather-long-name"; done
mkdir -p "$deep"
cp "$exe" "$deep/"
cd "$deep" || exit 1
echo "path length: $(winepath -w "$deep/$(basename "$exe")" 2>/dev/null | wc -c)"
timeout 60 wine "./$(basename "$exe")" --gtest_color=no \
    --gtest_filter='Storage.ApplicationFolderIsTheExecutablesFolder'
