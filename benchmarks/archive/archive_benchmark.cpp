// Backup and Restore of about 50 MB of mixed files, each measured against a floor in the same run:
// compressing (and inflating) the same data in 16 KiB zlib level-1 blocks in memory. The counter
// "ratio" is the operation's processor time (user and system, of this thread) over the floor's, which
// holds on a busy machine; "ratio_wall" compares elapsed times.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <time.h>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <chrono>
#include <vector>

#include "theme/archive/backup_file.h"

namespace {

constexpr int kBlock = 16384;

struct Data {
  QTemporaryDir dir;
  QStringList files;
  std::vector<QByteArray> contents;
  qint64 bytes = 0;
  // The floor's blocks: compressed, or empty for a block stored as it is.
  std::vector<QByteArray> packed;
  std::vector<int> packedSizes;
};

QByteArray textLike(qsizetype size, quint32 seed) {
  static const char* words[] = {"styczeń ",  "luty ",     "Wielkanoc ",    "Boże Ciało ",
                                "imieniny ", "Nowy Rok ", "Trzech Króli ", "święto ",
                                "dzień ",    "\r\n",      "2009 ",         "Wigilia "};
  QRandomGenerator gen(seed);
  QByteArray b;
  b.reserve(size + 32);
  while (b.size() < size) b += words[gen.bounded(12)];
  b.truncate(size);
  return b;
}

QByteArray randomData(qsizetype size, quint32 seed) {
  QRandomGenerator gen(seed);
  QByteArray b(size, Qt::Uninitialized);
  gen.fillRange(reinterpret_cast<quint32*>(b.data()), size / 4);
  return b;
}

Data& data() {
  static Data d = [] {
    Data d;
    auto add = [&d](const QString& name, const QByteArray& content) {
      const QString path = d.dir.filePath(name);
      QFile f(path);
      f.open(QIODevice::WriteOnly);
      f.write(content);
      d.files << path;
      d.contents.push_back(content);
      d.bytes += content.size();
    };
    QDir(d.dir.path()).mkdir("src");
    for (int i = 0; i < 4; ++i) add(QStringLiteral("src/text%1.txt").arg(i), textLike(5 << 20, 10 + i));
    for (int i = 0; i < 3; ++i) add(QStringLiteral("src/photo%1.jpg").arg(i), randomData(5 << 20, 20 + i));
    for (int i = 0; i < 2; ++i) add(QStringLiteral("src/zeros%1.bin").arg(i), QByteArray(5 << 20, 0));
    for (int i = 0; i < 50; ++i)
      add(QStringLiteral("src/small%1.dat").arg(i), i % 3 == 0   ? randomData(100 << 10, 100 + i)
                                                    : i % 3 == 1 ? textLike(100 << 10, 200 + i)
                                                                 : QByteArray(100 << 10, char(i)));
    return d;
  }();
  return d;
}

// The floor of Backup: every block deflated at level 1 in memory, raw when it does not fit.
void floorCompress(Data& d, bool keep) {
  static unsigned char out[kBlock];
  z_stream z{};
  deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
  if (keep) d.packed.clear();
  for (const QByteArray& content : d.contents) {
    for (qsizetype at = 0; at < content.size(); at += kBlock) {
      const int n = int(qMin<qsizetype>(kBlock, content.size() - at));
      deflateReset(&z);
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.constData() + at));
      z.avail_in = uInt(n);
      z.next_out = out;
      z.avail_out = kBlock;
      const bool fits = deflate(&z, Z_FINISH) == Z_STREAM_END;
      benchmark::DoNotOptimize(out[0]);
      if (keep)
        d.packed.push_back(fits ? QByteArray(reinterpret_cast<char*>(out), int(z.total_out)) : QByteArray());
    }
  }
  deflateEnd(&z);
}

// The floor of Restore: every compressed block inflated in memory.
void floorInflate(const Data& d) {
  static unsigned char out[kBlock];
  z_stream z{};
  inflateInit2(&z, 15);
  for (const QByteArray& block : d.packed) {
    if (block.isEmpty()) continue;
    inflateReset(&z);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(block.constData()));
    z.avail_in = uInt(block.size());
    z.next_out = out;
    z.avail_out = kBlock;
    inflate(&z, Z_NO_FLUSH);
    benchmark::DoNotOptimize(out[0]);
  }
  inflateEnd(&z);
}

struct Clock {
  std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
  double cpu = threadCpu();
  static double threadCpu() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
  }
  double wallSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
  }
  double cpuSeconds() const { return threadCpu() - cpu; }
};

struct Totals {
  double floorWall = 0, floorCpu = 0, opWall = 0, opCpu = 0;
  void report(benchmark::State& state) const {
    const double n = double(state.iterations());
    state.counters["floor_cpu_s"] = floorCpu / n;
    state.counters["op_cpu_s"] = opCpu / n;
    state.counters["ratio"] = opCpu / floorCpu;
    state.counters["ratio_wall"] = opWall / floorWall;
  }
};

void BM_BackupAgainstFloor(benchmark::State& state) {
  Data& d = data();
  const QString archive = d.dir.filePath("bench.hol");
  orvella::TBackupFile bf;
  Totals totals;
  for (auto _ : state) {
    const Clock floor;
    floorCompress(d, false);
    totals.floorWall += floor.wallSeconds();
    totals.floorCpu += floor.cpuSeconds();
    const Clock op;
    if (!bf.Backup(d.files, archive)) state.SkipWithError("Backup failed");
    const double t = op.wallSeconds();
    totals.opWall += t;
    totals.opCpu += op.cpuSeconds();
    state.SetIterationTime(t);
  }
  state.SetBytesProcessed(state.iterations() * d.bytes);
  totals.report(state);
  state.counters["archive_MB"] = double(QFile(archive).size()) / 1e6;
}

void BM_RestoreAgainstFloor(benchmark::State& state) {
  Data& d = data();
  const QString archive = d.dir.filePath("bench.hol");
  orvella::TBackupFile bf;
  if (!QFile::exists(archive)) bf.Backup(d.files, archive);
  floorCompress(d, true);
  const QString target = d.dir.filePath("restored");
  Totals totals;
  for (auto _ : state) {
    const Clock floor;
    floorInflate(d);
    totals.floorWall += floor.wallSeconds();
    totals.floorCpu += floor.cpuSeconds();
    const Clock op;
    if (!bf.Restore(archive, target)) state.SkipWithError("Restore failed");
    const double t = op.wallSeconds();
    totals.opWall += t;
    totals.opCpu += op.cpuSeconds();
    state.SetIterationTime(t);
  }
  state.SetBytesProcessed(state.iterations() * d.bytes);
  totals.report(state);
}

BENCHMARK(BM_BackupAgainstFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_RestoreAgainstFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace

BENCHMARK_MAIN();
