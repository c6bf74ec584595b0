# What the end-to-end scripts share: aprs-replay's helpers, a work folder removed at exit once
# the monitor, aprs-replay and the script's own stop_all have stopped, and readout checks.
set -euo pipefail
bin="${PLUVETTA_BUILD_DIR:?}/bin"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/replay-lib.sh"
work="$(mktemp -d)"
trap 'stop_monitor; stop_replay; declare -F stop_all >/dev/null && stop_all; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen LC_ALL=C LANG=C
# The monitor keeps every report; never in the user's own history.
export PLUVETTA_HISTORY_FILE="$work/history.sqlite"
failures=0

fail() { echo "FAIL $1"; failures=$((failures + 1)); }

check() { [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"; }

# expect NAME TEXT: in $work/readout, NAME shows exactly TEXT; a time of day reads [TIME].
expect() {
    check "$1" "$2" "$(grep -m1 "^$1=" "$work/readout" | cut -d= -f2- |
        sed -E 's/^\[[^]]*\]/[TIME]/; s/\[[0-9:]{8}\]/[TIME]/g')"
}

finish() {
    [ "$failures" -eq 0 ] || { echo "--- readout"; cat "$work/readout" 2>/dev/null; exit 1; }
    echo "$1: all checks passed"
}

# start_monitor ARGS...: starts pluvetta (app_pid), commands through a FIFO, output in
# $work/app.out and app.err. Not fd 7: direwolf.sh holds the audio FIFO's writing end there.
start_monitor() {
    rm -f "$work/commands"
    mkfifo "$work/commands"
    PLUVETTA_HOOK_COMMANDS=1 "${app:-$bin/pluvetta}" "$@" <"$work/commands" >"$work/app.out" \
        2>"$work/app.err" 7>&- &
    app_pid=$!
    exec 4>"$work/commands"
}

# read_monitor: what the monitor shows, into $work/readout.
read_monitor() {
    local ends=$(grep -c '^end$' "$work/app.out" || true)
    echo print >&4
    for _ in $(seq 200); do
        [ "$(grep -c '^end$' "$work/app.out" || true)" -gt "$ends" ] && break
        sleep 0.05
    done
    awk -v n="$ends" '/^end$/ { seen++; next } seen == n' "$work/app.out" >"$work/readout"
}

# wait_monitor NAME TEXT [SECONDS]: reads the monitor until NAME's text starts with TEXT, for
# SECONDS (20) at most; keeps the highest resident memory seen in peak_kb.
wait_monitor() {
    local deadline=$((SECONDS + ${3:-20}))
    while [ "$SECONDS" -lt "$deadline" ]; do
        read_monitor
        peak_kb=$(( $(rss_kb) > ${peak_kb:-0} ? $(rss_kb) : ${peak_kb:-0} ))
        awk -v want="$1=$2" 'index($0, want) == 1 { found = 1 } END { exit !found }' \
            "$work/readout" && return 0
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.2
    done
    fail "$1: waited for '$2'"
}

rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$app_pid/status" 2>/dev/null || echo 0; }

# stop_monitor [NAME [SIGNAL]]: closes the window as the user would, or sends SIGNAL; with a
# NAME, checks that the process exits with status 0 (within 20 s).
stop_monitor() {
    [ -n "${app_pid:-}" ] || return 0
    [ -z "${2:-}" ] || kill -s "$2" "$app_pid"
    [ -n "${2:-}" ] || echo quit >&4 2>/dev/null || true
    exec 4>&-
    local status=0
    timeout 20 tail --pid="$app_pid" -f /dev/null || kill -9 "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || status=$?
    app_pid=""
    [ -z "${1:-}" ] || check "$1: exit status" 0 "$status"
}
