#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "calendar/PictureSlots.h"
#include "calendar/YearContent.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {

// What the application lends one composition; each may be empty.
struct ComposeEnvironment {
  // The program's 25 pictures, straight from memory; empty: no pictures.
  ProgramPictures pictures;
  // A picture that cannot be loaded fails the run (the command line) instead
  // of being left out of the page (the window).
  bool picturesRequired = false;
  // Prepares the user's JPEG and PNG pictures; empty: every user's picture
  // is read as a bitmap.
  PicturePreparer preparePicture;
  std::function<void()> pumpEvents;  // lets pending window events run
  std::function<bool()> cancelled;   // asked before each page; true stops the run
  std::function<std::tm()> clock;    // handed to the writer; empty means local time
};

// How a composition ended.
struct ComposeOutcome {
  enum class Status {
    Written,    // the twelve pages went into the sink
    Failed,     // something failed on the way (detail says why)
    Cancelled,  // env.cancelled stopped the run
  };
  Status status = Status::Failed;
  std::string detail;  // why not written, in Italian

  [[nodiscard]] bool Written() const { return status == Status::Written; }
};

// The twelve month pages of `year`, written through `sink` into a file the
// caller made and commits (or drops, whatever the outcome says).
[[nodiscard]] ComposeOutcome ComposeCalendar(const PreparedYear& year,
                                             const ComposeEnvironment& env,
                                             const clsPDFCreator::ByteSink& sink);

}  // namespace orvanta
