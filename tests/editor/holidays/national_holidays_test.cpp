// The rules of adding a national holidays file to a holiday table, and of taking national holidays out.
#include "editor/holidays/national_holidays.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "dates/calc_express.h"
#include "dates/calendar_days.h"
#include "dates/easter.h"
#include "platform/errors/error.h"
#include "platform/settings/ini_file.h"
#include "tests/dates/qstring_printer.h"
#include "tests/support/files.h"

namespace orvella {
namespace {

HolidayTable emptyTable(int year) {
  HolidayTable table(12);
  for (int month = 1; month <= 12; ++month) table[month - 1].resize(daysInMonth(year, month));
  return table;
}

class NationalHolidaysTest : public ::testing::Test {
 protected:
  // Imports the text of a file into table for year.
  void import(const char* text, int year) {
    importer.importSettings(IniFile::fromBytes(QByteArray(text)), table, year);
  }
  HolidayEntry& day(int month, int dayOfMonth) { return table[month - 1][dayOfMonth - 1]; }
  int nationalDays() const {
    int count = 0;
    for (const HolidayRow& row : table)
      for (const HolidayEntry& entry : row) count += entry.kind == kNationalHoliday;
    return count;
  }

  TCalcExpress ce{QLatin1Char('.')};
  NationalHolidaysImport importer{ce};
  HolidayTable table = emptyTable(2010);
};

TEST_F(NationalHolidaysTest, SectionsAreReadUpToTheFirstMissingOrEmptyOne) {
  import("[1]\nm=1\nd=1\nname=a\n[2]\nm=1\nd=2\nname=b\n[4]\nm=1\nd=4\nname=d\n", 2010);
  EXPECT_EQ(importer.importedDays(), 2);
  EXPECT_EQ(day(1, 4), HolidayEntry());

  table = emptyTable(2010);
  import("[1]\nm=2\nd=1\n[2]\n[3]\nm=2\nd=3\n", 2010);
  EXPECT_EQ(nationalDays(), 1);

  // Sections "1" to "254" are read, "255" never: 254 holidays, one per day from 1 January on.
  QByteArray many;
  for (int n = 1; n <= 255; ++n) {
    const CivilDate date = dateFromDayNumber(dayNumber(2010, 1, 1) + n - 1);
    many += QStringLiteral("[%1]\nm=%2\nd=%3\nname=n%1\n").arg(n).arg(date.month).arg(date.day).toLatin1();
  }
  table = emptyTable(2010);
  importer.importSettings(IniFile::fromBytes(many), table, 2010);
  EXPECT_EQ(importer.importedDays(), 254);
  EXPECT_EQ(day(9, 11).text, QStringLiteral("n254"));
  EXPECT_EQ(day(9, 12), HolidayEntry());
}

TEST_F(NationalHolidaysTest, OnlyDaysOfTheMonthInTheSelectedYearAreFilled) {
  const char* file =
      "[1]\nm=2\nd=29\nname=leap\n[2]\nm=13\nd=1\n[3]\nm=4\nd=31\n[4]\nm=1\nd=0\n"
      "[5]\nm=0x3\nd=0X1F\nname=hex\n[6]\nm=-1\nd=1\n[7]\nm=65537\nd=2\nname=wrapped\n";
  import(file, 2010);
  EXPECT_EQ(day(2, 28), HolidayEntry());
  EXPECT_EQ(day(3, 31), (HolidayEntry{QStringLiteral("hex"), kNationalHoliday}));
  EXPECT_EQ(day(1, 2).text, QStringLiteral("wrapped"));  // month and day are 16-bit words
  EXPECT_EQ(nationalDays(), 2);

  table = emptyTable(2012);
  import(file, 2012);
  EXPECT_EQ(day(2, 29), (HolidayEntry{QStringLiteral("leap"), kNationalHoliday}));

  // Rows that are not there (no theme yet) take nothing.
  table.clear();
  import(file, 2012);
  EXPECT_TRUE(table.empty());
}

TEST_F(NationalHolidaysTest, FormulasDateMovableFeastsOfTheSelectedYear) {
  const char* file =
      "[1]\nexpr=@_EasterSunday+49\nname=Pentecost\n"
      "[2]\nm=5\nd=3\nexpr=@_eastersunday\nname=fixed wins\n"
      "[3]\nm=0\nd=0\nexpr=@_eastersunday + 0.99\nname=Easter\n"
      // The year of the date does not count: a year later is the same month and day.
      "[4]\nexpr=@_eastersunday-2+365\nname=a year on\n"
      "[5]\nm=0\nd=0\nname=no formula\n"
      "[6]\nm=0\nd=7\nexpr=@_eastersunday+1\nname=day without month\n";
  import(file, 2010);  // Easter Sunday: 4 April 2010
  EXPECT_EQ(day(5, 23).text, QStringLiteral("Pentecost"));
  EXPECT_EQ(day(5, 3).text, QStringLiteral("fixed wins"));
  EXPECT_EQ(day(4, 4).text, QStringLiteral("Easter"));
  EXPECT_EQ(day(4, 2).text, QStringLiteral("a year on"));  // 2 April 2011
  EXPECT_EQ(nationalDays(), 4);  // a formula counts only when month and day are both 0

  table = emptyTable(2024);  // 31 March 2024
  import(file, 2024);
  EXPECT_EQ(day(5, 19).text, QStringLiteral("Pentecost"));
  EXPECT_EQ(day(3, 31).text, QStringLiteral("Easter"));
  EXPECT_EQ(day(3, 29).text, QStringLiteral("a year on"));  // 29 March 2025
}

TEST_F(NationalHolidaysTest, ExistingHolidaysAreNeverOverwrittenAndTheFirstEntryWins) {
  day(1, 1) = {QStringLiteral("mine"), kUserHoliday};
  day(1, 2) = {QStringLiteral("typed"), kNoHolidayKind};
  const char* file =
      "[1]\nm=1\nd=1\nname=New Year\n[2]\nm=1\nd=6\nname=first\n"
      "[3]\nm=1\nd=6\nname=second\n[4]\nm=1\nd=2\nname=x\n";
  import(file, 2010);
  EXPECT_EQ(day(1, 1), (HolidayEntry{QStringLiteral("mine"), kUserHoliday}));
  EXPECT_EQ(day(1, 6).text, QStringLiteral("first"));
  EXPECT_EQ(day(1, 2).text, QStringLiteral("x"));  // a text without a kind is not yet a holiday
  EXPECT_EQ(importer.importedDays(), 2);

  const HolidayTable once = table;
  import(file, 2010);
  EXPECT_EQ(importer.importedDays(), 0);
  EXPECT_EQ(table, once);
}

TEST_F(NationalHolidaysTest, RemovalTakesOutExactlyTheNationalDays) {
  day(1, 1) = {QStringLiteral("mine"), kUserHoliday};
  import("[1]\nm=1\nd=1\nname=a\n[2]\nm=12\nd=31\nname=b\n[3]\nexpr=@_eastersunday\nname=c\n", 2010);
  ASSERT_EQ(nationalDays(), 2);
  HolidayTable expected = emptyTable(2010);
  expected[0][0] = {QStringLiteral("mine"), kUserHoliday};
  EXPECT_EQ(NationalHolidaysImport::removeNationalHolidays(table), 2);
  EXPECT_EQ(table, expected);
}

TEST_F(NationalHolidaysTest, ErrorsStopTheImportKeepingTheDaysBefore) {
  struct Case {
    const char* formula;
    const char* message;
  };
  for (const Case& c : {Case{"@_age|12x", "'12x' is not a valid integer value"},
                        Case{"@_eastersunday/0", "Floating point division by zero"},
                        Case{"ln(0-@_eastersunday)", "Invalid floating point operation"}}) {
    table = emptyTable(2010);
    const QByteArray file = QByteArray("[1]\nm=1\nd=1\nname=kept\n[2]\nexpr=") + c.formula +
                            "\n[3]\nexpr=@_eastersunday+*\n[4]\nm=1\nd=3\nname=never\n";
    try {
      importer.importSettings(IniFile::fromBytes(file), table, 2010);
      ADD_FAILURE() << c.formula << " did not stop the import";
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), QString::fromLatin1(c.message));
    }
    EXPECT_EQ(day(1, 1).text, QStringLiteral("kept"));
    EXPECT_EQ(day(1, 3), HolidayEntry());
    EXPECT_EQ(importer.importedDays(), 1);
  }
}

