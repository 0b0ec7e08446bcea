# Sourced by the end-to-end scripts: polling without a process a poll.
#   pause SECONDS              waits, in the shell itself (a `sleep` process at every poll of
#                              four tests side by side costs a tenth of a core)
#   wait_until SECONDS COMMAND...   polls the command until it succeeds; status 1 at the deadline

# A pipe that nobody writes to: reading it with a time limit is a pause.
exec {e2e_pause_fd}<> <(:)

pause() {
    read -rt "$1" -u "$e2e_pause_fd" || true
}

# A look through the serving probe costs little, so the pause between looks is short.
wait_until() {
    local end=$((SECONDS + $1))
    shift
    while :; do
        "$@" && return 0
        [ $SECONDS -lt "$end" ] || return 1
        pause 0.1
    done
}
