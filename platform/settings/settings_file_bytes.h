// The bytes of a settings file, read without trusting what lies under its name: only a regular file,
// never waiting on a pipe, and no more than any settings file holds.
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/errors/error.h"
#include "platform/errors/file_messages.h"

namespace orvella {

// Far beyond any settings file the program writes or ships (the largest, a language file, holds about
// 40 KB), and small enough that a hostile file cannot make a reader take gigabytes.
inline constexpr qint64 kMaxSettingsFileBytes = qint64(4) << 20;

struct SettingsFileBytes {
  enum State { Read, Missing, NotRegular, TooLarge, Unreadable };
  State state = Missing;
  QByteArray bytes;  // the contents when Read, else empty
  QString reason;    // the system's words when Unreadable

  // A file is there that cannot be taken as a settings file.
  bool refused() const { return state != Read && state != Missing; }
  // The message for a refused file, naming it; raise it where the file must be read.
  Error error(const QString& path) const;
};

SettingsFileBytes readSettingsFileBytes(const QString& path);

}  // namespace orvella
