#!/usr/bin/env bash
# Faults on the wire, end to end: aprs-replay serves the real monitor bad streams on both links
# (a reset mid-line, 50 MB without a line end, random bytes, a byte-at-a-time trickle, AGWPE
# frames that announce gigabytes, a flood; a refused connection is tst_monitorbinding's). Each run ends in what the user is to
# see, with the process alive, its memory bounded, and the good report after the fault shown.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/../../scripts/replay-lib.sh"
stop_all() { stop_monitor; stop_replay; }
# A small quarantine, so that resident memory shows the program's own holdings.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}:quarantine_size_mb=8"

call=Q1XYZ-13
report="$call>APRS,TCPIP*,qAC,T2TEST:!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW"
other="$call>APRS,TCPIP*,qAC,T2TEST:_10090556c000s000g000t068h40b10132"
# An empty line first: the junk's last bytes end with it instead of spoiling the report.
printf '\r\n%s\r\n' "$report" >"$work/report.txt"
printf '%s\r\n' "$report" >"$work/trickle.txt"
for _ in $(seq 50); do printf 'Q2ABC>APRS,TCPIP*:>status text, of no weather at all\r\n'; done >"$work/flood.txt"
printf '%s\r\n' "$other" >>"$work/flood.txt"

# run_fault LINK [aprs-replay options]: starts aprs-replay with a fault and the monitor on LINK
# (A or S); notes the monitor's resident memory once it runs.
run_fault() {
    local link=$1
    shift
    stop_replay
    replay_err=1 start_replay "$bin" "$work/replay.out" "$@"
    start_monitor "$call" "$link:127.0.0.1:$replay_port"
    read_monitor
    start_kb=$(rss_kb)
    peak_kb=$start_kb
}

# end_fault NAME MAX_GROWTH_MB: the monitor still runs and its memory grew by at most so much;
# then it is closed.
end_fault() {
    kill -0 "$app_pid" 2>/dev/null || fail "$1: the monitor died"
    [ $((peak_kb - start_kb)) -le $(($2 * 1024)) ] || fail "$1: memory grew from $start_kb to $peak_kb KiB"
    echo "$1: resident memory $start_kb KiB at start, $peak_kb KiB at most"
    stop_monitor
    [ "$app_status" -eq 0 ] || fail "$1: exit status $app_status"
}

# 1. Server link: 50 MB without a line end, random bytes, each followed by the report; the
#    report a byte at a time; a flood of lines faster than the window takes them. The stream
#    ends with an orderly close, after which the last report is still shown.
run_fault S --junk noend:50000000 "$work/report.txt"
wait_monitor lblWxComment 'Aprs Server Disconnected'
expect lblTemp '25.0°C'
end_fault "50 MB line" 16
run_fault S --junk random:60000000 "$work/report.txt"
wait_monitor lblWxComment 'Aprs Server Disconnected'
expect lblTemp '25.0°C'
end_fault "random bytes" 24
run_fault S --trickle "$work/trickle.txt"
wait_monitor lblWxComment 'Aprs Server Disconnected'
expect lblTemp '25.0°C'
end_fault "trickle" 8
run_fault S --loop --count 306000 "$work/flood.txt"
wait_monitor lblWxComment 'Aprs Server Disconnected' 60
expect lblTemp '20.0°C'
expect List2.1 '_10090556c000s000g000t068h40b10132'
end_fault "flood" 24

# 2. A reset in the middle of a line, after a good report: the report stays, the line is lost.
run_fault S --reset "$work/trickle.txt"
wait_monitor lblWxComment 'Aprs Server Disconnected'
expect lblTemp '25.0°C'
end_fault "reset" 8

# 3. AGWPE link: the report a byte at a time; frames that announce 4 GB put the stream out of
#    step: the box says so (the setup dialog follows once it is closed). Random bytes do the
#    same at once, as their first header announces a length beyond the bound.
run_fault A --agw --trickle "$work/trickle.txt"
wait_monitor lblWxComment 'AGWPE Disconnected'
expect lblTemp '25.0°C'
end_fault "agw trickle" 8
run_fault A --agw --junk frames:3600 "$work/report.txt"
wait_monitor box "Errore collegamento con AGWPE [Q1XYZ-13]|AGWPE stream out of step"
end_fault "agw frames of 4 GB" 8

finish "faults on the wire"
