#!/usr/bin/env bash
# wxdecode on the command line: one JSON object per input line, every key in order, absent
# values as the decoder holds them, text escaped and Latin-1 written as UTF-8; input read in
# pieces, a line longer than 1 MiB decoded from its first 1 MiB with a note, memory bounded.
source "$(dirname "$0")/lib.bash"
wx() { "$bin/wxdecode" "$@" 2>/dev/null; }
# An information field with nothing to decode.
empty='{"wind_direction":-999,"wind_speed":0,"wind_gust":-16091.86,"temperature":-5572.778,'\
'"rain_last_hour":-2539.776,"rain_since_midnight":-2539.776,"rain_24_hours":-2539.776,'\
'"pressure":-999.9,"humidity":-9999,"pressure_change_4h":-999,"remainder":"",'\
'"wind_chill":-999,"dew_point":null,"absolute_humidity":-999,"readout":{"wind":null,'\
'"temp":null,"hum":null,"press":null,"rain":"","rain_font_pt":10,"comment":" "}}'
# The information starts after the first ':' behind the first '>'; without them it is empty.
check "lines without a packet" "$empty"$'\n'"$empty"$'\n'"$empty" \
    "$(printf 'no packet here\n\nN0CALL>APRS\n' | wx)"
# Latin-1 comes out as UTF-8; the CR LF of the rain caption is escaped like the remainder.
out=$(printf 'A:B_1>APRS,X:_10090556c220s004t077p000h50 a>b:c "q"\\\001\t\260\377\r\n' | wx)
for part in '"remainder":" a>b:c \"q\"\\\u0001\t°ÿ",' '"dew_point":13.847684,' \
    '"temp":"25.0°C",' '"rain":"0mm/24h\r\n Dp 13.8°C  11.5g/m³",'; do
    [[ "$out" == *"$part"* ]] || fail "missing $part in $out"
done
# Other units change the captions only.
out=$(echo '_220/004g005t077r000p000P000h50b09900' | wx --info --units us)
[[ "$out" == *'"wind_speed":6.437388,'*'"wind":"220°  4 / 5 mph","temp":"77.0°F",'* ]] ||
    fail "--units us: $out"
for bad in '--units si' --bogus; do
    check "$bad: output and exit code" ":2" "$(wx $bad </dev/null; echo ":$?")"
done
wx --help | grep -q -- --info || fail "--help does not list --info"

# Lines around the 64 KiB pieces the input is read in, a last line without a line feed, and a
# 100 MB line. Each case: the byte counts of the x lines, then the remainders' lengths.
while IFS='|' read -r counts expected; do
    got=$(for n in $counts; do head -c "$n" /dev/zero | tr '\0' x; echo; done | head -c -1 |
        /usr/bin/time -f '%M' -o "$work/rss" "$bin/wxdecode" --info 2>"$work/err" |
        sed -E 's/.*"remainder":"(x*)".*/\1/' | awk '{ printf "%d ", length($0) }')
    check "lines of $counts bytes: remainders" "$expected" "$got"
    [ "$(tail -n 1 "$work/rss")" -lt 65536 ] || fail "$counts: $(tail -n 1 "$work/rss") KiB"
done <<'EOF'
65535 65536 65537|65535 65536 65537 
40000 40000 40000 200000|40000 40000 40000 200000 
1 0 1048576|1 0 1048576 
3 100000000 3|3 1048576 3 
EOF
check "note of the cut line" 'wxdecode: line 2 is longer than 1 MiB; decoded from its first 1 MiB' \
    "$(cat "$work/err")"
finish "wxdecode"
