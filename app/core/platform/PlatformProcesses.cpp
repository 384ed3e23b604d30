#include "app/core/platform/PlatformProcesses.h"

#include <dirent.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "app/core/platform/PlatformPaths.h"
#include "base/AsciiCase.h"
#include "base/FileReading.h"

namespace orvanta {

namespace {

std::string ReadLink(const std::string& path) {
  std::string target(4096, '\0');
  const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
  if (length <= 0) return {};
  target.resize(static_cast<size_t>(length));
  return target;
}

// What the kernel tells of a process is small; more is not what we look for.
constexpr std::size_t kProcessFileLimit = 1 << 20;

std::string ReadProcessFile(const std::string& path) {
  std::string bytes;
  if (!ReadBounded(path, kProcessFileLimit, bytes).Ok()) bytes.clear();
  return bytes;
}

// The real user id and the parent from the process's status file.
bool ReadStatus(const std::string& statusPath, ProcessInfo& info) {
  std::istringstream in(ReadProcessFile(statusPath));
  bool uidFound = false;
  std::string line;
  while (std::getline(in, line)) {
    const bool isUid = line.rfind("Uid:", 0) == 0;
    if (!isUid && line.rfind("PPid:", 0) != 0) continue;
    std::istringstream fields(line.substr(line.find(':') + 1));
    long value = 0;
    if (!(fields >> value)) continue;
    if (isUid) {
      info.uid = static_cast<uid_t>(value);
      uidFound = true;
    } else {
      info.parent = static_cast<pid_t>(value);
    }
  }
  return uidFound;
}

std::vector<std::string> SplitNul(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\0', start);
    if (end == std::string::npos) end = text.size();
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

bool IsNumber(const char* text) {
  if (*text == '\0') return false;
  for (; *text != '\0'; ++text)
    if (!IsAsciiDigit(*text)) return false;
  return true;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecode(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The local path an argument stands for, or empty.
std::string ArgumentPath(const std::string& argument, const std::string& workingFolder) {
  std::string path = argument;
  if (path.rfind("file://", 0) == 0) {
    path = PercentDecode(std::string_view(path).substr(7));
    if (path.rfind("localhost/", 0) == 0) path.erase(0, 9);
    if (path.empty() || path.front() != '/') return {};
  }
  if (path.empty()) return {};
  if (path.front() != '/') {
    if (workingFolder.empty()) return {};
    path = workingFolder + "/" + path;
  }
  return path;
}

bool SameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  if (fs::path(a).lexically_normal() == fs::path(b).lexically_normal()) return true;
  std::error_code error;
  const fs::path canonicalA = fs::weakly_canonical(a, error);
  if (error) return false;
  const fs::path canonicalB = fs::weakly_canonical(b, error);
  return !error && canonicalA == canonicalB;
}

}  // namespace

std::vector<ProcessInfo> ListProcesses(const std::string& procRoot) {
  std::vector<ProcessInfo> processes;
  DIR* folder = ::opendir(procRoot.c_str());
  if (folder == nullptr) return processes;
  while (const dirent* entry = ::readdir(folder)) {
    if (!IsNumber(entry->d_name)) continue;
    const std::string base = procRoot + "/" + entry->d_name;
    ProcessInfo info;
    info.pid = static_cast<pid_t>(std::stol(entry->d_name));
    if (!ReadStatus(base + "/status", info)) continue;
    std::string executable = ReadLink(base + "/exe");
    constexpr std::string_view kDeleted = " (deleted)";
    if (executable.size() > kDeleted.size() &&
        executable.compare(executable.size() - kDeleted.size(), kDeleted.size(), kDeleted) == 0)
      executable.resize(executable.size() - kDeleted.size());
    info.executableName = FileNameOfPath(executable);
    info.arguments = SplitNul(ReadProcessFile(base + "/cmdline"));
    info.workingFolder = ReadLink(base + "/cwd");
    processes.push_back(std::move(info));
  }
  ::closedir(folder);
  return processes;
}

bool CommandLineNamesFile(const ProcessInfo& process, const std::string& document) {
  if (document.empty()) return false;
  for (size_t i = 1; i < process.arguments.size(); ++i) {
    const std::string path = ArgumentPath(process.arguments[i], process.workingFolder);
    if (!path.empty() && SameFile(path, document)) return true;
  }
  return false;
}

namespace {

// Started as `name`: its executable, its argument 0, or the script its
// interpreter runs (argument 1).
bool StartedAs(const ProcessInfo& process, std::string_view name) {
  if (name.empty()) return false;
  if (EqualIgnoringCase(process.executableName, name)) return true;
  const std::vector<std::string>& arguments = process.arguments;
  return (!arguments.empty() && EqualIgnoringCase(FileNameOfPath(arguments[0]), name)) ||
         (arguments.size() > 1 && EqualIgnoringCase(FileNameOfPath(arguments[1]), name));
}

// The desktop's opener waits for the program it started (its generic way).
constexpr std::string_view kDesktopOpener = "xdg-open";

// Deep enough for an opener, a wrapper or two and the viewer; a cycle in a
// changing process table cannot hold the walk.
constexpr int kMaxAncestors = 8;

}  // namespace

bool IsViewerOf(const ProcessInfo& process, std::string_view viewerName,
                const std::string& document, uid_t uid) {
  return !viewerName.empty() && process.uid == uid && StartedAs(process, viewerName) &&
         CommandLineNamesFile(process, document);
}

std::vector<pid_t> ViewerProcesses(const std::vector<ProcessInfo>& processes,
                                   std::string_view viewerName, const std::string& document,
                                   uid_t uid) {
  std::vector<pid_t> viewers;
  if (viewerName.empty()) return viewers;
  const auto find = [&processes](pid_t pid) -> const ProcessInfo* {
    for (const ProcessInfo& process : processes)
      if (process.pid == pid) return &process;
    return nullptr;
  };
  // A launcher of the viewer for our document: the viewer's own name (a
  // wrapper script) or the desktop's opener.
  const auto launchedIt = [&](const ProcessInfo& process) {
    const ProcessInfo* ancestor = find(process.parent);
    for (int depth = 0; ancestor != nullptr && depth < kMaxAncestors; ++depth) {
      if (ancestor->uid == uid && CommandLineNamesFile(*ancestor, document) &&
          (StartedAs(*ancestor, viewerName) || StartedAs(*ancestor, kDesktopOpener)))
        return true;
      ancestor = ancestor->parent != ancestor->pid ? find(ancestor->parent) : nullptr;
    }
    return false;
  };
  for (const ProcessInfo& process : processes) {
    if (process.uid != uid || !CommandLineNamesFile(process, document)) continue;
    if (StartedAs(process, viewerName) || launchedIt(process)) viewers.push_back(process.pid);
  }
  return viewers;
}

bool StartProgram(const std::string& program, const std::string& argument) {
  std::string name = program;
  std::string value = argument;
  char* const argv[] = {name.data(), value.data(), nullptr};
  pid_t child = 0;
  return ::posix_spawnp(&child, name.c_str(), nullptr, nullptr, argv, environ) == 0;
}

uid_t CurrentUserId() {
  return ::geteuid();
}

void ExitAtOnce(std::string_view message, int status) {
  const ssize_t ignored = ::write(STDERR_FILENO, message.data(), message.size());
  static_cast<void>(ignored);
  ::_exit(status);
}

bool TerminateProcessById(pid_t pid) {
  return pid > 0 && ::kill(pid, SIGTERM) == 0;
}

int TerminateProcessByName(std::string_view viewerName, const std::string& document,
                           const std::string& procRoot) {
  const uid_t uid = ::getuid();
  const pid_t self = ::getpid();
  int ended = 0;
  for (const pid_t pid : ViewerProcesses(ListProcesses(procRoot), viewerName, document, uid)) {
    if (pid != self && TerminateProcessById(pid)) ++ended;
  }
  return ended;
}

}  // namespace orvanta
