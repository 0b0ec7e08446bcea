# Sourced by the end-to-end scripts: a test client of the prefix (orva-probe, orva-access-client)
# kept running in its "serve" mode, so that a query costs no start of a Wine process (a second or
# more on a busy machine, and the tests poll). tests/e2e/probe/CommandServer.h has the protocol.
#
#   serve_start NAME EXE DIR     after the prefix's wineserver runs; fifos go into DIR
#   serve_call NAME ARGS...      what `wine EXE ARGS...` prints, and its exit code; 255 when
#                                NAME does not serve
#   serve_or_run NAME EXE ARGS...   the same, through a run of EXE of its own when NAME does
#                                not serve
# The client ends with the prefix's wineserver.

declare -gA serve_pid=() serve_to=() serve_from=()

serve_start() {
    local in=$3/$1.in out=$3/$1.out to from
    mkfifo "$in" "$out" || return 1
    # Both ends stay open here, for reading and writing, so that opening never waits.
    exec {to}<>"$in" {from}<>"$out"
    wine "$2" serve <"$in" >"$out" 2>/dev/null &
    serve_pid[$1]=$!
    serve_to[$1]=$to
    serve_from[$1]=$from
}

serve_call() {
    local name=$1 pid=${serve_pid[$1]:-}
    shift
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 255
    local arg
    for arg; do
        [[ $arg == *[$'\t\n']* ]] && return 255
    done
    local tag=$BASHPID.$RANDOM line partial="" started=0
    # Written from a subshell: a client gone meanwhile ends the subshell (SIGPIPE), not the test.
    (
        IFS=$'\t'
        printf '%s\n' "$tag	$*" >&"${serve_to[$name]}"
    ) 2>/dev/null || return 255
    while :; do
        # The client never closes its end: a read that waits long looks whether it still runs.
        if ! IFS= read -r -t 5 -u "${serve_from[$name]}" line; then
            partial+=$line
            kill -0 "$pid" 2>/dev/null || return 1
            continue
        fi
        line=${partial}${line%$'\r'}
        partial=""
        # What came before this call's own answer was left by a caller that stopped reading.
        if [ $started = 0 ]; then
            [ "$line" = $'\x1d'"$tag" ] && started=1
            continue
        fi
        if [[ $line == *$'\x1e'"$tag "* ]]; then
            printf '%s' "${line%%$'\x1e'*}"
            return "${line##* }"
        fi
        printf '%s\n' "$line"
    done
}

serve_or_run() {
    local name=$1 exe=$2
    shift 2
    serve_call "$name" "$@"
    local status=$?
    [ $status = 255 ] || return $status
    wine "$exe" "$@" 2>/dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}
