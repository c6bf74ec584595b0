# What the end-to-end scripts share: a work folder removed at exit (after the script's own
# stop_all, if it defines one), the offscreen platform, and checks of what the window showed.
set -euo pipefail
bin="${PLUVETTA_BUILD_DIR:?}/bin"
work="$(mktemp -d)"
trap 'declare -F stop_all >/dev/null && stop_all; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen LC_ALL=C LANG=C
failures=0

# fail TEXT: notes a failed check.
fail() {
    echo "FAIL $1"
    failures=$((failures + 1))
}

# expect NAME TEXT: in $work/readout, the widget NAME shows exactly TEXT; a time of day in
# brackets reads [TIME].
expect() {
    local got
    got=$(grep -m1 "^$1=" "$work/readout" | cut -d= -f2- |
        sed -E 's/^\[[^]]*\]/[TIME]/; s/\[[0-9:]{8}\]/[TIME]/g') || true
    [ "$got" = "$2" ] || fail "$1: expected '$2', got '$got'"
}

# finish NAME: the verdict, with the last readout when a check failed.
finish() {
    if [ "$failures" -ne 0 ]; then
        [ -f "$work/readout" ] && { echo "--- readout"; cat "$work/readout"; }
        exit 1
    fi
    echo "$1: all checks passed"
}
