// A portable copy of the built program in a temporary folder, started as real processes.
#pragma once

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <functional>

#include "program_folder.h"

namespace orvella::testing {

class ProgramCopy {
 public:
  ProgramCopy() {
    copyTree(QStringLiteral(ORVELLA_SOURCE_DIR "/data"), folder_.path());
    QFile::copy(QStringLiteral(ORVELLA_RUNTIME_DIR "/orvella"), executable());
  }
  QString path(const QString& relative = QString()) const {
    return relative.isEmpty() ? folder_.path() : folder_.path() + QLatin1Char('/') + relative;
  }
  QString executable() const { return path(QStringLiteral("orvella")); }

  // The program on the offscreen platform, with the environment given on top of this one's.
  void start(QProcess& process, const QStringList& arguments, const QProcessEnvironment& extra = {}) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const QString& key : extra.keys()) environment.insert(key, extra.value(key));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(executable(), arguments);
  }

 private:
  QTemporaryDir folder_;
};

// Waits for a condition that another process brings about; false when it never came.
inline bool eventually(const std::function<bool()>& condition) {
  const QDeadlineTimer deadline(60000);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QThread::msleep(20);
  }
  return true;
}

}  // namespace orvella::testing
