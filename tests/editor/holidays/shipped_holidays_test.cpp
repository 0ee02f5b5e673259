// The national holidays files installed with the program: every year's dates against the law, worked
// out here on their own, and the form the files are written in.
#include <gtest/gtest.h>

#include <QCalendar>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <set>

#include "dates/calc_express.h"
#include "editor/holidays/national_holidays.h"
#include "platform/settings/ini_file.h"
#include "platform/settings/windows1250.h"
#include "tests/dates/qstring_printer.h"
#include "tests/support/files.h"

namespace orvella {
namespace {

const QString kFolder = QStringLiteral(ORVELLA_SOURCE_DIR "/data/holidays/");

// Easter Sunday by Carter's method (1900 to 2099) and by the anonymous Gregorian algorithm.
QDate carterEaster(int year) {
  const int b = 225 - 11 * (year % 19);
  int d = (b - 21) % 30 + 21;
  if (d > 48) --d;
  const int e = (year + year / 4 + d + 1) % 7;
  const int q = d + 7 - e;
  return q < 32 ? QDate(year, 3, q) : QDate(year, 4, q - 31);
}
QDate anonymousEaster(int y) {
  const int a = y % 19, b = y / 100, c = y % 100, f = (b + 8) / 25, g = (b - f + 1) / 3;
  const int h = (19 * a + b - b / 4 - g + 15) % 30, l = (32 + 2 * (b % 4) + 2 * (c / 4) - h - c % 4) % 7;
  const int m = (a + 11 * h + 22 * l) / 451, n = h + l - 7 * m + 114;
  return QDate(y, n / 31, n % 31 + 1);
}
// The Orthodox Easter Sunday by Gauss's Julian formula, and as the first Sunday after the Julian paschal
// full moon; Julian dates are turned Gregorian by Qt's Julian calendar.
const QCalendar kJulian(QCalendar::System::Julian);
QDate gaussOrthodoxEaster(int y) {
  const int d = (19 * (y % 19) + 15) % 30, e = (2 * (y % 4) + 4 * (y % 7) + 6 * d + 6) % 7;
  return QDate(y, 3, 22, kJulian).addDays(d + e);
}
QDate fullMoonOrthodoxEaster(int y) {
  QDate day = QDate(y, 3, 21, kJulian).addDays((19 * (y % 19) + 15) % 30 + 1);
  while (day.dayOfWeek() != Qt::Sunday) day = day.addDays(1);
  return day;
}

// Each country's public holidays for the years 2000 to 2040, one word a day: "25.12" a date; "E-2"
// and "O+1" days after Easter and Orthodox Easter; "sat20.6" the first Saturday on or after 20 June
// ("mon25.5" is the last Monday of May); "27.4<" the day before when that is a Sunday; "brigid" the
// first Monday of February, or 1 February on a Friday. "@2011-", "@-2023", "@2013-2015" and "@2018"
// bound the years. "*25.12" is the next working day no other holiday holds when 25 December falls on
// Saturday or Sunday, "~1.5" when 1 May falls on Sunday.
struct Country {
  const char* file;
  const char* code;
  const char* law;
};
const Country kCountries[] = {
    {"polska", "PL",
     "1.1 6.1@2011- E E+1 1.5 3.5 E+49 E+60 15.8 1.11 11.11 12.11@2018 24.12@2025- 25.12 26.12"},
    {"cesko", "CZ", "1.1 E-2@2016- E+1 1.5 8.5 5.7 6.7 28.9 28.10 17.11 24.12 25.12 26.12"},
    {"deutschland", "DE", "1.1 E-2 E+1 1.5 E+39 E+50 3.10 31.10@2017 25.12 26.12"},
    {"oesterreich", "AT", "1.1 6.1 E+1 1.5 E+39 E+50 E+60 15.8 26.10 1.11 8.12 25.12 26.12"},
    {"espana", "ES", "1.1 6.1 E-2 1.5 15.8 12.10 1.11 6.12 8.12 25.12"},
    {"france", "FR", "1.1 E+1 1.5 8.5 E+39 E+50 14.7 15.8 1.11 11.11 25.12"},
    {"italia", "IT", "1.1 6.1 17.3@2011 E E+1 25.4 1.5 2.6 15.8 4.10@2026- 1.11 8.12 25.12 26.12"},
    {"belgie", "BE", "1.1 E+1 1.5 E+39 E+50 21.7 15.8 1.11 11.11 25.12"},
    {"nederland", "NL", "1.1 E E+1 30.4<@-2013 27.4<@2014- 5.5 E+39 E+49 E+50 25.12 26.12"},
    {"luxembourg", "LU", "1.1 E+1 1.5 9.5@2019- E+39 E+50 23.6 15.8 1.11 25.12 26.12"},
    {"danmark", "DK", "1.1 E-3 E-2 E E+1 E+26@-2023 E+39 E+49 E+50 25.12 26.12"},
    {"sverige", "SE", "1.1 6.1 E-2 E E+1 1.5 E+39 E+49 E+50@-2004 6.6@2005- sat20.6 sat31.10 25.12 26.12"},
    {"norge", "NO", "1.1 E-3 E-2 E E+1 1.5 17.5 E+39 E+49 E+50 25.12 26.12"},
    {"suomi", "FI", "1.1 6.1 E-2 E E+1 1.5 E+39 E+49 sat20.6 sat31.10 6.12 25.12 26.12"},
    {"island", "IS", "1.1 E-3 E-2 E E+1 thu19.4 1.5 E+39 E+49 E+50 17.6 mon1.8 24.12 25.12 26.12 31.12"},
    {"eesti", "EE", "1.1 24.2 E-2 E 1.5 E+49 23.6 24.6 20.8 24.12@2005- 25.12 26.12"},
    {"latvija", "LV",
     "1.1 E-2 E E+1 1.5 4.5 *4.5@2007- sun8.5 29.5@2023 E+49 23.6 24.6 9.7@2018 10.7@2023 18.11 *18.11@2007- "
     "24.12@2007- 25.12 26.12 31.12"},
    {"lietuva", "LT",
     "1.1 16.2 11.3 E E+1 1.5@2001- sun1.5 sun1.6 24.6@2003- 6.7 15.8 1.11 2.11@2020- 24.12@2010- 25.12 "
     "26.12"},
    {"magyarorszag", "HU", "1.1 15.3 E-2@2017- E E+1 1.5 E+49 E+50 20.8 23.10 1.11 25.12 26.12"},
    {"slovensko", "SK",
     "1.1 6.1 E-2 E+1 1.5 8.5@-2025 8.5@2027- 5.7 29.8 1.9@-2023 15.9@-2025 15.9@2027- 30.10@2018 1.11 "
     "17.11@2001-2024 24.12 25.12 26.12"},
    {"slovenija", "SI",
     "1.1 2.1@-2012 2.1@2017- 8.2 E E+1 27.4 1.5 2.5 E+49 25.6 14.8@2023 15.8 31.10 1.11 25.12 26.12"},
    {"hrvatska", "HR",
     "1.1 6.1 E E+1 1.5 30.5@-2001 30.5@2020- E+60@2002- 22.6 25.6@2002-2019 5.8 15.8 8.10@2002-2019 1.11 "
     "18.11@2020- 25.12 26.12"},
    {"romania", "RO",
     "1.1 2.1 6.1@2024- 7.1@2024- 24.1@2017- O-2@2018- O O+1 1.5 1.6@2017- O+49@2008- O+50@2008- 15.8@2009- "
     "30.11@2012- 1.12 25.12 26.12"},
    {"balgariya", "BG",
     "1.1 3.3 O-2@2010- O-1@2010- O O+1 1.5 6.5 24.5 6.9 22.9 24.12 25.12 26.12 *1.1@2017- *3.3@2017- "
     "*1.5@2017- *6.5@2017- *24.5@2017- *6.9@2017- *22.9@2017- *24.12@2017- *25.12@2017- *26.12@2017-"},
    // May Day leaves a Sunday, and Easter week in 2013, 2021 and 2024.
    {"ellada", "GR",
     "1.1 6.1 O-48 25.3 O-2 O O+1 1.5@-2012 ~1.5@-2012 7.5@2013 1.5@2014-2020 ~1.5@2014-2020 4.5@2021 "
     "1.5@2022-2023 ~1.5@2022-2023 7.5@2024 1.5@2025- ~1.5@2025- O+50 15.8 28.10 25.12 26.12"},
    {"kypros", "CY", "1.1 6.1 O-48 25.3 1.4 O-2 O O+1 O+2 1.5 O+50 15.8 1.10 28.10 24.12 25.12 26.12"},
    {"malta", "MT", "1.1 10.2 19.3 31.3 E-2 1.5 7.6 29.6 15.8 8.9 21.9 8.12 13.12 25.12"},
    {"portugal", "PT",
     "1.1 E-2 E 25.4 1.5 E+60@-2012 E+60@2016- 10.6 15.8 5.10@-2012 5.10@2016- 1.11@-2012 1.11@2016- "
     "1.12@-2012 1.12@2016- 8.12 25.12"},
    {"ireland", "IE", "1.1 brigid@2023- 17.3 18.3@2022 E+1 mon1.5 mon1.6 mon1.8 mon25.10 25.12 26.12"},
    {"united_kingdom", "GB",
     "1.1 E-2 29.4@2011 mon1.5@-2019 8.5@2020 mon1.5@2021- 8.5@2023 mon25.5@-2001 3.6@2002 4.6@2002 "
     "mon25.5@2003-2011 4.6@2012 5.6@2012 mon25.5@2013-2021 2.6@2022 3.6@2022 mon25.5@2023- 19.9@2022 25.12 "
     "26.12 *1.1 *25.12 *26.12"},
    {"schweiz", "CH", "1.1 E+39 1.8 25.12"},
    {"ukraina", "UA",
     "1.1 7.1@-2023 8.3 O 1.5 2.5@-2017 8.5@2024- 9.5@-2023 O+49 28.6 15.7@2024- 28.7@2022-2023 24.8 "
     "1.10@2023- 14.10@2015-2022 25.12@2017- *1.1@-2022 *7.1@-2022 *8.3@-2021 *O@-2021 *1.5@-2021 *2.5@-2017 "
     "*9.5@-2021 *O+49@-2021 *28.6@-2021 *24.8@-2021 *14.10@2015-2021 *25.12@2017-2021"},
    {"srbija", "RS",
     "1.1 2.1 7.1 15.2@2002- 16.2@2002- O-2 O-1 O O+1 1.5 2.5 11.11@2012- ~1.1 ~2.1 ~15.2@2002- ~16.2@2002- "
     "~1.5 ~2.5 ~11.11@2012-"},
};

using Day = std::pair<int, int>;  // month, day

// The days a country's law gives in year.
std::set<Day> lawDays(const char* law, int year) {
  static const QRegularExpression word(QStringLiteral(
      R"(^([*~]?)(?:(E|O)([+-]\d+)?|([a-z]{3})?(\d+)\.(\d+)(<?)|(brigid))(?:@(\d*)(-?)(\d*))?$)"));
  std::set<Day> days;
  std::vector<QDate> moved;
  for (const QString& text : QString::fromLatin1(law).split(QLatin1Char(' '))) {
    const QRegularExpressionMatch m = word.match(text);
    EXPECT_TRUE(m.hasMatch()) << text.toStdString();
    const int first = m.captured(9).isEmpty() ? 0 : m.captured(9).toInt();
    const int last = !m.captured(11).isEmpty()  ? m.captured(11).toInt()
                     : m.captured(10).isEmpty() ? first
                                                : 9999;
    if (year < first || (last && year > last)) continue;
    QDate date;
    if (m.captured(8) == QLatin1String("brigid")) {
      date = QDate(year, 2, 1);
      while (date.dayOfWeek() != Qt::Monday && date.dayOfWeek() != Qt::Friday) date = date.addDays(1);
      if (date.dayOfWeek() == Qt::Friday && date.day() > 1) date = date.addDays(3);
    } else if (!m.captured(2).isEmpty()) {
      date = (m.captured(2) == QLatin1String("E") ? carterEaster(year) : gaussOrthodoxEaster(year))
                 .addDays(m.captured(3).toInt());
    } else {
      date = QDate(year, m.captured(6).toInt(), m.captured(5).toInt());
      const QString weekday = m.captured(4);
      while (!weekday.isEmpty() && QLocale::c().dayName(date.dayOfWeek()).left(3).toLower() != weekday)
        date = date.addDays(1);
      if (!m.captured(7).isEmpty() && date.dayOfWeek() == Qt::Sunday) date = date.addDays(-1);
    }
    if (m.captured(1).isEmpty()) {
      days.insert({date.month(), date.day()});
    } else if (date.dayOfWeek() >= (m.captured(1) == QLatin1String("*") ? Qt::Saturday : Qt::Sunday)) {
      moved.push_back(date);
    }
  }
  for (QDate date : moved) {
    do date = date.addDays(1);
    while (date.dayOfWeek() >= Qt::Saturday || days.count({date.month(), date.day()}));
    if (date.year() == year) days.insert({date.month(), date.day()});
  }
  return days;
}

HolidayTable tableFor(int year) {
  HolidayTable table(12);
  for (int month = 1; month <= 12; ++month) table[month - 1].resize(QDate(year, month, 1).daysInMonth());
  return table;
}

TEST(ShippedHolidays, EveryYearGetsTheDatesOfTheLaw) {
  for (int year = 2000; year <= 2040; ++year) {
    ASSERT_EQ(carterEaster(year), anonymousEaster(year)) << year;
    ASSERT_EQ(gaussOrthodoxEaster(year), fullMoonOrthodoxEaster(year)) << year;
  }
  const QStringList shipped = QDir(kFolder).entryList({QStringLiteral("*.hln")}, QDir::Files);
  EXPECT_EQ(shipped.size(), static_cast<qsizetype>(std::size(kCountries)));

  TCalcExpress ce;
  NationalHolidaysImport importer(ce);
  for (const Country& country : kCountries) {
    const QString path = kFolder + QString::fromLatin1(country.file) + QStringLiteral(".hln");
    EXPECT_EQ(IniFile(path).readString(QStringLiteral("about"), QStringLiteral("country"), {}),
              QString::fromLatin1(country.code));
    for (int year = 2000; year <= 2040; ++year) {
      HolidayTable table = tableFor(year);
      importer.importFile(path, table, year);
      EXPECT_TRUE(importer.skipped().empty()) << country.file;
      std::set<Day> imported;
      for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= static_cast<int>(table[month - 1].size()); ++day) {
          const HolidayEntry& entry = table[month - 1][day - 1];
          if (entry.kind != kNationalHoliday) continue;
          imported.insert({month, day});
          EXPECT_FALSE(entry.text.trimmed().isEmpty()) << country.file << ' ' << month << '/' << day;
        }
      }
      EXPECT_EQ(imported, lawDays(country.law, year)) << country.file << ' ' << year;
    }
  }
}

