#include "app/core/CalendarRun.h"

#include <string_view>

#include "app/core/EmbeddedFiles.h"
#include "app/core/NotesFile.h"
#include "base/Leftovers.h"

namespace orvanta {
namespace {

constexpr std::string_view kPictureFolderPrefix = "immagini-";

// The pictures of one run, in a folder of their own ("immagini-XXXXXX"): two
// runs at once never delete each other's pictures. The folder and everything
// in it go when the run ends, however it ends; one a killed run left goes
// with the next run.
class RunPictures {
 public:
  explicit RunPictures(const std::string& privateFolder)
      : folder_(privateFolder, kPictureFolderPrefix) {}

  const std::string& Folder() const { return folder_.Path(); }
  bool Events(const EventPump& pump) const {
    return !Folder().empty() && ExtractEventImages(Folder(), pump);
  }
  bool Zodiac(const EventPump& pump) const {
    return !Folder().empty() && ExtractZodiacImages(Folder(), pump);
  }

 private:
  RunFolder folder_;
};

}  // namespace

void RemoveStalePictureFolders(const std::string& privateFolder) {
  SweepLeftovers(privateFolder, kPictureFolderPrefix);
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
