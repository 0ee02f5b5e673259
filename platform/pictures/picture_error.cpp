// The picture loader's error message.
#include "platform/pictures/picture_error.h"

namespace orvella {

Error pictureError(const QString& fileName, const QString& reason) {
  return Error(QStringLiteral("Cannot read picture \"%1\": %2").arg(fileName, reason));
}

}  // namespace orvella
