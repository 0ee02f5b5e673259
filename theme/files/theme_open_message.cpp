// The message of a failed Open, in the interface language.
#include "theme/files/theme_open_message.h"

#include <QDir>

#include "platform/errors/message_texts.h"
#include "theme/archive/archive_messages.h"

namespace orvella {

namespace {

constexpr MessageText msg_ThemeNotOpened{"msg_ThemeNotOpened", "Nie można otworzyć tematu „%1”: %2"};

struct ArchiveReason {
  const char* archiveText;
  MessageText reason;
};

const ArchiveReason kArchiveReasons[] = {
    {archive::kHeaderReadError,
     {"msg_ArchiveHeaderUnreadable", "to nie jest archiwum tematu albo jego nagłówek jest uszkodzony"}},
    {archive::kInvalidArchive, {"msg_ArchiveDamaged", "archiwum jest uszkodzone"}},
    {archive::kStreamReadError, {"msg_ArchiveCutShort", "archiwum jest niekompletne"}},
    {archive::kCompressionError, {"msg_ArchiveDataDamaged", "dane w archiwum są uszkodzone"}},
    {archive::kFileError, {"msg_ArchiveFileNotRestored", "nie udało się odtworzyć pliku z archiwum"}},
};

}  // namespace

QString themeNotOpenedMessage(const QString& path, const QString& reason) {
  QString said = reason;
  for (const ArchiveReason& known : kArchiveReasons)
    if (reason == QString::fromUtf8(known.archiveText)) said = messageText(known.reason);
  return messageText(msg_ThemeNotOpened).arg(QDir::toNativeSeparators(path), said);
}

}  // namespace orvella
