// Message texts taken from the applied language file.
#include "i18n/language/language_messages.h"

#include "i18n/language/language_file.h"
#include "platform/errors/message_texts.h"

namespace orvella {

void useMessagesOf(std::shared_ptr<const LanguageFile> file) {
  setMessageTextSource([file = std::move(file)](const QString& key, const QString& builtIn) {
    return file->read(QString::fromLatin1(language::kMessagesSection), key, builtIn);
  });
}

}  // namespace orvella
