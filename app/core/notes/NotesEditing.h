#pragma once
// The notes editor's rules, without the window: the list of notes it shows,
// what a typed note must be, and how a save or a deletion reaches the file.
// The window only shows the list and forwards what the user does.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "almanac/DayNumber.h"
#include "app/core/notes/NotesFile.h"
#include "app/core/notes/NotesKeeper.h"

namespace orvanta {

// One note of the list, in the editor's year.
struct ListedNote {
  DayNumber day = 0;
  std::string text;  // UTF-8, as read
  std::string line;  // the record's line as read (Windows-1252 bytes)
};

// Why a typed note cannot be saved.
enum class NoteRefusal { None, InvalidDate, DateTaken, Incomplete };

enum class DateField { Day, Month };

// Whether a date field's text must be emptied with a beep: an empty or
// non-numeric text, a day above 31, a month above 12, or "00".
bool DateFieldRejects(std::string_view text, DateField field);

// A typed note made safe for the notes file, as the user types: a double
// quote becomes an apostrophe, a comma the cedilla "¸".
std::string CleanTypedNote(std::string_view text);

// The longest note the editor takes, in characters.
inline constexpr std::size_t kMaxNoteCharacters = 50;

// A text from elsewhere (an imported file) made a note as the editor keeps
// one: CleanTypedNote, line breaks and other control characters as blanks,
// no blanks around it, every character Windows-1252 lacks as "?" (as the
// file stores it) and at most kMaxNoteCharacters characters.
struct CleanedNote {
  std::string text;  // UTF-8
  bool shortened = false;
  std::string lacking;  // the characters replaced by "?", in quotes, once each: "'ł' 'ő'"
};
CleanedNote CleanNoteText(std::string_view text);

class NotesEditing {
 public:
  explicit NotesEditing(std::string path) : path_(path), keeper_(std::move(path)) {}

  // Reads the file; the notes sorted by date.
  void Load();
  [[nodiscard]] const std::vector<ListedNote>& Notes() const { return notes_; }
  [[nodiscard]] const NotesFileContents& AsRead() const { return asRead_; }

  // What keeps a note from being saved. `editing` is the index of the note
  // under change, -1 for a new one (it may keep its own date).
  [[nodiscard]] NoteRefusal Check(std::optional<DayNumber> day, std::string_view text,
                                  int editing) const;
  // Saves a checked note (new, or in place of `editing`) in the file as it
  // is now, and reads the file again. What others changed meanwhile stays:
  // a note on the same day written meanwhile answers DateTaken, a note under
  // change that is gone answers NoteGone.
  [[nodiscard]] NotesChangeResult Save(DayNumber day, std::string_view text, int editing);
  // Deletes the note at `index` the same way.
  [[nodiscard]] NotesChangeResult Remove(int index);

 private:
  std::string path_;
  NotesKeeper keeper_;
  NotesFileContents asRead_;
  std::vector<ListedNote> notes_;
};

}  // namespace orvanta
