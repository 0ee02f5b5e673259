#!/usr/bin/env bash
# Runs a command with a private CUPS print system: a scheduler of its own (its configuration, spool,
# logs and Unix socket in a temporary folder) and one PDF queue made with cups-pdf, whose PDFs land in
# that folder too. Parallel test runs and the machine's own cupsd never meet: CUPS_SERVER points the
# command's CUPS clients at the private socket. The scheduler is stopped, and everything it made
# removed, when the command ends.
#
# The command sees:
#   CUPS_SERVER           the private scheduler's socket (libcups, lpstat, cupsreject ... use it)
#   ORVELLA_TEST_QUEUE    the queue's name; it is the default printer, enabled and accepting jobs
#   ORVELLA_TEST_PDF_OUT  the folder where the PDF of each finished job arrives
#   ORVELLA_TEST_CUPS_LOG the scheduler's error log, for a failing test to show
# Without CUPS it runs the command with ORVELLA_PRINT_SYSTEM_MISSING saying why, and the tests skip.
# Usage: with_print_system.sh COMMAND [ARGUMENTS...]
set -euo pipefail

missing=""
for tool in cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null || [ -x "/usr/sbin/$tool" ] || missing="$tool is not installed (scripts/setup installs cups)"
done
[ -z "$missing" ] && [ ! -x /usr/lib/cups/backend/cups-pdf ] &&
  missing="the cups-pdf backend is not installed (scripts/setup installs printer-driver-cups-pdf)"
# cups-pdf runs only as root, and reads its settings from the system's CUPS folder.
[ -z "$missing" ] && [ "$(id -u)" -ne 0 ] && missing="a private scheduler with cups-pdf needs root"
if [ -n "$missing" ]; then
  echo "with_print_system: no private print system: $missing" >&2
  ORVELLA_PRINT_SYSTEM_MISSING="$missing" exec "$@"
fi
export PATH="$PATH:/usr/sbin"

# Filters run as the scheduler's user lp: the folders they pass through must be open to it.
scratch="$(mktemp -d /tmp/orvella-cups.XXXXXX)"
chmod 755 "$scratch"
mkdir -p "$scratch"/{conf,spool,cache,state,log,pdf,cups-pdf}
chmod 1777 "$scratch/spool" "$scratch/cups-pdf"
queue="orvella-pdf-$(basename "$scratch" | cut -d. -f2)"
pdf_conf="/etc/cups/cups-pdf-$queue.conf"
cupsd_pid=""
finish() {
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
  fi
  rm -f "$pdf_conf"
  rm -rf "$scratch"
}
trap finish EXIT

cat >"$scratch/conf/cups-files.conf" <<CONF
ServerRoot $scratch/conf
RequestRoot $scratch/spool
TempDir $scratch/spool
CacheDir $scratch/cache
StateDir $scratch/state
ErrorLog $scratch/log/error_log
AccessLog $scratch/log/access_log
PageLog $scratch/log/page_log
Printcap $scratch/printcap
ServerKeychain $scratch/ssl
User lp
Group lp
SystemGroup root
CONF
cat >"$scratch/conf/cupsd.conf" <<CONF
Listen $scratch/cups.sock
LogLevel info
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
# A job that fails ends as aborted instead of stopping the queue under the next test.
ErrorPolicy abort-job
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
# cups-pdf reads the settings of a queue named "cups-pdf:/NAME" from the system's CUPS folder: the
# file has the queue's own name, and sends that queue's PDFs into the scratch folder.
cat >"$pdf_conf" <<CONF
Out $scratch/pdf
AnonDirName $scratch/pdf
Spool $scratch/cups-pdf
Log $scratch/log
UserUMask 0022
CONF

cupsd -f -c "$scratch/conf/cupsd.conf" -s "$scratch/conf/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER="$scratch/cups.sock"
for _ in $(seq 200); do
  lpstat -r 2>/dev/null | grep -q "is running" && break
  kill -0 "$cupsd_pid" 2>/dev/null || break
  sleep 0.05
done
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  echo "with_print_system: the private scheduler did not start" >&2
  cat "$scratch/log/error_log" >&2 2>/dev/null || true
  exit 1
fi
# cups-pdf's PPD is a printer driver, which CUPS 2.4 still takes with a warning.
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
lpadmin -d "$queue"
# The queue turns a PDF job into PostScript for cups-pdf; Cairo's conversion keeps the text as text in
# the PDF that arrives, where Ghostscript's would leave glyphs without their letters.
lpadmin -p "$queue" -o pdftops-renderer-default=pdftocairo

export ORVELLA_TEST_QUEUE="$queue" ORVELLA_TEST_PDF_OUT="$scratch/pdf" ORVELLA_TEST_CUPS_LOG="$scratch/log/error_log"
status=0
"$@" || status=$?
exit "$status"
