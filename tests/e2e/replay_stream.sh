#!/usr/bin/env bash
# End to end: aprs-replay streams packet lines on loopback to the real pluvetta, a server client.
source "$(dirname "$0")/lib.bash"

# The watched station's report, then another station's packet, which is not logged.
printf '%s\r\n' \
    'Q1XYZ-13>APRS,TCPIP*,qAC,T2TEST:!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW' \
    'Q2ABC>APRS,TCPIP*:>status text' >"$work/stream.txt"
# 1. aprs-replay itself, to a plain client: the file's lines CR LF ended, looped and counted,
#    at 20 a second (the fifth line is due 200 ms after the first).
start_replay "$bin" "$work/replay.out" --loop --count 5 --rate 20 "$work/stream.txt"
started=$(date +%s%N)
timeout 10 bash -c "exec 3<>/dev/tcp/127.0.0.1/$replay_port; cat <&3" >"$work/got"
took_ms=$((($(date +%s%N) - started) / 1000000))
cat "$work/stream.txt" "$work/stream.txt" <(head -n 1 "$work/stream.txt") | cmp -s - "$work/got" &&
    [ "$took_ms" -ge 190 ] || fail "aprs-replay --rate 20: $took_ms ms, got $(cat -v "$work/got")"
stop_replay

# 2. The monitor against a server that greets with "#": it logs in, receive only, for the
#    watched station's packets, shows its report, and says when the stream ends.
start_replay "$bin" "$work/replay.out" --greeting "$work/stream.txt"
PLUVETTA_HOOK_QUIT_ON_DISCONNECT=1 PLUVETTA_HOOK_PRINT_READOUT=1 \
    timeout 60 "$bin/pluvetta" Q1XYZ-13 "S:127.0.0.1:$replay_port" >"$work/readout"
grep -Eq '^login: user PLUV[0-9]{5} pass -1 vers Pluvetta [0-9.]+ filter b/Q1XYZ-13$' \
    "$work/replay.out" || fail "login line: $(cat "$work/replay.out")"
expect lblTemp '25.0°C'
expect lblWxComment 'Aprs Server Disconnected'
expect Text1 '[TIME] Q1XYZ-13>APRS,TCPIP*,qAC,T2TEST:\r\n!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW\r\n'

finish "end-to-end replay streams"
