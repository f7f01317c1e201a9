# Sourced by the run, e2e and bench scripts, after common.sh: Wine for one of the two Windows
# builds, in a prefix of the project's own in the build folder, an X display to show windows on
# (Xvfb when there is none), and Wine's scheduling service running.
#   wine_32bit_reason  prints why 32-bit Wine can't run here; prints nothing when it can
#   wine_select BUILD  win32 or win64: the build, its Wine loader and server, and its prefix
#   wine_up            prepares and starts the selected prefix and its service (idempotent);
#                      on failure says what failed and what to do, and returns non-zero
#   wine_run           runs a program in the prefix, its output to stdout, nothing inherited
# When the script ends, however it ends, the servers of the prefixes it started are stopped
# (wineserver -k, so that they save the registry) and then every process it started, Xvfb
# included (common.sh); a prefix it was interrupted making is removed.
# Set ADDJOB_64_ONLY=1 to take this machine for one that can't run 32-bit programs, and
# ADDJOB_OWN_DISPLAY=1 to show the windows on a virtual display of their own whatever DISPLAY
# says (the tests do: their keys and clicks must not reach the user's desktop).
# The build folder's lock (fd 9) is closed for every program started here that may outlive a
# step: Xvfb, Wine's server and the programs it runs.

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
    export WINEPREFIX=$OUT/wineprefix-$1
    WINE_LOG=$OUT/wine-$1.log
}

_x_display_works() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

# Whether a window manager runs on the display: without one, Wine draws and manages the
# windows itself, frames and close boxes included.
_window_manager_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# Xvfb picks a free display number itself, and writes it to the file given by -displayfd once
# it takes connections. It takes only clients that know its cookie, kept in a file of this
# run's own (XAUTHORITY): no other local user can connect to it.
_start_xvfb() {
    local said n= cookie
    said=$(mktemp)
    cookie=$(mcookie)
    export XAUTHORITY=$OUT/xvfb-$ADDJOB_BUILD.auth
    (umask 077 && : >"$XAUTHORITY")  # readable by this user alone
    xauth -q -f "$XAUTHORITY" add :0 . "$cookie"  # the server takes every cookie in the file
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -auth "$XAUTHORITY" 3>"$said" </dev/null \
        >"$OUT/xvfb-$ADDJOB_BUILD.log" 2>&1 9<&- &
    XVFB_PID=$!
    for _ in $(seq 100); do
        n=$(cat "$said")
        if [ -n "$n" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then break; fi
        sleep 0.1
    done
    rm -f "$said"
    if [ -z "$n" ]; then
        echo "Xvfb did not start (its output: $OUT/xvfb-$ADDJOB_BUILD.log)." >&2
        echo "What to do: run scripts/setup as root, which installs the package xvfb; or set DISPLAY to an X server." >&2
        return 1
    fi
    export DISPLAY=:$n
    xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie"  # the clients look it up by display
}

wine_run() {
    "$WINE" "$@" </dev/null 2>>"$WINE_LOG" 9<&-
}

_wine_failed() {
    echo "$1 (Wine's output: $WINE_LOG)" >&2
    echo "What to do: $2" >&2
    return 1
}

# Runs a long Wine step so that Ctrl-C ends it: the shell's wait gives way to a signal, where
# a program in the foreground would hold it up.
_wine_step() {
    "$@" </dev/null >>"$WINE_LOG" 2>&1 9<&- &
    wait $!
}

_make_prefix() {
    local started=$SECONDS
    echo "Preparing the Wine prefix $WINEPREFIX (about 20 s) ..." >&2
    if ! _wine_step "$WINE" wineboot -i || ! _wine_step "$WINESERVER" -w || [ ! -f "$WINEPREFIX/system.reg" ]; then
        _wine_failed "Wine could not make the prefix $WINEPREFIX." \
            "read the log's last lines (tail $WINE_LOG); check that $OUT has room (df -h $OUT); then run again." ||
            return 1
    fi
    # Tahoma and Marlett: without them the window's font and caption buttons are stand-ins.
    cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" ||
        _wine_failed "Wine's fonts could not be copied into $WINEPREFIX." \
            "run scripts/setup as root, which installs the package fonts-wine." ||
        return 1
    _wine_step "$WINESERVER" -w
    # Written last: a prefix without it was left half-made, and is made afresh.
    date >"$WINEPREFIX/.addjob-ready"
    echo "The Wine prefix is ready ($((SECONDS - started)) s)." >&2
}

wine_up() {
    lock_build_folder
    local managed=Y owner
    # Our own Xvfb, started for an earlier build, has no window manager either.
    if [ -n "$XVFB_PID" ]; then
        managed=N
    elif [ -n "${ADDJOB_OWN_DISPLAY:-}" ] || ! _x_display_works; then
        [ -n "${ADDJOB_OWN_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ] ||
            echo "DISPLAY=$DISPLAY does not answer (no X server there, or no access to it): using a virtual display instead." >&2
        _start_xvfb || return 1
        managed=N
    elif ! _window_manager_runs; then
        managed=N
    fi
    "$WINE" --version >/dev/null 2>&1 ||
        _wine_failed "Wine ($WINE) does not start: $("$WINE" --version 2>&1 | tail -n 1)" \
            "run scripts/setup as root; if the message says 'Exec format error', this machine runs 64-bit programs only: use the win64 build." ||
        return 1
    if [ -e "$WINEPREFIX" ] && [ "$(stat -c %u "$WINEPREFIX")" != "$(id -u)" ]; then
        owner=$(stat -c %U "$WINEPREFIX")
        _wine_failed "The Wine prefix $WINEPREFIX belongs to the user $owner, and Wine uses only prefixes of your own." \
            "run as $owner, or delete the prefix (rm -rf $WINEPREFIX), or set ADDJOB_BUILD_DIR to a folder of your own." ||
            return 1
    fi
    : >"$WINE_LOG"
    if [ -e "$WINEPREFIX" ] && [ ! -f "$WINEPREFIX/.addjob-ready" ]; then
        echo "The Wine prefix $WINEPREFIX was left half-made by a run that was interrupted: making it afresh." >&2
        # Its server may be gone with the run, and then -k answers 1, which is no failure here.
        "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
    [ -f "$WINEPREFIX/.addjob-ready" ] || _make_prefix || return 1
    # A persistent server keeps the scheduling service alive between programs. It must be
    # the first server of this start: on a running one, -p fails and changes nothing.
    "$WINESERVER" -p </dev/null >>"$WINE_LOG" 2>&1 9<&- || true
    STARTED_PREFIXES+=("$WINESERVER:$WINEPREFIX")
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

_stop_started_prefixes() {
    local started
    for started in "${STARTED_PREFIXES[@]}"; do
        [ ! -d "${started#*:}" ] || WINEPREFIX=${started#*:} timeout 3 "${started%%:*}" -k </dev/null >/dev/null 2>&1 || true
    done
    STARTED_PREFIXES=()
}
at_exit _stop_started_prefixes
