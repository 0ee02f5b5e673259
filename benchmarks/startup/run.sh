#!/usr/bin/env bash
# Start-up benchmark: the program until its main window is shown, against a bare Qt window measured
# in the same run. The two are started in turn, so that whatever else the machine does weighs on both
# alike; the figure is the ratio of their medians. The goal is at most 1.6x.
set -euo pipefail
build="${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}"
runs="${2:-60}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
python3 - "$build" "$runs" <<'PY'
import statistics, subprocess, sys, time
build, runs = sys.argv[1], int(sys.argv[2])
commands = {"bare": [f"{build}/benchmarks/bare_window"],
            "orvella": [f"{build}/bin/orvella", "--quit-when-shown"]}
times = {name: [] for name in commands}
for i in range(runs + 3):
    for name in (("bare", "orvella") if i % 2 else ("orvella", "bare")):
        start = time.perf_counter()
        subprocess.run(commands[name], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if i >= 3:  # the first turns warm the caches
            times[name].append(time.perf_counter() - start)
bare, prog = statistics.median(times["bare"]), statistics.median(times["orvella"])
print(f"bare window {bare*1000:.1f} ms, orvella {prog*1000:.1f} ms (medians of {runs}), "
      f"ratio {prog/bare:.2f}x (goal <= 1.6x)")
PY
