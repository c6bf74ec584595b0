#!/usr/bin/env bash
# Checks that includes between the source folders run one way: weather, links and help use
# nothing of the others; app uses links and weather; ui uses everything but the links' inner
# workings (only the Socket port it implements). Prints each stray include; fails if any.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A allowed=(
    [weather]='weather/'
    [links]='links/'
    [help]='help/'
    [app]='app/|links/|weather/'
    [ui]='ui/|app/|weather/|help/|links/socket\.h'
)
status=0
for layer in "${!allowed[@]}"; do
    [ -d "src/$layer" ] || continue
    while IFS= read -r hit; do
        echo "stray include: $hit"
        status=1
    done < <(grep -Hn '^#include "' "src/$layer"/* | grep -Ev "#include \"(${allowed[$layer]})" || true)
done
exit "$status"
