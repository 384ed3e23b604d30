#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "almanac/AlmanacYear.h"
#include "calendar/CalendarOptions.h"
#include "calendar/PictureSlots.h"

namespace orvanta {

// Everything outside the core that one run needs, injected by the application.
struct ComposeEnvironment {
  std::string outputFile;  // the file to write; it appears whole or not at all
  std::string shiftFile;   // path of Turno.txt
  std::function<std::vector<NoteEntry>(int year)> loadNotes;  // LoadNotesForYear; may be empty
  // The program's 25 pictures, straight from memory; may be empty (no
  // pictures).
  PictureFiles pictures;
  // A picture that cannot be loaded fails the run (the command line) instead
  // of being left out of the page (the window).
  bool picturesRequired = false;
  // Prepares the user's JPEG and PNG pictures; empty: every user's picture
  // is read as a bitmap.
  PicturePreparer preparePicture;
  std::function<void()> pumpEvents;  // lets pending window events run; may be empty
  std::function<bool()> cancelled;   // asked before each page; true stops the run
  std::function<void(const std::string& path)> openViewer;  // may be empty
  std::function<std::tm()> clock;  // handed to the writer; empty means local time
};

// How a run ended, and what the caller must know about it.
struct ComposeOutcome {
  enum class Status {
    Written,    // the twelve pages are in the output file; the viewer (if any) started
    NotOpened,  // the output file could not be made (detail says why)
    Failed,     // something failed on the way; the output file is as it was before
    Cancelled,  // env.cancelled stopped the run; the output file is as it was before
  };
  Status status = Status::Failed;
  std::string detail;  // why not written, in Italian, naming the file
  // For NotOpened: what the writer tells the user in its message box (a
  // calendar still open, a link or another user's file); empty otherwise.
  std::string notice;
  bool shiftUnusable = false;  // the shifts were asked for but the shift file cannot be used
  int32_t textColor = 0;       // the text colour used: black on monochrome pages

  [[nodiscard]] bool Written() const { return status == Status::Written; }
};

// Years the composer accepts: the Gregorian calendar, four-digit years.
inline constexpr int16_t kFirstComposableYear = 1583;
inline constexpr int16_t kLastComposableYear = 9998;

// Writes the twelve month pages of options.Anno into env.outputFile, through a
// temporary file that takes the output's name only when complete: whatever
// fails, an earlier file of that name stays as it was. The options are only
// read; what the run decided (black text on monochrome pages, no shifts for
// an unusable shift file) comes back in the outcome. A year outside
// kFirstComposableYear..kLastComposableYear fails before anything is written.
[[nodiscard]] ComposeOutcome ComposeCalendar(const CalendarOptions& options,
                                             const ComposeEnvironment& env);

}  // namespace orvanta
