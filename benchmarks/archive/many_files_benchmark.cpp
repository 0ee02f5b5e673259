// Restoring many small files: an archive of 8,000 one-byte files against one of 2,000, restored into
// an empty folder in the same run. The counter "ratio" is the larger restore's processor time (user and
// system) over the smaller's; a restore that takes time in proportion to its files keeps it near 4, and
// one that looks through the whole folder for every file grows it with the count.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>

#include "benchmarks/support/cpu_timer.h"
#include "theme/archive/backup_file.h"

namespace {

constexpr int kFewer = 2000;
constexpr int kMore = 8000;

struct Archives {
  QTemporaryDir dir;
  QString fewer, more;
};

// An archive of count one-byte files, made by Backup from a folder that holds them.
QString archiveOf(const QTemporaryDir& dir, int count) {
  const QString source = dir.filePath(QStringLiteral("source%1").arg(count));
  QDir().mkpath(source);
  for (int i = 0; i < count; ++i) {
    QFile file(source + QStringLiteral("/file%1.txt").arg(i));
    if (!file.open(QIODevice::WriteOnly) || file.write("x", 1) != 1) return {};
  }
  const QString archive = dir.filePath(QStringLiteral("many%1.hol").arg(count));
  orvella::TBackupFile bf;
  return bf.Backup({source + QStringLiteral("/*")}, archive) ? archive : QString();
}

Archives& archives() {
  static Archives made = [] {
    Archives a;
    a.fewer = archiveOf(a.dir, kFewer);
    a.more = archiveOf(a.dir, kMore);
    return a;
  }();
  return made;
}

struct Timing {
  double cpu = 0, wall = 0;
};

// Restores the archive into a new, empty folder; false when the restore failed.
bool timeRestore(const QString& archive, const QString& folder, Timing& timing) {
  QDir(folder).removeRecursively();
  orvella::TBackupFile bf;
  bf.setMaxRestoreFiles(kMore);
  const orvella::bench::CpuTimer cpu;
  const auto wall = std::chrono::steady_clock::now();
  const bool restored = bf.Restore(archive, folder);
  timing.cpu += cpu.seconds();
  timing.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
  return restored && bf.FilesCount() == (archive == archives().fewer ? kFewer : kMore);
}

void BM_RestoreManySmallFiles(benchmark::State& state) {
  Archives& a = archives();
  if (a.fewer.isEmpty() || a.more.isEmpty()) {
    state.SkipWithError("the archives could not be made");
    return;
  }
  const QString folder = a.dir.filePath(QStringLiteral("restored"));
  Timing fewer, more;
  for (auto _ : state) {
    if (!timeRestore(a.fewer, folder, fewer) || !timeRestore(a.more, folder, more)) {
      state.SkipWithError("a restore failed");
      return;
    }
  }
  QDir(folder).removeRecursively();
  const double n = double(state.iterations());
  state.counters["fewer_cpu_ms"] = fewer.cpu / n * 1e3;
  state.counters["more_cpu_ms"] = more.cpu / n * 1e3;
  state.counters["ratio"] = more.cpu / fewer.cpu;
  state.counters["ratio_wall"] = more.wall / fewer.wall;
}

BENCHMARK(BM_RestoreManySmallFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
