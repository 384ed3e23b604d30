// The shift-file reader on arbitrary text, in both of its encodings, and the
// day-to-entry rule over a whole leap year.
#include <string_view>

#include "almanac/ShiftCycle.h"
#include "base/Text.h"
#include "tests/fuzz/FuzzTargets.h"

namespace orvanta::fuzz {
namespace {

void CheckCycle(const ShiftCycle& cycle) {
  if (!cycle.Usable()) {
    FUZZ_CHECK(cycle.ShiftStart == -1 && cycle.entries.empty());
    FUZZ_CHECK(ShiftForDay(cycle, 0).empty());
    return;
  }
  FUZZ_CHECK(cycle.ShiftCount >= 1);
  FUZZ_CHECK(cycle.ShiftStart >= 1 && cycle.ShiftStart <= cycle.ShiftCount);
  FUZZ_CHECK(cycle.entries.size() == static_cast<std::size_t>(cycle.ShiftCount) + 1);
  for (const std::string& entry : cycle.entries) {
    FUZZ_CHECK(TrimWhitespace(entry).size() == entry.size());
    FUZZ_CHECK(entry.find(';') == std::string::npos);
  }
  // The composer's running position: start on 1 January, wrap after the last.
  int position = cycle.ShiftStart;
  for (int day = 0; day < 366; ++day) {
    FUZZ_CHECK(&ShiftForDay(cycle, day) == &cycle.entries[static_cast<std::size_t>(position)]);
    if (++position > cycle.ShiftCount) position = 1;
  }
}

}  // namespace

int FuzzShiftFile(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // As the composer reads the file (the decoding included)...
  const ShiftCycle fromFile = LoadShiftCycle(MemoryFile(bytes));
  CheckCycle(fromFile);
  // ... which must be the same as parsing the decoded text.
  const ShiftCycle parsed = ParseShiftCycle(DecodeUserText(bytes));
  CheckCycle(parsed);
  FUZZ_CHECK(parsed.ShiftStart == fromFile.ShiftStart);
  FUZZ_CHECK(parsed.entries == fromFile.entries);
  // Raw bytes that are not UTF-8 must not upset the parser either.
  CheckCycle(ParseShiftCycle(bytes));
  return 0;
}

}  // namespace orvanta::fuzz
