#include "app/core/platform/Folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "app/core/run/FileNames.h"
#include "base/AtomicFile.h"
#include "base/FileReading.h"
#include "base/PrivateFolder.h"

namespace orvanta {

namespace {

// A notes file is a few kilobytes; one far beyond that is no notes file.
constexpr std::size_t kMaxAdoptedNotesBytes = std::size_t{8} * 1024 * 1024;

bool IsFolder(const char* path) {
  struct stat info {};
  return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// Target of a symbolic link, however long; empty on any error.
std::string ReadLink(const char* link) {
  std::vector<char> buffer(256);
  while (true) {
    const ssize_t length = ::readlink(link, buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    if (buffer.size() >= 65536) return {};
    buffer.resize(buffer.size() * 2);
  }
}

// Creates `folder` and its missing parents (private to the user); true when
// it exists as a folder afterwards.
bool MakeFolders(const std::string& folder) {
  for (size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return IsFolder(folder.c_str());
}

// An installed program lives in one of these (or under them).
bool InSystemFolder(const std::string& folder) {
  for (const char* system :
       {"/usr/", "/bin/", "/sbin/", "/lib", "/opt/", "/snap/", "/app/", "/nix/"}) {
    if (folder.starts_with(system)) return true;
  }
  return false;
}

// A copy the user owns and runs in place (a build tree, a portable copy):
// the executable and its folder are the user's, the folder is writable, and
// it is no system folder (where root owns everything, installed or not).
bool IsOwnCopy(const std::string& exe, const std::string& exeFolder) {
  struct stat file {
  }, folder{};
  return !exeFolder.empty() && !InSystemFolder(exeFolder) && ::stat(exe.c_str(), &file) == 0 &&
         ::stat(exeFolder.c_str(), &folder) == 0 && file.st_uid == ::geteuid() &&
         folder.st_uid == ::geteuid() && ::access(exeFolder.c_str(), W_OK) == 0;
}

// $HOME, or the home folder of the user database when it is not set.
std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return home;
  const passwd* user = ::getpwuid(::geteuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

// The folder of the executable `exe`, with its trailing "/"; empty when unknown.
std::string ExeFolder(const std::string& exe) {
  const size_t slash = exe.rfind('/');
  if (exe.empty() || exe.front() != '/' || slash == std::string::npos) return {};
  return WithTrailingSlash(exe.substr(0, slash + 1));
}

}  // namespace

std::string ProgramFolder() {
  return ExeFolder(ReadLink("/proc/self/exe"));
}

std::string AdoptNotesBesideProgram(const std::string& appFolder) {
  return AdoptNotesBesideProgram(appFolder, ProgramFolder());
}

std::string AdoptNotesBesideProgram(const std::string& appFolder, const std::string& exeFolder) {
  if (appFolder.empty() || exeFolder.empty() || exeFolder == appFolder || InSystemFolder(exeFolder))
    return {};
  const std::string beside = exeFolder + kNotesFileName;
  const std::string adopted = appFolder + kNotesFileName;
  struct stat info {};
  if (!FileExists(beside) || ::lstat(adopted.c_str(), &info) == 0 || errno != ENOENT) return {};
  std::string bytes;
  if (!ReadBounded(beside, kMaxAdoptedNotesBytes, bytes)) return {};
  ReplaceOptions options;
  options.newFileMode = 0600;
  if (!ReplaceFile(adopted, bytes, options)) return {};
  return "Le note accanto al programma (" + beside +
         "), in una cartella che non si può modificare, sono state copiate in " + adopted +
         ", dove restano stampate e modificabili.";
}

std::string WithTrailingSlash(std::string folder) {
  if (folder.empty()) return folder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder != "/") folder += '/';
  return folder;
}

std::string ChooseAppFolder(const std::string& exeFolder, bool ownCopy, const std::string& dataHome,
                            const std::string& home) {
  if (!exeFolder.empty() && ownCopy) return WithTrailingSlash(exeFolder);
  if (!dataHome.empty() && dataHome.front() == '/') return WithTrailingSlash(dataHome) + "orvanta/";
  if (!home.empty() && home.front() == '/')
    return WithTrailingSlash(home) + ".local/share/orvanta/";
  return {};
}

std::string AppFolder(bool create) {
  const std::string exe = ReadLink("/proc/self/exe");
  const std::string exeFolder = ExeFolder(exe);
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  std::string folder =
      ChooseAppFolder(exeFolder, IsOwnCopy(exe, exeFolder), dataHome ? dataHome : "", HomeFolder());
  if (folder == exeFolder || !create) return folder;
  if (folder.empty() || !MakeFolders(folder) || ::access(folder.c_str(), W_OK | X_OK) != 0)
    return {};
  return folder;
}

std::string TempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  if (tmpdir != nullptr && tmpdir[0] == '/' && IsFolder(tmpdir)) return WithTrailingSlash(tmpdir);
  return "/tmp/";
}

std::string PrivateTempFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return MakePrivateTempFolder(TempFolder(), runtime ? runtime : "");
}

std::string InstanceLockFolder() {
  const std::string uid = std::to_string(::geteuid());
  const std::string runtime = "/run/user/" + uid;
  struct stat info {};
  if (::lstat(runtime.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
      (info.st_mode & 077) == 0)
    return runtime + "/";
  const passwd* user = ::getpwuid(::geteuid());
  if (user == nullptr || user->pw_dir == nullptr || user->pw_dir[0] != '/') return {};
  const std::string home = WithTrailingSlash(user->pw_dir);
  const std::string folder = home + ".local/state/orvanta";
  if (!MakeFolders(folder + "/") || !EnsurePrivateFolder(folder)) return {};
  return folder + "/";
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace orvanta
