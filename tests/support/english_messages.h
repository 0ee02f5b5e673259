// The program's messages in English for a test that reads their words: while an EnglishMessages lives,
// the "messages" of the shipped english.lng are applied, afterwards the built-in texts again.
#pragma once

#include <memory>

#include "i18n/language/language_file.h"
#include "i18n/language/language_messages.h"
#include "platform/errors/message_texts.h"

namespace orvella {

struct EnglishMessages {
  EnglishMessages() {
    useMessagesOf(std::make_shared<const LanguageFile>(QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/english.lng")));
  }
  ~EnglishMessages() { setMessageTextSource({}); }
  EnglishMessages(const EnglishMessages&) = delete;
  EnglishMessages& operator=(const EnglishMessages&) = delete;
};

}  // namespace orvella
