#!/usr/bin/env bash
# End to end against a real AGWPE engine: Dire Wolf decodes gen_packets' 1200 baud audio of
# packet lines and passes the frames on over its AGW port to the real pluvetta. With [agwpe]
# reconnect on, pluvetta comes back by itself to a Dire Wolf that ended and was started again
# on the same port, and asks it m, R and G again.
source "$(dirname "$0")/lib.bash"
export PLUVETTA_TEST_SECONDS_SCALE=10
mkdir -p "$XDG_CONFIG_HOME/pluvetta"
printf '[agwpe]\nreconnect=true\n' >"$XDG_CONFIG_HOME/pluvetta/pluvetta.conf"

gen_audio 'Q1XYZ-13>APRS,WIDE2-1:>status text' \
    'Q1XYZ-13>APRS,WIDE2-1:!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW' \
    'Q1XYZ-1>APRS:_10090556c045s020g030t050h60b10200'
start_direwolf

# 1. The engine's reply to R is on screen; it follows the m request, so the audio can start.
start_monitor Q1XYZ-13 "A:127.0.0.1:$port"
wait_monitor lblWxComment 'Pluvetta connesso a AGWPE v'

# 2. The watched station's status text and report are logged with the frames' headers, the
#    report decoded; the other station's frame is in the Rx rows.
cat "$work/audio.raw" >&7
wait_monitor List2.1 '_10090556c045s020g030t050h60b10200'
expect lblTemp '25.0°C'
expect Text1 '1: Q1XYZ-13 To APRS Via WIDE2-1 <UI pid=F0 Len=12 PF=0 >[TIME]\r\n>status text\r\n1: Q1XYZ-13 To APRS Via WIDE2-1 <UI pid=F0 Len=60 PF=0 >[TIME]\r\n!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW\r\n'

# 3. The engine ends and starts again: R and G answered again, and monitoring on again (the new
#    engine's frame is shown).
stop_direwolf
wait_monitor lblWxComment 'AGWPE Disconnected - riprovo fra ' 5
gen_audio 'Q1XYZ-2>APRS:_10090556c090s010g015t041h70b10150'
sleep 2
start_direwolf "$port"
wait_monitor lblWxComment 'Pluvetta connesso a AGWPE v' 15
expect lblRain 'Porte Radio : 1'
cat "$work/audio.raw" >&7
wait_monitor List2.1 '_10090556c090s010g015t041h70b10150'
stop_monitor "Dire Wolf session"

[ "$failures" -eq 0 ] || cat "$work/dw.log"
finish "end-to-end with Dire Wolf"
