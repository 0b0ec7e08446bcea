#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(find configurator updater hiddriver monitor virtual-mouse tools art tests \
    -name build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
if clang-format --dry-run -Werror "${files[@]}" 2>/tmp/orva-format.$$; then
    echo "format: ${#files[@]} files as .clang-format wants them"
    rm -f /tmp/orva-format.$$
else
    grep -E '^[^ ].*(warning|error):' /tmp/orva-format.$$ | cut -d: -f1 | sort -u | sed 's/^/format: differs: /'
    rm -f /tmp/orva-format.$$
    exit 1
fi
