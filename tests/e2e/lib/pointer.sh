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
# click_moved_from_button X Y (wait.sh sourced): a click at X Y when the pointer comes from another button of
# the same window. A hovered skinned button holds the pointer and lets go when it sees the
# pointer leave: a press the program reads before that goes to the button left behind. One
# jump and an instant click is how only a test moves, so the program is given the moment a
# hand would.
click_moved_from_button() {
    point_at "$1" "$2" || return 1
    pause 0.3
    xdotool click 1
}
