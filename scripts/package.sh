#!/usr/bin/env bash
# Builds the Debian package build/package/pluvetta_VERSION_ARCH.deb from a Release build and
# checks what it installs: lintian (no error), desktop-file-validate and appstreamcli
# (nothing at all). Installs the packaging tools it needs. Then, as a user:
#   apt install ./build/package/pluvetta_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
PLUVETTA_PACKAGE_DEPS=1 scripts/install-deps.sh

# The Release build .ci/run makes too; its cached options (warnings as errors) are kept.
build="${PLUVETTA_PACKAGE_BUILD:-$root/build/release}"
out="$root/build/package"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=(pluvetta wxdecode aprs-replay pluvetta_packaging)
cmake --build "$build" --target help | grep -q '^pluvetta-storico:' && targets+=(pluvetta-storico)
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
rm -f "$out"/pluvetta_*.deb
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
deb=$(ls "$out"/pluvetta_*.deb)
echo "Built $deb"

# What the package installs, checked where it lands.
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
failed=0
for desktop in "$tree"/usr/share/applications/*.desktop; do
    said=$(desktop-file-validate "$desktop" 2>&1) || failed=1
    [ -z "$said" ] || { echo "$said"; failed=1; }
done
appstreamcli validate --no-net --explain "$tree"/usr/share/metainfo/*.metainfo.xml || failed=1
# Errors fail; the warnings left are explained in README ("Installing it").
lintian --fail-on error --tag-display-limit 0 "$deb" || failed=1
[ "$failed" -eq 0 ] || { echo "package.sh: the package does not validate" >&2; exit 1; }
echo "Package validated: lintian, desktop-file-validate, appstreamcli"
