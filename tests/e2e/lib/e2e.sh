# Sourced by the end-to-end scripts: a fresh Wine prefix with the programs installed, the
# virtual mouse, the probe, real input through xdotool, screenshots, and cleanup on exit.
# Run inside the session of scripts/wine-session.sh (DISPLAY and ORVA_WINE_TEMPLATE set).
#
#   source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
#   e2e_begin NAME DIST_DIR PROBE_EXE [NATIVE_BUILD]   (exits 77, a skip, outside a session)
#   start_mouse [orva-virtual-mouse options...]; mouse_ctl plug | unplug | switch-profile N ...
#   start_configurator [ARGS...]; wait_until 20 window_visible "$E2E_TITLE"
#   click_ctl TITLE ID [PARENT_ID]; wait_until 5 ctl_is TITLE ID check 1
#   shot NAME [TITLE]; fail "what went wrong"; ...; e2e_finish
#
# After e2e_begin: E2E_WORK (scratch folder, removed on exit), E2E_INSTALL (the install folder
# as a Unix path) and E2E_INSTALL_WIN (the same for Wine), WINEPREFIX (the fresh prefix),
# E2E_TRANSCRIPT and E2E_MOUSE_STATE (the virtual mouse's transcript and state folder).

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
source "$e2e_root/tests/e2e/lib/wait.sh"
source "$e2e_root/tests/e2e/lib/serve.sh"
source "$e2e_root/tests/e2e/lib/pointer.sh"
E2E_INSTALL_WIN='C:\ORVA'
E2E_TITLE=ORVA7100
e2e_failures=0
e2e_pids=()
e2e_mouse_pid=""
e2e_app_pid=""

# e2e_begin NAME DIST_DIR PROBE_EXE [NATIVE_BUILD]
e2e_begin() {
    E2E_NAME=$1
    E2E_DIST=$2
    local probe_exe=$3
    E2E_NATIVE=${ORVA_NATIVE_BUILD:-${4:-$e2e_root/build/native}}
    if [ -z "${DISPLAY:-}" ] || [ ! -d "${ORVA_WINE_TEMPLATE:-}" ]; then
        echo "SKIP: run inside the Wine session (source scripts/wine-session.sh)"
        exit 77
    fi
    if [ ! -f "$probe_exe" ] || [ ! -d "$E2E_DIST" ]; then
        echo "FAIL: no probe at $probe_exe or no dist folder at $E2E_DIST"
        exit 1
    fi
    ORVA_ARTIFACTS=${ORVA_ARTIFACTS:-$e2e_root/build/artifacts}
    E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/orva-e2e-$E2E_NAME.XXXXXX")
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM

    export WINEPREFIX=$E2E_WORK/prefix
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    bash "$e2e_root/scripts/copy-prefix.sh" "$ORVA_WINE_TEMPLATE" "$WINEPREFIX"
    E2E_INSTALL=$WINEPREFIX/drive_c/ORVA
    mkdir -p "$E2E_INSTALL"
    cp -a "$E2E_DIST/." "$E2E_INSTALL/"
    cp "$probe_exe" "$E2E_WORK/probe.exe"
    E2E_TRANSCRIPT=$E2E_WORK/transcript.txt
    E2E_MOUSE_STATE=$E2E_WORK/mouse-state
    # Wine's services start now, so that no test program's output pipe keeps them.
    wineserver -p
    wine cmd /c exit >/dev/null 2>&1
    serve_start probe "$E2E_WORK/probe.exe" "$E2E_WORK" && e2e_pids+=("${serve_pid[probe]}")
    return 0
}

# Stops every program this script started, the virtual mouse and the prefix's wineserver.
e2e_cleanup() {
    local pid
    for pid in "${e2e_pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    [ -n "$e2e_mouse_pid" ] && kill "$e2e_mouse_pid" 2>/dev/null
    if [ -n "${WINEPREFIX:-}" ] && [ -n "${E2E_WORK:-}" ]; then
        wineserver -k 2>/dev/null
    fi
    wait 2>/dev/null
    [ -n "${E2E_WORK:-}" ] && rm -rf "$E2E_WORK"
}

fail() {
    echo "FAIL: $*"
    e2e_failures=$((e2e_failures + 1))
}
# Ends the script: exit 0 when nothing failed.
e2e_finish() {
    if [ "$e2e_failures" = 0 ]; then
        echo "e2e $E2E_NAME: passed"
        exit 0
    fi
    echo "e2e $E2E_NAME: $e2e_failures failure(s)"
    exit 1
}

# ---- the virtual mouse -------------------------------------------------------------------------

