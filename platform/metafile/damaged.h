// What a reader throws when a metafile is damaged; the picture loader turns it into the program's error.
#pragma once

#include <QString>

namespace orvella::metafile {

struct Damaged {
  QString reason;
};

[[noreturn]] inline void damaged(const QString& reason) { throw Damaged{reason}; }

}  // namespace orvella::metafile
