#!/usr/bin/env bash
# Static analysis over src/ and tools/: clang-tidy with the checked-in .clang-tidy, then
# cppcheck. Both must report nothing; a finding fails the script.
#   scripts/lint.sh [BUILD_DIR]   (default build/lint, configured with clang for its commands)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${1:-$root/build/lint}"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The shell's sources include headers that Qt's moc writes at build time.
cmake --build "$build" -j2 --target pluvetta_ui_autogen >/dev/null

echo "clang-tidy over src/ and tools/"
mapfile -t sources < <(git ls-files 'src/*.cpp' 'tools/*.cpp')
run-clang-tidy -quiet -p "$build" -j 2 "${sources[@]/#/$root/}" >"$build/clang-tidy.log" 2>&1 || true
if grep -E '(warning|error):' "$build/clang-tidy.log"; then
    echo "clang-tidy: findings above (whole log in $build/clang-tidy.log)"
    exit 1
fi
echo "clang-tidy clean"

echo "cppcheck over src/ and tools/"
cppcheck --quiet --std=c++20 --language=c++ --library=qt --enable=style,warning,performance,portability \
    --inline-suppr --error-exitcode=1 -I src -I tools src tools
echo "cppcheck clean"
