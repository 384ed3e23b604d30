#pragma once
// What an address book or calendar file offers for the notes: one item per
// birthday, anniversary or yearly event, dated by day and month (the year
// plays no part in a note), and a count of what is no note at all.

#include <string>
#include <vector>

namespace orvanta {

struct ImportedItem {
  int month = 0;  // 1 to 12; 0 when the item has no usable date
  int day = 0;
  std::string text;  // UTF-8, before the editor's rules
  // Why the item cannot become a note, for the report; empty when it can.
  std::string refusal;
};

struct ImportedItems {
  std::vector<ImportedItem> items;
  // What is skipped without a line of its own: contacts without a date,
  // events that do not repeat every year on their day.
  int ignored = 0;
  // What they are, for the report: "contatto senza data", "contatti senza data".
  std::string ignoredOne;
  std::string ignoredMany;
};

}  // namespace orvanta
