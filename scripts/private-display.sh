# Sourced: an X server of the caller's own, so that programs under test (and the one pointer
# that real input moves) never meet those of a test running beside it.
#   orva_display_begin WORK_DIR   starts Xvfb on a display it picks itself; exports DISPLAY
#   orva_display_end              stops it
# ORVA_SCREEN ("WxHxDEPTH") gives the screen another size, for windows larger than the default
# one (a window at 200 % display scale).
orva_display_pid=""

orva_display_begin() {
    local number_file=$1/display
    : >"$number_file"
    # -displayfd: the server takes the first free display number itself and writes it, so that
    # servers started at the same moment never race for one.
    Xvfb -displayfd 9 -screen 0 "${ORVA_SCREEN:-1280x1024x24}" -nolisten tcp 9>"$number_file" >/dev/null 2>&1 &
    orva_display_pid=$!
    local _
    for _ in $(seq 1 100); do
        [ -s "$number_file" ] && break
        sleep 0.05
    done
    [ -s "$number_file" ] || return 1
    export DISPLAY=":$(tr -d '\n' <"$number_file")"
    for _ in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

orva_display_end() {
    [ -n "$orva_display_pid" ] || return 0
    kill "$orva_display_pid" 2>/dev/null
    wait "$orva_display_pid" 2>/dev/null
    orva_display_pid=""
}
