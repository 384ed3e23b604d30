#pragma once
// Moveable church feasts of a year: Lent, Palm Sunday, Ascension, Pentecost,
// Trinity, Corpus Domini and the four Sundays of Advent.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "almanac/DayNumber.h"

namespace orvanta {

struct ChurchFeast {
  DayNumber Day = 0;
  std::string Name;
};

inline constexpr std::size_t kChurchFeastSlots = 16;

// 16 slots, each empty or one feast; slots 0..14 are filled, 15 stays empty.
using ChurchFeastArray = std::array<std::optional<ChurchFeast>, kChurchFeastSlots>;

// Last Sunday strictly before Christmas (18..24 December of `year`).
DayNumber FourthAdventSunday(int year);

// The feasts of `year` around the given Easter Sunday.
ChurchFeastArray BuildChurchFeasts(int year, DayNumber easterDay);

// Same, computing Easter itself.
ChurchFeastArray BuildChurchFeasts(int year);

}  // namespace orvanta