// Windows-1250 when every text fits it, otherwise UTF-8 with a byte-order mark; "[about]" first with
// the country's code and name, then the holidays with their keys in the order m, d, expr, rule, weekend,
// name, from, to, and nothing else.
TEST(ShippedHolidays, FilesAreWrittenInTheAgreedForm) {
  const QStringList order{"m", "d", "expr", "rule", "weekend", "name", "from", "to"};
  for (const Country& country : kCountries) {
    const QByteArray bytes =
        testing::readFile(kFolder + QString::fromLatin1(country.file) + QStringLiteral(".hln"));
    const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) {
      EXPECT_FALSE(windows1250::fits(QString::fromUtf8(bytes.mid(bom.size()))))
          << country.file << " fits Windows-1250";
    } else {
      // Windows-1250 text must not read as UTF-8, which a file without a byte-order mark is taken for first.
      const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
      EXPECT_TRUE(ascii || !isValidUtf8(bytes)) << country.file;
    }

    const IniFile ini = IniFile::fromBytes(bytes);
    EXPECT_EQ(ini.sections().value(0), QStringLiteral("about")) << country.file;
    EXPECT_EQ(ini.keys(QStringLiteral("about")), (QStringList{"country", "name"})) << country.file;
    for (const QString& section : ini.sections().mid(1)) {
      const QStringList keys = ini.keys(section);
      qsizetype last = -1;
      for (const QString& key : keys) {
        const qsizetype at = order.indexOf(key);
        EXPECT_GT(at, last) << country.file << " [" << section.toStdString() << "] " << key.toStdString();
        last = at;
      }
    }
  }
}

}  // namespace
}  // namespace orvella
