#!/usr/bin/env bash
# wxdecode on the command line: one JSON object per input line, every key in order, absent
# values as the decoder holds them, text escaped and Latin-1 written as UTF-8.
source "$(dirname "$0")/lib.bash"
wx() { "$bin/wxdecode" "$@" 2>/dev/null; }
check() {  # check WHAT EXPECTED GOT
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}
# An information field with nothing to decode.
empty='{"wind_direction":-999,"wind_speed":0,"wind_gust":-16091.86,"temperature":-5572.778,'\
'"rain_last_hour":-2539.776,"rain_since_midnight":-2539.776,"rain_24_hours":-2539.776,'\
'"pressure":-999.9,"humidity":-9999,"pressure_change_4h":-999,"remainder":"",'\
'"wind_chill":-999,"dew_point":null,"absolute_humidity":-999,"readout":{"wind":null,'\
'"temp":null,"hum":null,"press":null,"rain":"","rain_font_pt":10,"comment":" "}}'
check "empty field" "$empty" "$(printf '\r\n' | wx --info)"
check "no input" "" "$(printf '' | wx --info)"
# The information starts after the first ':' behind the first '>'; without them it is empty.
check "lines without a packet" "$empty"$'\n'"$empty"$'\n'"$empty" \
    "$(printf 'no packet here\n\nN0CALL>APRS\n' | wx)"
field='_10090556c220s004t077h50 a>b:c'
check "packet line" "$(printf '%s\n' "$field" | wx --info)" \
    "$(printf 'A:B_1>APRS,X:%s\r\n' "$field" | wx)"
# Latin-1 comes out as UTF-8; the CR LF of the rain caption is escaped like the remainder.
out=$(printf '_10090556c220s004t077p000h50 "q"\\\001\t\260\377\n' | wx --info)
for part in '"remainder":" \"q\"\\\u0001\t°ÿ",' '"dew_point":13.847684,' '"temp":"25.0°C",' \
    '"rain":"0mm/24h\r\n Dp 13.8°C  11.5g/m³",'; do
    [[ "$out" == *"$part"* ]] || fail "missing $part in $out"
done
wx --help | grep -q -- --info || fail "--help does not list --info"
got=$(wx --bogus </dev/null) && code=0 || code=$?
check "unknown option: exit code and output" "2:" "$code:$got"
finish "wxdecode"
