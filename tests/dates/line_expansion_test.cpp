// Easter Sunday, marker keywords, the replace-all routine and the expansion of "@_" markers.
#include "dates/line_expansion.h"

#include <gtest/gtest.h>

#include "dates/calendar_days.h"
#include "dates/easter.h"
#include "dates/text_utils.h"
#include "platform/errors/error.h"
#include "tests/dates/qstring_printer.h"

namespace orvella {
namespace {

// The anonymous Gregorian algorithm (Meeus), written independently of the routine under test.
CivilDate meeusEaster(int year) {
  const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
  const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
  const int month = (h + l - 7 * m + 114) / 31, day = (h + l - 7 * m + 114) % 31 + 1;
  return {year, month, day};
}

TEST(EasterSunday, KnownYears) {
  struct Known {
    int year, month, day;
  };
  for (const Known& k : {Known{2009, 4, 12},
                         {2010, 4, 4},
                         {2017, 4, 16},
                         {2024, 3, 31},
                         {1818, 3, 22},
                         {2038, 4, 25},
                         {1954, 4, 18},
                         {1981, 4, 19}}) {
    const CivilDate date = easterSunday(k.year);
    EXPECT_EQ(date.month, k.month) << k.year;
    EXPECT_EQ(date.day, k.day) << k.year;
  }
  EXPECT_EQ(easterSundayDayNumber(2010), dayNumber(2010, 4, 4));
}

TEST(EasterSunday, AgreesWithTheAnonymousAlgorithm) {
  for (int year = 1583; year <= 4099; ++year) {
    const CivilDate ours = easterSunday(year), theirs = meeusEaster(year);
    ASSERT_TRUE(ours.month == theirs.month && ours.day == theirs.day)
        << year << ": " << ours.month << "/" << ours.day << " vs " << theirs.month << "/" << theirs.day;
  }
}

TEST(EasterSunday, YearsWithoutDatesRaise) {
  EXPECT_THROW(easterSundayDayNumber(0), Error);
  EXPECT_THROW(easterSundayDayNumber(10000), Error);
  EXPECT_NO_THROW(easterSunday(-2147483647 - 1));
}

TEST(MarkerKeyword, StopsAtEachDelimiter) {
  EXPECT_EQ(markerKeyword("x @_EasterSunday+49"), "eastersunday");
  EXPECT_EQ(markerKeyword("no marker"), "");
  EXPECT_EQ(markerKeyword("@_ age"), "");
  EXPECT_EQ(markerKeyword("@_age|2000b!=:'?_x9"), "age|2000b!=:'?_x9");
  EXPECT_EQ(markerKeyword(QString::fromUtf8("@_ŻÓŁW")), QString::fromUtf8("ŻÓŁw"));  // only A..Z are lowered
  EXPECT_EQ(markerKeyword("@_a@_b"), "a");
  const QString delimiters = QString::fromUtf8("\t \"()*+,-./;<>@[]^\u201E\u2039\u201D\u203A");
  for (QChar c : delimiters) {
    EXPECT_EQ(markerKeyword(QStringLiteral("@_key") + c + "tail"), "key") << int(c.unicode());
    EXPECT_TRUE(isKeywordDelimiter(c));
  }
  for (QChar c : QString::fromUtf8("|=:!'?_{}~\\&%$#0aZ\u201C\u00AB"))
    EXPECT_FALSE(isKeywordDelimiter(c)) << int(c.unicode());
}

TEST(ReplaceAll, MatchesRestartingFromTheBeginning) {
  EXPECT_EQ(replaceAll("/", "\r", QString::fromUtf8("Piotra/Pawła")), QString::fromUtf8("Piotra\rPawła"));
  EXPECT_EQ(replaceAll("/", "\r", "a//b/"), "a\r\rb\r");
  EXPECT_EQ(replaceAll("/", "\r", "plain"), "plain");
  EXPECT_EQ(replaceAll("/", "\r", ""), "");
  EXPECT_EQ(replaceAll(QString(QChar(30)), "\r\n", QString("a") + QChar(30) + "u"), "a\r\nu");
  // Replacements that form new occurrences with the text before or after them are replaced too.
  EXPECT_EQ(replaceAll("ab", "a", "abbb"), "a");
  EXPECT_EQ(replaceAll("ab", "b", "aaab"), "b");
  EXPECT_EQ(replaceAll("ab", "ba", "aab"), "baa");
  EXPECT_EQ(replaceAll("", "x", "abc"), "abc");
}

TEST(ReplaceAll, AReplacementHoldingThePatternEnds) {
  EXPECT_EQ(replaceAll("a", "aa", "banana"), "baanaanaa");
  EXPECT_EQ(replaceAll("/", "//", "/x/"), "//x//");
  EXPECT_EQ(replaceAll("ab", "xaby", "abab"), "xabyxaby");
}

TEST(WholeNumbers, ConvertOrRaiseWithTheText) {
  EXPECT_EQ(toWholeNumber("1918"), 1918);
  EXPECT_EQ(toWholeNumber("-7"), -7);
  EXPECT_EQ(toWholeNumber("+7"), 7);
  EXPECT_EQ(toWholeNumber("$7DA"), 2010);
  EXPECT_EQ(toWholeNumber("0x7da"), 2010);
  EXPECT_EQ(toWholeNumber("2147483647"), 2147483647);
  EXPECT_EQ(toWholeNumber("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"2000b", "", "-", "$", "2147483648", "12 ", "1.5", "99999999999999999999999"}) {
    try {
      toWholeNumber(bad);
      ADD_FAILURE() << bad;
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(bad));
    }
  }
}

class LineExpansionIn2010 : public ::testing::Test {
 protected:
  int year = 2010;
  LineExpansion expansion{[this] { return year; }};
};

TEST_F(LineExpansionIn2010, EasterSundayInAnyCase) {
  const QString easter = QString::number(dayNumber(2010, 4, 4));
  EXPECT_EQ(expansion.wypelnij_linie("@_EasterSunday"), easter);
  EXPECT_EQ(expansion.wypelnij_linie("@_eastersunday"), easter);
  EXPECT_EQ(expansion.wypelnij_linie("@_EASTERSUNDAY"), easter);
  EXPECT_EQ(expansion.wypelnij_linie("@_eastersunday+49"), easter + "+49");
  EXPECT_EQ(expansion.wypelnij_linie("@_eastersunday|1999"), easter);
  year = 2024;
  EXPECT_EQ(expansion.wypelnij_linie("@_eastersunday"), QString::number(dayNumber(2024, 3, 31)));
}

TEST_F(LineExpansionIn2010, Ages) {
  EXPECT_EQ(expansion.wypelnij_linie("@_age|1918 lat"), "92 lat");
  EXPECT_EQ(expansion.wypelnij_linie("@_age"), "0");
  EXPECT_EQ(expansion.wypelnij_linie("a@_age|2000, b"), "a10, b");
  EXPECT_EQ(expansion.wypelnij_linie("@_age|2020"), "10");
  EXPECT_EQ(expansion.zamien("age|67454"), "92");  // the year is kept to 16 bits
  EXPECT_EQ(expansion.zamien("age|-1"), "63525");
  year = 2017;
  EXPECT_EQ(expansion.wypelnij_linie("@_age|1918 lat"), "99 lat");
}

TEST_F(LineExpansionIn2010, ANonNumberAfterTheBarRaises) {
  for (const char* line : {"@_age|2000b", "x @_age|", "@_eastersunday|x", "@_other|y"}) {
    try {
      expansion.wypelnij_linie(line);
      ADD_FAILURE() << line;
    } catch (const Error& e) {
      const QString text = QString(line).section('|', 1);
      EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(text)) << line;
    }
  }
}

TEST_F(LineExpansionIn2010, UnknownMarkersVanishAndTheRestStays) {
  EXPECT_EQ(expansion.wypelnij_linie("Imieniny Jana"), "Imieniny Jana");
  EXPECT_EQ(expansion.wypelnij_linie("a@_unknown b"), "a b");
  EXPECT_EQ(expansion.wypelnij_linie("a@_ b"), "a b");
  EXPECT_EQ(expansion.wypelnij_linie("end@_"), "end");
  EXPECT_EQ(expansion.wypelnij_linie("@_age|2000@_age|1990/x"), "1020/x");
  EXPECT_EQ(expansion.wypelnij_linie(QString::fromUtf8("\u201E@_age|1910\u201D")),
            QString::fromUtf8("\u201E100\u201D"));
}

TEST(LineExpansion, ReplacementsAreNotScannedAgain) {
  // A keyword that expands to a marker would loop if the result were scanned; it never is.
  int calls = 0;
  LineExpansion expansion([&calls] {
    ++calls;
    return 2010;
  });
  EXPECT_EQ(expansion.wypelnij_linie("@_@_age"), "0");  // "@" ends the first, empty keyword
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(expansion.wypelnij_linie("@_age|2009 @_age|2011"), "1 1");
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace orvella
