#!/usr/bin/env bash
# Installs the Debian packages Pluvetta needs to build, test and run; installs only what is
# missing, so a second run costs a few dpkg queries.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format
    xvfb xauth
)
# Extras for the end-to-end tests and peer benchmarks, skipped with PLUVETTA_MINIMAL_DEPS=1.
if [ "${PLUVETTA_MINIMAL_DEPS:-0}" != 1 ]; then
    packages+=(direwolf)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
