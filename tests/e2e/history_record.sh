#!/usr/bin/env bash
# End to end: the monitor, fed by aprs-replay as an APRS server, keeps the watched station's
# report in the history file, and pluvetta-storico --csv gives back the values it showed.
source "$(dirname "$0")/lib.bash"

printf '%s\r\n' \
    'Q1XYZ-13>APRS,TCPIP*,qAC,T2TEST:!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW' \
    'Q2ABC>APRS,TCPIP*:_10090556c090s010t050' >"$work/stream.txt"
start_replay "$bin" "$work/replay.out" --greeting "$work/stream.txt"
PLUVETTA_HOOK_QUIT_ON_DISCONNECT=1 PLUVETTA_HOOK_PRINT_READOUT=1 \
    timeout 60 "$bin/pluvetta" Q1XYZ-13 "S:127.0.0.1:$replay_port" >"$work/readout"
expect lblTemp '25.0°C'

"$bin/pluvetta-storico" --csv Q1XYZ-13 --from 2000-01-01 >"$work/history.csv" ||
    fail "pluvetta-storico --csv: status $?"
check "CSV lines" 2 "$(wc -l <"$work/history.csv")"
# time_utc,station,link,wind_dir_deg,wind_speed_kmh,wind_gust_kmh,temp_c,humidity_pct,
# pressure_hpa,rain_1h_mm,rain_24h_mm,rain_midnight_mm,pressure_change_4h_hpa,wind_chill_c,
# dew_point_c,heat_index_c,raw
check "CSV row" 'Q1XYZ-13 aprsis 220 6 8 25.0 50 990.0 0 13.8 !4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW' \
    "$(tail -n 1 "$work/history.csv" | tr -d '\r' | awk -F, '{ printf "%s %s %s %.0f %.0f %.1f %s %.1f %.0f %.1f %s", $2, $3, $4, $5, $6, $7, $8, $9, $10, $15, $17 }')"
tail -n 1 "$work/history.csv" | grep -Eq '^20[0-9]{2}-[0-9]{2}-[0-9]{2}T[0-9:]{8}Z,' ||
    fail "CSV time: $(tail -n 1 "$work/history.csv")"

# Without the variable, the file the options name.
mkdir -p "$XDG_CONFIG_HOME/pluvetta"
printf '[history]\nfile=%s\n' "$PLUVETTA_HISTORY_FILE" >"$XDG_CONFIG_HOME/pluvetta/pluvetta.conf"
check "CSV lines, the file the options name" 2 "$(env -u PLUVETTA_HISTORY_FILE \
    XDG_DATA_HOME="$work/data" "$bin/pluvetta-storico" --csv Q1XYZ-13 --from 2000-01-01 | wc -l)"

# Bad arguments: a usage line and status 2.
status=0
"$bin/pluvetta-storico" --csv Q1XYZ-13 --from yesterday 2>"$work/usage" >/dev/null || status=$?
check "bad --from: status" 2 "$status"
grep -q '^uso: pluvetta-storico' "$work/usage" || fail "bad --from: $(cat "$work/usage")"

finish "end-to-end history"
