#!/usr/bin/env bash
# The core's folders include one way only: data <- report <- compute <- session. Each folder may
# include its own headers and those of the folders below it; the core includes no Qt.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
check() { # folder, folders it may include
    local folder=$1
    shift
    local allowed="^($(IFS='|'; echo "$*"))/"
    while IFS= read -r line; do
        file=${line%%:*}
        header=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"${line#*:}")
        if ! [[ $header =~ $allowed ]]; then
            echo "$file includes $header, above its layer"
            status=1
        fi
    done < <(grep -H '#include "' "$folder"/*.hpp "$folder"/*.cpp)
    if grep -lE '#include <Q' "$folder"/*.hpp "$folder"/*.cpp; then status=1; fi
}
check data data
check report report data
check compute compute report data
check session session compute report data
exit $status
