#!/usr/bin/env bash
# Start-up benchmark: the program until its main window is shown, against a bare Qt window
# measured in the same run. Prints the ratio; the goal is at most 1.6x.
set -euo pipefail
build="${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
out="$(mktemp)"
hyperfine --warmup 3 --runs 20 --export-json "$out" \
  -n bare "$build/benchmarks/bare_window" \
  -n orvella "$build/bin/orvella --quit-when-shown" >/dev/null
python3 - "$out" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
bare, prog = r["bare"]["mean"], r["orvella"]["mean"]
print(f"bare window {bare*1000:.1f} ms, orvella {prog*1000:.1f} ms, ratio {prog/bare:.2f}x (goal <= 1.6x)")
PY
rm -f "$out"
