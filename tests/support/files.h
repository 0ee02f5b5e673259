// Reading and writing whole files in tests.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace orvella::testing {

// The bytes of a file; a file that cannot be read gives a text naming it, so that two missing files
// never compare equal to each other or to an empty file.
inline QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : "<no file " + QFile::encodeName(path) + '>';
}

// Writes (or replaces) a file with its folders; false, with a warning, when that fails.
inline bool writeFile(const QString& path, const QByteArray& bytes = {}) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
  if (!written) qWarning("cannot write %s", qPrintable(path));
  return written;
}

}  // namespace orvella::testing
