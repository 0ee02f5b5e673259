// The system's language as a Windows primary language number (0x0A Spanish, 0x15 Polish, ...).
#pragma once

#include <QLocale>

namespace orvella {

inline constexpr int kLangEnglish = 0x09;
inline constexpr int kLangSpanish = 0x0A;
inline constexpr int kLangPolish = 0x15;

int primaryLanguageOf(QLocale::Language language);
// The user's locale as the program sees it (LANG, LC_ALL, LC_MESSAGES on Linux).
int systemPrimaryLanguage();

}  // namespace orvella
