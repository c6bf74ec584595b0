#!/usr/bin/env bash
# End to end: with [agwpe] reconnect on, the real pluvetta comes back by itself to a Dire Wolf
# that ended and was started again on the same port, and asks it m, R and G again.
source "$(dirname "$0")/lib.bash"
export PLUVETTA_TEST_SECONDS_SCALE=10
mkdir -p "$XDG_CONFIG_HOME/pluvetta"
printf '[agwpe]\nreconnect=true\n' >"$XDG_CONFIG_HOME/pluvetta/pluvetta.conf"
gen_audio 'Q1XYZ-13>APRS:_10090556c045s020g030t050h60b10200'

start_direwolf
start_monitor Q1XYZ-13 "A:127.0.0.1:$port"
wait_monitor lblWxComment 'Pluvetta connesso a AGWPE v'
stop_direwolf
wait_monitor lblWxComment 'AGWPE Disconnected - riprovo fra ' 5
sleep 2
start_direwolf "$port"
# R and G answered again, and monitoring on again: the new engine's frame is shown.
wait_monitor lblWxComment 'Pluvetta connesso a AGWPE v' 15
expect lblRain 'Porte Radio : 1'
cat "$work/audio.raw" >&7
wait_monitor List2.1 '_10090556c045s020g030t050h60b10200'
stop_monitor "reconnected"
finish "end-to-end reconnect to Dire Wolf"
