#!/usr/bin/env bash
# aprs-replay itself, to a plain client: the file's lines CR LF ended, looped and counted, at
# 20 a second (the fifth line is due 200 ms after the first).
source "$(dirname "$0")/lib.bash"

printf 'Q1XYZ-13>APRS:>one\r\nQ2ABC>APRS:>two\r\n' >"$work/stream.txt"
start_replay "$bin" "$work/replay.out" --loop --count 5 --rate 20 "$work/stream.txt"
started=$(date +%s%N)
timeout 10 bash -c "exec 3<>/dev/tcp/127.0.0.1/$replay_port; cat <&3" >"$work/got"
took_ms=$((($(date +%s%N) - started) / 1000000))
cat "$work/stream.txt" "$work/stream.txt" <(head -n 1 "$work/stream.txt") | cmp -s - "$work/got" &&
    [ "$took_ms" -ge 190 ] || fail "aprs-replay --rate 20: $took_ms ms, got $(cat -v "$work/got")"
finish "end-to-end replay streams"
