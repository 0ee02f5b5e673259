// The Moon's phases against a table that another program worked out (tools/moon/make_phase_table.py).
#include <gtest/gtest.h>

#include <QFile>

#include "dates/moon_phases.h"

namespace orvella {
namespace {

struct TablePhase {
  QDateTime instant;
  int phase;
};

std::vector<TablePhase> independentTable() {
  std::vector<TablePhase> table;
  QFile file(QStringLiteral(ORVELLA_TEST_DATA "/moon/phases.txt"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  while (!file.atEnd()) {
    const QString line = QString::fromLatin1(file.readLine()).trimmed();
    QDateTime instant = QDateTime::fromString(line.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    instant.setTimeZone(QTimeZone::utc());
    table.push_back({instant, line.mid(20).toInt()});
  }
  return table;
}

// Every phase from 1900 to 2100 falls on the table's day in each zone, except instants within ten
// minutes of that zone's midnight, and no instant is ten minutes off.
TEST(MoonPhases, EveryPhaseFrom1900To2100FallsOnTheDayOfAnIndependentTable) {
  const std::vector<TablePhase> table = independentTable();
  ASSERT_GT(table.size(), 9900u);
  const QDate first(1900, 1, 2), last(2100, 12, 30);
  for (const char* id : {"UTC", "Europe/Warsaw", "America/Los_Angeles", "Asia/Kolkata"}) {
    SCOPED_TRACE(id);
    const QTimeZone zone(id);
    std::vector<TablePhase> expected;
    for (const TablePhase& p : table) {
      const QDate day = p.instant.toTimeZone(zone).date();
      if (day >= first && day <= last) expected.push_back(p);
    }
    const std::vector<MoonPhase> computed = moonPhasesBetween(first, last, zone);
    ASSERT_EQ(computed.size(), expected.size());
    qint64 worst = 0;
    for (size_t i = 0; i < computed.size(); ++i) {
      const TablePhase& want = expected[i];
      const QDateTime local = want.instant.toTimeZone(zone);
      const qint64 fromMidnight = QDateTime(local.date(), QTime(0, 0), zone).secsTo(local);
      const bool nearMidnight = fromMidnight < 600 || fromMidnight > 86400 - 600;
      ASSERT_EQ(computed[i].phase, want.phase) << want.instant.toString(Qt::ISODate).toStdString();
      if (!nearMidnight) EXPECT_EQ(computed[i].localDay, local.date()) << want.instant.toString(Qt::ISODate).toStdString();
      worst = std::max(worst, std::abs(computed[i].instant.secsTo(want.instant)));
    }
    EXPECT_LT(worst, 600);
  }
}

}  // namespace
}  // namespace orvella
