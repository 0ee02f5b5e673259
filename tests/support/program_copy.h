// The built program started as real processes on the offscreen platform: from the build folder, or
// as a portable copy in a temporary folder.
#pragma once

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <functional>

#include "program_folder.h"

namespace orvella::testing {

// This process's environment with the offscreen platform, and `extra` on top.
inline QProcessEnvironment offscreenEnvironment(const QProcessEnvironment& extra = {}) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  for (const QString& key : extra.keys()) environment.insert(key, extra.value(key));
  return environment;
}

// What a run of the program showed: its exit status (-1 when it crashed or hung) and its two outputs.
struct ProgramRun {
  int status = -1;
  QString out, err;
};

// Runs the program of the build folder to its end.
inline ProgramRun runProgram(const QStringList& arguments,
                             const QProcessEnvironment& environment = offscreenEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(ORVELLA_RUNTIME_DIR "/orvella"), arguments);
  const bool ended = process.waitForFinished(120000);
  return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

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
    process.setProcessEnvironment(offscreenEnvironment(extra));
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
