#include "app/import/NotesImport.h"

#include <optional>

#include "app/core/NotesFile.h"
#include "app/import/ICalendarReader.h"
#include "app/import/NotesMerge.h"
#include "app/import/VCardReader.h"
#include "base/FileReading.h"

namespace orvanta {
namespace {

using Status = NotesImportOutcome::Status;

// The items of one input file, or the reason it cannot be used.
std::optional<ImportedItems> ReadInput(const std::string& path, const std::string& shown,
                                       std::string& error) {
  std::string bytes;
  if (const FileResult read = ReadBounded(path, kMaxImportBytes, bytes); !read) {
    error = "orvanta: --import-notes: " + read.Describe();
    return std::nullopt;
  }
  if (LooksLikeVCard(bytes)) return ReadVCards(bytes);
  if (LooksLikeICalendar(bytes)) {
    std::optional<ImportedItems> events = ReadICalendarEvents(bytes);
    if (!events)
      error = "orvanta: --import-notes: il file '" + shown + "' non è un iCalendar leggibile";
    return events;
  }
  error = "orvanta: --import-notes: il file '" + shown +
          "' non è né un iCalendar (BEGIN:VCALENDAR) né una rubrica vCard (BEGIN:VCARD)";
  return std::nullopt;
}

NotesImportOutcome Failure(Status status, std::string error) {
  NotesImportOutcome outcome;
  outcome.status = status;
  outcome.errors.push_back(std::move(error));
  return outcome;
}

}  // namespace

NotesImportOutcome ImportNotes(const NotesImportRequest& request) {
  NotesImportOutcome outcome;
  // Every input is read before anything is decided: one that fails changes nothing.
  std::vector<ImportSource> sources;
  for (const std::string& path : request.inputFiles) {
    ImportSource source{ReportText(path), {}};
    std::string error;
    if (std::optional<ImportedItems> found = ReadInput(path, source.name, error)) {
      source.found = std::move(*found);
      sources.push_back(std::move(source));
    } else {
      outcome.status = Status::InputUnusable;
      outcome.errors.push_back(std::move(error));
    }
  }
  if (outcome.status != Status::Imported) return outcome;

  const std::string shownNotes = ReportText(request.notesFile);
  if (request.notesFile.empty()) {
    return Failure(
        Status::NotesNotWritten,
        "orvanta: nessuna cartella per il file delle note; valori ammessi: --notes FILE");
  }
  const NotesFileContents contents = ReadNotesFile(request.notesFile);
  if (!contents.status) {
    return Failure(Status::NotesNotWritten,
                   "orvanta: il file delle note non si può leggere, "
                   "quindi nemmeno aggiornare: " +
                       contents.status.Describe());
  }
  NotesMerge merge = MergeImportedNotes(contents.records, sources);
  outcome.report = std::move(merge.report);
  if (request.dryRun) {
    outcome.report.push_back("Prova (--dry-run): il file delle note '" + shownNotes +
                             "' non è stato modificato");
  } else if (!merge.added.empty()) {
    if (const FileResult written = InsertNoteRecords(request.notesFile, merge.added); !written) {
      return Failure(Status::NotesNotWritten,
                     "orvanta: le note non sono state aggiunte: " + written.Describe());
    }
  }
  return outcome;
}

}  // namespace orvanta
