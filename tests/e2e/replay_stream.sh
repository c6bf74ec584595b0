#!/usr/bin/env bash
# End to end: aprs-replay streams packet lines on loopback, the real pluvetta (offscreen)
# listens as an APRS server client, and the readout its widgets show at the end is checked.
# The AGWPE side runs against a real engine in direwolf.sh.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/../../scripts/replay-lib.sh"
stop_all() { stop_replay; }

# Runs the monitor until the server closes the stream; its widgets' texts land in $work/readout.
run_monitor() {
    PLUVETTA_HOOK_QUIT_ON_DISCONNECT=1 PLUVETTA_HOOK_PRINT_READOUT=1 \
        timeout 60 "$bin/pluvetta" "$@" >"$work/readout"
}

# A stream with other stations, a near miss on the call sign and two reports of the watched
# station: the first one with wind data closes the gate for a minute, so the second is shown
# in the Rx rows only.
printf '%s\r\n' \
    '# aprs-replay test stream' \
    'Q2ABC>APRS,TCPIP*,qAC,T2TEST:!4500.00N/00900.00E-PHG2360 home' \
    'q1xyz-13>APRS,TCPIP*:_10090556c000s099g099t120' \
    'Q1XYZ-13>APRS,TCPIP*,qAC,T2TEST:!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW' \
    'Q1XYZ-13>APRS,TCPIP*,qAC,T2TEST:_10090600c090s010g015t068h40b10132' \
    'Q2ABC>APRS,TCPIP*:>status text' >"$work/stream.txt"
# 1. aprs-replay itself, to a plain client: the file's lines CR LF ended, looped and counted,
#    at 20 a second (the eighth line is due 350 ms after the first).
start_replay "$bin" "$work/replay.out" --loop --count 8 --rate 20 "$work/stream.txt"
started=$(date +%s%N)
got=$(timeout 10 bash -c "exec 3<>/dev/tcp/127.0.0.1/$replay_port; od -An -v -tx1 <&3" | tr -d ' \n')
took_ms=$((($(date +%s%N) - started) / 1000000))
want=$( (cat "$work/stream.txt"; head -n 2 "$work/stream.txt") | od -An -v -tx1 | tr -d ' \n')
[ "$got" = "$want" ] && [ "$took_ms" -ge 340 ] || fail "aprs-replay --rate 20: $took_ms ms, got $got"
stop_replay

# 2. The monitor against a server that greets with "#": it logs in, receive only, for the
#    watched station's packets, and shows the first report with wind data.
start_replay "$bin" "$work/replay.out" --greeting "$work/stream.txt"
run_monitor Q1XYZ-13 "S:127.0.0.1:$replay_port"
grep -Eq '^login: user PLUV[0-9]{5} pass -1 vers Pluvetta [0-9.]+ filter b/Q1XYZ-13$' \
    "$work/replay.out" || fail "login line: $(cat "$work/replay.out")"
expect windowTitle 'Q1XYZ-13 Wx Station'
expect lblWxData '220°  6 / 8 km/h'
expect lblTemp '25.0°C'
expect lblUR '50%'
expect lblPress '990.0 mb'
expect lblRain '0mm/h 0mm/24h\r\n0mm/Day Dp 13.8°C  11.5g/m³'
expect lblWxComment 'Aprs Server Disconnected'
expect List2.0 'Q2ABC>APRS,TCPIP*:'
expect List2.1 '>status text'
expect Text1 '[TIME] Q1XYZ-13>APRS,TCPIP*,qAC,T2TEST:\r\n!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW\r\n'
stop_replay

finish "end-to-end replay streams"
