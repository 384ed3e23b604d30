#pragma once
// Listing and ending processes through /proc (no Qt). Used to close the PDF
// viewer that shows our calendar when the main window closes.

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

struct ProcessInfo {
  pid_t pid = 0;
  pid_t parent = 0;                    // the process that started it
  uid_t uid = 0;                       // real user id
  std::string executableName;          // file name of the running executable
  std::vector<std::string> arguments;  // the command line, argument 0 first
  std::string workingFolder;           // for relative arguments; empty if unknown
};

// Every process of `procRoot` (normally "/proc") whose details can be read.
std::vector<ProcessInfo> ListProcesses(const std::string& procRoot = "/proc");

// True when one of the arguments after the first names `document`: the path
// itself, a relative path from the process's working folder, or a file:// URL.
bool CommandLineNamesFile(const ProcessInfo& process, const std::string& document);

// True when the process is a viewer named `viewerName` (its executable, its
// argument 0, or argument 1 for a script its interpreter runs; compared
// ignoring case) that shows `document` and belongs to `uid`.
bool IsViewerOf(const ProcessInfo& process, std::string_view viewerName,
                const std::string& document, uid_t uid);

// The processes of `uid` that show `document` for the viewer `viewerName`:
// those IsViewerOf describes, and those started under one of them or under
// the desktop's opener (xdg-open) for the same document. A viewer the desktop
// knows by a wrapper script runs under another name: as the wrapper's child,
// or in the wrapper's place (exec) under the opener.
std::vector<pid_t> ViewerProcesses(const std::vector<ProcessInfo>& processes,
                                   std::string_view viewerName, const std::string& document,
                                   uid_t uid);

// Starts `program` (looked up in PATH) with the one argument `argument`, as
// the user's bytes whatever their encoding, without waiting for it. False
// when it could not be started.
bool StartProgram(const std::string& program, const std::string& argument);

// The user this process acts for (its effective user id).
uid_t CurrentUserId();

// Writes `message` to standard error and ends the process with `status` on
// the spot: no destructor, no atexit handler (for a library that would abort).
[[noreturn]] void ExitAtOnce(std::string_view message, int status);

// Asks the process to end (SIGTERM). True when the signal was delivered.
bool TerminateProcessById(pid_t pid);

// Ends every process of the current user that ViewerProcesses(viewerName,
// document) names; never the calling process. Returns how many were ended.
int TerminateProcessByName(std::string_view viewerName, const std::string& document,
                           const std::string& procRoot = "/proc");

}  // namespace orvanta
