// The picture loader's error message.
#include "platform/pictures/picture_error.h"

namespace orvella {

Error pictureError(const QString& fileName, const QString& reason) {
  // One call with both: a "%1" in the file's name stays as it is.
  return Error(messageText(messages::msg_CannotReadPicture).arg(fileName, reason));
}

}  // namespace orvella
