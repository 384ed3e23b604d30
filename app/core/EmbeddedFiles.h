#pragma once
// The files the program carries inside itself, by resource id: 300 is the
// user guide "Turno_Guida.htm", 401 to 425 the pictures "1OV.bmp" to
// "25OV.bmp" (401 to 412 the zodiac signs, 413 to 425 the event pictures).
// They are written out byte for byte when needed and removed at the end.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace orvanta {

inline constexpr int kShiftGuideId = 300;
inline constexpr int kFirstZodiacImageId = 401;  // ... 412
inline constexpr int kFirstEventImageId = 413;   // ... 425
inline constexpr char kShiftGuideFileName[] = "Turno_Guida.htm";

// Lets pending window events run between two files; may be empty.
using EventPump = std::function<void()>;

// The name an embedded file is written under ("Turno_Guida.htm", "1OV.bmp",
// ...); empty for an unknown id.
std::string EmbeddedFileName(int id);

// The bytes of an embedded file; empty for an unknown id.
std::span<const std::uint8_t> EmbeddedFile(int id);

// Write the twelve zodiac pictures ("1OV.bmp" ... "12OV.bmp") or the thirteen
// event pictures ("13OV.bmp" ... "25OV.bmp") into `folder` (with or without
// the trailing "/"), overwriting earlier copies. The first file that cannot
// be written ends the operation quietly (the composer then leaves those
// pictures out); the result says whether all were written. `pump` runs after
// each file. The forms without arguments write into AppFolder().
[[nodiscard]] bool ExtractZodiacImages(const std::string& folder, const EventPump& pump = {});
[[nodiscard]] bool ExtractZodiacImages();
[[nodiscard]] bool ExtractEventImages(const std::string& folder, const EventPump& pump = {});
[[nodiscard]] bool ExtractEventImages();

// Deletes every regular file of `folder` whose name ends in "OV.bmp" (not
// only the ones written above). Errors are ignored; symbolic links and
// folders are left alone. The form without arguments cleans AppFolder().
void DeleteExtractedImages(const std::string& folder);
void DeleteExtractedImages();

// Writes the user guide as `tempFolder` + "Turno_Guida.htm" and returns that
// path, or an empty text when it could not be written. The form without
// arguments writes into PrivateTempFolder().
[[nodiscard]] std::string WriteShiftGuide(const std::string& tempFolder,
                                          const EventPump& pump = {});
[[nodiscard]] std::string WriteShiftGuide();

}  // namespace orvanta