# start_mouse [OPTIONS...]: the virtual mouse on a free loopback port, with a transcript and a
# state folder in E2E_WORK; exports ORVA7100_VIRTUAL_MOUSE for the programs under test.
start_mouse() {
    local server=$E2E_NATIVE/virtual-mouse/orva-virtual-mouse
    if [ ! -x "$server" ]; then
        echo "FAIL: no virtual mouse at $server (build the native preset first)"
        exit 1
    fi
    "$server" --listen 127.0.0.1:0 --transcript "$E2E_TRANSCRIPT" --state-dir "$E2E_MOUSE_STATE" \
        --quiet "$@" >"$E2E_WORK/mouse.out" 2>"$E2E_WORK/mouse.err" &
    e2e_mouse_pid=$!
    if ! wait_until 10 grep -qs "^listening on " "$E2E_WORK/mouse.out"; then
        echo "FAIL: the virtual mouse did not start: $(cat "$E2E_WORK/mouse.err")"
        exit 1
    fi
    ORVA7100_VIRTUAL_MOUSE=$(sed -n 's/^listening on //p' "$E2E_WORK/mouse.out")
    export ORVA7100_VIRTUAL_MOUSE
}
stop_mouse() {
    [ -n "$e2e_mouse_pid" ] || return 0
    kill "$e2e_mouse_pid" 2>/dev/null
    wait "$e2e_mouse_pid" 2>/dev/null
    e2e_mouse_pid=""
}
# mouse_ctl COMMAND...: orva7100ctl's virtual commands (plug, unplug, switch-profile N, status,
# fault NAME VALUE) on the running virtual mouse.
mouse_ctl() {
    "$E2E_NATIVE/tools/orva7100ctl/orva7100ctl" --device "virtual:$ORVA7100_VIRTUAL_MOUSE" \
        virtual "$@"
}
# The number of reports of one kind in the transcript ("SET", "GET", or "SET 05" for one id).
transcript_count() { grep -c "^$1" "$E2E_TRANSCRIPT" 2>/dev/null || true; }

# slots_match PROFILES_DIR: every slot image of the mouse equals the image of its saved profile
# file (profile k + 1 is written to slot k).
slots_match() {
    local k ctl=$E2E_NATIVE/tools/orva7100ctl/orva7100ctl
    for k in 0 1 2 3 4; do
        "$ctl" profile image "$1/Default$((k + 1)).profile" --firmware 109 --raw \
            >"$E2E_WORK/expected$k.bin" 2>/dev/null || return 1
        cmp -s "$E2E_WORK/expected$k.bin" "$E2E_MOUSE_STATE/slot$k.bin" || return 1
    done
}

# ---- programs ----------------------------------------------------------------------------------

# start_program WINDOWS_PATH [ARGS...]: runs a program of the prefix in the background;
# E2E_LAST_PID names it. It is stopped on exit if still running.
start_program() {
    wine "$@" >>"$E2E_WORK/programs.out" 2>&1 &
    E2E_LAST_PID=$!
    e2e_pids+=("$E2E_LAST_PID")
}
# start_configurator [ARGS...]: ORVA7100.exe of the install folder; e2e_app_pid names it.
start_configurator() {
    start_program "$E2E_INSTALL_WIN\\ORVA7100.exe" "$@"
    e2e_app_pid=$E2E_LAST_PID
}
program_ended() { ! kill -0 "$1" 2>/dev/null; }
configurator_ended() { program_ended "$e2e_app_pid"; }

# ---- reading windows ---------------------------------------------------------------------------

