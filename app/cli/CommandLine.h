#pragma once
// The command line of the headless program: from the argument list to a
// calendar request, without touching anything but the file-existence test it
// is given (so it can be tested and fuzzed on its own).

#include <QStringList>
#include <functional>
#include <string>

#include "calendar/CalendarOptions.h"

namespace orvanta {

inline constexpr int kExitOk = 0;
inline constexpr int kExitNotWritten = 1;  // the calendar could not be written
inline constexpr int kExitUsage = 2;       // a bad option or value

inline constexpr int kFirstCommandLineYear = 1900;
inline constexpr int kLastCommandLineYear = 2100;
inline constexpr int kHeaderTextLimit = 40;  // characters, as in the input window
inline constexpr int kFooterTextLimit = 30;

// What the parser needs to know about the machine.
struct CommandLineContext {
  std::string appFolder;      // with trailing "/": default Notes.dat and Turno.txt
  std::string tempFolder;     // with trailing "/": default output file
  std::string currentFolder;  // relative paths are taken from here
  std::function<bool(const std::string& path)> fileExists;
};

// One calendar to write. Paths are absolute.
struct CalendarRequest {
  CalendarOptions options;  // options.Anno is the year
  std::string outputFile;
  std::string notesFile;
  std::string shiftFile;
  bool openViewer = false;
};

struct CommandLineResult {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Error;
  CalendarRequest request;  // for Run
  // Help: the usage text; Version: the version line; Error: one line naming
  // the option and the values it allows.
  std::string text;
};

// `arguments` starts with the program name, as QCoreApplication::arguments().
CommandLineResult ParseCommandLine(const QStringList& arguments, const CommandLineContext& context);

}  // namespace orvanta
