// The program's own message texts in the applied language.
#pragma once

namespace orvella {

class LanguageFile;

// From now on the program's messages take their texts from the file's "messages" section; a message
// the file does not name keeps its built-in Polish text.
void useMessagesOf(const LanguageFile& file);

}  // namespace orvella
