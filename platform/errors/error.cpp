// The program's own error type.
#include "platform/errors/error.h"

namespace orvella {

Error::Error(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}

QString formatMessage(const QString& pattern, const QString& argument) {
  QString result = pattern;
  const qsizetype at = result.indexOf(QLatin1String("%s"));
  if (at >= 0) result.replace(at, 2, argument);
  return result;
}

Error unableToWrite(const QString& path) {
  return Error(formatMessage(QString::fromLatin1(messages::kUnableToWrite), path));
}

Error unableToWrite(const QString& path, const QString& reason) {
  return Error(unableToWrite(path).message() + QStringLiteral(": ") + reason);
}

}  // namespace orvella