TEST_F(NationalHolidaysTest, FormulasWithoutADateAreSkippedAndListed) {
  import(
      "[1]\nexpr=@_eastersunday+\nname=a\n[2]\nexpr=x+1\n[3]\nexpr=1e9\n[4]\nexpr=0-1e7\n"
      "[5]\nexpr=\n[6]\nm=1\nd=5\nname=still read\n[7]\nexpr=2\nname=1 January 1900\n",
      2010);
  EXPECT_EQ(day(1, 5).text, QStringLiteral("still read"));
  EXPECT_EQ(day(1, 1).text, QStringLiteral("1 January 1900"));
  using R = SkippedHoliday::Reason;
  const std::vector<SkippedHoliday> expected{{1, QStringLiteral("@_eastersunday+"), R::BadFormula},
                                             {2, QStringLiteral("x+1"), R::BadFormula},
                                             {3, QStringLiteral("1e9"), R::NoSuchDate},
                                             {4, QStringLiteral("0-1e7"), R::NoSuchDate},
                                             {5, QString(), R::BadFormula}};
  EXPECT_EQ(importer.skipped(), expected);

  const QString message = skippedHolidaysMessage(importer.skipped());
  EXPECT_TRUE(message.contains(QStringLiteral("[1] expr=@_eastersunday+")));
  EXPECT_TRUE(message.contains(QStringLiteral("[4] expr=0-1e7")));
  EXPECT_EQ(message.count(QLatin1Char('\n')), 5);
  EXPECT_TRUE(skippedHolidaysMessage({}).isEmpty());

  import("[1]\nm=1\nd=9\n", 2010);  // each import lists only its own
  EXPECT_TRUE(importer.skipped().empty());
}

