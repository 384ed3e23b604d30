#include "app/core/notes/NotesEditing.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"

namespace orvanta {

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

NotesChangeResult NotesEditing::Save(DayNumber day, std::string_view text, int editing) {
  const std::string trimmed(TrimWhitespace(text));
  NotesChangeResult result;
  if (editing >= 0 && static_cast<std::size_t>(editing) < notes_.size()) {
    const ListedNote& old = notes_[static_cast<std::size_t>(editing)];
    result = keeper_.Replace({old.day, old.line}, day, trimmed);
  } else {
    result = keeper_.Add(day, trimmed);
  }
  Load();
  return result;
}

NotesChangeResult NotesEditing::Remove(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= notes_.size())
    return {NotesChange::NoteGone, {}};
  const ListedNote& old = notes_[static_cast<std::size_t>(index)];
  const NotesChangeResult result = keeper_.Remove({old.day, old.line});
  Load();
  return result;
}

}  // namespace orvanta