# probe COMMAND...: orva-probe inside the prefix (see tests/e2e/probe/probe.cpp); the serving
# one, or a run of its own.
probe() { serve_or_run probe "$E2E_WORK/probe.exe" "$@"; }
window_exists() { probe find "$1" >/dev/null; }
# Gone only when the probe looked and found nothing (exit 1); a probe that could not look at all
# (Wine failing, a usage error) is no proof of absence.
window_gone() {
    probe find "$1" >/dev/null
    case $? in
        1) return 0 ;;
        0) return 1 ;;
        *) echo "window_gone: the probe could not look for '$1'"; return 2 ;;
    esac
}
window_visible() { probe visible "$1"; }
# window_is TITLE KEY VALUE: the top-level window's visible, iconic or topmost is VALUE (1 or 0).
window_is() { [ "$(probe state "$1" | sed -n "s/^$2=//p")" = "$3" ]; }
# ctl_value TITLE ID KEY [PARENT_ID]: prints one answer of a control (text, check, state, pos,
# range, count, cursel, visible, enabled, rect).
ctl_value() {
    local out
    out=$(probe ctl "$1" "$2" ${4:+"$4"}) || return 1
    sed -n "s/^$3=//p" <<<"$out" | head -n 1
}
# ctl_is TITLE ID KEY VALUE [PARENT_ID]: true when the control answers exactly VALUE.
ctl_is() {
    local value
    value=$(ctl_value "$1" "$2" "$3" ${5:+"$5"}) && [ "$value" = "$4" ]
}
# ctl_isnt TITLE ID KEY VALUE [PARENT_ID]: true only when the control was read and answers
# something else; for negative checks, which must not pass because nothing could be read.
ctl_isnt() {
    local value
    value=$(ctl_value "$1" "$2" "$3" ${5:+"$5"}) || {
        echo "ctl_isnt: could not read control $2 of '$1'"
        return 2
    }
    [ -n "$value" ] && [ "$value" != "$4" ]
}

# ---- skinned popup menus (one window per level, named "menu") ----------------------------------

# The visible menu levels, "x y w h" each, leftmost first.
menus() {
    local w
    for w in $(xdotool search --onlyvisible --name '^menu$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        echo "$X $Y $WIDTH $HEIGHT"
    done | sort -n
}
menu_open() { [ -n "$(menus)" ]; }
menu_count() { [ "$(menus | wc -l)" -eq "$1" ]; }
# read_menu LEVEL COUNT: level LEVEL (0 = top) with COUNT items: sets mx my mw mh and the item
# height mi.
read_menu() {
    read -r mx my mw mh <<<"$(menus | sed -n "$(($1 + 1))p")"
    [ -n "${mh:-}" ] || return 1
    mi=$(((mh - 8) / $2))
}
# menu_item_at LEVEL INDEX COUNT: the screen point of item INDEX of that level.
menu_item_at() {
    read_menu "$1" "$3" || return 1
    echo $((mx + 30)) $((my + 4 + $2 * mi + mi / 2))
}
hover_item() { point_at $(menu_item_at "$@"); }
click_item() { point_at $(menu_item_at "$@") && xdotool click 1; }
# click_menu_item INDEX COUNT: a click on item INDEX of the open menu's top level.
click_menu_item() { click_item 0 "$@"; }

# ---- input -------------------------------------------------------------------------------------

# click_ctl TITLE ID [PARENT_ID] [BUTTON]: moves the pointer to the control's centre and clicks
# (button 1 unless named). Two clicks on one control within the double-click time are a double
# click: wait for the effect of the first before the second.
click_ctl() {
    local position
    position=$(probe screenpos "$1" "$2" ${3:+"$3"}) || {
        echo "click_ctl: no control $2 in '$1'"
        return 1
    }
    # shellcheck disable=SC2086
    point_at $position && xdotool click "${4:-1}"
}
# click_at TITLE X Y [BUTTON]: a click at client coordinates of a top-level window.
click_at() {
    local origin x y
    origin=$(probe origin "$1") || return 1
    read -r x y <<<"$origin"
    point_at $((x + $2)) $((y + $3)) && xdotool click "${4:-1}"
}
# press_keys KEY...: xdotool key names (Return, Escape, ctrl+s, a, ...) to the focused window.
press_keys() { xdotool key --delay 60 "$@"; }
type_text() { xdotool type --delay 60 "$1"; }
# focus_window TITLE: gives a top-level window the X focus, which typed keys need.
focus_window() {
    local pattern wid
    pattern=$(sed 's/[][\.*^$(){}?+|/]/\\&/g' <<<"$1")
    wid=$(xdotool search --onlyvisible --name "^$pattern\$" | head -n 1)
    [ -n "$wid" ] && xdotool windowfocus --sync "$wid"
}

# pixel FILE X Y: "r,g,b" (0 .. 255 each) of one pixel of an image.
pixel() {
    local p="p{$2,$3}"
    convert "$1" -format "%[fx:int(255*$p.r+0.5)],%[fx:int(255*$p.g+0.5)],%[fx:int(255*$p.b+0.5)]" info:
}

# shot NAME [TITLE]: a screenshot in $ORVA_ARTIFACTS, cut to the window when TITLE is given
# (cut as it is taken: one program, and only the window's pixels are compressed).
shot() {
    mkdir -p "$ORVA_ARTIFACTS"
    local file=$ORVA_ARTIFACTS/$E2E_NAME-$1.png hwnd x y w h
    if [ -n "${2:-}" ] && read -r hwnd x y w h <<<"$(probe find "$2")" && [ -n "$w" ]; then
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file" 2>/dev/null
    else
        import -window root "$file" 2>/dev/null
    fi
}

# ---- the mouse as a HID device -----------------------------------------------------------------

# plug_hid_mouse: the running virtual mouse as a HID device of the prefix (scripts/wine-hid-mouse.sh,
# drivers from the Windows build beside DIST_DIR). From then on the programs reach it through
# Windows HID: ORVA7100_VIRTUAL_MOUSE stays set for mouse_ctl but is no longer exported.
plug_hid_mouse() {
    export -n ORVA7100_VIRTUAL_MOUSE
    ORVA_WINDOWS_BUILD=${ORVA_WINDOWS_BUILD:-$(dirname "$E2E_DIST")} \
        bash "$e2e_root/scripts/wine-hid-mouse.sh" plug "$ORVA7100_VIRTUAL_MOUSE" >/dev/null 2>&1
}
unplug_hid_mouse() {
    ORVA_WINDOWS_BUILD=${ORVA_WINDOWS_BUILD:-$(dirname "$E2E_DIST")} \
        bash "$e2e_root/scripts/wine-hid-mouse.sh" unplug >/dev/null 2>&1
}
