#pragma once
// What an address book or calendar file offers for the notes: one item per
// birthday, anniversary or yearly event, dated by day and month (the year
// plays no part in a note), and a count of what is no note at all.

#include <cstddef>
#include <string>
#include <vector>

namespace orvanta {

struct ImportedItem {
  int month = 0;  // 1 to 12; 0 when the item has no usable date
  int day = 0;
  std::string text;  // UTF-8, before the editor's rules
  // The bytes of `text` that the reader put before the name it took from the
  // file ("Compleanno di "): a note must keep a letter of what follows.
  std::size_t captionBytes = 0;
  // Why the item cannot become a note, for the report; empty when it can.
  std::string refusal;
};

// More dated items than this in one file is no address book or calendar a
// person keeps (and would take more memory than an import may).
inline constexpr std::size_t kMaxImportedItems = 200000;

struct ImportedItems {
  std::vector<ImportedItem> items;
  bool tooMany = false;  // more than kMaxImportedItems were offered; the rest were dropped
  // What is skipped without a line of its own: contacts without a date,
  // events that do not repeat every year on their day.
  int ignored = 0;
  // What they are, for the report: "contatto senza data", "contatti senza data".
  std::string ignoredOne;
  std::string ignoredMany;

  void Add(ImportedItem item) {
    if (items.size() < kMaxImportedItems) {
      items.push_back(std::move(item));
    } else {
      tooMany = true;
    }
  }
};

}  // namespace orvanta
