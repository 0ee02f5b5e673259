#!/usr/bin/env bash
# Runs a command against a real X server with a window manager: a private Xvfb on a free display
# (Xvfb picks it: -displayfd) and openbox, both ended when the command ends. Focus, activation,
# maximising and window titles behave there as on a desktop, unlike on the offscreen platform.
# Usage: with_window_manager.sh COMMAND [ARGUMENTS...]; ORVELLA_SCREEN_SIZE sets the screen (1600x1200).
set -euo pipefail

for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null || { echo "with_window_manager: $tool is missing (scripts/setup installs it)" >&2; exit 1; }
done

scratch="$(mktemp -d)"
xvfb_pid=""
wm_pid=""
finish() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap finish EXIT

# Xvfb takes the first free display number and writes it once the server is listening; -noreset keeps
# it from resetting (and refusing clients for a moment) whenever its last client leaves. Servers that
# other tests start at the same moment may race for a number: then the loser ends, and we try again.
start_server() {
  : >"$scratch/display"
  Xvfb -displayfd 3 -screen 0 "${ORVELLA_SCREEN_SIZE:-1600x1200}x24" -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 200); do
    # The whole number, ended by its line break.
    if [ "$(tail -c1 "$scratch/display" | od -An -c | tr -d ' ')" = '\n' ]; then
      DISPLAY=":$(head -n1 "$scratch/display")" xprop -root >/dev/null 2>&1 && return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
  return 1
}
started=""
for _ in 1 2 3 4 5; do
  if start_server; then started=1; break; fi
done
[ -n "$started" ] || { echo "with_window_manager: Xvfb did not start" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"

# openbox keeps its settings and cache in the scratch folder, never in the user's home.
export XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" XDG_DATA_HOME="$scratch/data"
openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
wm_pid=$!
# The window manager is ready once it announces itself on the root window.
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  kill -0 "$wm_pid" 2>/dev/null || { cat "$scratch/openbox.log" >&2; exit 1; }
  sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  { echo "with_window_manager: openbox did not start" >&2; exit 1; }

QT_QPA_PLATFORM=xcb "$@"
