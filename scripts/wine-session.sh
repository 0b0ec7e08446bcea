# Sourced by the test scripts: a private Wine prefix and an Xvfb display for this run.
# Sets WINEPREFIX, DISPLAY, ORVA_WINE_TEMPLATE and defines wine_session_end.
# Tests that need a prefix of their own copy the template (scripts/copy-prefix.sh).
orva_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
# winemenubuilder would mirror the tests' shortcuts into the desktop's menus; a third of the
# CPU time of starting a prefix goes to it.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
export ORVA_WINE_TEMPLATE="$orva_root/build/wine/template"

# Several sessions may start at once: the first one makes the template, the others wait for it.
mkdir -p "$(dirname "$ORVA_WINE_TEMPLATE")"
exec {orva_template_lock}>"$(dirname "$ORVA_WINE_TEMPLATE")/template.lock"
flock "$orva_template_lock"
# The template is marked ready only when every step of making it worked and the prefix answers;
# a half-made one is made again by the next session instead of failing every test after it.
orva_make_template() {
    rm -rf "$ORVA_WINE_TEMPLATE"
    mkdir -p "$(dirname "$ORVA_WINE_TEMPLATE")"
    WINEPREFIX="$ORVA_WINE_TEMPLATE" wineboot -i >/dev/null 2>&1 || return 1
    WINEPREFIX="$ORVA_WINE_TEMPLATE" wineserver -w || return 1
    # Wine has no Arial here; GDI+ needs the metric-equal Liberation Sans under that name.
    WINEPREFIX="$ORVA_WINE_TEMPLATE" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
        /v Arial /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1 || return 1
    mkdir -p "$ORVA_WINE_TEMPLATE/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$ORVA_WINE_TEMPLATE/drive_c/windows/Fonts/" 2>/dev/null || true
    cp /usr/share/fonts/truetype/liberation2/*.ttf "$ORVA_WINE_TEMPLATE/drive_c/windows/Fonts/" ||
        return 1
    WINEPREFIX="$ORVA_WINE_TEMPLATE" wineserver -w || return 1
    [ -f "$ORVA_WINE_TEMPLATE/system.reg" ] && [ -f "$ORVA_WINE_TEMPLATE/user.reg" ] &&
        grep -q 'Liberation Sans' "$ORVA_WINE_TEMPLATE/user.reg"
}
if [ ! -f "$ORVA_WINE_TEMPLATE/.orva-ready" ]; then
    if orva_make_template; then
        touch "$ORVA_WINE_TEMPLATE/.orva-ready"
    else
        echo "wine-session: could not make the Wine prefix template in $ORVA_WINE_TEMPLATE" >&2
        rm -rf "$ORVA_WINE_TEMPLATE"
        flock -u "$orva_template_lock"
        return 1 2>/dev/null || exit 1
    fi
fi
flock -u "$orva_template_lock"
exec {orva_template_lock}>&-

# ORVA_WINE_RUN names a prefix of its own for a session that runs beside another one.
export WINEPREFIX="${ORVA_WINE_RUN:-$orva_root/build/wine/run}"
rm -rf "$WINEPREFIX"
bash "$orva_root/scripts/copy-prefix.sh" "$ORVA_WINE_TEMPLATE" "$WINEPREFIX"

# One X server for the whole run, on the first free display number from 90, unless the caller
# keeps its own display (ORVA_KEEP_DISPLAY=1 with DISPLAY set: the demo on the user's screen).
orva_xvfb_pid=""
if [ "${ORVA_KEEP_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    orva_display=90
    while [ -e "/tmp/.X11-unix/X$orva_display" ] || [ -e "/tmp/.X$orva_display-lock" ]; do
        orva_display=$((orva_display + 1))
    done
    Xvfb ":$orva_display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    orva_xvfb_pid=$!
    export DISPLAY=":$orva_display"
    for _ in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
fi

# Wine's background services start before ctest so they never hold its output pipe.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 || true

wine_session_end() {
    wineserver -k 2>/dev/null || true
    if [ -n "$orva_xvfb_pid" ]; then
        kill "$orva_xvfb_pid" 2>/dev/null || true
        wait "$orva_xvfb_pid" 2>/dev/null || true
    fi
}
