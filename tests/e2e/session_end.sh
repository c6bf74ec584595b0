#!/usr/bin/env bash
# The end of a session, with the monitor run from a folder of its own (the alarms file lives
# beside it): SIGTERM, SIGINT and SIGHUP close the window and save when asked; on a full or
# read-only file system the save fails without a box.
source "$(dirname "$0")/lib.bash"
mounted=""
stop_all() { [ -z "$mounted" ] || umount "$mounted"; }

call=Q1XYZ-13
printf '%s>APRS,TCPIP*:>status\r\n' "$call" >"$work/stream.txt"
start_replay "$bin" "$work/replay.out" --loop --rate 5 "$work/stream.txt"
canonical=$'#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,41.5,20,96\r\n900,1040,40,250\r\n50,80\r\n'
# The same values as the user may have written them; a save writes them as above.
handwritten=$'#FALSE#, #TRUE#, #TRUE#, #TRUE#\n-5, 41.5, 20, 96\n900, 1040, 40, 250\n50, 80\n'
# The folder is a small file system where the test may mount one, to be filled up in step 2.
folder="$work/app"
mkdir -p "$folder"
mount -t tmpfs -o size=40m tmpfs "$folder" 2>/dev/null && mounted=$folder
cp "$bin/pluvetta" "$folder/pluvetta"
app="$folder/pluvetta"

# session NAME SIGNAL [SAVE]: sends SIGNAL once the window shows; the exit status must be 0.
session() {
    start_monitor "$call" "S:127.0.0.1:$replay_port" "${@:3}"
    wait_monitor windowTitle "$call Wx Station"
    stop_monitor "$1" "$2"
}

# 1. Each signal closes the window, and the alarms are saved with SAVE only.
for signal in TERM INT HUP; do
    for save in SAVE ""; do
        printf '%s' "$handwritten" >"$folder/WxAlarms.ini"
        session "SIG$signal $save" "$signal" $save
        [ -n "$save" ] && want=$canonical || want=$handwritten
        printf '%s' "$want" | cmp -s - "$folder/WxAlarms.ini" || fail "SIG$signal $save: alarms file"
    done
done

# 2. A failed save goes to standard error, and no box waits: on the folder filled up. (A
#    read-only folder is an installed copy's, whose file is in the configuration folder.)
if [ -n "$mounted" ]; then
    printf '%s' "$canonical" >"$folder/WxAlarms.ini"
    dd if=/dev/zero of="$folder/fill" bs=1M 2>/dev/null || true
    session "full" TERM SAVE
    grep -qxF "$folder/WxAlarms.ini: Unable to save Wx Alarm values" "$work/app.err" ||
        fail "full: standard error $(cat "$work/app.err")"
else
    echo "no tmpfs mount here: the full file system is left to the core's tests"
fi

finish "alarms file and session end"
