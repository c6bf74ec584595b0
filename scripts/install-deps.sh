#!/usr/bin/env bash
# Installs the Debian packages Pluvetta needs to build, test and run; installs only what is
# missing, so a second run costs a few dpkg queries.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev fonts-liberation2 fonts-dejavu-core
    qt6-charts-dev libqt6opengl6-dev libsqlite3-dev sqlite3
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format clang clang-tidy cppcheck
    xvfb xauth time
    locales
)
# Extras for the end-to-end tests and the benchmarks (decode_aprs is Dire Wolf's; valgrind
# counts instructions), skipped with PLUVETTA_MINIMAL_DEPS=1.
if [ "${PLUVETTA_MINIMAL_DEPS:-0}" != 1 ]; then
    packages+=(direwolf valgrind)
fi

# The Debian package's tools (scripts/package.sh): dpkg-shlibdeps finds the libraries the
# package depends on, rsvg-convert draws the icons, and the validators check the result.
if [ "${PLUVETTA_PACKAGE_DEPS:-0}" = 1 ]; then
    packages+=(dpkg-dev file lintian appstream desktop-file-utils librsvg2-bin)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The settings tests run under an Italian locale (decimal comma) to prove that numbers in the
# alarms file and on the command line keep their point; Debian ships that locale uncompiled.
if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
    echo "Generating the it_IT.UTF-8 locale"
    "${sudo_cmd[@]}" localedef -i it_IT -f UTF-8 it_IT.UTF-8
fi
