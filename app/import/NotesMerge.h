#pragma once
// Imported items meet the user's notes: one note per day, what the user has
// is never changed, several new items on one free day are joined with " / "
// while they fit one note, and every item that is skipped or changed on its
// way gets a line of the report saying why.

#include <string>
#include <vector>

#include "almanac/AlmanacYear.h"
#include "app/import/ImportedItems.h"

namespace orvanta {

// The items of one input file, and how the report names the file.
struct ImportSource {
  std::string name;  // UTF-8
  ImportedItems found;
};

struct NotesMerge {
  std::vector<NoteEntry> added;     // the new records, in the editor's year, by date
  std::vector<std::string> report;  // one line per item skipped or changed, then the summary
  int addedItems = 0;               // items that went into a new note
  int presentItems = 0;             // items whose text the day's note already holds
  int skippedItems = 0;             // everything else
};

// `existing` are the file's records as ReadNotesFile gives them.
NotesMerge MergeImportedNotes(const std::vector<NoteEntry>& existing,
                              const std::vector<ImportSource>& sources);

// `text` fit for one line of the report or a message: valid UTF-8, no blanks
// around it, and the characters that would steer the terminal (controls,
// bidirectional marks, line separators) written as "\x1B" or "\u202E".
std::string ReportText(std::string_view text);

}  // namespace orvanta
