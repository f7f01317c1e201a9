# Sourced by every script: where builds go, --help, progress lines, failures that say what to
# do, one run at a time per build folder, and a clean end on Ctrl-C.
#   OUT                 the build folder: $ADDJOB_BUILD_DIR, else build/ in the checkout (set
#                       ADDJOB_BUILD_DIR to build from a checkout you can't write to)
#   script_help "$@"    prints the script's opening comment and exits, for -h and --help
#   step TEXT           one progress line, with the time since the script started
#   fail CAUSE REMEDY   says what went wrong and what to do, and exits 1
#   lock_build_folder   makes OUT, checks that it can be written, and holds its lock for the
#                       rest of the run; the scripts this one starts share the lock. The lock is
#                       file descriptor 9 of the script that took it: every program a run starts
#                       for longer than a step gets it closed (9<&-), so that none outlives the
#                       run holding it
#   in_background CMD   runs a long step so that Ctrl-C or kill ends the script at once: bash
#                       runs a trap only when the command in the foreground returns, but a wait
#                       gives way to the signal. Its output goes where the script's goes (a
#                       step whose output goes to a file redirects it itself), so that the trap's
#                       word on the interruption does too
#   at_exit FUNCTION    runs FUNCTION when the script ends, however it ends
#   stop_marked         stops every process that carries this script's mark (below)
# Every process a script starts carries the script's mark in its environment (ADDJOB_RUNS: the
# marks of this script and of the scripts that started it), Wine's servers and services among
# them, however far from the script they were started. When the script ends, however it ends
# (done, failed, Ctrl-C, kill), it runs what at_exit registered, then stops every process that
# still carries its mark; the script that holds the build folder also removes a Wine prefix left
# half-made there, once nothing runs in it.
#   project_version     the version that project() in CMakeLists.txt gives; fails without one
#   build_preset NAME [ARG...]
#                       configures CMake's preset NAME into OUT/NAME and builds it (ARGs go to
#                       cmake --build); on failure shows the end of its log and says where it is

ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# Absolute, since the scripts change folder and Wine takes absolute prefixes only.
OUT=$(realpath -m "${ADDJOB_BUILD_DIR:-$ROOT/build}")
export ADDJOB_BUILD_DIR=$OUT
# The run's start, shared with the scripts it starts, so that their progress lines count from it.
export ADDJOB_STARTED=${ADDJOB_STARTED:-$(date +%s)}

script_help() {
    case ${1:-} in
    -h | --help)
        sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"
        exit 0
        ;;
    -*)
        echo "$(basename "$0"): unknown option $1 (--help says what it does)" >&2
        exit 2
        ;;
    esac
}

step() {
    local seconds=$(($(date +%s) - ADDJOB_STARTED))
    echo "== $* (at $((seconds / 60))m$((seconds % 60))s)"
}

fail() {
    echo "$(basename "$0"): $1" >&2
    echo "What to do: $2" >&2
    exit 1
}

# Job control: each step in the background is a process group of its own, so that Ctrl-C in a
# terminal reaches this script alone, which then stops the step, rather than the step failing
# first and the run reporting its failure instead of the interruption.
set -m
ADDJOB_MARK=run-$$-$RANDOM$RANDOM
export ADDJOB_RUNS="${ADDJOB_RUNS:+$ADDJOB_RUNS }$ADDJOB_MARK"
_at_exit=()
_holds_lock=false

at_exit() { _at_exit+=("$1"); }

in_background() {
    "$@" </dev/null &
    wait $!
}

# The processes that carry this script's mark. The tools that look are started without it.
_marked() {
    ADDJOB_RUNS= grep -lsz -E "^ADDJOB_RUNS=(.* )?$ADDJOB_MARK( .*)?\$" /proc/[0-9]*/environ |
        ADDJOB_RUNS= cut -d/ -f3 || true
}

