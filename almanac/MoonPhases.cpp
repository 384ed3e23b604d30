#include "almanac/MoonPhases.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "almanac/Rounding.h"

namespace orvanta {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr double kTropicalYear = 365.242199;
constexpr int kYearLimit = 1000000;

// Days from the start of the year to the middle of each month; leap row for
// every year divisible by 4 (1900 included).
constexpr double kMidMonth[2][12] = {
    {15.5, 45, 74.5, 105, 135.5, 166, 196.5, 227.5, 258, 288.5, 319, 349.5},
    {15.5, 45.5, 75, 105.5, 136, 166.5, 197, 228, 258.5, 289, 319.5, 350}};

double YearFraction(int year, int month) {
  return kMidMonth[year % 4 == 0 ? 1 : 0][month - 1] / kTropicalYear;
}

// Angles above 360 degrees are brought into range; smaller ones stay as they are.
double ReduceAngle(double degrees) {
  if (degrees <= 360) return degrees;
  const double turns = degrees / 360;
  return (turns - std::trunc(turns)) * 360;
}

// Periodic terms for new and full moon.
double SyzygyCorrection(double t, double m, double mp, double f) {
  return (0.1734 - 0.000393 * t) * std::sin(m) + 0.0021 * std::sin(2 * m) - 0.4068 * std::sin(mp) +
         0.0161 * std::sin(2 * mp) - 0.0004 * std::sin(3 * mp) + 0.0104 * std::sin(2 * f) -
         0.0051 * std::sin(m + mp) - 0.0074 * std::sin(m - mp) + 0.0004 * std::sin(2 * f + m) -
         0.0004 * std::sin(2 * f - m) - 0.0006000001 * std::sin(2 * f + mp) +
         0.001 * std::sin(2 * f - mp) + 0.0005 * std::sin(m + 2 * mp);
}

// Periodic terms for the two quarters (before the W adjustment).
double QuarterCorrection(double t, double m, double mp, double f) {
  return (0.1721 - 0.0004 * t) * std::sin(m) + 0.0021 * std::sin(2 * m) - 0.628 * std::sin(mp) +
         0.0089 * std::sin(2 * mp) - 0.0004 * std::sin(3 * mp) + 0.0079 * std::sin(2 * f) -
         0.0119 * std::sin(m + mp) - 0.0047 * std::sin(m - mp) + 0.0003 * std::sin(2 * f + m) -
         0.0004 * std::sin(2 * f - m) - 0.0006000001 * std::sin(2 * f + mp) +
         0.0021 * std::sin(2 * f - mp) + 0.0003 * std::sin(m + 2 * mp) +
         0.0004 * std::sin(m - 2 * mp) - 0.0003 * std::sin(2 * m - mp);
}

// Julian day to calendar date (the date on which the instant falls).
PhaseEvent CalendarDateOf(double jde) {
  const double jd = jde + 0.5;
  const double z = std::floor(jd);
  const double fraction = jd - std::trunc(jd);
  double a = z;
  if (z >= 2299161) {
    const double alpha = std::floor((z - 1867216.25) / 36524.25);
    a = z + 1 + alpha - std::floor(alpha / 4);
  }
  const double b = a + 1524;
  const double c = std::floor((b - 122.1) / 365.25);
  const double d = std::floor(365.25 * c);
  const double e = std::floor((b - d) / 30.6001);
  const double day = b - d - std::floor(30.6001 * e) + fraction;
  const double month = e < 13.5 ? e - 1 : e - 13;
  const double year = month > 2.5 ? c - 4716 : c - 4715;
  return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(std::floor(day)), 0};
}

// Julian day at 0h universal time of a date, Gregorian from 15 October 1582
// and Julian before, as the calendar date conversion above reads it.
double JulianDayOf(int year, int month, int day) {
  double y = year;
  double m = month;
  if (m <= 2) {
    y -= 1;
    m += 12;
  }
  double b = 0;
  if (year > 1582 || (year == 1582 && (month > 10 || (month == 10 && day >= 15)))) {
    const double a = std::floor(y / 100);
    b = 2 - a + std::floor(a / 4);
  }
  return std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * (m + 1)) + day + b - 1524.5;
}

