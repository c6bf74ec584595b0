#!/usr/bin/env bash
# How fast aprs-replay serves a plain client that reads as fast as it can, and what that costs
# aprs-replay itself: lines per second, CPU time, peak memory. Usage:
#   bench/aprs_replay_rate.sh BUILD_DIR [LINES]        (a Release build, e.g. build-rel)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:?build directory}"
lines="${2:-1000000}"
out="$(mktemp)"
"$build/bin/aprs-replay" --port 0 --loop --count "$lines" "$root/docs/demo-stream.txt" >"$out" 2>/dev/null &
pid=$!
trap 'kill "$pid" 2>/dev/null; rm -f "$out"' EXIT
port=
for _ in $(seq 50); do
    port="$(sed -n 's/^listening on 127\.0\.0\.1://p' "$out")"
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { echo "aprs-replay did not start" >&2; exit 1; }

python3 - "$port" <<'PY'
import socket, sys, time
s = socket.create_connection(("127.0.0.1", int(sys.argv[1])))
start, size, ends = time.perf_counter(), 0, 0
while True:
    data = s.recv(1 << 20)
    if not data:
        break
    size += len(data)
    ends += data.count(b"\n")
seconds = time.perf_counter() - start
print(f"client: {ends} lines, {size} bytes in {seconds:.3f} s = {ends / seconds:,.0f} lines/s")
PY

ticks="$(getconf CLK_TCK)"
read -r user system < <(awk '{print $14, $15}' "/proc/$pid/stat")
peak="$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")"
awk -v u="$user" -v s="$system" -v t="$ticks" -v n="$lines" -v p="$peak" 'BEGIN {
    cpu = (u + s) / t
    printf "aprs-replay: %.2f s CPU (%.2f user, %.2f system) = %.0f ns a line; peak RSS %d KiB\n",
        cpu, u / t, s / t, cpu * 1e9 / n, p
}'
