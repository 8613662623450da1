#!/usr/bin/env bash
# Runs a command against a private print spooler (cupsd.sh): CUPS_SERVER and CUPS_SERVERROOT
# lead the print system's clients to it, SIDEWALK_PRINTED names the folder its printed PDFs land
# in. The spooler is ended and its folder removed afterwards, however the command ends.
# Exits 77 (skipped) where no cupsd is installed or it cannot be run as root.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v cupsd >/dev/null || ! command -v gs >/dev/null || [ "$(id -u)" -ne 0 ]; then
    echo "no cupsd, no ghostscript, or not root: the real print system is not tested" >&2
    exit 77
fi
dir=$(mktemp -d /tmp/sidewalk-cups.XXXXXX)
chmod 755 "$dir"
trap '"$here/cupsd.sh" stop "$dir"; rm -rf "$dir"' EXIT
"$here/cupsd.sh" start "$dir" >/dev/null || { cat "$dir/log/"* >&2; exit 1; }
export CUPS_SERVER=$dir/cups.sock CUPS_SERVERROOT=$dir SIDEWALK_PRINTED=$dir/printed
"$@"
status=$?
[ $status -eq 0 ] || tail -20 "$dir/log/error_log" >&2
exit $status
