// A theme archive damaged as a disk or a download damages it.
#pragma once

#include "tests/support/files.h"

namespace orvella::testing {

// Flips one bit inside the archive's first compressed block (a saved theme's settings file), so that
// the block no longer inflates. False when the file holds no such block.
inline bool damageFirstBlock(const QString& archive) {
  QByteArray bytes = readFile(archive);
  const qsizetype chunk = bytes.indexOf(QByteArray("EC2\0", 4));
  const qsizetype at = chunk + 8 + 10;  // past the chunk mark and the block's length
  if (chunk < 0 || at >= bytes.size()) return false;
  bytes[at] = char(bytes[at] ^ 0x40);
  return writeFile(archive, bytes);
}

}  // namespace orvella::testing
