#!/usr/bin/env bash
# End to end: the monitor, fed by aprs-replay as an APRS server that greets with "#", logs in,
# receive only, for the watched station's packets, keeps its report in the history file, and
# pluvetta-storico --csv gives back the values it showed.
source "$(dirname "$0")/lib.bash"

report='Q1XYZ-13>APRS,TCPIP*,qAC,T2TEST:!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW'
printf '%s\r\n' "$report" 'Q2ABC>APRS,TCPIP*:_10090556c090s010t050' >"$work/stream.txt"
start_replay "$bin" "$work/replay.out" --greeting "$work/stream.txt"
PLUVETTA_HOOK_QUIT_ON_DISCONNECT=1 PLUVETTA_HOOK_PRINT_READOUT=1 \
    timeout 60 "$bin/pluvetta" Q1XYZ-13 "S:127.0.0.1:$replay_port" >"$work/readout"
grep -Eq '^login: user PLUV[0-9]{5} pass -1 vers Pluvetta [0-9.]+ filter b/Q1XYZ-13$' \
    "$work/replay.out" || fail "login line: $(cat "$work/replay.out")"
expect lblTemp '25.0°C'

"$bin/pluvetta-storico" --csv Q1XYZ-13 --from 2000-01-01 >"$work/history.csv" ||
    fail "pluvetta-storico --csv: status $?"
# The header, then the watched station's one row: the time it came, and what it showed.
check "CSV lines" "2 [TIME],Q1XYZ-13,aprsis,220,6.437388,8.046735,25,50,990,0,0,0,,,13.847684,,${report#*:}" \
    "$(wc -l <"$work/history.csv") $(tail -n 1 "$work/history.csv" | tr -d '\r' |
        sed -E 's/^20[0-9]{2}-[0-9]{2}-[0-9]{2}T[0-9:]{8}Z,/[TIME],/')"

# Without the variable, the file the options name.
mkdir -p "$XDG_CONFIG_HOME/pluvetta"
printf '[history]\nfile=%s\n' "$PLUVETTA_HISTORY_FILE" >"$XDG_CONFIG_HOME/pluvetta/pluvetta.conf"
check "CSV lines, the file the options name" 2 "$(env -u PLUVETTA_HISTORY_FILE \
    XDG_DATA_HOME="$work/data" "$bin/pluvetta-storico" --csv Q1XYZ-13 --from 2000-01-01 | wc -l)"

# Bad arguments: a usage line and status 2.
check "bad --from: status" 2 \
    "$("$bin/pluvetta-storico" --csv Q1XYZ-13 --from yesterday 2>"$work/usage" >/dev/null; echo $?)"
grep -q '^uso: pluvetta-storico' "$work/usage" || fail "bad --from: $(cat "$work/usage")"

finish "end-to-end history"
