// The picture loader's error: one message pattern that names the file and says what is wrong with it.
#pragma once

#include <QString>

#include "platform/errors/error.h"

namespace orvella {

// "Cannot read picture "<file>": <reason>"
Error pictureError(const QString& fileName, const QString& reason);

}  // namespace orvella
