// The Moon's principal phases after Meeus, chapter 49.
#include "dates/moon_phases.h"

#include <cmath>
#include <numbers>

namespace orvella {

namespace {

constexpr double kUnixEpochJd = 2440587.5;

double sinDeg(double degrees) { return std::sin(degrees * std::numbers::pi / 180.0); }
double cosDeg(double degrees) { return std::cos(degrees * std::numbers::pi / 180.0); }

// Dynamical time minus universal time in seconds, by the polynomials of Espenak and Meeus (Five
// Millennium Canon of Solar Eclipses) from 1900 to 2150 and their long-term parabola outside.
double deltaTSeconds(double year) {
  if (year >= 1900 && year < 1920) {
    const double t = year - 1900;
    return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000197 * t * t * t * t;
  }
  if (year >= 1920 && year < 1941) {
    const double t = year - 1920;
    return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
  }
  if (year >= 1941 && year < 1961) {
    const double t = year - 1950;
    return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
  }
  if (year >= 1961 && year < 1986) {
    const double t = year - 1975;
    return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
  }
  if (year >= 1986 && year < 2005) {
    const double t = year - 2000;
    return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * std::pow(t, 3) + 0.000651814 * std::pow(t, 4) +
           0.00002373599 * std::pow(t, 5);
  }
  if (year >= 2005 && year < 2050) {
    const double t = year - 2000;
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
  }
  const double u = (year - 1820) / 100;
  if (year >= 2050 && year < 2150) return -20 + 32 * u * u - 0.5628 * (2150 - year);
  return -20 + 32 * u * u;
}

// A periodic term: its coefficient, the power of E it carries, and the multiples of M, M', F and Ω in
// its argument.
struct Term {
  double coefficient;
  int powerOfE;
  int m, mPrime, f, omega;
};

// New and full moons share their smaller terms; the quarters have their own.
constexpr Term kNewMoonTerms[] = {
    {-0.40720, 0, 0, 1, 0, 0}, {0.17241, 1, 1, 0, 0, 0},  {0.01608, 0, 0, 2, 0, 0},  {0.01039, 0, 0, 0, 2, 0},
    {0.00739, 1, -1, 1, 0, 0}, {-0.00514, 1, 1, 1, 0, 0}, {0.00208, 2, 2, 0, 0, 0},  {-0.00111, 0, 0, 1, -2, 0},
    {-0.00057, 0, 0, 1, 2, 0}, {0.00056, 1, 1, 2, 0, 0},  {-0.00042, 0, 0, 3, 0, 0}, {0.00042, 1, 1, 0, 2, 0},
    {0.00038, 1, 1, 0, -2, 0}, {-0.00024, 1, -1, 2, 0, 0}, {-0.00017, 0, 0, 0, 0, 1}, {-0.00007, 0, 2, 1, 0, 0},
    {0.00004, 0, 0, 2, -2, 0}, {0.00004, 0, 3, 0, 0, 0},  {0.00003, 0, 1, 1, -2, 0}, {0.00003, 0, 0, 2, 2, 0},
    {-0.00003, 0, 1, 1, 2, 0}, {0.00003, 0, -1, 1, 2, 0}, {-0.00002, 0, -1, 1, -2, 0}, {-0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0, 0, 4, 0, 0},
};
constexpr Term kFullMoonTerms[] = {
    {-0.40614, 0, 0, 1, 0, 0}, {0.17302, 1, 1, 0, 0, 0},  {0.01614, 0, 0, 2, 0, 0},  {0.01043, 0, 0, 0, 2, 0},
    {0.00734, 1, -1, 1, 0, 0}, {-0.00515, 1, 1, 1, 0, 0}, {0.00209, 2, 2, 0, 0, 0},  {-0.00111, 0, 0, 1, -2, 0},
    {-0.00057, 0, 0, 1, 2, 0}, {0.00056, 1, 1, 2, 0, 0},  {-0.00042, 0, 0, 3, 0, 0}, {0.00042, 1, 1, 0, 2, 0},
    {0.00038, 1, 1, 0, -2, 0}, {-0.00024, 1, -1, 2, 0, 0}, {-0.00017, 0, 0, 0, 0, 1}, {-0.00007, 0, 2, 1, 0, 0},
    {0.00004, 0, 0, 2, -2, 0}, {0.00004, 0, 3, 0, 0, 0},  {0.00003, 0, 1, 1, -2, 0}, {0.00003, 0, 0, 2, 2, 0},
    {-0.00003, 0, 1, 1, 2, 0}, {0.00003, 0, -1, 1, 2, 0}, {-0.00002, 0, -1, 1, -2, 0}, {-0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0, 0, 4, 0, 0},
};
constexpr Term kQuarterTerms[] = {
    {-0.62801, 0, 0, 1, 0, 0}, {0.17172, 1, 1, 0, 0, 0},  {-0.01183, 1, 1, 1, 0, 0}, {0.00862, 0, 0, 2, 0, 0},
    {0.00804, 0, 0, 0, 2, 0},  {0.00454, 1, -1, 1, 0, 0}, {0.00204, 2, 2, 0, 0, 0},  {-0.00180, 0, 0, 1, -2, 0},
    {-0.00070, 0, 0, 1, 2, 0}, {-0.00040, 0, 0, 3, 0, 0}, {-0.00034, 1, -1, 2, 0, 0}, {0.00032, 1, 1, 0, 2, 0},
    {0.00032, 1, 1, 0, -2, 0}, {-0.00028, 2, 2, 1, 0, 0}, {0.00027, 1, 1, 2, 0, 0},  {-0.00017, 0, 0, 0, 0, 1},
    {-0.00005, 0, -1, 1, -2, 0}, {0.00004, 0, 0, 2, 2, 0}, {-0.00004, 0, 1, 1, 2, 0}, {0.00004, 0, -2, 1, 0, 0},
    {0.00003, 0, 1, 1, -2, 0}, {0.00003, 0, 3, 0, 0, 0},  {0.00002, 0, 0, 2, -2, 0}, {0.00002, 0, -1, 1, 2, 0},
    {-0.00002, 0, 1, 3, 0, 0},
};

// The planetary arguments' terms, the same for every phase: the coefficient, then A = base + rate k.
constexpr double kPlanetary[][3] = {
    {0.000325, 299.77, 0.107408}, {0.000165, 251.88, 0.016321}, {0.000164, 251.83, 26.651886},
    {0.000126, 349.42, 36.412478}, {0.000110, 84.66, 18.206239},  {0.000062, 141.74, 53.303771},
    {0.000060, 207.14, 2.453732},  {0.000056, 154.84, 7.306860},  {0.000047, 34.52, 27.261239},
    {0.000042, 207.19, 0.121824},  {0.000040, 291.34, 1.844379},  {0.000037, 161.72, 24.198154},
    {0.000035, 239.56, 25.513099}, {0.000023, 331.55, 3.592518},
};

// The Julian ephemeris day of the phase of lunation k (k whole for new moons, + 0.25 for a first
// quarter, + 0.5 for a full moon, + 0.75 for a last quarter).
double phaseJde(double k, int phase) {
  const double t = k / 1236.85, t2 = t * t, t3 = t2 * t, t4 = t3 * t;
  double jde = 2451550.09766 + 29.530588861 * k + 0.00015437 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;
  const double e = 1 - 0.002516 * t - 0.0000074 * t2;
  const double m = 2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t3;
  const double mPrime = 201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4;
  const double f = 160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4;
  const double omega = 124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t3;
  auto sumOf = [&](const auto& terms) {
    double sum = 0;
    for (const Term& term : terms)
      sum += term.coefficient * std::pow(e, term.powerOfE) *
             sinDeg(term.m * m + term.mPrime * mPrime + term.f * f + term.omega * omega);
    return sum;
  };
  if (phase == kNewMoon) jde += sumOf(kNewMoonTerms);
  if (phase == kFullMoon) jde += sumOf(kFullMoonTerms);
  if (phase == kFirstQuarter || phase == kLastQuarter) {
    const double w = 0.00306 - 0.00038 * e * cosDeg(m) + 0.00026 * cosDeg(mPrime) - 0.00002 * cosDeg(mPrime - m) +
                     0.00002 * cosDeg(mPrime + m) + 0.00002 * cosDeg(2 * f);
    jde += sumOf(kQuarterTerms) + (phase == kFirstQuarter ? w : -w);
  }
  for (const auto& [coefficient, base, rate] : kPlanetary) jde += coefficient * sinDeg(base + rate * k);
  // The first argument has a term in T² of its own.
  jde += kPlanetary[0][0] * (sinDeg(kPlanetary[0][1] + kPlanetary[0][2] * k - 0.009173 * t2) -
                             sinDeg(kPlanetary[0][1] + kPlanetary[0][2] * k));
  return jde;
}

}  // namespace

std::vector<MoonPhase> moonPhasesBetween(const QDate& first, const QDate& last, const QTimeZone& zone) {
  std::vector<MoonPhase> phases;
  const QDateTime from = QDateTime(first, QTime(0, 0), zone).toUTC();
  const QDateTime to = QDateTime(last.addDays(1), QTime(0, 0), zone).toUTC();
  if (!from.isValid() || !to.isValid()) return phases;
  // Lunations from one before the first day to one after the last.
  const double fromYear = first.year() + (first.dayOfYear() - 1) / 365.25;
  const double lastK = std::floor((last.year() + last.dayOfYear() / 365.25 - 2000) * 12.3685) + 1;
  for (double k = std::floor((fromYear - 2000) * 12.3685) - 1; k <= lastK; ++k) {
    for (int phase = kNewMoon; phase <= kLastQuarter; ++phase) {
      const double jde = phaseJde(k + phase * 0.25, phase);
      const double year = 2000 + (jde - 2451545.0) / 365.25;
      const double jd = jde - deltaTSeconds(year) / 86400.0;
      const qint64 seconds = std::llround((jd - kUnixEpochJd) * 86400.0);
      const QDateTime instant = QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
      if (instant < from || instant >= to) continue;
      phases.push_back(MoonPhase{phase, instant, instant.toTimeZone(zone).date()});
    }
  }
  return phases;
}

}  // namespace orvella
