#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "almanac/AlmanacYear.h"
#include "calendar/CalendarOptions.h"

namespace orvanta {

// Everything outside the core that one run needs, injected by the application.
struct ComposeEnvironment {
  std::string outputFile;     // the application passes TempFolder() + "Orvanta.pdf"
  std::string pictureFolder;  // folder (trailing "/") the *OV.bmp pictures are extracted to
  std::string shiftFile;      // path of Turno.txt
  std::function<std::vector<NoteEntry>(int year)> loadNotes;  // LoadNotesForYear; may be empty
  std::function<void()> extractEventImages;                   // may be empty
  std::function<void()> extractZodiacImages;                  // may be empty
  std::function<void()> pumpEvents;  // lets pending window events run; may be empty
  std::function<void(const std::string& path)> openViewer;  // may be empty
  // Handed to the writer for its message boxes; may be empty.
  std::function<void(const std::string& title, const std::string& text)> showMessage;
  std::function<std::tm()> clock;  // handed to the writer; empty means local time
};

enum class ComposeResult {
  Written,    // the twelve pages were written and the viewer (if any) started
  NotOpened,  // the output file could not be opened; the writer already told the user
};

// Years the composer accepts: the Gregorian calendar, four-digit years.
inline constexpr int16_t kFirstComposableYear = 1583;
inline constexpr int16_t kLastComposableYear = 9998;

// Writes the twelve month pages of `year` into env.outputFile. Writes back into
// `options`: TextColor becomes black when PrintColor is off, Turno is cleared
// when the shift file is unusable. If anything fails after the file was opened,
// the partial file is removed, no viewer is started and the error is rethrown.
// A year outside kFirstComposableYear..kLastComposableYear throws
// std::out_of_range before anything is written.
ComposeResult ComposeCalendar(int16_t year, CalendarOptions& options,
                              const ComposeEnvironment& env);

}  // namespace orvanta
