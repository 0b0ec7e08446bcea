# Sourced by the end-to-end scripts that meet the updater's notices. Their words are pictures,
# so a notice is known by what its window shows, read by orva-probe's "notice" command: the
# background bitmap, then each button (x, y, width, height, picture) left to right. Needs the
# sourcing script's probe, wait_until and fail.

# notice_expected NAME: what the probe reads from that notice.
notice_expected() {
    local cancel="button 319 152 51 20 cancel" exit_button="button 350 2 23 18 exit"
    echo "notice $1"
    case $1 in
    driver-offer) printf '%s\n' "button 198 152 112 20 download" "$cancel" ;;
    update-offer) printf '%s\n' "button 198 152 112 20 upgrade" "$cancel" ;;
    backup-warning) printf '%s\n' "button 247 152 63 20 continue" "$cancel" ;;
    up-to-date) echo "button 319 152 51 20 close" ;;
    failure | success) echo "button 319 152 51 20 ok" ;;
    *) return 1 ;;
    esac
    echo "$exit_button"
}

# expect_notice NAME UPDATER_EXE [WHAT]: the topmost dialog is that notice, with exactly its
# buttons, within ten seconds (it is read once it is painted). UPDATER_EXE is the updater's
# Windows path, whose bitmaps the probe compares the screen with.
notice_shown=""
notice_is() {
    notice_shown=$(probe notice "$2")
    [ "$notice_shown" = "$(notice_expected "$1")" ]
}
expect_notice() {
    wait_until 10 notice_is "$1" "$2" && return 0
    fail "${3:-notice}: not the $1 notice; the screen shows: $(echo "$notice_shown" | paste -sd '|')"
    return 1
}
