#include "app/import/NotesImport.h"

#include <optional>

#include "app/core/notes/NotesFile.h"
#include "app/core/notes/NotesKeeper.h"
#include "app/import/ICalendarReader.h"
#include "app/import/InputKind.h"
#include "app/import/NotesMerge.h"
#include "app/import/VCardReader.h"
#include "base/FileReading.h"

namespace orvanta {
namespace {

using Status = NotesImportOutcome::Status;

// The items of a text of one of the two kinds, or why not.
std::optional<ImportedItems> ReadEitherKind(std::string_view text, const std::string& prefix,
                                            std::string& error) {
  if (LooksLikeVCard(text)) return ReadVCards(text);
  if (LooksLikeICalendar(text)) {
    std::string unreadable;
    std::optional<ImportedItems> events = ReadICalendarEvents(text, CurrentYear(), unreadable);
    if (!events) error = prefix + "non è un iCalendar leggibile: " + unreadable;
    return events;
  }
  error = prefix + "non è né un iCalendar (BEGIN:VCALENDAR) né una rubrica vCard (BEGIN:VCARD)";
  return std::nullopt;
}

// The items of one input file, or the reason it cannot be used.
std::optional<ImportedItems> ReadInput(const std::string& path, const std::string& shown,
                                       std::string& error) {
  const std::string prefix = "orvanta: --import-notes: il file '" + shown + "' ";
  std::string bytes;
  if (const FileResult read = ReadBounded(path, kMaxImportBytes, bytes); !read) {
    if (read.status == FileStatus::TooLarge) {
      error = prefix + "è troppo grande per un'importazione (più di " +
              std::to_string(kMaxImportBytes / (1024 * 1024)) + " MB)";
    } else {
      error = "orvanta: --import-notes: " + ReportText(read.Describe());
    }
    return std::nullopt;
  }
  // A byte order mark and UTF-16 are dealt with once, here, for both readers.
  const InputText text(bytes);
  std::optional<ImportedItems> found = ReadEitherKind(text.View(), prefix, error);
  if (found && found->tooMany) {
    error = prefix + "offre più di " + std::to_string(kMaxImportedItems) +
            " date, troppe per le note di un calendario";
    return std::nullopt;
  }
  return found;
}

NotesImportOutcome Failure(Status status, std::string error) {
  NotesImportOutcome outcome;
  outcome.status = status;
  outcome.errors.push_back(std::move(error));
  return outcome;
}

// The notes file cannot be used; nothing was written.
NotesImportOutcome NotWritten(const FileResult& why) {
  const std::string reason = why.status == FileStatus::UnexpectedContent
                                 ? "\"" + why.path + "\" non è un file delle note"
                                 : why.Describe();
  // A target that is not ours to change is refused like a bad input.
  const bool refused =
      why.status == FileStatus::UnexpectedContent || why.status == FileStatus::ForeignLink;
  return Failure(refused ? Status::InputUnusable : Status::NotesNotWritten,
                 "orvanta: le note non sono state aggiunte: " + reason);
}

}  // namespace

NotesImportOutcome ImportNotes(const NotesImportRequest& request, const ReportPublisher& publish) {
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
  const NotesKeeper keeper(request.notesFile);
  const auto show = [&](std::vector<std::string> report) {
    outcome.report = std::move(report);
    outcome.reportShown = publish != nullptr;
    return !publish || publish(outcome.report);
  };
  if (request.dryRun) {
    // What a real import would check, without taking a lock or writing.
    NotesFileContents now;
    std::size_t room = 0;
    if (const FileResult usable = keeper.Inspect(now, room); !usable) return NotWritten(usable);
    NotesMerge merge = MergeImportedNotes(now.records, sources, room);
    merge.report.push_back("Prova (--dry-run): il file delle note '" + shownNotes +
                           "' non è stato modificato");
    if (!show(std::move(merge.report))) outcome.status = Status::Withdrawn;
    return outcome;
  }
  NotesMerge merge;
  const NotesChangeResult written = keeper.Insert(
      [&](const NotesFileContents& now, std::size_t room) {
        merge = MergeImportedNotes(now.records, sources, room);
        return merge.added;
      },
      [&] { return show(merge.report); });
  switch (written.change) {
    case NotesChange::Written:
    case NotesChange::Unchanged:
      if (!outcome.reportShown && !show(std::move(merge.report)))
        outcome.status = Status::Withdrawn;
      break;
    case NotesChange::Cancelled:
      outcome.status = Status::Withdrawn;
      break;
    default:
      return NotWritten(written.file);
  }
  return outcome;
}

}  // namespace orvanta
