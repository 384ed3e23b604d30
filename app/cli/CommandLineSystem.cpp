#include "app/cli/CommandLineSystem.h"

#include <map>
#include <memory>
#include <utility>

#include "app/core/platform/Folders.h"
#include "app/core/platform/PlatformFiles.h"
#include "app/core/run/BitmapCheck.h"
#include "app/core/run/InputFileChecks.h"
#include "app/pictures/PicturePreparation.h"

namespace orvanta {

namespace {

// Each notes or shift file is read once per run, however often the
// arguments are looked at: what the run prints is what was checked.
std::function<CheckedNotes(const std::string&, int)> RememberingNotesCheck() {
  auto kept = std::make_shared<std::map<std::pair<std::string, int>, CheckedNotes>>();
  return [kept](const std::string& path, int year) {
    const auto [slot, isNew] = kept->try_emplace({path, year});
    if (isNew) slot->second = CheckNotesFile(path, year);
    return slot->second;
  };
}

std::function<CheckedShift(const std::string&)> RememberingShiftCheck() {
  auto kept = std::make_shared<std::map<std::string, CheckedShift>>();
  return [kept](const std::string& path) {
    const auto [slot, isNew] = kept->try_emplace(path);
    if (isNew) slot->second = CheckShiftFile(path);
    return slot->second;
  };
}

}  // namespace

CommandLineContext SystemCommandLineContext(const std::string& privateFolder, bool makeFolders) {
  CommandLineContext context;
  context.appFolder = AppFolder(makeFolders);
  // The default calendar goes into our private folder, where nobody else can
  // plant a file that blocks or replaces it.
  context.tempFolder = privateFolder.empty() ? TempFolder() : privateFolder;
  context.workingFolderUsable = WorkingFolderUsable();
  context.fileExists = [](const std::string& path) { return FileExists(path); };
  context.folderExists = FolderExists;
  context.sameFile = SameFile;
  context.bitmapUsable = BitmapUsable;
  context.preparePicture = RememberingPreparer();
  context.picturesInFolder = PicturesInFolder;
  context.checkNotes = RememberingNotesCheck();
  context.checkShift = RememberingShiftCheck();
  return context;
}

}  // namespace orvanta
