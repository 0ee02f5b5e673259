// The national holidays files installed with the program: every year's dates against the law, worked
// out here on their own, and the form the files are written in.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <set>
#include <utility>

#include "dates/calc_express.h"
#include "editor/holidays/national_holidays.h"
#include "platform/settings/ini_file.h"
#include "platform/settings/windows1250.h"
#include "tests/dates/qstring_printer.h"
#include "tests/support/files.h"

namespace orvella {
namespace {

const QString kFolder = QStringLiteral(ORVELLA_SOURCE_DIR "/data/holidays/");

// Easter Sunday by Carter's method, which holds for the years 1900 to 2099.
QDate carterEaster(int year) {
  const int b = 225 - 11 * (year % 19);
  int d = (b - 21) % 30 + 21;
  if (d > 48) --d;
  const int e = (year + year / 4 + d + 1) % 7;
  const int q = d + 7 - e;
  return q < 32 ? QDate(year, 3, q) : QDate(year, 4, q - 31);
}

// A holiday of a country: a fixed month and day, or days after Easter Sunday; in the years first..last.
struct Holiday {
  int month = 0, day = 0;  // 0: movable
  int afterEaster = 0;
  int first = 0, last = 9999;
};
Holiday fixed(int month, int day, int first = 0, int last = 9999) { return {month, day, 0, first, last}; }
Holiday easter(int days, int first = 0) { return {0, 0, days, first, 9999}; }

struct Country {
  const char* file;
  std::vector<Holiday> holidays;
};

// Public holidays as the countries' laws give them.
const std::vector<Country> kCountries = {
    {"polska.hln",
     {fixed(1, 1), fixed(1, 6, 2011), easter(0), easter(1), fixed(5, 1), fixed(5, 3), easter(49), easter(60),
      fixed(8, 15), fixed(11, 1), fixed(11, 11), fixed(12, 24, 2025), fixed(12, 25), fixed(12, 26)}},
    {"espana.hln",
     {fixed(1, 1), fixed(1, 6), easter(-2), fixed(5, 1), fixed(8, 15), fixed(10, 12), fixed(11, 1),
      fixed(12, 6), fixed(12, 8), fixed(12, 25)}},
    {"deutschland.hln",
     {fixed(1, 1), easter(-2), easter(1), fixed(5, 1), easter(39), easter(50), fixed(10, 3),
      fixed(10, 31, 2017, 2017), fixed(12, 25), fixed(12, 26)}},
    {"oesterreich.hln",
     {fixed(1, 1), fixed(1, 6), easter(1), fixed(5, 1), easter(39), easter(50), easter(60), fixed(8, 15),
      fixed(10, 26), fixed(11, 1), fixed(12, 8), fixed(12, 25), fixed(12, 26)}},
    {"cesko.hln",
     {fixed(1, 1), easter(-2, 2016), easter(1), fixed(5, 1), fixed(5, 8), fixed(7, 5), fixed(7, 6),
      fixed(9, 28), fixed(10, 28), fixed(11, 17), fixed(12, 24), fixed(12, 25), fixed(12, 26)}},
    {"france.hln",
     {fixed(1, 1), easter(1), fixed(5, 1), fixed(5, 8), easter(39), easter(50), fixed(7, 14), fixed(8, 15),
      fixed(11, 1), fixed(11, 11), fixed(12, 25)}},
    {"italia.hln",
     {fixed(1, 1), fixed(1, 6), easter(0), easter(1), fixed(4, 25), fixed(5, 1), fixed(6, 2), fixed(8, 15),
      fixed(11, 1), fixed(12, 8), fixed(12, 25), fixed(12, 26)}},
};

using MonthDay = std::pair<int, int>;

std::set<MonthDay> lawDates(const Country& country, int year) {
  std::set<MonthDay> dates;
  for (const Holiday& h : country.holidays) {
    if (year < h.first || year > h.last) continue;
    const QDate date = h.month ? QDate(year, h.month, h.day) : carterEaster(year).addDays(h.afterEaster);
    dates.insert({date.month(), date.day()});
  }
  return dates;
}

HolidayTable tableFor(int year) {
  HolidayTable table(12);
  for (int month = 1; month <= 12; ++month) table[month - 1].resize(QDate(year, month, 1).daysInMonth());
  return table;
}

TEST(ShippedHolidays, EveryYearGetsTheDatesOfTheLaw) {
  ASSERT_EQ(carterEaster(2024), QDate(2024, 3, 31));
  ASSERT_EQ(carterEaster(2025), QDate(2025, 4, 20));
  const QStringList shipped = QDir(kFolder).entryList({QStringLiteral("*.hln")}, QDir::Files);
  EXPECT_EQ(shipped.size(), static_cast<qsizetype>(kCountries.size()));

  TCalcExpress ce;
  NationalHolidaysImport importer(ce);
  for (const Country& country : kCountries) {
    for (int year = 2009; year <= 2030; ++year) {
      HolidayTable table = tableFor(year);
      importer.importFile(kFolder + QString::fromLatin1(country.file), table, year);
      EXPECT_TRUE(importer.skipped().empty()) << country.file;
      std::set<MonthDay> imported;
      for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= static_cast<int>(table[month - 1].size()); ++day) {
          const HolidayEntry& entry = table[month - 1][day - 1];
          if (entry.kind != kNationalHoliday) continue;
          imported.insert({month, day});
          EXPECT_FALSE(entry.text.trimmed().isEmpty()) << country.file << ' ' << month << '/' << day;
        }
      }
      EXPECT_EQ(imported, lawDates(country, year)) << country.file << ' ' << year;
    }
  }
}

// Windows-1250 when every text fits it, otherwise UTF-8 with a byte-order mark; keys in the order
// m, d, expr, name, from, to, and nothing else.
TEST(ShippedHolidays, FilesAreWrittenInTheAgreedForm) {
  const QStringList order{"m", "d", "expr", "name", "from", "to"};
  for (const Country& country : kCountries) {
    const QByteArray bytes = testing::readFile(kFolder + QString::fromLatin1(country.file));
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
    for (const QString& section : ini.sections()) {
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
