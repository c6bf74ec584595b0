#!/usr/bin/env bash
# The alarms file and the end of a session, end to end, with the monitor run from a folder of
# its own (the file lives beside the executable): SIGTERM, SIGINT and SIGHUP close the window
# as the user would and save when asked; on a full or read-only file system the save fails
# without a box, the old file whole.
source "$(dirname "$0")/lib.bash"
mounted=""
stop_all() { [ -z "$mounted" ] || umount "$mounted"; }

call=Q1XYZ-13
printf '%s>APRS,TCPIP*:>status\r\n' "$call" >"$work/stream.txt"
start_replay "$bin" "$work/replay.out" --loop --rate 5 "$work/stream.txt"
canonical=$'#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,41.5,20,96\r\n900,1040,40,250\r\n50,80\r\n'
# The same values as the user may have written them; a save writes them as above.
handwritten=$'#FALSE#, #TRUE#, #TRUE#, #TRUE#\n-5, 41.5, 20, 96\n900, 1040, 40, 250\n50, 80\n'

# place_monitor FOLDER: a copy of the monitor in FOLDER, which `app` then names.
place_monitor() {
    mkdir -p "$1"
    ln -f "$bin/pluvetta" "$1/pluvetta" 2>/dev/null || cp "$bin/pluvetta" "$1/pluvetta"
    app="$1/pluvetta"
}

# session NAME SIGNAL [SAVE]: runs the monitor until its window shows, then sends it SIGNAL;
# the process must exit with status 0.
session() {
    start_monitor "$call" "S:127.0.0.1:$replay_port" "${@:3}"
    wait_monitor windowTitle "$call Wx Station"
    kill -s "$2" "$app_pid"
    app_status=0
    wait "$app_pid" || app_status=$?
    app_pid=""
    exec 4>&-
    check "$1: exit status" 0 "$app_status"
}

# 1. Each signal closes the window, and the alarms are saved with SAVE only.
place_monitor "$work/app"
for signal in TERM INT HUP; do
    for save in SAVE ""; do
        printf '%s' "$handwritten" >"$work/app/WxAlarms.ini"
        session "SIG$signal $save" "$signal" $save
        want=$handwritten
        [ -n "$save" ] && want=$canonical
        printf '%s' "$want" | cmp -s - "$work/app/WxAlarms.ini" || fail "SIG$signal $save: file changed"
    done
done

# 2. A save that fails when the session ends: written to standard error, no box waits. The
#    file's folder is a small file system, filled up, then also made read-only, where the
#    test may mount one; elsewhere the core's tests inject the failing writes.
if mkdir -p "$work/small" && mount -t tmpfs -o size=40m tmpfs "$work/small" 2>/dev/null; then
    mounted="$work/small"
    place_monitor "$work/small"
    printf '%s' "$canonical" >"$work/small/WxAlarms.ini"
    dd if=/dev/zero of="$work/small/fill" bs=1M 2>/dev/null || true
    for remount in "" ro; do
        [ -n "$remount" ] && mount -o remount,ro "$work/small"
        session "full $remount" TERM SAVE
        grep -qxF "$work/small/WxAlarms.ini: Unable to save Wx Alarm values" "$work/app.err" ||
            fail "full ${remount}: standard error $(cat "$work/app.err")"
        printf '%s' "$canonical" | cmp -s - "$work/small/WxAlarms.ini" || fail "full ${remount}: old file changed"
        [ "$(find "$work/small" -name '*.tmp' | wc -l)" -eq 0 ] || fail "full ${remount}: temporary file left"
    done
else
    echo "no tmpfs mount here: the full file system is left to the core's tests"
fi

finish "alarms file and session end"
