#pragma once
// Principal moon phases by the mean-phase method with periodic corrections
// (epoch 1900), each dated by Italian civil time: an hour ahead of the
// computed instant, two in summer time (from 01:00 universal time on the last
// Sunday of March to 01:00 on the last Sunday of October, every year alike).

#include <array>
#include <cstdint>
#include <vector>

namespace orvanta {

// Glyph codes of the four phases.
using MoonPhaseCode = std::int16_t;
inline constexpr MoonPhaseCode kNewMoon = 39;
inline constexpr MoonPhaseCode kFirstQuarter = 41;
inline constexpr MoonPhaseCode kFullMoon = 35;
inline constexpr MoonPhaseCode kLastQuarter = 37;

struct PhaseEvent {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  MoonPhaseCode Code = 0;
};

// Up to five phases of one month, in date order; unused slots are 0 in both.
struct MonthMoonPhases {
  std::array<std::int16_t, 5> MoonPhaseDays{};
  std::array<MoonPhaseCode, 5> MoonPhaseCodes{};
};

// Twelve phases (three lunations) from the new moon nearest the middle of the
// month before `month`; one event per calendar date, in computed order.
std::vector<PhaseEvent> ComputeMoonPhases(int year, int month);

// The phases whose date lies in `month` of `year`.
MonthMoonPhases MoonPhasesForMonth(int month, int year);

}  // namespace orvanta
