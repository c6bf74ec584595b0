#!/usr/bin/env bash
# End to end: with [server] reconnect on, the real pluvetta comes back by itself to an
# aprs-replay that went silent (stopped) or went away and came back on the same port. Time
# runs ten times faster: the 90 s of silence take 9 s.
source "$(dirname "$0")/lib.bash"
export PLUVETTA_TEST_SECONDS_SCALE=10
# The options file starts wrong; the faults are told once, and the mended file is taken at
# once, with its editor's way of saving: a new file put in the old one's place. Its alarm
# command, a shell line with quotes, a comma and a semicolon, hears of the server lost and back.
conf="$XDG_CONFIG_HOME/pluvetta/pluvetta.conf"
mkdir -p "$(dirname "$conf")"
printf '[server]\nreconnect=maybe\nbogus=1\n' >"$conf"
printf '%s\r\n' 'Q1XYZ-13>APRS,TCPIP*:!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW' \
    >"$work/stream.txt"
logins() { grep -c '^login: ' "$work/replay.out" || true; }

# 1. A greeting server that streams, then stops: left after the silence and connected to
#    again (the kernel takes the connection for it).
start_replay "$bin" "$work/replay.out" --greeting --loop --rate 4 "$work/stream.txt"
start_monitor Q1XYZ-13 "S:127.0.0.1:$replay_port"
wait_monitor lblTemp '25.0°C'
cat >"$conf.new" <<EOF
[server]
reconnect=true
bogus=1
[alarms]
command=sh -c 'echo "\$PLUVETTA_EVENT, \$PLUVETTA_TEXT" >>"\$0"; true' $work/events
EOF
mv "$conf.new" "$conf"
sleep 1
check "faults told" "1 1" "$(grep -c 'reconnect = "maybe"' "$work/app.err") $(grep -c bogus "$work/app.err")"
kill -STOP "$replay_pid"
wait_monitor lblWxComment 'Pluvetta connected to 127.0.0.1' 15
kill -CONT "$replay_pid"
for _ in $(seq 50); do [ "$(cat "$work/events" 2>/dev/null | wc -l)" -ge 2 ] && break; sleep 0.1; done
check "alarm commands" "link-lost, Aprs Server Disconnected|link-back, Pluvetta connected to 127.0.0.1" \
    "$(paste -sd'|' "$work/events" 2>/dev/null)"

# 2. The server is killed and started again on the same port: the wait shows on the comment
#    line, and the link logs in to the new server.
old_port=$replay_port
stop_replay
wait_monitor lblWxComment 'Aprs Server Disconnected - riprovo fra ' 5
sleep 2
start_replay "$bin" "$work/replay.out" --port "$old_port" --greeting --loop --rate 4 \
    "$work/stream.txt"
for _ in $(seq 100); do [ "$(logins)" -ge 1 ] && break; sleep 0.1; done
check "logins to the new server" 1 "$(logins)"
stop_monitor "reconnected twice"

finish "end-to-end reconnect to a server"
