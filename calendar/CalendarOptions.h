#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

// Print options of one calendar, filled by the main window (or the command
// line) and read by ComposeCalendar at the start of a run. The defaults are the
// main window's: every option on, black text, year 2013. Colours are 0x00BBGGRR.
struct CalendarOptions {
  int16_t Anno = 2013;
  bool PrintColor = true;     // off: monochrome page, grey pictures, black text
  int32_t TextColor = 0;      // 0x000000 black, 0xCD0000 blue, 0x00A900 green
  bool Chiesa = true;         // moveable church feasts
  bool FasiSoleLuna = true;   // moon glyphs and the sun/moon legend
  bool Icone = true;          // event pictures and daylight-saving marks
  bool Note = true;           // footnotes "Ricorda..."
  bool NotePersonali = true;  // personal notes
  bool PrintMese_P_S = true;  // side columns with previous and next month
  bool Progressivi = true;    // day-of-year and week numbers
  bool Testo3D = true;        // grey shadow under title, day numbers, weekdays
  bool Turno = true;          // work shift of each day
  bool Zodiaco = true;        // zodiac signs in the top corners
  std::string CustomTopText;  // header text; empty means none
  int32_t CustomTopColor = 0;
  std::string CustomTopImage;  // header picture (bitmap, JPEG or PNG); empty: none
  std::string CustomDownText;  // footer text; empty means none
  int32_t CustomDownColor = 0;
  std::string CustomDownImage;  // footer picture; empty: none
  // A header picture for each month, January first, in place of
  // CustomTopImage; empty: none.
  std::vector<std::string> CustomTopImages;
  std::string CoverImage;  // photo of a cover page before January; empty: no cover
};

}  // namespace orvanta
