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

# Ctrl-C and kill end the script: its EXIT trap then stops what it started.
trap 'echo "$(basename "$0"): interrupted; stopping what this run started." >&2; exit 130' INT TERM

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
        fail "another run is using the build folder $OUT ($(cat "$OUT/.lock" 2>/dev/null); held by $(_lock_holders 9<&-))." \
            "wait for it to end, or stop it; or give this run a folder of its own with ADDJOB_BUILD_DIR."
    fi
    echo "process $$, $(basename "$0"), since $(date +%H:%M:%S)" >"$OUT/.lock"
    export ADDJOB_LOCKED=$OUT
}

# The living processes that have the lock file open, each as "process ID (command line)".
_lock_holders() {
    local fd pid holders=()
    for fd in /proc/[0-9]*/fd/*; do
        [ "$(readlink "$fd" 2>/dev/null)" = "$OUT/.lock" ] || continue
        pid=${fd#/proc/}
        pid=${pid%%/*}
        # Not this run itself, nor this subshell (bash keeps a copy of fd 9 while it is closed)
        [ "$pid" = "$$" ] || [ "$pid" = "$BASHPID" ] || holders+=("process $pid ($(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | cut -c1-60))")
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

build_preset() {
    local preset=$1 log=$OUT/build-$1.log
    shift
    { cmake --preset "$preset" -B "$OUT/$preset" && cmake --build "$OUT/$preset" -j"$(nproc)" "$@"; } >"$log" 2>&1 ||
        { tail -n 40 "$log"; fail "the $preset build failed (above; all of it in $log)." \
            "fix what it says; if a tool is missing, run scripts/setup as root."; }
}