TEST_F(NationalHolidaysTest, YearBoundsLimitAnEntryToItsYears) {
  const char* file =
      "[1]\nm=1\nd=6\nname=from 2011\nfrom=2011\n"
      "[2]\nm=10\nd=31\nname=2017 only\nfrom=2017\nto=2017\n"
      "[3]\nexpr=@_eastersunday-2\nname=until 2015\nto=0x7DF\n"
      "[4]\nm=1\nd=1\nname=unreadable bound\nfrom=soon\n"
      "[5]\nexpr=1/0\nto=2000\n";  // never evaluated outside its years
  auto imported = [&](int year) {
    table = emptyTable(year);
    import(file, year);
    QStringList names;
    for (const HolidayRow& row : table)
      for (const HolidayEntry& entry : row)
        if (entry.kind == kNationalHoliday) names << entry.text;
    return names;
  };
  EXPECT_EQ(imported(2010), (QStringList{"unreadable bound", "until 2015"}));
  EXPECT_EQ(imported(2015), (QStringList{"unreadable bound", "from 2011", "until 2015"}));
  EXPECT_EQ(imported(2016), (QStringList{"unreadable bound", "from 2011"}));
  EXPECT_EQ(imported(2017), (QStringList{"unreadable bound", "from 2011", "2017 only"}));
}

TEST_F(NationalHolidaysTest, NamesStayOneLineOfText) {
  // The character 30 would split the stored day value into text and kind.
  import("[1]\nm=1\nd=1\nname=  *a\x1en/b  \n[2]\nm=1\nd=2\n", 2010);
  EXPECT_EQ(day(1, 1).text, QStringLiteral("*a n/b"));
  EXPECT_EQ(day(1, 2), (HolidayEntry{QString(), kNationalHoliday}));
}

TEST_F(NationalHolidaysTest, FilesAreReadFromDiskInEitherCodePage) {
  QTemporaryDir dir;
  const QString cp1250 = dir.filePath(QStringLiteral("a.hln"));
  const QString utf8 = dir.filePath(QStringLiteral("b.hln"));
  ASSERT_TRUE(testing::writeFile(cp1250, "[1]\r\nm=5\r\nd=3\r\nname=\x8Cwi\xEAto\r\n"));
  ASSERT_TRUE(testing::writeFile(utf8, "\xEF\xBB\xBF[1]\r\nm=1\r\nd=1\r\nname=A\xC3\xB1o Nuevo\r\n"));
  importer.importFile(cp1250, table, 2010);
  importer.importFile(utf8, table, 2010);
  EXPECT_THROW(importer.importFile(dir.filePath(QStringLiteral("missing.hln")), table, 2010), Error);
  EXPECT_EQ(importer.importedDays(), 0);
  EXPECT_EQ(day(5, 3).text, QString::fromUtf8("Święto"));
  EXPECT_EQ(day(1, 1).text, QString::fromUtf8("Año Nuevo"));
}

// Rules date an entry only when it has neither "m", "d" nor "expr": the original program, which reads
// just those, then skips it, and a file reads the same days in both where it has them.
class HolidayRulesTest : public NationalHolidaysTest {
 protected:
  // The days of the file for year, as "month/day name".
  QStringList days(const char* file, int year) {
    table = emptyTable(year);
    import(file, year);
    QStringList found;
    for (int month = 1; month <= 12; ++month)
      for (int d = 1; d <= static_cast<int>(table[month - 1].size()); ++d)
        if (day(month, d).kind == kNationalHoliday)
          found << QStringLiteral("%1/%2 %3").arg(month).arg(d).arg(day(month, d).text);
    return found;
  }
};