// 01:00 universal time on the last Sunday of `month` (a month of 31 days).
double ClockChangeOf(int year, int month) {
  const double last = JulianDayOf(year, month, 31);
  double weekday = std::fmod(std::floor(last + 1.5), 7.0);  // 0 = Sunday
  if (weekday < 0) weekday += 7;                            // before the Julian epoch
  return last - weekday + 1.0 / 24;
}

// The instant in Italian civil time: an hour ahead of universal time, two
// from the start of summer time to its end; the same rule for every year.
double ItalianCivilTime(double jde) {
  const int year = CalendarDateOf(jde).Year;
  const bool summer = jde >= ClockChangeOf(year, 3) && jde < ClockChangeOf(year, 10);
  return jde + (summer ? 2.0 : 1.0) / 24;
}

MoonPhaseCode CodeOf(double phase) {
  if (phase == 0.25) return kFirstQuarter;
  if (phase == 0.5) return kFullMoon;
  if (phase == 0.75) return kLastQuarter;
  return kNewMoon;
}

}  // namespace

std::vector<PhaseEvent> ComputeMoonPhases(int year, int month) {
  // Start one month earlier, from the new moon nearest the middle of it.
  // Far outside any calendar the dates would no longer fit an int.
  if (month < 1 || month > 12 || year < -kYearLimit || year > kYearLimit) return {};
  int y = year;
  int p = month - 1;
  if (p == 0) {
    p = 12;
    y = year - 1;
  }
  std::vector<PhaseEvent> events;
  events.reserve(12);

  const double k0 = RoundHalfEven((y + YearFraction(y, p) - 1900) * 12.3685);
  const double kEnd = k0 + 3;
  for (double k = k0; k < kEnd; k += 0.25) {
    const double t = k / 1236.85;
    const double t2 = t * t;
    const double t3 = t2 * t;
    double m = 359.2242 + 29.10535608 * k - 0.0000333 * t2 - 0.00000347 * t3;
    double mp = 306.0253 + 385.81691806 * k + 0.0107306 * t2 + 0.00001236 * t3;
    double f = 21.2964 + 390.67050646 * k - 0.0016528 * t2 - 0.00000239 * t3;
    m = ReduceAngle(m) * kRad;
    mp = ReduceAngle(mp) * kRad;
    f = ReduceAngle(f) * kRad;

    double jde = 2415020.75933 + 29.53058868 * k + 0.0001178 * t2 - 0.000000155 * t3 +
                 0.00033 * std::sin((166.56 + 132.87 * t - 0.009173 * t2) * kRad);
    const double phase = k - std::floor(k);
    if (phase == 0 || phase == 0.5) {
      jde += SyzygyCorrection(t, m, mp, f);
    } else {
      const double w = 0.0028 - 0.0004 * std::cos(m) + 0.0003 * std::cos(mp);
      jde += QuarterCorrection(t, m, mp, f) + (phase == 0.25 ? w : -w);
    }
    if (!std::isfinite(jde)) break;

    // The instant stays as computed; only the date it is shown on is Italian.
    PhaseEvent event = CalendarDateOf(ItalianCivilTime(jde));
    event.Code = CodeOf(phase);
    const bool known = std::any_of(events.begin(), events.end(), [&](const PhaseEvent& e) {
      return e.Year == event.Year && e.Month == event.Month && e.Day == event.Day;
    });
    if (!known) events.push_back(event);
  }
  return events;
}

MonthMoonPhases MoonPhasesForMonth(int month, int year) {
  MonthMoonPhases result;
  std::size_t used = 0;
  for (const PhaseEvent& event : ComputeMoonPhases(year, month)) {
    if (event.Month != month || event.Year != year) continue;
    if (used == result.MoonPhaseDays.size()) break;
    result.MoonPhaseDays[used] = static_cast<std::int16_t>(event.Day);
    result.MoonPhaseCodes[used] = event.Code;
    ++used;
  }
  return result;
}

}  // namespace orvanta
