#!/usr/bin/env bash
# aprs-replay on loopback, read by plain clients: the file's lines CR LF ended to every client,
# --count, --loop and --rate, and the greeting that waits for the client's login.
set -euo pipefail
bin="${PLUVETTA_BUILD_DIR:?}/bin"
source "$(dirname "$0")/../../scripts/replay-lib.sh"
work="$(mktemp -d)"
trap 'stop_replay; rm -rf "$work"' EXIT
printf 'Q1ABC>APRS:>one\nQ2XYZ-9>APRS:>two\r\n\nDEMO-13>APRS:_12061920c220s004\n' >"$work/file"
stream=$'Q1ABC>APRS:>one\r\nQ2XYZ-9>APRS:>two\r\n\r\nDEMO-13>APRS:_12061920c220s004\r\n'
two=$'Q1ABC>APRS:>one\r\nQ2XYZ-9>APRS:>two\r\n'
failures=0
check() {  # check WHAT EXPECTED GOT
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: expected $(printf %q "$2"), got $(printf %q "$3")"
        failures=$((failures + 1))
    fi
}
# Reads everything the server sends until it closes, as hex so that nothing is lost.
read_stream() { timeout 10 bash -c "exec 3<>/dev/tcp/127.0.0.1/$replay_port; od -An -v -tx1 <&3" | tr -d ' \n'; }
hex() { printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'; }

# serve EXPECTED [OPTIONS]: two clients in turn get EXPECTED from aprs-replay OPTIONS.
serve() {
    local expected=$1
    shift
    start_replay "$bin" "$work/out" "$@" "$work/file"
    local first second
    first=$(read_stream) second=$(read_stream)
    check "aprs-replay $*" "$(hex "$expected")" "$first"
    check "aprs-replay $*, second client" "$first" "$second"
    stop_replay
}
serve "$stream"
serve "$two" --count 2
serve "$stream$two" --loop --count 6

# Four lines at 20 a second: the last is due 150 ms after the first.
start_replay "$bin" "$work/out" --rate 20 "$work/file"
started=$(date +%s%N)
read_stream >/dev/null
took_ms=$((($(date +%s%N) - started) / 1000000))
[ "$took_ms" -ge 140 ] || { echo "FAIL --rate 20: the stream took $took_ms ms"; failures=$((failures + 1)); }
stop_replay

# With --greeting the stream waits for the login line, which is printed.
start_replay "$bin" "$work/out" --greeting "$work/file"
got=$(timeout 10 bash -c "exec 3<>/dev/tcp/127.0.0.1/$replay_port
    IFS= read -r greeting <&3; printf '%s\n' \"\$greeting\"
    printf 'user PLUV00042 pass -1 vers Pluvetta 6.0\r\n' >&3; cat <&3" | tr -d '\r')
check greeting "# aprs-replay 6.0
# logresp PLUV00042 unverified, server REPLAY
$(printf '%s' "${stream//$'\r'/}")" "$got"
check "printed login" "login: user PLUV00042 pass -1 vers Pluvetta 6.0" "$(sed -n 2p "$work/out")"

[ "$failures" -eq 0 ] && echo "aprs-replay: all checks passed"
exit "$failures"
