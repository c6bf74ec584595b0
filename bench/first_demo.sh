#!/usr/bin/env bash
# Times a newcomer's first `scripts/run.sh --demo`: a fresh clone of the current branch, the
# build of what the demo runs, and the window until it shows the first report of DEMO-13 (its
# temperature on screen). The packages must be installed already (scripts/install-deps.sh).
#   bench/first_demo.sh
# Prints the seconds to the first report, and how much of it was the build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
feeder=
cleanup() {
    [ -n "$feeder" ] && kill "$feeder" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
git clone -q -b "$(git -C "$root" rev-parse --abbrev-ref HEAD)" "$root" "$work/clone"

start=$(date +%s.%N)
# The window answers "print" with what it shows; "quit" closes it once the report is there.
: >"$work/out"
mkfifo "$work/commands"
(
    exec >"$work/commands"
    until [ -e "$work/seen" ]; do
        echo print
        sleep 0.2
    done
    echo quit
) &
feeder=$!
PLUVETTA_HOOK_COMMANDS=1 "$work/clone/scripts/run.sh" --demo <"$work/commands" >"$work/out" 2>&1 &
demo=$!
built=
while kill -0 "$demo" 2>/dev/null; do
    if [ -z "$built" ] && grep -q '^Demo APRS server' "$work/out"; then
        built=$(date +%s.%N)
    fi
    if grep -q '^lblTemp=.*°C' "$work/out"; then
        seen=$(date +%s.%N)
        touch "$work/seen"
        break
    fi
    sleep 0.1
done
wait "$demo" || true
[ -n "${seen:-}" ] || { echo "no report seen; the demo said:" >&2; tail -n 20 "$work/out" >&2; exit 1; }
awk -v s="$start" -v b="${built:-$start}" -v e="$seen" 'BEGIN {
    printf "first report on screen after %.1f s (the build: %.1f s)\n", e - s, b - s }'
