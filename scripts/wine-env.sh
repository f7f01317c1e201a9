# Sourced by the run and test scripts: a Wine prefix of the project's own under build/, an X
# display to show windows on (Xvfb when there is none), and Wine's scheduling service running.
#   wine_up      prepares and starts all of it (idempotent)
#   wine_down    stops what wine_up started
#   wine_run     runs a Windows program in the prefix, its output to stdout, nothing inherited

ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEARCH=win32
export LANG=C.UTF-8
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
XVFB_PID=

_x_display_works() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

_start_xvfb() {
    local n
    for n in 77 78 79 80 81; do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$ROOT/build/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
        echo "Xvfb did not start on :$n" >&2
        return 1
    done
    echo "no free X display number" >&2
    return 1
}

wine_run() {
    wine "$@" </dev/null 2>>"$ROOT/build/wine.log"
}

wine_up() {
    mkdir -p "$ROOT/build"
    local managed=Y
    _x_display_works || { _start_xvfb && managed=N; } || return 1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Preparing the Wine prefix $WINEPREFIX ..." >&2
        wineboot -i </dev/null >>"$ROOT/build/wine.log" 2>&1
        wineserver -w
        # Tahoma and Marlett: without them the window's font and caption buttons are stand-ins.
        cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
        wineserver -w
    fi
    # A persistent server keeps the scheduling service alive between programs. It must be
    # the first server of this start: on a running one, -p fails and changes nothing.
    wineserver -p </dev/null >>"$ROOT/build/wine.log" 2>&1 || true
    # No window manager runs under Xvfb: there Wine draws and manages the windows itself.
    wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null
    wine_start_schedule
}

# Starts Wine's scheduling service and returns once it says it is running.
wine_start_schedule() {
    local _ said
    for _ in $(seq 10); do
        said=$(wine_run net start schedule || true)  # answers 1 when already running
        [[ $said == *"already running"* ]] && return 0
        sleep 0.2
    done
    echo "Wine's scheduling service did not start" >&2
    return 1
}

wine_down() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; XVFB_PID=; fi
}
