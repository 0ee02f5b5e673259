// The process's own memory figures from /proc, for benchmarks that report peak memory.
#pragma once

#include <malloc.h>
#include <QByteArray>
#include <QFile>
#include <QString>

namespace orvella::bench {

// A field of /proc/self/status in kilobytes ("VmHWM:", "VmRSS:"); -1 when unreadable.
inline long statusKilobytes(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(field)) return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
  return -1;
}

// Gives memory that is free inside the process back to the system, so that what a measured task
// allocates afterwards shows in the resident size even where it reuses what an earlier task freed.
inline void releaseFreeMemory() { malloc_trim(0); }

// Starts the peak (VmHWM) afresh from the current size; false where the kernel does not allow it.
inline bool resetPeak() {
  QFile refs(QStringLiteral("/proc/self/clear_refs"));
  return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

}  // namespace orvella::bench
