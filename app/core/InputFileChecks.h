#pragma once
// Why a notes or shift file the user named cannot be used. The composer
// quietly does without such a file (a default one beside the program may
// well be missing or half-written); a file named on purpose deserves the
// reason instead.

#include <string>

namespace orvanta {

// What is wrong with the file, in Italian words that follow its name ("non
// trovato", "non è un file normale", "è vuoto", ...); empty when the file can
// be used. The notes are read as for `year`: a file whose first record cannot
// be printed that year gives nothing.
std::string NotesFileProblem(const std::string& path, int year);
std::string ShiftFileProblem(const std::string& path);

}  // namespace orvanta
