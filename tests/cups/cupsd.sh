#!/usr/bin/env bash
# A private print spooler for the print tests, leaving the machine's own CUPS alone:
#   cupsd.sh start FOLDER   runs cupsd in the foreground of a background job, with its own
#                           configuration, spool and logs in FOLDER, listening on FOLDER/cups.sock,
#                           and sets up the test queues; prints the process id
#   cupsd.sh stop FOLDER    ends it by its process id
# Queues: Trays (the default; Letter, Legal, A4; trays Auto, Upper and Tray2, each marking its
# sheets), Closed (takes no jobs). Printed PDFs land in FOLDER/printed as job-N.pdf.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
action=$1
dir=$2
export CUPS_SERVER=$dir/cups.sock

if [ "$action" = stop ]; then
    [ -f "$dir/cupsd.pid" ] || exit 0
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null || exit 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || exit 0
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    exit 0
fi

# The filters run as lp: every folder on the way must be searchable by others.
mkdir -p "$dir"/{spool/tmp,cache,state,log,bin/backend,ppd,printed,tmp}
chmod 755 "$dir" "$dir"/{cache,state,log,bin,bin/backend,ppd}
chmod 1777 "$dir/printed" "$dir/tmp" "$dir/spool/tmp"
for sub in filter daemon cgi-bin notifier monitor driver; do
    [ -e "/usr/lib/cups/$sub" ] && ln -sfn "/usr/lib/cups/$sub" "$dir/bin/$sub"
done
install -m 755 "$here/pdf-backend" "$dir/bin/backend/sidewalk-pdf"

cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ServerBin $dir/bin
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
User lp
Group lp
SystemGroup root
CONF
cat >"$dir/cupsd.conf" <<CONF
LogLevel info
Listen $dir/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF

cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/cupsd.pid"
for _ in $(seq 100); do
    [ -S "$dir/cups.sock" ] && lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
done
for queue in Trays Closed; do
    lpadmin -p "$queue" -E -v "sidewalk-pdf:$dir/printed" -P "$here/trays.ppd" \
        -o pdftops-renderer-default=pdftocairo
done
cupsreject Closed
lpadmin -d Trays
cat "$dir/cupsd.pid"
