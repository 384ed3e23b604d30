#pragma once
// Importing birthdays, anniversaries and yearly events from address book and
// calendar files into the personal notes file.

#include <string>
#include <vector>

namespace orvanta {

struct NotesImportRequest {
  std::vector<std::string> inputFiles;  // vCard or iCalendar, told apart by their content
  std::string notesFile;                // created when missing
  bool dryRun = false;                  // report only, write nothing
};

struct NotesImportOutcome {
  enum class Status {
    Imported,         // every input was read (items may have been skipped)
    InputUnusable,    // an input is no vCard or iCalendar, or cannot be read: nothing written
    NotesNotWritten,  // the notes file cannot be read or written: it is as it was
  };
  Status status = Status::Imported;
  std::vector<std::string> report;  // for standard output: the items, then the summary
  std::vector<std::string> errors;  // for standard error, each "orvanta: ..."
};

// Inputs larger than this are refused: a phone's address book with photos
// stays far below it, and reading one takes a few times its size in memory.
inline constexpr std::size_t kMaxImportBytes = std::size_t{64} * 1024 * 1024;

[[nodiscard]] NotesImportOutcome ImportNotes(const NotesImportRequest& request);

}  // namespace orvanta