# Asks them to end, and ends those that have not within 5 s.
stop_marked() {
    local pids _
    pids=$(_marked)
    for _ in $(seq 25); do
        [ -n "$pids" ] || return 0
        kill -TERM $pids 2>/dev/null || true
        sleep 0.2
        pids=$(_marked)
    done
    kill -KILL $pids 2>/dev/null || true
}

_remove_half_made_prefixes() {
    local prefix
    for prefix in "$OUT"/wineprefix-*; do
        [ -d "$prefix" ] && [ ! -f "$prefix/.addjob-ready" ] || continue
        WINEPREFIX= ADDJOB_RUNS= grep -qsxzF "WINEPREFIX=$prefix" /proc/[0-9]*/environ && continue
        rm -rf "$prefix"
        echo "Removed the half-made Wine prefix $prefix; the next run makes it afresh." >&2
    done
}

_end_run() {
    local code=$? cleanup
    trap '' INT TERM  # a second Ctrl-C does not cut the clean-up short
    for cleanup in "${_at_exit[@]}"; do
        "$cleanup" || true
    done
    stop_marked || true
    if $_holds_lock; then _remove_half_made_prefixes || true; fi
    exit "$code"
}

trap 'echo "$(basename "$0"): interrupted; stopping what this run started." >&2; exit 130' INT TERM
trap _end_run EXIT

lock_build_folder() {
    [ "${ADDJOB_LOCKED:-}" = "$OUT" ] && return 0
    if ! { mkdir -p "$OUT" 2>/dev/null && [ -w "$OUT" ] && : >>"$OUT/.lock"; } 2>/dev/null; then
        local owned=$OUT
        [ -e "$owned" ] || owned=$(dirname "$OUT")
        fail "can't write to the build folder $OUT ($owned belongs to $(stat -c %U "$owned"))." \
            "run as that user, or set ADDJOB_BUILD_DIR to a folder you can write to."
    fi
    exec 9<"$OUT/.lock"
    if ! flock -n 9; then
        exec 9<&-  # so that neither this run nor the subshells that look for the holders hold the file
        fail "another run is using the build folder $OUT ($(cat "$OUT/.lock" 2>/dev/null); held by $(_lock_holders))." \
            "wait for it to end, or stop it; or give this run a folder of its own with ADDJOB_BUILD_DIR."
    fi
    echo "process $$, $(basename "$0"), since $(date +%H:%M:%S)" >"$OUT/.lock"
    export ADDJOB_LOCKED=$OUT
    _holds_lock=true
}

# The living processes that have the lock file open, each as "process ID (command line)".
_lock_holders() {
    local pid cmdline holders=()
    for pid in $(find /proc/[0-9]*/fd -maxdepth 1 -lname "$OUT/.lock" 2>/dev/null | cut -d/ -f3 | sort -un); do
        # One that has ended since is no holder
        cmdline=$(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline") || continue
        holders+=("process $pid (${cmdline:0:60})")
    done
    [ ${#holders[@]} -gt 0 ] || holders=("no process that is still running")
    printf '%s' "${holders[0]}"
    [ ${#holders[@]} -eq 1 ] || printf ', %s' "${holders[@]:1}"
}

project_version() {
    local version
    version=$(sed -n 's/^project(AddJob VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
    [ -n "$version" ] || fail "no version in project() of $ROOT/CMakeLists.txt." "give project(AddJob VERSION ...) a version."
    echo "$version"
}

_configure_and_build() {
    { cmake --preset "$1" -B "$OUT/$1" && cmake --build "$OUT/$1" -j"$(nproc)" "${@:3}"; } >"$2" 2>&1
}

build_preset() {
    local preset=$1 log=$OUT/build-$1.log
    shift
    in_background _configure_and_build "$preset" "$log" "$@" ||
        { tail -n 40 "$log"; fail "the $preset build failed (above; all of it in $log)." \
            "fix what it says; if a tool is missing, run scripts/setup as root."; }
}