TEST_F(HolidayRulesTest, WeekdaysOfAMonth) {
  const char* file =
      "[1]\nrule=5 Fri of 2\nname=a\n[2]\nrule=last monday of 5\nname=b\n[3]\nrule=2 sun of 05\nname=c\n";
  EXPECT_EQ(days(file, 2008), (QStringList{"2/29 a", "5/11 c", "5/26 b"}));
  EXPECT_EQ(days(file, 2010), (QStringList{"5/9 c", "5/31 b"}));  // February 2010 has four Fridays
}

TEST_F(HolidayRulesTest, FirstWeekdayOnOrAfterADate) {
  const char* file =
      "[1]\nrule=sat on or after 31.10\nname=a\n[2]\nrule=  FRI  on or after 30.12 \nname=b\n"
      "[3]\nrule=wed on or after 31.12\nname=next year\n[4]\nrule=29.2\nname=leap\n";
  EXPECT_EQ(days(file, 2010), (QStringList{"11/6 a", "12/31 b"}));
  EXPECT_EQ(days(file, 2012), (QStringList{"2/29 leap", "11/3 a"}));  // the Friday is in 2013
}

TEST_F(HolidayRulesTest, DaysAfterEitherEaster) {
  const char* file =
      "[1]\nrule=orthodox easter\nname=o\n[2]\nrule=Orthodox Easter - "
      "48\nname=o-48\n[3]\nrule=easter+1\nname=w+1\n"
      "[4]\nrule=orthodox easter+300\nname=next year\n";
  EXPECT_EQ(days(file, 2008), (QStringList{"3/10 o-48", "3/24 w+1", "4/27 o"}));  // Western Easter: 23 March
  EXPECT_EQ(days(file, 2010), (QStringList{"2/15 o-48", "4/4 o", "4/5 w+1"}));    // both on 4 April
}

TEST_F(HolidayRulesTest, WeekendDaysMoveToTheNextWorkingDayTheFileLeavesFree) {
  const char* file =
      "[1]\nm=12\nd=25\nname=25\n[2]\nrule=25.12\nweekend=next working day\nname=sub 25\n"
      "[3]\nm=12\nd=26\nname=26\n[4]\nrule=26.12\nweekend=Next  Working Day\nname=sub 26\n"
      "[5]\nrule=31.12\nweekend=next working day\nname=eve\n[6]\nrule=1.5\nweekend=sunday to next working "
      "day\nname=May\n";
  // 2010: Saturday and Sunday; a holiday of the user's own on the Monday takes its day, not the file's move.
  table = emptyTable(2010);
  day(12, 27) = {QStringLiteral("mine"), kUserHoliday};
  import(file, 2010);
  EXPECT_EQ(day(12, 27).text, QStringLiteral("mine"));
  EXPECT_EQ(day(12, 28).text, QStringLiteral("sub 26"));
  EXPECT_EQ(day(5, 1).text, QStringLiteral("May"));  // a Saturday stays
  // 2011: Christmas on Sunday, Boxing Day on Monday; 1 May on Sunday; 31 December a Saturday.
  EXPECT_EQ(days(file, 2011), (QStringList{"5/2 May", "12/25 25", "12/26 26", "12/27 sub 25"}));
  EXPECT_EQ(days(file, 2012), (QStringList{"5/1 May", "12/25 25", "12/26 26", "12/31 eve"}));
}

TEST_F(HolidayRulesTest, RulesThatDoNotParseAreListedAsBadFormulas) {
  import(
      "[1]\nrule=first mon of may\n[2]\nrule=easter+x\n[3]\nrule=6 mon of "
      "5\n[4]\nrule=31.2\n[5]\nrule=1.1\nweekend=monday\n"
      "[6]\nm=1\nd=2\nrule=nonsense\nname=m and d win\n[7]\nexpr=@_eastersunday\nrule=1.1\nname=expr wins\n",
      2010);
  using R = SkippedHoliday::Reason;
  const QString rule = QStringLiteral("rule");
  const std::vector<SkippedHoliday> expected{
      {1, QStringLiteral("first mon of may"), R::BadFormula, rule},
      {2, QStringLiteral("easter+x"), R::BadFormula, rule},
      {3, QStringLiteral("6 mon of 5"), R::BadFormula, rule},
      {4, QStringLiteral("31.2"), R::BadFormula, rule},
      {5, QStringLiteral("monday"), R::BadFormula, QStringLiteral("weekend")}};
  EXPECT_EQ(importer.skipped(), expected);
  EXPECT_TRUE(skippedHolidaysMessage(importer.skipped()).contains(QStringLiteral("\n[5] weekend=monday (")));
  EXPECT_EQ(day(1, 2).text, QStringLiteral("m and d win"));
  EXPECT_EQ(day(4, 4).text, QStringLiteral("expr wins"));
  EXPECT_EQ(nationalDays(), 2);
}

}  // namespace
}  // namespace orvella
