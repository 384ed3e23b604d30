#include "app/import/NotesMerge.h"

#include <algorithm>
#include <map>

#include "almanac/DayNumber.h"
#include "app/core/notes/NotesEditing.h"
#include "app/core/notes/NotesFile.h"
#include "app/import/Composition.h"
#include "base/Text.h"

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

// Whether `note` holds `part` as one of its parts; a part that was cut to
// the note's length is held by a longer one it begins.
bool HasPart(std::string_view note, const CleanedNote& part) {
  while (true) {
    const std::size_t at = note.find(kJoiner);
    const std::string_view held = TrimWhitespace(note.substr(0, at));
    if (held == part.text || (part.shortened && held.starts_with(part.text))) return true;
    if (at == std::string_view::npos) return false;
    note.remove_prefix(at + kJoiner.size());
  }
}

// Whether a note text (UTF-8 of Windows-1252 characters) holds a letter or
// a digit, not only blanks, signs and the "?" of characters the code page
// lacks.
bool HasLetter(std::string_view text) {
  std::size_t at = 0;
  char32_t cp = 0;
  while (at < text.size()) {
    if (!DecodeUtf8(text, at, cp)) continue;
    if ((cp >= '0' && cp <= '9') || (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z'))
      return true;
    if ((cp >= 0xC0 && cp != 0xD7 && cp != 0xF7) || cp == 0xAA || cp == 0xB5 || cp == 0xBA)
      return true;
  }
  return false;
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
    // Composed first: the code page has "è", not "e" and a combining accent.
    const CleanedNote note = CleanNoteText(ComposeAccents(item.text));
    const std::string line = where + "\"" + note.text + "\": ";
    const DayNumber day = MakeDayNumber(kEditorYear, item.month, item.day).value_or(0);
    if (note.text.empty() || day == 0) return Skip(line + "testo vuoto");
    if (!HasLetter(
            std::string_view(note.text).substr(std::min(item.captionBytes, note.text.size()))))
      return Skip(where + "\"" + ReportText(item.text) +
                  "\": il nome non ha nessuna lettera che le note possano scrivere");
    if (const auto found = taken_.find(day); found != taken_.end()) {
      // The same text is there already; a different one is not added beside it.
      if (HasPart(found->second, note)) return void(++merge_.presentItems);
      return Skip(line + "giorno già occupato dalla nota \"" + ReportText(found->second) + "\"");
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
        Skip(note.source + ": " + TwoDigits(DayOfMonth(day)) + "/" + TwoDigits(MonthOf(day)) +
             " \"" + part + "\": il calendario stampa al massimo " + std::to_string(kMaxNotes) +
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
                 ReportText(note.lacking);
    }
    if (!changes.empty()) merge_.report.push_back(line + changes);
  }

  std::map<DayNumber, std::string> taken_;
  std::map<DayNumber, NewNote> added_;
  NotesMerge merge_;
};

// Characters that steer a terminal or the direction and breaking of lines:
// C0 and C1 controls, the bidirectional marks, embeddings, overrides and
// isolates, the line and paragraph separators.
bool IsSteering(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || cp == 0x61C || cp == 0x200E || cp == 0x200F ||
         (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069) || cp == 0x2028 ||
         cp == 0x2029;
}

// "\x1B" for a C0 control or DEL, "\u202E" for the others.
std::string Escaped(char32_t cp) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped = cp < 0x80 ? "\\x" : "\\u";
  for (int shift = cp < 0x80 ? 4 : 12; shift >= 0; shift -= 4) escaped += kHex[(cp >> shift) & 0xF];
  return escaped;
}

}  // namespace

std::string ReportText(std::string_view text) {
  const std::string valid = IsValidUtf8(text) ? std::string(text) : Windows1252ToUtf8(text);
  const std::string_view trimmed = TrimWhitespace(valid);
  std::string shown;
  shown.reserve(trimmed.size());
  std::size_t at = 0;
  char32_t cp = 0;
  while (at < trimmed.size()) {
    const std::size_t start = at;
    DecodeUtf8(trimmed, at, cp);
    if (IsSteering(cp)) {
      shown += Escaped(cp);
    } else {
      shown.append(trimmed.substr(start, at - start));
    }
  }
  return shown;
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
