// The program's message texts and the source a language puts in place.
#include "platform/errors/message_texts.h"

namespace orvella {

namespace {
MessageTextSource& source() {
  static MessageTextSource current;
  return current;
}
}  // namespace

QString messageText(const MessageText& message) {
  const QString builtIn = QString::fromUtf8(message.builtIn);
  return source() ? source()(QString::fromLatin1(message.key), builtIn) : builtIn;
}

void setMessageTextSource(MessageTextSource newSource) { source() = std::move(newSource); }

}  // namespace orvella
