#!/usr/bin/env bash
# Start-up benchmark: the program until its main window is shown, against a bare Qt window measured
# in the same run. The two are started in turn, so that whatever else the machine does weighs on both
# alike; the figures are the ratios of their medians, in time and in processor time (which a busy
# machine disturbs less). The goal is at most 1.6x.
set -euo pipefail
build="${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}"
runs="${2:-60}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
python3 - "$build" "$runs" <<'PY'
import os, statistics, subprocess, sys, time
build, runs = sys.argv[1], int(sys.argv[2])
commands = {"bare": [f"{build}/benchmarks/bare_window"],
            "orvella": [f"{build}/bin/orvella", "--quit-when-shown"]}
wall = {name: [] for name in commands}
cpu = {name: [] for name in commands}
for i in range(runs + 3):
    for name in (("bare", "orvella") if i % 2 else ("orvella", "bare")):
        start = time.perf_counter()
        child = subprocess.Popen(commands[name], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        elapsed = time.perf_counter() - start
        if status != 0:
            sys.exit(f"{' '.join(commands[name])} failed")
        if i >= 3:  # the first turns warm the caches
            wall[name].append(elapsed)
            cpu[name].append(usage.ru_utime + usage.ru_stime)
for label, t in (("time", wall), ("processor time", cpu)):
    bare, prog = statistics.median(t["bare"]), statistics.median(t["orvella"])
    print(f"{label}: bare window {bare*1000:.1f} ms, orvella {prog*1000:.1f} ms (medians of {runs}), "
          f"ratio {prog/bare:.2f}x (goal <= 1.6x)")
PY
