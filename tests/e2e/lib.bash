# What the end-to-end scripts share: a work folder removed at exit once every process is
# stopped (and the script's own stop_all has run), and readout checks.
set -euo pipefail
bin="${PLUVETTA_BUILD_DIR:?}/bin"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/replay-lib.sh"
work="$(mktemp -d)"
trap 'stop_monitor; stop_replay; stop_direwolf; declare -F stop_all >/dev/null && stop_all; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen LC_ALL=C LANG=C
# Never the user's own options file or history.
export XDG_CONFIG_HOME="$work/config"
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

# wait_monitor NAME TEXT [SECONDS]: reads what the monitor shows into $work/readout until
# NAME's text starts with TEXT, for SECONDS (20) at most; keeps the highest resident memory
# seen in peak_kb.
wait_monitor() {
    local deadline=$((SECONDS + ${3:-20})) ends
    while [ "$SECONDS" -lt "$deadline" ]; do
        ends=$(grep -c '^end$' "$work/app.out" || true)
        echo print >&4
        for _ in $(seq 200); do
            [ "$(grep -c '^end$' "$work/app.out" || true)" -gt "$ends" ] && break
            sleep 0.05
        done
        awk -v n="$ends" '/^end$/ { seen++; next } seen == n' "$work/app.out" >"$work/readout"
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

# start_direwolf [PORT]: Dire Wolf (dw_pid) with its AGW port on PORT or a free one found by
# trying (port); it reads bare audio from a FIFO held open on fd 7, and exits at its end.
start_direwolf() {
    rm -f "$work/audio"
    mkfifo "$work/audio"
    for _ in $(seq 20); do
        port=${1:-$((20000 + RANDOM % 12000))}
        printf '%s\n' 'ADEVICE stdin null' 'ARATE 44100' 'MODEM 1200' "AGWPORT $port" \
            'KISSPORT 0' >"$work/dw.conf"
        direwolf -c "$work/dw.conf" -t 0 -q hd <"$work/audio" >"$work/dw.log" 2>&1 &
        dw_pid=$!
        exec 7>"$work/audio"
        for _ in $(seq 200); do
            grep -q -e "^Ready to accept AGW client" -e 'Bind failed' "$work/dw.log" && break
            sleep 0.02
        done
        grep -q 'Bind failed' "$work/dw.log" || return 0
        stop_direwolf
    done
    echo "Dire Wolf did not start"
    cat "$work/dw.log"
    exit 1
}

stop_direwolf() {
    exec 7>&- 2>/dev/null || true
    [ -z "${dw_pid:-}" ] || { kill "$dw_pid" 2>/dev/null || true; wait "$dw_pid" 2>/dev/null || true; }
    dw_pid=""
}

# gen_audio PACKET...: 1200 baud audio of each packet, bare samples, one after another, in
# $work/audio.raw.
gen_audio() {
    : >"$work/audio.raw"
    for packet in "$@"; do
        # No line feed for gen_packets to keep in the packet; the 44-byte WAV header dropped.
        printf '%s' "$packet" >"$work/packet.txt"
        gen_packets -r 44100 -o "$work/packet.wav" "$work/packet.txt" >/dev/null
        tail -c +45 "$work/packet.wav" >>"$work/audio.raw"
    done
}
