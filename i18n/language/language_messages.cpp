// Message texts taken from a language file once, when it is applied.
#include "i18n/language/language_messages.h"

#include <QHash>

#include "i18n/language/language_file.h"
#include "platform/errors/message_texts.h"

namespace orvella {

void useMessagesOf(const LanguageFile& file) {
  const QString section = QString::fromLatin1(language::kMessagesSection);
  QHash<QString, QString> texts;
  // Keys compare without regard to case, as in the file.
  for (const QString& key : file.keys(section)) texts.insert(key.toLower(), file.read(section, key, QString()));
  setMessageTextSource([texts = std::move(texts)](const QString& key, const QString& builtIn) {
    return texts.value(key.toLower(), builtIn);
  });
}

}  // namespace orvella
