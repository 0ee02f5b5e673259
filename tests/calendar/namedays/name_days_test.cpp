// The name-day table: built-in entries and replacements from holidays/default.ini.
#include "calendar/namedays/name_days.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "dates/calendar_days.h"
#include "tests/support/files.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace orvella {
namespace {

class NameDaysTest : public ::testing::Test {
 protected:
  // Writes holidays/default.ini under the temporary program folder and loads the table.
  void loadWithFile(const QByteArray& content) {
    ASSERT_TRUE(testing::writeFile(dir.path() + "/holidays/default.ini", content));
    table.load_forenames(dir.path());
  }

  QTemporaryDir dir;
  NameDays table;
};

TEST_F(NameDaysTest, WithoutAFileTheBuiltInTableShows) {
  EXPECT_EQ(table.entry(0, 1), "") << "empty until loaded";
  table.load_forenames(dir.path());
  EXPECT_EQ(table.entry(0, 1), QString::fromUtf8("Mieczysława"));
  EXPECT_EQ(table.entry(0, 6), QString::fromUtf8("Trzech Króli"));
  EXPECT_EQ(table.entry(1, 29), QString::fromUtf8("Wiktora"));
  EXPECT_EQ(table.entry(2, 8), QString::fromUtf8("Dzień Kobiet"));
  EXPECT_EQ(table.entry(5, 29), QString::fromUtf8("Piotra i Pawła"));
  EXPECT_EQ(table.entry(7, 10), QString::fromUtf8("Wawrzyńca"));
  EXPECT_EQ(table.entry(11, 24), QString::fromUtf8("Adama i Ewy"));
  EXPECT_EQ(table.entry(11, 31), QString::fromUtf8("Sylwestra"));
  EXPECT_EQ(table.entry(-1, 1), "");
  EXPECT_EQ(table.entry(12, 1), "");
  EXPECT_EQ(table.entry(0, 0), "");
  EXPECT_EQ(table.entry(0, 32), "");
}

TEST_F(NameDaysTest, EveryExistingDateHasANameAndNoOtherDoes) {
  table.load_forenames(dir.path());
  for (int month = 0; month < 12; ++month) {
    int named = 0;
    for (int day = 1; day <= 31; ++day) {
      if (!table.entry(month, day).isEmpty()) {
        ++named;
        EXPECT_LE(day, daysInMonth(2024, month + 1)) << month + 1 << "/" << day;
      }
      EXPECT_EQ(table.entry(month, day), table.entry(month, day).trimmed());
    }
    EXPECT_EQ(named, daysInMonth(2024, month + 1)) << "month " << month + 1;
  }
}

TEST_F(NameDaysTest, FileEntriesOverrideEvenWhenEmpty) {
  loadWithFile("[3]\r\n8=\r\n[1]\r\n1=Jana/Pawła\r\n[4]\r\n31=Nikt\r\n[12]\r\n24 = \"@_age|2000\"\r\n");
  EXPECT_EQ(table.entry(2, 8), "");
  EXPECT_EQ(table.entry(2, 9), QString::fromUtf8("Franciszki"));
  EXPECT_EQ(table.entry(0, 1), QString::fromUtf8("Jana/Pawła"));
  EXPECT_EQ(table.entry(3, 31), "Nikt");  // stored, though April has no 31st
  EXPECT_EQ(table.entry(11, 24), "@_age|2000");
  EXPECT_EQ(table.entry(11, 25), "Anety");
}

TEST_F(NameDaysTest, Windows1250FilesReadToo) {
  loadWithFile(QByteArray("[5]\r\n1=J\xF3zefa i \xA3ucji\r\n"));
  EXPECT_EQ(table.entry(4, 1), QString::fromUtf8("Józefa i Łucji"));
}

TEST_F(NameDaysTest, DamagedFilesLeaveTheBuiltInEntries) {
  QByteArray garbage;
  for (int i = 0; i < 4096; ++i) garbage.append(static_cast<char>((i * 7919) % 256));
  loadWithFile(garbage);
  EXPECT_EQ(table.entry(1, 29), QString::fromUtf8("Wiktora"));
  EXPECT_EQ(table.entry(6, 1), "Haliny");
}

}  // namespace
}  // namespace orvella
