// Maps Qt's language of the system locale onto Windows primary language numbers.
#include "platform/desktop/system_language.h"

namespace orvella {

int primaryLanguageOf(QLocale::Language language) {
  switch (language) {
    case QLocale::English: return kLangEnglish;
    case QLocale::Spanish: return kLangSpanish;
    case QLocale::Polish: return kLangPolish;
    case QLocale::German: return 0x07;
    case QLocale::French: return 0x0C;
    case QLocale::Italian: return 0x10;
    case QLocale::Czech: return 0x05;
    case QLocale::Russian: return 0x19;
    case QLocale::Portuguese: return 0x16;
    default: return 0x00;  // neutral: none of ours
  }
}

int systemPrimaryLanguage() { return primaryLanguageOf(QLocale::system().language()); }

}  // namespace orvella
