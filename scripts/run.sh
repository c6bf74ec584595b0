#!/usr/bin/env bash
# Builds Pluvetta (Release) and runs it; the arguments go to the program:
#   scripts/run.sh CALL [A:host[:port] | S:host[:port] | host[:port]] [SAVE]
#   scripts/run.sh --demo [agw]
#   scripts/run.sh --storico [CALL]
#   scripts/run.sh --demo storico
# --demo plays docs/demo-stream.txt through aprs-replay on a free loopback port, greeting and
# looping like a real server at PLUVETTA_DEMO_RATE lines a second (default 1), watches DEMO-13
# there, and stops the server when the window closes. With "agw", aprs-replay plays an AGWPE
# engine instead, and the monitor watches DEMO-13 through its AGWPE link. The demo monitor keeps
# its reports in build/run/demo-history.sqlite, never in the user's history. --storico opens the
# history window on the user's history; "--demo storico" opens it on a made-up week of DEMO-13
# (build/run/demo-storico.sqlite, made afresh each time). Without a display ($DISPLAY and
# $WAYLAND_DISPLAY unset) the window opens on a virtual one under xvfb-run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh

build="${PLUVETTA_RUN_BUILD:-$root/build/run}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
# Only what runs: the tests and benchmarks are built by scripts/test.sh and scripts/bench.sh.
cmake --build "$build" -j"$(nproc)" --target pluvetta pluvetta-storico aprs-replay
app="$build/bin/pluvetta"
if [ ! -x "$app" ]; then
    echo "run.sh: $app was not built" >&2
    exit 1
fi

# The help file Leggimi.rtf is looked up in the working folder: the monitor starts in docs/,
# which holds it. WxAlarms.ini is kept beside the executable.
workdir="$root/docs"
[ -d "$workdir" ] || workdir="$root"
launcher=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    launcher=(xvfb-run -a)
fi

if [ "${1:-}" = --storico ]; then
    exec "${launcher[@]}" "$build/bin/pluvetta-storico" "${@:2}"
fi
if [ "${1:-}" = --demo ] && [ "${2:-}" = storico ]; then
    demo_history="$build/demo-storico.sqlite"
    "$build/bin/pluvetta-storico" --make-demo "$demo_history" 7 DEMO-13
    PLUVETTA_HISTORY_FILE="$demo_history" exec "${launcher[@]}" "$build/bin/pluvetta-storico" DEMO-13
fi
if [ "${1:-}" != --demo ]; then
    cd "$workdir"
    exec "${launcher[@]}" "$app" "$@"
fi

source "$root/scripts/replay-lib.sh"
replay_out="$(mktemp)"
tail_pid=
stop_demo() {
    [ -n "$tail_pid" ] && kill "$tail_pid" 2>/dev/null
    stop_replay
    rm -f "$replay_out"
}
trap stop_demo EXIT
if [ "${2:-}" = agw ]; then
    mode=(--agw) endpoint=A kind="AGWPE engine"
else
    mode=(--greeting) endpoint=S kind="APRS server"
fi
start_replay "$build/bin" "$replay_out" "${mode[@]}" --loop --rate "${PLUVETTA_DEMO_RATE:-1}" \
    docs/demo-stream.txt
echo "Demo $kind on 127.0.0.1:$replay_port; watching DEMO-13"
tail -n +2 -f "$replay_out" &
tail_pid=$!
(cd "$workdir" && PLUVETTA_HISTORY_FILE="$build/demo-history.sqlite" \
    "${launcher[@]}" "$app" DEMO-13 "$endpoint:127.0.0.1:$replay_port")
