// The language of an export.
#include "app/export/export_language.h"

#include <QFileInfo>
#include <memory>

#include "calendar/composition/month_names.h"
#include "i18n/language/language_choice.h"
#include "i18n/language/language_file.h"
#include "i18n/language/language_messages.h"
#include "i18n/language/text_rules.h"
#include "platform/errors/error.h"

namespace orvella {

namespace {

std::shared_ptr<const LanguageFile> fileOf(const QString& name, const QString& programDir) {
  const QString path = language::languageFilePath(programDir, name);
  if (!QFileInfo(path).isFile()) throw Error(path + QStringLiteral(": there is no such file"));
  return std::make_shared<const LanguageFile>(path);
}

}  // namespace

PageLanguage exportLanguage(const QString& name, const QString& programDir) {
  if (name.isEmpty()) return {};
  QStringList months;
  for (int index = 0; index < 12; ++index) months << polishMonthName(index);
  const std::shared_ptr<const LanguageFile> file = fileOf(name, programDir);
  const QString listed = file->read(QStringLiteral("f_Main"), QStringLiteral("cb_month"), QString());
  QStringList weekdays;
  for (const MessageText& weekday : kWeekdayNames)
    weekdays << file->read(QStringLiteral("messages"), QString::fromLatin1(weekday.key), QString::fromUtf8(weekday.builtIn));
  return PageLanguage{name, language::applyListRule(months, listed), weekdays};
}

void speakExportLanguage(const QString& name, const QString& programDir) {
  if (!name.isEmpty()) useMessagesOf(fileOf(name, programDir));
}

}  // namespace orvella
