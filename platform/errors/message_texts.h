// Texts the program shows in its own message boxes and captions. Each has a key of the language files'
// "messages" section; until a language gives the text, the built-in Polish one is shown.
#pragma once

#include <QString>
#include <functional>

namespace orvella {

struct MessageText {
  const char* key;      // "msg_..."
  const char* builtIn;  // UTF-8
};

// The text to show: the one the message source gives, or the built-in one.
QString messageText(const MessageText& message);

// Where translated texts come from: given a key and the built-in text, the text to show. An empty
// source (the default) gives the built-in texts.
using MessageTextSource = std::function<QString(const QString& key, const QString& builtIn)>;
void setMessageTextSource(MessageTextSource source);

}  // namespace orvella
