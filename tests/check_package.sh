#!/usr/bin/env bash
# Builds the Debian package from the build folder given and checks it as Debian would: lintian
# (no error, no warning), the desktop entry and the software centres' entry. A checker that is
# not installed is skipped (status 77), not failed.
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")/.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
skipped=0
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/sidewalk_*.deb)
if command -v lintian >/dev/null; then
    said=$(lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'running with root privileges' || true)
    if [ -n "$said" ]; then
        echo "lintian: $said" >&2
        exit 1
    fi
else
    echo "lintian is not installed: skipped" >&2
    skipped=1
fi
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$source/app/sidewalk.desktop"
else
    skipped=1
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --pedantic --no-net "$source"/packaging/*.metainfo.xml >/dev/null
else
    skipped=1
fi
[ "$skipped" -eq 0 ] || exit 77
