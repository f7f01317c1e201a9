# Sourced by the run, test and bench scripts: Wine for one of the two Windows builds, in a prefix
# of the project's own under build/, an X display to show windows on (Xvfb when there is none),
# and Wine's scheduling service running.
#   wine_32bit_reason  prints why 32-bit Wine can't run here; prints nothing when it can
#   wine_select BUILD  win32 or win64: the build, its Wine loader and server, and its prefix
#   wine_up            prepares and starts the selected prefix and its service (idempotent);
#                      on failure says what failed and what to do, and returns non-zero
#   wine_stop          stops the selected prefix's server (and so its service)
#   wine_down          stops everything wine_up started, Xvfb included
#   wine_run           runs a program in the prefix, its output to stdout, nothing inherited
# Set ADDJOB_64_ONLY=1 to take this machine for one that can't run 32-bit programs.

ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEDEBUG=-all
export LANG=C.UTF-8
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
XVFB_PID=
STARTED_PREFIXES=()

wine_32bit_reason() {
    if [ -n "${ADDJOB_64_ONLY:-}" ]; then
        echo "ADDJOB_64_ONLY is set"
        return
    fi
    # Trying is the only sure test: some kernels have 32-bit emulation switched off.
    local said
    said=$(/usr/lib/wine/wine --version 2>&1) && return
    echo "this machine can't run 32-bit programs (/usr/lib/wine/wine --version: ${said##*: })"
}

wine_select() {
    export ADDJOB_BUILD=$1
    case $1 in
    win32) export WINE=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32 WINEARCH=win32 ;;
    win64) export WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64 ;;
    *) echo "wine_select: no build $1" >&2; return 1 ;;
    esac
    export WINELOADER=$WINE
    export WINEPREFIX=$ROOT/build/wineprefix-$1
    WINE_LOG=$ROOT/build/wine-$1.log
}

_x_display_works() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

_start_xvfb() {
    local n
    for n in 77 78 79 80 81; do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$ROOT/build/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
        echo "Xvfb did not start on :$n (see build/xvfb.log). Is the package xvfb installed? scripts/setup installs it." >&2
        return 1
    done
    echo "No free X display number among :77 to :81 for Xvfb. Stop the X servers left there, or set DISPLAY." >&2
    return 1
}

wine_run() {
    "$WINE" "$@" </dev/null 2>>"$WINE_LOG"
}

_wine_failed() {
    echo "$1 (Wine's output: $WINE_LOG)" >&2
    echo "What to do: $2" >&2
    return 1
}

wine_up() {
    mkdir -p "$ROOT/build"
    local managed=Y
    # Our own Xvfb, started for an earlier build, has no window manager either.
    if [ -n "$XVFB_PID" ] || ! _x_display_works; then
        [ -n "$XVFB_PID" ] || _start_xvfb || return 1
        managed=N
    fi
    "$WINE" --version >/dev/null 2>&1 ||
        _wine_failed "Wine ($WINE) does not start: $("$WINE" --version 2>&1 | tail -n 1)" \
            "run scripts/setup as root; if the message says 'Exec format error', this machine runs 64-bit programs only: use the win64 build." ||
        return 1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Preparing the Wine prefix $WINEPREFIX ..." >&2
        if ! "$WINE" wineboot -i </dev/null >>"$WINE_LOG" 2>&1 || ! "$WINESERVER" -w || [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$WINESERVER" -k >/dev/null 2>&1
            rm -rf "$WINEPREFIX"
            _wine_failed "Wine could not make the prefix $WINEPREFIX." \
                "read the log's last lines; make sure build/ is writable and has room (df -h), then run again." ||
                return 1
        fi
        # Tahoma and Marlett: without them the window's font and caption buttons are stand-ins.
        cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
        "$WINESERVER" -w
    fi
    # A persistent server keeps the scheduling service alive between programs. It must be
    # the first server of this start: on a running one, -p fails and changes nothing.
    "$WINESERVER" -p </dev/null >>"$WINE_LOG" 2>&1 || true
    STARTED_PREFIXES+=("$WINESERVER:$WINEPREFIX")
    # No window manager runs under Xvfb: there Wine draws and manages the windows itself.
    # A program that crashes ends with Wine's report on its stderr, not a dialog that waits.
    { wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f &&
        wine_run reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f; } >/dev/null ||
        _wine_failed "Wine could not run a program in $WINEPREFIX." \
            "delete the prefix (rm -rf $WINEPREFIX) and run again; it is made afresh." ||
        return 1
    wine_start_schedule
}

# Starts Wine's scheduling service and returns once it says it is running.
wine_start_schedule() {
    local _ said
    for _ in $(seq 20); do
        said=$(wine_run net start schedule || true)  # answers 1 when already running
        [[ $said == *"already running"* ]] && return 0
        sleep 0.2
    done
    _wine_failed "Wine's Task Scheduler service did not start in $WINEPREFIX; it said: ${said:-nothing}" \
        "stop the prefix's server ($WINESERVER -k with WINEPREFIX=$WINEPREFIX) and run again; if that fails, delete the prefix."
}

wine_stop() {
    "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
}

wine_down() {
    local started
    for started in "${STARTED_PREFIXES[@]}"; do
        WINEPREFIX=${started#*:} "${started%%:*}" -k </dev/null >/dev/null 2>&1 || true
    done
    STARTED_PREFIXES=()
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; XVFB_PID=; fi
}
