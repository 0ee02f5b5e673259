// A throw-away program folder for tests: the data laid out beside the program, in a temporary folder.
#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

namespace orvella::testing {

inline void copyTree(const QString& from, const QString& to) {
  QDir().mkpath(to);
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target = to + source.mid(from.size());
    if (QFileInfo(source).isDir()) QDir().mkpath(target);
    else QFile::copy(source, target);
  }
}

// fonts/, images/, holidays/, lang/, the loose pictures and an empty temp/, as the build lays them out.
class ProgramFolder {
 public:
  ProgramFolder() {
    copyTree(QStringLiteral(ORVELLA_SOURCE_DIR "/data"), dir_.path());
    QDir().mkpath(dir_.path() + QStringLiteral("/temp"));
  }
  QString path() const { return dir_.path(); }
  QString path(const QString& relative) const { return dir_.path() + QLatin1Char('/') + relative; }

 private:
  QTemporaryDir dir_;
};

}  // namespace orvella::testing
