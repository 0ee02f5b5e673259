// File-name masks with "*" and "?".
#include "platform/files/wildcard.h"

namespace orvella::files {

bool hasWildcards(const QString& text) {
  return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
}

bool matchesMask(const QString& name, const QString& mask) {
  if (mask == QLatin1String("*.*") || mask == QLatin1String("*")) return true;
  const QString n = name.toCaseFolded();
  const QString m = mask.toCaseFolded();
  // Greedy match with one remembered star: linear in practice, never recursive.
  qsizetype ni = 0, mi = 0, starMask = -1, starName = 0;
  while (ni < n.size()) {
    if (mi < m.size() && (m[mi] == QLatin1Char('?') || m[mi] == n[ni])) {
      ++ni;
      ++mi;
    } else if (mi < m.size() && m[mi] == QLatin1Char('*')) {
      starMask = mi++;
      starName = ni;
    } else if (starMask >= 0) {
      mi = starMask + 1;
      ni = ++starName;
    } else {
      return false;
    }
  }
  while (mi < m.size() && m[mi] == QLatin1Char('*')) ++mi;
  // "name.*" also matches "name" without an extension, as on Windows.
  if (mi + 2 == m.size() && m[mi] == QLatin1Char('.') && m[mi + 1] == QLatin1Char('*')) return true;
  return mi == m.size();
}

}  // namespace orvella::files
