#include "app/import/NotesMerge.h"

#include <map>

#include "almanac/DayNumber.h"
#include "almanac/Text.h"
#include "app/core/NotesEditing.h"
#include "app/core/NotesFile.h"

namespace orvanta {
namespace {

constexpr std::string_view kJoiner = " / ";

// A new note being put together from the items of its day.
struct NewNote {
  std::string source;  // the file of its first item
  std::string text;
  std::vector<std::string> parts;
};

std::size_t Characters(const std::string& utf8) {
  return Utf8ToWindows1252(utf8).size();  // every note text is Windows-1252
}

bool HasPart(std::string_view note, std::string_view part) {
  while (true) {
    const std::size_t at = note.find(kJoiner);
    if (TrimWhitespace(note.substr(0, at)) == part) return true;
    if (at == std::string_view::npos) return false;
    note.remove_prefix(at + kJoiner.size());
  }
}

std::string TwoDigits(int value) {
  return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

class Merger {
 public:
  explicit Merger(const std::vector<NoteEntry>& existing) {
    // The first record of a day is the one the calendar prints.
    for (const NoteEntry& record : existing)
      taken_.emplace(record.day, std::string(TrimWhitespace(record.text)));
  }

  void Add(const std::string& source, const ImportedItem& item) {
    const std::string where =
        source + ": " +
        (item.month > 0 ? TwoDigits(item.day) + "/" + TwoDigits(item.month) + " " : "");
    if (!item.refusal.empty() || (item.month == 2 && item.day == 29)) {
      const std::string why = item.refusal.empty() ? "il 29 febbraio non può essere una nota"
                                                   : ReportText(item.refusal);
      return Skip(where + "\"" + ReportText(item.text) + "\": " + why);
    }
    const CleanedNote note = CleanNoteText(item.text);
    const std::string line = where + "\"" + note.text + "\": ";
    const DayNumber day = MakeDayNumber(kEditorYear, item.month, item.day).value_or(0);
    if (note.text.empty() || day == 0) return Skip(line + "testo vuoto");
    if (const auto found = taken_.find(day); found != taken_.end()) {
      ++merge_.presentItems;
      if (!HasPart(found->second, note.text))
        merge_.report.push_back(line + "già presente \"" + ReportText(found->second) + "\"");
      return;
    }
    NewNote& added = added_[day];
    if (added.source.empty()) added.source = source;
    for (const std::string& part : added.parts) {
      if (part == note.text) return void(++merge_.presentItems);  // the same item twice
    }
    std::string joined =
        added.text.empty() ? note.text : added.text + std::string(kJoiner) + note.text;
    if (Characters(joined) > kMaxNoteCharacters && !added.text.empty())
      return Skip(line + "non entra nei " + std::to_string(kMaxNoteCharacters) +
                  " caratteri della nota del giorno \"" + added.text + "\"");
    added.text = std::move(joined);
    added.parts.push_back(note.text);
    ++merge_.addedItems;
    Changes(line, note);
  }

  void Ignored(const std::string& source, const ImportedItems& found) {
    if (found.ignored == 0) return;
    merge_.skippedItems += found.ignored;
    merge_.report.push_back(source + ": " + std::to_string(found.ignored) + " " +
                            (found.ignored == 1 ? found.ignoredOne : found.ignoredMany));
  }

  NotesMerge Finish(std::size_t room) {
    for (const auto& [day, note] : added_) {
      if (merge_.added.size() < room) {
        merge_.added.push_back({day, note.text});
        continue;
      }
      // The calendar stops reading after its 365th note.
      for (const std::string& part : note.parts) {
        --merge_.addedItems;
        Skip(note.source + ": " + TwoDigits(DayOfMonth(day)) + "/" + TwoDigits(MonthOf(day)) + " \"" +
             part + "\": il calendario stampa al massimo " + std::to_string(kMaxNotes) +
             " note e questa non si vedrebbe");
      }
    }
    merge_.report.push_back("Note aggiunte: " + std::to_string(merge_.addedItems) +
                            ", già presenti: " + std::to_string(merge_.presentItems) +
                            ", scartate: " + std::to_string(merge_.skippedItems));
    return std::move(merge_);
  }

 private:
  void Skip(std::string line) {
    ++merge_.skippedItems;
    merge_.report.push_back(std::move(line));
  }

  // What the editor's rules changed in an item that became a note.
  void Changes(const std::string& line, const CleanedNote& note) {
    std::string changes;
    if (note.shortened)
      changes = "accorciata a " + std::to_string(kMaxNoteCharacters) + " caratteri";
    if (!note.lacking.empty()) {
      changes += (changes.empty() ? "" : "; ") +
                 std::string("scritti come '?' i caratteri che mancano in Windows-1252: ") +
                 note.lacking;
    }
    if (!changes.empty()) merge_.report.push_back(line + changes);
  }

  std::map<DayNumber, std::string> taken_;
  std::map<DayNumber, NewNote> added_;
  NotesMerge merge_;
};

}  // namespace

std::string ReportText(std::string_view text) {
  std::string shown = IsValidUtf8(text) ? std::string(text) : Windows1252ToUtf8(text);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const auto byte = static_cast<unsigned char>(shown[i]);
    if (byte < 0x20 || byte == 0x7F) shown[i] = ' ';
    // C1 controls (U+0080 to U+009F) would steer a terminal too.
    if (byte == 0xC2 && i + 1 < shown.size() && static_cast<unsigned char>(shown[i + 1]) < 0xA0)
      shown.replace(i, 2, " ");
  }
  return std::string(TrimWhitespace(shown));
}

NotesMerge MergeImportedNotes(const std::vector<NoteEntry>& existing,
                              const std::vector<ImportSource>& sources, std::size_t room) {
  Merger merger(existing);
  for (const ImportSource& source : sources) {
    for (const ImportedItem& item : source.found.items) merger.Add(source.name, item);
    merger.Ignored(source.name, source.found);
  }
  return merger.Finish(room);
}

}  // namespace orvanta
