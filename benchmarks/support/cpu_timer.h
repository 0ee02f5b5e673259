// A timer of the process's own processor time, for benchmarks that measure work on a busy machine.
#pragma once

#include <ctime>

namespace orvella::bench {

// Processor time of this process, all its threads included (Qt's raster engine may use helpers):
// other work on a busy machine does not count, as it would on a wall clock.
class CpuTimer {
 public:
  CpuTimer() { restart(); }
  void restart() { start_ = now(); }
  double seconds() const { return now() - start_; }

 private:
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec * 1e-9;
  }
  double start_ = 0;
};

}  // namespace orvella::bench
