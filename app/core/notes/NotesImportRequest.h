#pragma once
// What an import of notes is asked to do and what it answers: the command
// line fills the one and shows the other, the import module (app/importer)
// does the work between them.

#include <cstddef>
#include <functional>
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
    InputUnusable,    // an input is unusable, or the notes file holds no notes or is reached
                      // through another user's link: nothing written
    NotesNotWritten,  // the notes file cannot be read, used or written: it is as it was
    Withdrawn,        // the report could not be shown or the user interrupted: as it was
  };
  Status status = Status::Imported;
  std::vector<std::string> report;  // for standard output: the items, then the summary
  bool reportShown = false;         // the publisher has shown it
  std::vector<std::string> errors;  // for standard error, each "orvanta: ..."
};

// Inputs larger than this are refused: a phone's address book with photos
// stays far below it, and reading one takes a few times its size in memory.
inline constexpr std::size_t kMaxImportBytes = std::size_t{64} * 1024 * 1024;

// Shows the report while the notes file waits, complete, to take its new
// content: false (the report could not be shown, the user interrupted) leaves
// the file as it was. So a report that reached its reader and a file that
// holds the change go together.
using ReportPublisher = std::function<bool(const std::vector<std::string>& report)>;

}  // namespace orvanta
