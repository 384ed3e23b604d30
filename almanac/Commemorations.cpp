#include "almanac/Commemorations.h"

namespace orvanta {
namespace {

constexpr Commemoration kJanuary[] = {
    {7, 0, "festa del Tricolore (giornata Nazionale della Bandiera)"},
    {27, 0, "giorno della memoria vittime Nazismo e Olocausto"}};
constexpr Commemoration kFebruary[] = {{14, 0, "S. Valentino: festa degli innamorati"}};
constexpr Commemoration kMarch[] = {{8, 0, "festa delle donne"},
                                    {19, 0, "S. Giuseppe - festa del papà"},
                                    {21, 0, "inizio primavera"}};
constexpr Commemoration kMay[] = {{0, 2, "festa della mamma"},
                                  {9, 0, "giorno della memoria vittime del terrorismo"}};
constexpr Commemoration kJune[] = {{21, 0, "inizio estate"}};
constexpr Commemoration kSeptember[] = {{23, 0, "inizio autunno"}};
constexpr Commemoration kOctober[] = {{2, 0, "festa dei nonni"}, {31, 0, "notte di Halloween"}};
constexpr Commemoration kNovember[] = {{4, 0, "giornata delle forze armate"}};
constexpr Commemoration kDecember[] = {{21, 0, "inizio inverno"}};

constexpr const char* kOrdinals[] = {"Prima", "Seconda", "Terza", "Quarta"};

}  // namespace

std::span<const Commemoration> MonthCommemorationList(int month) {
  switch (month) {
    case 1:
      return kJanuary;
    case 2:
      return kFebruary;
    case 3:
      return kMarch;
    case 5:
      return kMay;
    case 6:
      return kJune;
    case 9:
      return kSeptember;
    case 10:
      return kOctober;
    case 11:
      return kNovember;
    case 12:
      return kDecember;
    default:  // April, July, August and anything outside 1..12
      return {};
  }
}

std::optional<DayNumber> CommemorationDay(int year, int month, const Commemoration& c) {
  if (c.dayOfMonth > 0) return MakeDayNumber(year, month, c.dayOfMonth);
  const std::optional<DayNumber> first = MakeDayNumber(year, month, 1);
  if (!first || c.sunday < 1) return std::nullopt;
  const int toSunday = (kSunday - WeekdayOf(*first) + 7) % 7;
  const DayNumber day = *first + toSunday + 7 * (c.sunday - 1);
  if (MonthOf(day) != month) return std::nullopt;
  return day;
}

std::string CommemorationText(const Commemoration& c) {
  std::string when;
  if (c.dayOfMonth > 0) {
    when = {static_cast<char>('0' + c.dayOfMonth / 10), static_cast<char>('0' + c.dayOfMonth % 10)};
  } else if (c.sunday >= 1 && c.sunday <= 4) {
    when = std::string(kOrdinals[c.sunday - 1]) + " domenica";
  }
  return when + ": " + c.event;
}

std::array<std::string, 4> MonthCommemorations(int month) {
  std::array<std::string, 4> texts;
  const std::span<const Commemoration> list = MonthCommemorationList(month);
  for (std::size_t i = 0; i < list.size() && i < texts.size(); ++i)
    texts[i] = CommemorationText(list[i]);
  return texts;
}

}  // namespace orvanta
