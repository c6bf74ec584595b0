# Shell functions shared by the demo, the end-to-end test and the ingest benchmark.

# start_replay BIN_DIR OUT_FILE [aprs-replay options and file]: starts aprs-replay on a free
# loopback port with its output in OUT_FILE (its reports on clients in OUT_FILE.err when
# replay_err=1), and sets replay_pid and replay_port.
start_replay() {
    local bin=$1 out=$2
    shift 2
    # Emptied first: the port must not be read from an earlier run's line.
    : >"$out"
    if [ "${replay_err:-0}" = 1 ]; then
        "$bin/aprs-replay" --port 0 "$@" >>"$out" 2>"$out.err" &
    else
        "$bin/aprs-replay" --port 0 "$@" >>"$out" &
    fi
    replay_pid=$!
    replay_port=""
    for _ in $(seq 100); do
        replay_port=$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$out")
        [ -n "$replay_port" ] && return 0
        kill -0 "$replay_pid" 2>/dev/null || break
        sleep 0.05
    done
    echo "aprs-replay did not start" >&2
    return 1
}

# stop_replay: stops the server started by start_replay, if it still runs.
stop_replay() {
    if [ -n "${replay_pid:-}" ]; then
        kill "$replay_pid" 2>/dev/null || true
        wait "$replay_pid" 2>/dev/null || true
        replay_pid=""
    fi
}

# make_work_folder: makes a folder in $work, removed at exit once the server is stopped.
make_work_folder() {
    work="$(mktemp -d)"
    trap 'stop_replay; rm -rf "$work"' EXIT
}
