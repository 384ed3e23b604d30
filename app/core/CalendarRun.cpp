#include "app/core/CalendarRun.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string_view>

#include "app/core/EmbeddedFiles.h"
#include "app/core/NotesFile.h"

namespace orvanta {
namespace {

constexpr std::string_view kPictureFolderPrefix = "immagini-";

// Removes a picture folder: the pictures and whatever a write cut short
// left beside them ("13OV.bmp.new-<pid>-0"); never a link's target.
void RemoveFolderOfFiles(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    struct stat info {};
    if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        !S_ISDIR(info.st_mode)) {
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
  }
  ::closedir(dir);
  ::rmdir(folder.c_str());
}

// The pictures of one run, in a folder of their own ("immagini-<pid>-XXXXXX"):
// two runs at once never delete each other's pictures. The folder and
// everything in it go when the run ends, however it ends.
class RunPictures {
 public:
  explicit RunPictures(const std::string& privateFolder) {
    if (privateFolder.empty()) return;
    RemoveStalePictureFolders(privateFolder);
    std::string pattern =
        privateFolder + std::string(kPictureFolderPrefix) + std::to_string(::getpid()) + "-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern + "/";
  }
  RunPictures(const RunPictures&) = delete;
  RunPictures& operator=(const RunPictures&) = delete;
  ~RunPictures() {
    if (!folder_.empty()) RemoveFolderOfFiles(folder_);
  }

  const std::string& Folder() const { return folder_; }
  bool Events(const EventPump& pump) const {
    return !folder_.empty() && ExtractEventImages(folder_, pump);
  }
  bool Zodiac(const EventPump& pump) const {
    return !folder_.empty() && ExtractZodiacImages(folder_, pump);
  }

 private:
  std::string folder_;
};

// The process id in "immagini-<pid>-XXXXXX", or 0.
pid_t PictureFolderOwner(std::string_view name) {
  if (!name.starts_with(kPictureFolderPrefix)) return 0;
  name.remove_prefix(kPictureFolderPrefix.size());
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc() || pid <= 0 || end == name.data() + name.size() || *end != '-') return 0;
  return pid;
}

}  // namespace

void RemoveStalePictureFolders(const std::string& privateFolder) {
  DIR* dir = ::opendir(privateFolder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const pid_t pid = PictureFolderOwner(entry->d_name);
    if (pid == 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
    struct stat info {};
    if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
      continue;
    RemoveFolderOfFiles(privateFolder + entry->d_name);
  }
  ::closedir(dir);
}

ComposeOutcome RunCalendar(const CalendarRunRequest& request) {
  const CalendarOptions& options = request.options;
  const bool needsPictures = options.Icone || options.Zodiaco;
  const RunPictures pictures(needsPictures ? request.privateFolder : std::string());

  ComposeEnvironment env;
  env.outputFile = request.outputFile;
  env.pictureFolder = pictures.Folder();
  env.shiftFile = request.shiftFile;
  env.loadNotes = [path = request.notesFile](int year) { return LoadNotesForYear(path, year); };
  env.extractEventImages = [&] { return pictures.Events(request.pumpEvents); };
  env.extractZodiacImages = [&] { return pictures.Zodiac(request.pumpEvents); };
  env.picturesRequired = request.picturesRequired;
  env.pumpEvents = request.pumpEvents;
  env.cancelled = request.cancelled;
  env.openViewer = request.openViewer;
  env.clock = request.clock;
  return ComposeCalendar(options.Anno, options, env);
}

}  // namespace orvanta
