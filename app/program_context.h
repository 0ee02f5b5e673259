// Where the program reads its data and keeps its state, and what day it is: injectable so tests can
// start it anywhere, any year.
#pragma once

#include <QDate>
#include <QString>
#include <functional>

#include "i18n/language/web_links.h"
#include "platform/desktop/system_language.h"

namespace orvella {

struct ProgramContext {
  // The folder of the program's data (fonts/, images/, holidays/, lang/ and the loose pictures), without
  // a trailing separator: the executable's own folder, or share/orvella of an installed copy.
  QString programDir;
  // The working folder this run holds; empty: "temp" in programDir.
  QString workingFolder;
  // The configuration file; empty: "config.ini" in programDir.
  QString configFile;
  // The user guide's folder; empty: "guide" in programDir.
  QString guideFolder;
  // The product web site, ending with "/"; empty: the Help menu keeps to what comes with the program.
  QString siteUrl = QString::fromUtf8(language::product_site_url);
  std::function<int()> currentYear = [] { return QDate::currentDate().year(); };
  // The system's language as a Windows language identifier; it chooses the interface language until
  // the user picks one.
  std::function<int()> systemLanguage = [] { return systemPrimaryLanguage(); };

  QString path(const QString& relative) const { return programDir + QLatin1Char('/') + relative; }
  QString workingDir() const { return workingFolder.isEmpty() ? path(QStringLiteral("temp")) : workingFolder; }
  QString configFilePath() const { return configFile.isEmpty() ? path(QStringLiteral("config.ini")) : configFile; }
  QString guideDir() const { return guideFolder.isEmpty() ? path(QStringLiteral("guide")) : guideFolder; }
};

}  // namespace orvella
