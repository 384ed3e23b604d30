// Temporary bodies so the public headers build; replaced file by file.
#include "almanac/Almanac.h"

namespace orvanta {

DayNumber ComputeEaster(int) {
  return 0;
}
DayNumber FourthAdventSunday(int) {
  return 0;
}
ChurchFeastArray BuildChurchFeasts(int, DayNumber) {
  return {};
}
ChurchFeastArray BuildChurchFeasts(int) {
  return {};
}
AlmanacYear PrepareAlmanacYear(int, bool, bool) {
  return {};
}
DayLookup LookupDay(const AlmanacYear&, DayNumber) {
  return {};
}
bool IsSummerTimeStart(DayNumber) {
  return false;
}
bool IsSummerTimeEnd(DayNumber) {
  return false;
}
std::vector<PhaseEvent> ComputeMoonPhases(int, int) {
  return {};
}
MonthMoonPhases MoonPhasesForMonth(int, int) {
  return {};
}
std::array<std::string, 4> SunTimesForMonth(int) {
  return {};
}
std::array<std::string, 4> MonthCommemorations(int) {
  return {};
}
ShiftCycle LoadShiftCycle(const std::string&) {
  return {};
}
ShiftCycle ParseShiftCycle(std::string_view) {
  return {};
}
const std::string& ShiftForDay(const ShiftCycle&, int) {
  static const std::string kEmpty;
  return kEmpty;
}

}  // namespace orvanta
