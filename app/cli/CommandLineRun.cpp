#include "app/cli/CommandLineRun.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "app/core/EmbeddedFiles.h"
#include "app/core/Folders.h"
#include "app/core/NotesFile.h"
#include "app/core/SafeFile.h"
#include "calendar/ComposeCalendar.h"

namespace orvanta {
namespace {

// The pictures of one run, in a private folder of its own under the
// temporary folder: two runs at once never delete each other's pictures, and
// an installed program needs no writable folder of its own. The folder and
// everything in it go when the run ends, however it ends. When the folder
// cannot be made, the pictures are left out, as with a read-only folder.
class ExtractedPictures {
 public:
  ExtractedPictures() {
    std::string pattern = TempFolder() + "orvanta-immagini-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern + "/";
  }
  ExtractedPictures(const ExtractedPictures&) = delete;
  ExtractedPictures& operator=(const ExtractedPictures&) = delete;
  ~ExtractedPictures() {
    if (folder_.empty()) return;
    DeleteExtractedImages(folder_);
    ::rmdir(folder_.c_str());
  }

  const std::string& Folder() const { return folder_; }
  void Events() const {
    if (!folder_.empty()) ExtractEventImages(folder_);
  }
  void Zodiac() const {
    if (!folder_.empty()) ExtractZodiacImages(folder_);
  }

 private:
  std::string folder_;
};

}  // namespace

int RunCalendarRequest(CalendarRequest request, std::ostream& out, std::ostream& err) {
  // Refuse a symbolic link, a device or another user's file up front (the
  // output usually lies in the shared temporary folder).
  if (const FileResult check = CheckOutputPath(request.outputFile); !check) {
    err << "orvanta: " << check.message << '\n';
    return kExitNotWritten;
  }

  const ExtractedPictures pictures;
  bool told = false;
  ComposeEnvironment env;
  env.outputFile = request.outputFile;
  env.pictureFolder = pictures.Folder();
  env.shiftFile = request.shiftFile;
  env.loadNotes = [path = request.notesFile](int year) { return LoadNotesForYear(path, year); };
  env.extractEventImages = [&pictures] { pictures.Events(); };
  env.extractZodiacImages = [&pictures] { pictures.Zodiac(); };
  env.showMessage = [&](const std::string&, const std::string& text) {
    err << "orvanta: " << text << '\n';
    told = true;
  };
  if (request.openViewer) {
    env.openViewer = [&err](const std::string& path) {
      if (!QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(path)})) {
        err << "orvanta: impossibile avviare il visualizzatore PDF (xdg-open)\n";
      }
    };
  }

  try {
    const ComposeResult result = ComposeCalendar(request.options.Anno, request.options, env);
    if (result == ComposeResult::NotOpened) {
      if (!told) err << "orvanta: Impossibile scrivere il file \"" << request.outputFile << "\".\n";
      return kExitNotWritten;
    }
  } catch (const std::exception& e) {
    err << "orvanta: " << e.what() << '\n';
    return kExitNotWritten;
  }
  out << request.outputFile << '\n';
  return kExitOk;
}

int RunCommandLine(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Orvanta"));
  QCoreApplication::setApplicationVersion(QStringLiteral("3.0.1"));

  CommandLineContext context;
  context.appFolder = AppFolder();
  context.tempFolder = TempFolder();
  context.currentFolder = QDir::currentPath().toStdString();
  context.fileExists = [](const std::string& path) { return FileExists(path); };

  const CommandLineResult parsed = ParseCommandLine(QCoreApplication::arguments(), context);
  switch (parsed.action) {
    case CommandLineResult::Action::Help:
    case CommandLineResult::Action::Version:
      std::cout << parsed.text << std::flush;
      return kExitOk;
    case CommandLineResult::Action::Error:
      std::cerr << parsed.text << '\n';
      return kExitUsage;
    case CommandLineResult::Action::Run:
      break;
  }
  return RunCalendarRequest(parsed.request, std::cout, std::cerr);
}

}  // namespace orvanta
