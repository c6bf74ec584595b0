#!/usr/bin/env bash
# wxdecode on the command line: one JSON object per input line, every key in order, absent
# values as the decoder holds them, text escaped and Latin-1 written as UTF-8. Input is read in
# pieces: lines that span pieces come out whole, a line longer than 1 MiB is decoded from its
# first 1 MiB with a note on standard error, and memory stays bounded whatever the length.
source "$(dirname "$0")/lib.bash"
wx() { "$bin/wxdecode" "$@" 2>/dev/null; }
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
# Latin-1 comes out as UTF-8; the CR LF of the rain caption is escaped like the remainder.
out=$(printf 'A:B_1>APRS,X:_10090556c220s004t077p000h50 a>b:c "q"\\\001\t\260\377\r\n' | wx)
for part in '"remainder":" a>b:c \"q\"\\\u0001\t°ÿ",' '"dew_point":13.847684,' \
    '"temp":"25.0°C",' '"rain":"0mm/24h\r\n Dp 13.8°C  11.5g/m³",'; do
    [[ "$out" == *"$part"* ]] || fail "missing $part in $out"
done
wx --help | grep -q -- --info || fail "--help does not list --info"
got=$(wx --bogus </dev/null) && code=0 || code=$?
check "unknown option: exit code and output" "2:" "$code:$got"

# xs COUNT: that many x characters.
xs() { head -c "$1" /dev/zero | tr '\0' x; }
# Lines around the 64 KiB pieces the input is read in, and a last line without a line feed.
# Each case: the byte counts of the x lines, then the lengths of the remainders expected.
while IFS='|' read -r counts expected; do
    got=$(for n in $counts; do xs "$n"; echo; done | head -c -1 | wx --info |
        sed -E 's/.*"remainder":"(x*)".*/\1/' | awk '{ printf "%d ", length($0) }')
    check "lines of $counts bytes: remainders" "$expected" "$got"
done <<'EOF'
65535 65536 65537|65535 65536 65537 
40000 40000 40000 200000|40000 40000 40000 200000 
1 0 1048576|1 0 1048576 
1048577 3|1048576 3 
EOF

# A 100 MB line between two reports: the second report still comes out, the cut is noted, and
# the process stays small.
{ echo '_10090556c220s004t077'; xs 100000000; printf '\n_10090556c220s004t068\n'; } |
    /usr/bin/time -f '%M' -o "$work/rss" "$bin/wxdecode" --info >"$work/out" 2>"$work/err"
check "reports around a 100 MB line" '"temperature":25 "temperature":20 ' \
    "$(sed -n '1p; 3p' "$work/out" | grep -o '"temperature":[0-9]*' | tr '\n' ' ')"
check "lines out" 3 "$(wc -l <"$work/out")"
check "note of the cut line" 'wxdecode: line 2 is longer than 1 MiB; decoded from its first 1 MiB' \
    "$(cat "$work/err")"
[ "$(tail -n 1 "$work/rss")" -lt 65536 ] || fail "a 100 MB line took $(tail -n 1 "$work/rss") KiB"
finish "wxdecode"
