#!/usr/bin/env bash
# End to end against a real AGWPE engine: gen_packets turns packet lines into 1200 baud audio,
# Dire Wolf decodes it from standard input and passes the frames on over its AGW port, and the
# real pluvetta (offscreen) listens there.
source "$(dirname "$0")/lib.bash"
dw_pid=""
stop_all() {
    exec 7>&- 2>/dev/null || true
    [ -z "$dw_pid" ] || kill "$dw_pid" 2>/dev/null || true
    wait 2>/dev/null || true
}
command -v direwolf >/dev/null && command -v gen_packets >/dev/null ||
    { echo "direwolf and gen_packets are needed (scripts/install-deps.sh installs them)"; exit 1; }

# The audio: one packet per file, without a line feed, which gen_packets would keep in the
# packet; the 44-byte WAV header dropped, since Dire Wolf reads bare samples from stdin.
packets=(
    'Q1XYZ-13>APRS,WIDE2-1:>status text'
    'Q1XYZ-13>APRS,WIDE2-1:!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW'
    'Q1XYZ-1>APRS:_10090556c045s020g030t050h60b10200'
)
for i in "${!packets[@]}"; do
    printf '%s' "${packets[$i]}" >"$work/p$i.txt"
    gen_packets -r 44100 -o "$work/p$i.wav" "$work/p$i.txt" >/dev/null
    tail -c +45 "$work/p$i.wav" >>"$work/audio.raw"
done

# Dire Wolf reads its audio from a FIFO whose writing end this shell holds on fd 7: at the end
# of its input it exits and closes the AGW port. It keeps running when its port is taken, so
# the port is chosen by trying.
mkfifo "$work/audio"
for _ in $(seq 20); do
    port=$((20000 + RANDOM % 12000))
    ready="^Ready to accept AGW client application 0 on port $port"
    printf '%s\n' 'ADEVICE stdin null' 'ARATE 44100' 'MODEM 1200' "AGWPORT $port" 'KISSPORT 0' \
        >"$work/dw.conf"
    direwolf -c "$work/dw.conf" -t 0 -q hd <"$work/audio" >"$work/dw.log" 2>&1 &
    dw_pid=$!
    exec 7>"$work/audio"
    for _ in $(seq 200); do
        grep -q -e "$ready" -e 'Bind failed' "$work/dw.log" && break
        sleep 0.02
    done
    grep -q "$ready" "$work/dw.log" && break
    stop_all
    dw_pid=""
done
[ -n "$dw_pid" ] || { echo "Dire Wolf did not start"; cat "$work/dw.log"; exit 1; }

# 1. Connected: the engine's replies to R and G are on screen. The R reply also shows that the
#    m request before it has been taken, so the audio can start.
start_monitor Q1XYZ-13 "A:127.0.0.1:$port"
wait_monitor lblWxComment 'Pluvetta connesso a AGWPE v'
expect lblRain 'Porte Radio : 1'

# 2. The packets on the air: the watched station's status text and report are logged with
#    the frames' headers, and the report is decoded; the last frame, from another station
#    (with no path), is in the Rx rows.
cat "$work/audio.raw" >&7
wait_monitor List2.1 '_10090556c045s020g030t050h60b10200'
expect List2.0 '1: Q1XYZ-1 To APRS <UI pid=F0 Len=34 PF=0 >[TIME]'
expect lblTemp '25.0°C'
expect Text1 '1: Q1XYZ-13 To APRS Via WIDE2-1 <UI pid=F0 Len=12 PF=0 >[TIME]\r\n>status text\r\n1: Q1XYZ-13 To APRS Via WIDE2-1 <UI pid=F0 Len=60 PF=0 >[TIME]\r\n!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW\r\n'

# 3. The engine ends: the link is lost, quietly.
exec 7>&-
wait_monitor lblWxComment 'AGWPE Disconnected'
stop_monitor
check "exit status" 0 "$app_status"

[ "$failures" -eq 0 ] || cat "$work/dw.log"
finish "end-to-end with Dire Wolf"
