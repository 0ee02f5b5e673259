#!/usr/bin/env bash
# scripts/run without a display: the export it runs instead of the window decides the outcome, and its
# message reaches the user. Usage: start_without_display_test.sh PROGRAM
set -uo pipefail

program="$1"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/start"
unset DISPLAY WAYLAND_DISPLAY
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A folder the export can write into: success, and the PDF is there.
ORVELLA_BUILD="$scratch" orvella_start "$program" >"$scratch/out" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "a successful export gave status $status: $(cat "$scratch/out")"
ls "$scratch"/calendar-*-01.pdf >/dev/null 2>&1 || fail "no PDF was written"

# A folder that does not exist: the export fails, and so must the script, with the export's message.
( ORVELLA_BUILD="$scratch/missing" orvella_start "$program" ) >"$scratch/out" 2>&1
status=$?
[ "$status" -ne 0 ] || fail "a failed export gave status 0"
grep -q "Unable to write to $scratch/missing/calendar-" "$scratch/out" ||
  fail "the export's message did not reach the user: $(cat "$scratch/out")"

[ "$failures" -eq 0 ] && echo "scripts/run without a display: all checks passed"
exit "$failures"
