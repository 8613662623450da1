#!/usr/bin/env bash
# The folders include one way only: data <- report <- compute <- session (the core, no Qt) <-
# print (Qt Gui, no widgets); grid (the grid's rules, no Qt) over data, for entry and app;
# alignment (LandXML and the check of a job, no Qt) over compute, for entry, app and cli;
# <- ui (the window base) <- entry, output (neither includes the
# other) <- app; cli holds the two commands, over the core and printing. Each folder may include
# its own headers and those of the folders below it. The build enforces the same (each folder
# is a library that sees only the headers of the layers it links); this is a second guard.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
layers='data|report|compute|session|alignment|grid|print|ui|entry|output|app|cli'
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
    # Every include in every file under the folder: a quoted one names a folder it may include;
    # one in angle brackets that names one of the program's folders too.
    while IFS= read -r line; do
        file=${line%%:*}
        header=$(sed -E 's/^[^#]*#[[:space:]]*include[[:space:]]*[<"]([^">]+)[">].*/\1/' <<<"${line#*:}")
        quoted=$(grep -c '#[[:space:]]*include[[:space:]]*"' <<<"${line#*:}" || true)
        if { [ "$quoted" -gt 0 ] || [[ $header =~ ^($layers)/ ]]; } && ! [[ $header =~ $allowed ]]; then
            echo "$file includes $header, above its layer"
            status=1
        fi
    done < <(grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$folder")
    if [ $qt -eq 0 ] && grep -rlE '#[[:space:]]*include[[:space:]]*<Q' "$folder"; then status=1; fi
    # Printing draws and prints; a widget there would tie sidewalk-print to a display.
    if [ $widgets -eq 0 ] &&
        grep -rlE '#[[:space:]]*include[[:space:]]*<Q(Widget|Dialog|Application|MessageBox|Label|Push|ComboBox|Line)' \
            "$folder"; then status=1; fi
}
check data data
check report report data
check compute compute report data
check session session compute report data
check grid grid data
check alignment alignment compute report data
check --qt print print session compute report data
check --widgets ui ui print session compute report data
check --widgets entry entry ui print grid alignment session compute report data
check --widgets output output ui print session compute report data
check --widgets app app entry output ui print grid alignment session compute report data
check --qt cli cli print alignment session compute report data
exit $status
