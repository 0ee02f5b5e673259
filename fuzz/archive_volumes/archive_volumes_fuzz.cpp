// Any bytes as a theme archive split over volume files, restored from the file by its name. The first
// byte picks the settings (bit 0 full paths, the rest the restore mode); the rest is cut at every
// "NEXT" into the archive "set.hol" and its volumes "set.002", "set.003", ...
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/errors/error.h"
#include "theme/archive/backup_file.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QTemporaryDir scratch;
  if (!scratch.isValid() || size == 0) return 0;
  const QString volumes = scratch.filePath(QStringLiteral("volumes"));
  const QString target = scratch.filePath(QStringLiteral("out"));
  QDir().mkpath(volumes);

  const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
  const QList<QByteArray> parts = bytes.split('\x1D');  // a group separator between volumes
  for (qsizetype i = 0; i < parts.size() && i < 999; ++i) {
    const QString name =
        i == 0 ? QStringLiteral("set.hol") : QStringLiteral("set.%1").arg(i + 1, 3, 10, QLatin1Char('0'));
    QFile file(volumes + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    file.write(parts[i]);
  }

  orvella::TBackupFile bf;
  bf.setRestoreFullPath(data[0] & 1);
  bf.setRestoreMode(static_cast<orvella::TRestoreMode>((data[0] >> 1) % 5));
  int asked = 0;
  bf.OnNeedDisk = [&asked](quint16, bool& go) { go = ++asked < 8; };
  bf.OnError = [](int code, const QString&) { check(code == 1 || code == 6); };
  try {
    bf.Restore(volumes + QStringLiteral("/SET.HOL"), target);  // the name found whatever its case
  } catch (const orvella::Error&) {
  }
  check(!bf.Busy());

  // Nothing may appear beside the target folder, and the volumes stay as they were written.
  const QStringList beside =
      QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  for (const QString& name : beside) check(name == QLatin1String("out") || name == QLatin1String("volumes"));
  check(QDir(volumes).entryList(QDir::Files | QDir::Hidden).size() == std::min<qsizetype>(parts.size(), 999));
  QDir(target).removeRecursively();
  QDir(volumes).removeRecursively();
  return 0;
}
