#!/usr/bin/env bash
# The Debian package as a user gets it: unpacked with dpkg -x into a folder that takes no file,
# its monitor run from there against its own aprs-replay and demo stream. It shows the demo
# station's report, F1 finds the installed guide, and SAVE writes the thresholds into the
# configuration folder. Usage: tests/package/installed.sh build/package/pluvetta_*.deb
deb="$(realpath "${1:?usage: installed.sh PACKAGE.deb}")"
tree="$(mktemp -d)"
export PLUVETTA_BUILD_DIR="$tree/ro/usr"
source "$(dirname "$0")/../e2e/lib.bash"
stop_all() {
    umount "$tree/ro" 2>/dev/null || true
    chmod -R u+w "$tree"
    rm -rf "$tree"
}
mkdir "$tree/unpacked" "$tree/ro"
dpkg-deb -x "$deb" "$tree/unpacked"
# Read-only even to root: a read-only bind mount; without the right to mount, no write bits.
if [ "$(id -u)" -eq 0 ]; then
    { mount --bind "$tree/unpacked" "$tree/ro" && mount -o remount,bind,ro "$tree/ro"; } ||
        { echo "installed.sh: root here may not mount; the copy would not be read-only"; exit 1; }
else
    rmdir "$tree/ro" && mv "$tree/unpacked" "$tree/ro" && chmod -R a-w "$tree/ro"
fi
# Only the package's own share folder holds the guide, and the working folder has none.
export XDG_DATA_HOME="$work/data" XDG_DATA_DIRS="$work/none"
cd "$work"

start_replay "$bin" "$work/replay.out" --greeting "$tree/ro/usr/share/pluvetta/demo-stream.txt"
start_monitor DEMO-13 "S:127.0.0.1:$replay_port" SAVE
wait_monitor lblWxComment 'Aprs Server Disconnected'
expect windowTitle 'DEMO-13 Wx Station'
grep -q '^lblTemp=[0-9.-]*°C$' "$work/readout" || fail "no temperature shown"
echo f1 >&4
wait_monitor help "$bin/../share/pluvetta/Leggimi.rtf" 5
grep -q '^box=' "$work/readout" && fail "a box: $(grep '^box=' "$work/readout")"

alarms="$XDG_CONFIG_HOME/pluvetta/WxAlarms.ini"
[ -f "$alarms" ] || fail "no $alarms at start"
rm -f "$alarms"
stop_monitor "installed monitor"
[ -f "$alarms" ] || fail "SAVE wrote no $alarms"
finish "installed package"
