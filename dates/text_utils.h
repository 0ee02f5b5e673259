// Small text routines of the line expansion and its callers: keywords after markers, replace-all,
// lowering of A..Z and the whole-number conversion.
#pragma once

#include <QString>

namespace orvella {

// Lowers A..Z only; every other character stays as it is.
QString lowerAsciiLetters(const QString& text);

// Characters that end the keyword after a marker: tab, blank, the quotation mark, ( ) * + , - . / ; < > @
// [ ] ^ and the typographic quotes „ ” ‹ ›.
bool isKeywordDelimiter(QChar c);

// The keyword after the first occurrence of marker, up to the end or to a delimiter, with A..Z lowered;
// empty when the marker does not occur or a delimiter follows it at once.
QString markerKeyword(const QString& text, const QString& marker = QStringLiteral("@_"));

// Every occurrence of pattern replaced, as if the first occurrence were replaced and the search started
// again from the beginning until none is left. A replacement that itself holds the pattern would never
// end that way: then the search goes on after each inserted replacement. An empty pattern changes nothing.
QString replaceAll(const QString& pattern, const QString& replacement, const QString& text);

// A whole number in decimal (optional sign) or in hexadecimal after "$" or "0x", within 32 bits, with
// leading blanks allowed. Raises Error "'%s' is not a valid integer value" with the text otherwise.
int toWholeNumber(const QString& text);

}  // namespace orvella
