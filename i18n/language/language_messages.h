// The program's own message texts in the applied language.
#pragma once

#include <memory>

namespace orvella {

class LanguageFile;

// From now on the program's messages take their texts from the file's "messages" section, looked up when
// a message is shown; a message the file does not name keeps its built-in Polish text.
void useMessagesOf(std::shared_ptr<const LanguageFile> file);

}  // namespace orvella
