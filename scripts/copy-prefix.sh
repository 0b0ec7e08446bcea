#!/usr/bin/env bash
# Copies a prepared Wine prefix (the session's template) for one test. The program files, most
# of its 700 MB, are hard links to the template's, which no test writes (nothing is installed
# over them); every other file, the registry above all, is a copy of its own. A full copy takes
# several seconds on a busy machine and the page cache holds the same files once instead of once
# a test.
# usage: copy-prefix.sh TEMPLATE DEST   (DEST must not exist)
set -euo pipefail
template=$1
dest=$2
[ -d "$template" ] && [ ! -e "$dest" ] || {
    echo "copy-prefix: no template at $template, or $dest exists" >&2
    exit 1
}
# Hard links need one file system; elsewhere it is a plain copy.
if ! cp -al "$template" "$dest" 2>/dev/null; then
    rm -rf "$dest"
    exec cp -a "$template" "$dest"
fi
# wineserver may write a registry file that has more than one link in place rather than replace
# it, so the registry and every other file a program might change is a copy of its own.
cd "$template"
find . -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.sys' -o -iname '*.drv' \
    -o -iname '*.ttf' -o -iname '*.nls' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' \
    -o -iname '*.tlb' -o -iname '*.msstyles' -o -iname '*.ax' -o -iname '*.ds' -o -iname '*.mui' \) \
    -print0 | xargs -0 -r cp -p --parents --remove-destination -t "$dest"
