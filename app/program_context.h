// Where the program lives and what day it is: injectable so tests can start it anywhere, any year.
#pragma once

#include <QDate>
#include <QString>
#include <functional>

namespace orvella {

struct ProgramContext {
  QString programDir;                    // the program file's folder, without a trailing separator
  std::function<int()> currentYear = [] { return QDate::currentDate().year(); };

  QString path(const QString& relative) const { return programDir + QLatin1Char('/') + relative; }
  QString workingDir() const { return path(QStringLiteral("temp")); }
};

}  // namespace orvella
