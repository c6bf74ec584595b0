#!/usr/bin/env bash
# Checks that includes between the source folders run one way: weather, links and help use
# nothing of the others, history only weather; app uses links, weather and history; ui uses
# everything but the links' inner workings (only the Socket port it implements) and the
# history window; the history window uses history and weather only. Prints each stray
# include; fails if any.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A allowed=(
    [weather]='weather/'
    [links]='links/'
    [help]='help/'
    [history]='history/|weather/'
    [app]='app/|links/|weather/|history/'
    [ui]='ui/|app/|weather/|help/|history/|links/socket\.h'
    [storico]='storico/|history/|weather/'
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
