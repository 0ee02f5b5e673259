// Keyword extraction after markers, replace-all and the whole-number conversion.
#include "dates/text_utils.h"

#include <algorithm>
#include <limits>

#include "platform/errors/error.h"

namespace orvella {

QString lowerAsciiLetters(const QString& text) {
  QString result = text;
  for (QChar& c : result) {
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + ('a' - 'A'));
  }
  return result;
}

bool isKeywordDelimiter(QChar c) {
  switch (c.unicode()) {
    case u'\t':
    case u' ':
    case u'"':
    case u'(':
    case u')':
    case u'*':
    case u'+':
    case u',':
    case u'-':
    case u'.':
    case u'/':
    case u';':
    case u'<':
    case u'>':
    case u'@':
    case u'[':
    case u']':
    case u'^':
    case 0x201E:  // „
    case 0x2039:  // ‹
    case 0x201D:  // ”
    case 0x203A:  // ›
      return true;
    default:
      return false;
  }
}

QString markerKeyword(const QString& text, const QString& marker) {
  const qsizetype at = text.indexOf(marker);
  if (at < 0 || marker.isEmpty()) return {};
  const qsizetype start = at + marker.size();
  qsizetype end = start;
  while (end < text.size() && !isKeywordDelimiter(text[end])) ++end;
  return lowerAsciiLetters(text.mid(start, end - start));
}

QString replaceAll(const QString& pattern, const QString& replacement, const QString& text) {
  if (pattern.isEmpty() || text.isEmpty()) return text;
  const bool endless = replacement.contains(pattern);
  // A replacement that grows the text may in principle keep making new occurrences at its edges; past
  // this many rounds the search stops going back.
  const qsizetype restartLimit = 16 * (text.size() + 1024);
  QString result = text;
  qsizetype from = 0;
  qsizetype rounds = 0;
  for (;;) {
    const qsizetype at = result.indexOf(pattern, from);
    if (at < 0) return result;
    result.replace(at, pattern.size(), replacement);
    if (endless || ++rounds > restartLimit) {
      from = at + replacement.size();
    } else {
      // Nothing before the replaced occurrence matched, so a new first occurrence cannot start earlier
      // than one pattern length before it: searching from there finds what a search from the start would.
      from = std::max<qsizetype>(0, at - pattern.size() + 1);
    }
  }
}

int toWholeNumber(const QString& text) {
  auto fail = [&text]() -> int {
    throw Error(formatMessage(QString::fromLatin1(messages::kNotAnInteger), text));
  };
  qsizetype i = 0;
  while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }
  int base = 10;
  if (i < text.size() && text[i] == QLatin1Char('$')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == QLatin1Char('0') &&
             (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return fail();
  long long magnitude = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    int digit;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (base == 16 && c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (base == 16 && c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else {
      return fail();
    }
    magnitude = magnitude * base + digit;
    if (magnitude > 0x100000000LL) return fail();
  }
  const long long value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return fail();
  return static_cast<int>(value);
}

}  // namespace orvella
