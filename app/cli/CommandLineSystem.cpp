#include "app/cli/CommandLineSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include "app/core/BitmapCheck.h"
#include "app/core/Folders.h"
#include "app/core/InputFileChecks.h"
#include "app/pictures/PicturePreparation.h"

namespace orvanta {

bool WorkingFolderUsable() {
  struct stat st {};
  if (::stat(".", &st) != 0 || !S_ISDIR(st.st_mode) || st.st_nlink == 0) return false;
  return ::access(".", X_OK) == 0;
}

bool FolderExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

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
  context.notesProblem = NotesFileProblem;
  context.shiftProblem = ShiftFileProblem;
  return context;
}

}  // namespace orvanta
