// Feeds arbitrary bytes to Restore as a theme archive from a stream, into a scratch folder.
// The first byte picks the settings (full paths, restore mode); the rest is the archive.
#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "platform/errors/error.h"
#include "theme/archive/backup_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QTemporaryDir scratch;
  if (!scratch.isValid() || size == 0) return 0;
  const QString target = scratch.filePath(QStringLiteral("out"));

  orvella::TBackupFile bf;
  bf.setRestoreFullPath(data[0] & 1);
  bf.setRestoreMode(static_cast<orvella::TRestoreMode>((data[0] >> 1) % 5));
  QBuffer in;
  in.setData(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  in.open(QIODevice::ReadOnly);
  bf.setReadStream(&in);
  try {
    bf.Restore(QStringLiteral(":STREAM"), target);
  } catch (const orvella::Error&) {
  }
  // Nothing may appear beside the target folder.
  const QStringList beside =
      QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  if (beside.size() > 1 || (beside.size() == 1 && beside[0] != QLatin1String("out"))) __builtin_trap();
  QDir(target).removeRecursively();
  return 0;
}
