#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts the monitor; the words given
# here are its command line: call sign, optionally one endpoint, optionally SAVE.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh

build="$root/build/release"
# GCC 12 optimising warns falsely of overlapping copies when a literal is added to a string
# (-Wrestrict); the warning is switched off here so that it does not stop the build.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Wno-restrict \
    >/dev/null
cmake --build "$build" -j"$(nproc)" --target pluvetta

# The help file Leggimi.rtf is looked up in the working folder, so the monitor starts in the
# folder that holds it. WxAlarms.ini is kept beside the executable in the build folder.
workdir="$root/docs"
[ -d "$workdir" ] || workdir="$root"
cd "$workdir"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a "$build/bin/pluvetta" "$@"
fi
exec "$build/bin/pluvetta" "$@"
