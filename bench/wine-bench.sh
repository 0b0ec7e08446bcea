# Sourced by the benchmarks that run the Windows programs under Wine (after `root` is set):
# the build's paths, then with bench_begin a Wine session of its own (private prefix and X
# server) with the end-to-end helpers, all of it ended on exit.
#
#   bench_begin NAME [FILE...]   stops with a message when the configurator, the probe or a
#                                FILE is missing (build both presets first)
win=$root/build/windows
native=${ORVA_NATIVE_BUILD:-$root/build/native}
dist=$win/dist
probe_exe=$win/tests/e2e/probe/orva-probe.exe
ctl=$native/tools/orva7100ctl/orva7100ctl

bench_begin() {
    local name=$1 need
    shift
    for need in "$dist/ORVA7100.exe" "$probe_exe" "$@"; do
        [ -e "$need" ] || { echo "$name: missing $need (build both presets)" >&2; exit 1; }
    done
    export ORVA_WINE_RUN=$root/build/wine/$name
    source "$root/scripts/wine-session.sh"
    export ORVA_NATIVE_BUILD=$native
    source "$root/tests/e2e/lib/e2e.sh"
    e2e_begin "$name" "$dist" "$probe_exe" "$native"
    # The X server first: the cleanup waits for every child of this shell, the server among
    # them.
    trap 'status=$?; set +e; (WINEPREFIX="$ORVA_WINE_RUN" wine_session_end); kill "$orva_xvfb_pid" 2>/dev/null; wait "$orva_xvfb_pid" 2>/dev/null; e2e_cleanup; exit $status' EXIT
}
