// The instants of the Moon's four principal phases, by the method of Jean Meeus, "Astronomical
// Algorithms" (2nd ed., chapter 49): mean phases corrected by the periodic terms of the Sun's and the
// Moon's anomalies and the planetary arguments, then carried from dynamical to universal time.
#pragma once

#include <QDateTime>
#include <QTimeZone>
#include <vector>

namespace orvella {

enum MoonPhaseKind { kNewMoon = 0, kFirstQuarter = 1, kFullMoon = 2, kLastQuarter = 3 };

struct MoonPhase {
  int phase;           // MoonPhaseKind
  QDateTime instant;   // UTC, to the second
  QDate localDay;      // the day it falls on in the time zone asked for
};

// The principal phases whose instants fall on the days first..last (inclusive) in zone, in order.
std::vector<MoonPhase> moonPhasesBetween(const QDate& first, const QDate& last, const QTimeZone& zone);

}  // namespace orvella
