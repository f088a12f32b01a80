# Sourced by test.sh and run.sh: one Xvfb display and one persistent wineserver for a whole run,
# in a private Wine prefix under the build folder. Only processes started here are stopped here.

WINE64=$(dpkg -L wine64 2>/dev/null | grep -E '/wine64$' | head -n 1)
WINESERVER=$(dirname "$WINE64")/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

quellox_started_xvfb=""
quellox_started_server=""

# Starts Xvfb on the first free display number from 90 and exports DISPLAY.
start_display() {
    local n=90
    while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    quellox_started_xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X${n}" ] && return 0
        sleep 0.1
    done
    echo "wine-env: Xvfb did not start on :$n" >&2
    return 1
}

# Creates the prefix once (with CJK substitutes for the bitmap dialog fonts), then starts
# a persistent wineserver for it.
start_wine() {
    export WINEPREFIX="$1"
    if [ ! -f "$WINEPREFIX/.quellox-ready" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE64" wineboot -i >/dev/null 2>&1 || true
        local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
        for font in "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2"; do
            "$WINE64" reg add "$key" /v "$font" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
        done
        # No window manager runs on the test display: Wine draws the window frames itself.
        "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$WINESERVER" -w
        touch "$WINEPREFIX/.quellox-ready"
    fi
    "$WINESERVER" -p
    quellox_started_server=1
    # The first program of a session starts Wine's background services, which keep its output
    # open; start them here, detached, so the first test's output pipe closes when it ends.
    "$WINE64" cmd /c exit >/dev/null 2>&1 || true
}

stop_all() {
    if [ -n "$quellox_started_server" ]; then
        "$WINESERVER" -k >/dev/null 2>&1 || true
        quellox_started_server=""
    fi
    if [ -n "$quellox_started_xvfb" ]; then
        kill "$quellox_started_xvfb" 2>/dev/null || true
        wait "$quellox_started_xvfb" 2>/dev/null || true
        quellox_started_xvfb=""
    fi
}
