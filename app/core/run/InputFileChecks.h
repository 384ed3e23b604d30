#pragma once
// Why a notes or shift file the user named cannot be used. The composer
// quietly does without such a file (a default one beside the program may
// well be missing or half-written); a file named on purpose deserves the
// reason instead.

#include <string>
#include <vector>

#include "almanac/AlmanacYear.h"
#include "almanac/ShiftCycle.h"

namespace orvanta {

// A file checked, and what the check read of it: the run prints exactly
// that instead of reading the file again, so an edit in between cannot make
// the outputs disagree with the check or with each other. `problem` is what
// is wrong with the file, in Italian words that follow its name ("non
// trovato", "non è un file normale", "è vuoto", ...); empty when the file can
// be used.
struct CheckedNotes {
  std::string problem;
  std::vector<NoteEntry> notes;
};
struct CheckedShift {
  std::string problem;
  ShiftCycle shift;
};

// The notes are read as for `year`: a file whose first record cannot be
// printed that year gives nothing.
[[nodiscard]] CheckedNotes CheckNotesFile(const std::string& path, int year);
[[nodiscard]] CheckedShift CheckShiftFile(const std::string& path);

}  // namespace orvanta
