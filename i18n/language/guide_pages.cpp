// Finding the guide's pages of a language.
#include "i18n/language/guide_pages.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace orvella::language {

namespace {

const QString kContents = QStringLiteral("index.html");

// A language file names its folder; one from a stranger must not lead out of the guide.
bool isPlainFolderName(const QString& name) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]{1,16}$"));
  return plain.match(name).hasMatch();
}

}  // namespace

QString guideContents(const QString& guideDir, const QString& www_part) {
  auto contentsOf = [&guideDir](const QString& folder) { return guideDir + QLatin1Char('/') + folder + QLatin1Char('/') + kContents; };
  const QString language = www_part.isEmpty() ? QStringLiteral("pl") : www_part;
  const QString english = contentsOf(QStringLiteral("en"));
  if (!isPlainFolderName(language)) return english;
  const QString own = contentsOf(language);
  return QFileInfo(own).isFile() || !QFileInfo(english).isFile() ? own : english;
}

QString samePageIn(const QString& page, const QString& contents) {
  const QString same = QFileInfo(contents).absolutePath() + QLatin1Char('/') + QFileInfo(page).fileName();
  return QFileInfo(same).isFile() ? same : contents;
}

}  // namespace orvella::language
