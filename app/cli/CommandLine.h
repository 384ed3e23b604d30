#pragma once
// The command line of the headless program: from the argument list to a
// calendar request, without touching anything but the tests on files it is
// given (so it can be tested and fuzzed on its own).

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "app/core/notes/NotesImportRequest.h"
#include "app/core/run/CalendarJob.h"
#include "app/core/run/CustomHeaderFooter.h"
#include "app/core/run/InputFileChecks.h"
#include "calendar/CalendarOptions.h"
#include "calendar/PictureSlots.h"
#include "calendar/YearRanges.h"

namespace orvanta {

inline constexpr int kExitOk = 0;
inline constexpr int kExitNotWritten = 1;  // the calendar could not be written
inline constexpr int kExitUsage = 2;       // a bad option or value

// The years --year accepts; its messages and the help are built from them.
inline constexpr int kFirstCommandLineYear = kCommandLineYears.first;
inline constexpr int kLastCommandLineYear = kCommandLineYears.last;

// What the parser needs to know about the machine. Every callback must be set;
// paths reach them exactly as the request will carry them (relative ones too).
struct CommandLineContext {
  std::string appFolder;   // with trailing "/": default Notes.dat and Turno.txt; empty: none
  std::string tempFolder;  // with trailing "/": default output file
  // False when the working folder was deleted or cannot be searched: then no
  // relative path is accepted, since the system could not resolve it.
  bool workingFolderUsable = true;
  std::function<bool(const std::string& path)> fileExists;    // a regular file, links followed
  std::function<bool(const std::string& path)> folderExists;  // a folder, links followed
  // Both exist and are one file (same device and inode).
  std::function<bool(const std::string& a, const std::string& b)> sameFile;
  // The bitmap reader accepts the file.
  std::function<bool(const std::string& path)> bitmapUsable;
  // Prepares a JPEG or PNG picture (the run then places what it prepared);
  // may be left empty: then every picture is a bitmap.
  PicturePreparer preparePicture;
  // The picture files of a folder in name order; may be left empty: then a
  // folder is no picture.
  std::function<std::vector<std::string>(const std::string& folder)> picturesInFolder;
  // Checks a notes file (for the year) or a shift file named on the command
  // line: why it cannot be used, in words that follow "file 'x' ", and what
  // was read of it, which the run then prints. May be left empty: then a
  // file that exists is taken, and the run reads it.
  std::function<CheckedNotes(const std::string& path, int year)> checkNotes;
  std::function<CheckedShift(const std::string& path)> checkShift;
  // Now, for the current year (local time) of a calendar without --year and
  // of --year next; empty means the system's clock.
  std::function<std::time_t()> clock;
};

struct CommandLineResult {
  enum class Action { Run, Import, Help, Version, Error };
  Action action = Action::Error;
  // For Run. Paths hold the user's bytes as given (not always UTF-8),
  // relative ones resolved from the working folder; the outputs are never
  // one of the files the run reads, nor each other.
  CalendarJob request;
  // For Import (--import-notes): the files as given, and the notes file,
  // --notes or the default one (empty without an application folder).
  NotesImportRequest import;
  // Help: the usage text; Version: the version line; Error: one line naming
  // the option and the values it allows.
  std::string text;
  // Run: one line each ("orvanta: avviso: ...") for what the calendar will
  // not print as given, for standard error.
  std::vector<std::string> warnings;
};

// What names standard output in place of a file, as for cat and tar.
inline constexpr char kStandardOutputName[] = "-";

// `arguments` are the raw bytes of argv, starting with the program name.
[[nodiscard]] CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments,
                                                 const CommandLineContext& context);

}  // namespace orvanta
