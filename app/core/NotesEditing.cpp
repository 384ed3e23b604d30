#include "app/core/NotesEditing.h"

#include <algorithm>
#include <map>
#include <utility>

#include "almanac/Text.h"

namespace orvanta {
namespace {

// How often each line of `contents` occurs (records and unreadable lines).
std::map<std::string, int> LineCounts(const NotesFileContents& contents) {
  std::map<std::string, int> counts;
  for (const std::string& line : contents.recordLines) ++counts[line];
  for (const std::string& line : contents.unreadableLines) ++counts[line];
  return counts;
}

bool Takes(std::map<std::string, int>& counts, const std::string& line) {
  const auto found = counts.find(line);
  if (found == counts.end() || found->second == 0) return false;
  --found->second;
  return true;
}

// A note as it goes back to the file: its own line when the composer's
// strict reader reads it, else the record written anew in the exact format.
NoteToWrite ToWrite(const ListedNote& note) {
  return {note.day, note.text, IsExactNoteRecord(note.line) ? note.line : std::string()};
}

}  // namespace

bool DateFieldRejects(std::string_view text, DateField field) {
  if (text.empty() || text.size() > 2) return true;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return true;
    value = value * 10 + (c - '0');
  }
  if (text == "00") return true;
  return field == DateField::Day ? value > 31 : value > 12;
}

std::string CleanTypedNote(std::string_view text) {
  std::string clean;
  clean.reserve(text.size() + 4);
  for (const char c : text) {
    if (c == '"') {
      clean += '\'';
    } else if (c == ',') {
      clean += "\xC2\xB8";  // "¸"
    } else {
      clean += c;
    }
  }
  return clean;
}

namespace {

// The Windows-1252 byte a note keeps for one UTF-8 character: a blank for a
// control character (C0, DEL, C1), "?" for one the code page lacks (noted in
// `lacking`).
char NoteByte(std::string_view character, std::string& lacking) {
  const auto lead = static_cast<unsigned char>(character[0]);
  const bool c1 =
      lead == 0xC2 && character.size() == 2 && static_cast<unsigned char>(character[1]) < 0xA0;
  if (lead < 0x20 || lead == 0x7F || c1) return ' ';
  const std::string byte = Utf8ToWindows1252(character);
  if (byte.size() == 1 && (byte != "?" || character == "?")) return byte[0];
  const std::string quoted =
      "'" + std::string(IsValidUtf8(character) ? character : "\xEF\xBF\xBD") + "'";
  if (lacking.find(quoted) == std::string::npos) lacking += (lacking.empty() ? "" : " ") + quoted;
  return '?';
}

}  // namespace

CleanedNote CleanNoteText(std::string_view text) {
  CleanedNote note;
  std::string bytes;  // Windows-1252, one byte a character
  const std::string typed = CleanTypedNote(text);
  for (std::size_t i = 0; i < typed.size();) {
    std::size_t length = 1;
    while (i + length < typed.size() && length < 4 &&
           (static_cast<unsigned char>(typed[i + length]) & 0xC0) == 0x80)
      ++length;
    bytes += NoteByte(std::string_view(typed).substr(i, length), note.lacking);
    i += length;
  }
  std::string_view kept = TrimWhitespace(bytes);
  note.shortened = kept.size() > kMaxNoteCharacters;
  if (note.shortened) kept = TrimWhitespace(kept.substr(0, kMaxNoteCharacters));
  note.text = Windows1252ToUtf8(kept);
  return note;
}

void NotesEditing::Load() {
  asRead_ = ReadNotesFile(path_);
  notes_.clear();
  for (std::size_t i = 0; i < asRead_.records.size(); ++i) {
    notes_.push_back({asRead_.records[i].day, asRead_.records[i].text, asRead_.recordLines[i]});
  }
  std::stable_sort(notes_.begin(), notes_.end(),
                   [](const ListedNote& a, const ListedNote& b) { return a.day < b.day; });
}

NoteRefusal NotesEditing::Check(std::optional<DayNumber> day, std::string_view text,
                                int editing) const {
  if (!day || YearOf(*day) != kEditorYear) return NoteRefusal::InvalidDate;
  for (std::size_t i = 0; i < notes_.size(); ++i) {
    if (notes_[i].day == *day && static_cast<int>(i) != editing) return NoteRefusal::DateTaken;
  }
  if (TrimWhitespace(text).empty()) return NoteRefusal::Incomplete;
  return NoteRefusal::None;
}

bool NotesEditing::Save(DayNumber day, std::string_view text, int editing) {
  const std::string trimmed(TrimWhitespace(text));
  NoteToWrite note{day, trimmed, {}};
  std::vector<DayNumber> userDays = {day};
  if (editing >= 0 && static_cast<std::size_t>(editing) < notes_.size()) {
    const ListedNote& old = notes_[static_cast<std::size_t>(editing)];
    // Saved without a change: the note goes back as it was read.
    if (old.day == day && TrimWhitespace(old.text) == trimmed) note = ToWrite(old);
    userDays.push_back(old.day);
  } else {
    editing = -1;
  }
  const NotesFileContents now = ReadNotesFile(path_);
  bool written = false;
  if (now.status.Ok()) {
    if (editing < 0 && !asRead_.HasUnreadable() && !now.HasUnreadable()) {
      // A new note: the notes so far, sorted, then the new one appended. Only
      // the append decides whether the note was saved; the sorting is a nicety.
      static_cast<void>(Rewrite(now, -1, std::nullopt, userDays));
      written = AppendNoteRecord(path_, day, trimmed);
    } else {
      // One replacement of the file: no moment without the note, and the note
      // stays before the lines nobody can read.
      written = Rewrite(now, editing, note, userDays);
    }
  }
  Load();
  return written;
}

bool NotesEditing::Remove(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= notes_.size()) return false;
  const NotesFileContents now = ReadNotesFile(path_);
  const bool written = now.status.Ok() && Rewrite(now, index, std::nullopt,
                                                  {notes_[static_cast<std::size_t>(index)].day});
  Load();
  return written;
}

// The listed notes still in the file as it is `now` (but `replaced`), sorted,
// then `last`; RewriteNotesFile adds what others wrote meanwhile and the
// unreadable lines.
bool NotesEditing::Rewrite(const NotesFileContents& now, int replaced,
                           const std::optional<NoteToWrite>& last,
                           const std::vector<DayNumber>& userDays) const {
  std::map<std::string, int> present = LineCounts(now);
  std::vector<NoteToWrite> notes;
  for (std::size_t i = 0; i < notes_.size(); ++i) {
    if (static_cast<int>(i) == replaced) continue;
    // Deleted or changed by another program since we read it: so it stays.
    if (now.Rewritable() && !Takes(present, notes_[i].line)) continue;
    notes.push_back(ToWrite(notes_[i]));
  }
  if (last) notes.push_back(*last);
  // What others wrote meanwhile on a day the user changes gives way.
  NotesFileContents known = asRead_;
  for (std::size_t i = 0; i < now.records.size(); ++i) {
    if (std::find(userDays.begin(), userDays.end(), now.records[i].day) != userDays.end())
      known.recordLines.push_back(now.recordLines[i]);
  }
  return RewriteNotesFile(path_, notes, known);
}

}  // namespace orvanta
