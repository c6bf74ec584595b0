#!/usr/bin/env bash
# wxdecode reads its input in pieces: lines that span pieces come out whole, a line longer than
# 1 MiB is decoded from its first 1 MiB with a note on standard error, and memory stays bounded
# whatever the length of a line.
source "$(dirname "$0")/lib.bash"
mib=1048576
# xs COUNT: that many x characters.
xs() { head -c "$1" /dev/zero | tr '\0' x; }
# remainder_lengths: the length of each output line's remainder, one a line.
remainder_lengths() { sed -E 's/.*"remainder":"([x]*)".*/\1/' | awk '{ print length($0) }'; }

# Lines around the 64 KiB pieces the input is read in, and a last line without a line feed.
# Each case: the byte counts of the x lines, then the remainder lengths expected.
while IFS='|' read -r counts expected; do
    got=$(for n in $counts; do xs "$n"; echo; done | head -c -1 | "$bin/wxdecode" --info 2>/dev/null |
        remainder_lengths | tr '\n' ' ')
    [ "$got" = "$expected" ] || fail "lines of $counts bytes: remainders '$got', not '$expected'"
done <<'EOF'
65535 65536 65537|65535 65536 65537 
40000 40000 40000 200000|40000 40000 40000 200000 
1 0 1048576|1 0 1048576 
1048577 3|1048576 3 
EOF

# A 100 MB line between two reports: the fields are read from its first MiB, the second report
# still comes out, and the process stays small.
{
    echo '_10090556c220s004g005t077r000p000P000h50b09900'
    printf '_10090556c220s004t050'
    xs 100000000
    echo
    echo '_10090556c220s004t068'
} | /usr/bin/time -f '%M' -o "$work/rss" "$bin/wxdecode" --info >"$work/out" 2>"$work/err"
[ "$(wc -l <"$work/out")" = 3 ] || fail "a 100 MB line: $(wc -l <"$work/out") output lines, not 3"
lengths=$(remainder_lengths <"$work/out" | tr '\n' ' ')
[ "$lengths" = "0 $((mib - 21)) 0 " ] || fail "a 100 MB line: remainders $lengths"
temps=$(grep -o '"temperature":[0-9.]*' "$work/out" | tr '\n' ' ')
[ "$temps" = '"temperature":25 "temperature":10 "temperature":20 ' ] || fail "temperatures $temps"
grep -q '^wxdecode: line 2 is longer than 1 MiB; decoded from its first 1 MiB$' "$work/err" ||
    fail "no note of the cut line: $(cat "$work/err")"
peak_kib=$(tail -n 1 "$work/rss")
[ "$peak_kib" -lt 65536 ] || fail "a 100 MB line took $peak_kib KiB"
finish "wxdecode lines"
