// The picture loader's error: one message that names the file and says what is wrong with it.
#pragma once

#include <QString>

#include "platform/errors/error.h"
#include "platform/errors/message_texts.h"

namespace orvella {

namespace messages {
// Its opening words come from the interface language; the reason after them stays as the decoder put it.
inline constexpr MessageText msg_CannotReadPicture{"msg_CannotReadPicture", "Nie można odczytać obrazu „%1”: %2"};
}  // namespace messages

// The message of msg_CannotReadPicture with the file and the reason.
Error pictureError(const QString& fileName, const QString& reason);

}  // namespace orvella
