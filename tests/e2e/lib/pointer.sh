# Sourced by the end-to-end scripts: the pointer moved for a click or a hover.
#
#   point_at X Y    the pointer at that screen point, once X has it there
#
# xdotool's "mousemove --sync" waits for the pointer to move, which it never does when it is
# there already: a second click at the same point would wait 15 s for xdotool to give up.
point_at() {
    local X="" Y="" SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell 2>/dev/null)"
    [ $# = 2 ] && [ "$X" = "$1" ] && [ "$Y" = "$2" ] && return 0
    xdotool mousemove --sync "$@"
}
