# Sourced by test scripts: a fresh work folder in $work, removed when the script exits.
work=$(mktemp -d "${TMPDIR:-/tmp}/orva-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
