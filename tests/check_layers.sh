#!/usr/bin/env bash
# The folders include one way only: data <- report <- compute <- session (the core, no Qt) <-
# print (Qt Gui, no widgets) <- ui (the window base) <- entry, output (neither includes the
# other) <- app; cli holds the two commands, over the core and printing. Each folder may include
# its own headers and those of the folders below it.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
check() { # [--qt | --widgets] folder, folders it may include
    local qt=0 widgets=0
    if [ "$1" = --qt ]; then
        qt=1
        shift
    elif [ "$1" = --widgets ]; then
        qt=1 widgets=1
        shift
    fi
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
    if [ $qt -eq 0 ] && grep -lE '#include <Q' "$folder"/*.hpp "$folder"/*.cpp; then status=1; fi
    # Printing draws and prints; a widget there would tie sidewalk-print to a display.
    if [ $widgets -eq 0 ] &&
        grep -lE '#include <Q(Widget|Dialog|Application|MessageBox|Label|Push|ComboBox|Line)' \
            "$folder"/*.hpp "$folder"/*.cpp; then status=1; fi
}
check data data
check report report data
check compute compute report data
check session session compute report data
check --qt print print session compute report data
check --widgets ui ui print session compute report data
check --widgets entry entry ui print session compute report data
check --widgets output output ui print session compute report data
check --widgets app app entry output ui print session compute report data
check --qt cli cli print session compute report data
exit $status
