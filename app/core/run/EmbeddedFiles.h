#pragma once
// The files the program carries inside itself, by resource id: 300 is the
// user guide "Turno_Guida.htm", 401 to 425 the pictures "1OV.bmp" to
// "25OV.bmp" (401 to 412 the zodiac signs, 413 to 425 the event pictures).
// The pictures are carried as the samples the writer takes, decoded when the
// program was built, and go straight from memory into the calendar; only the
// guide is carried as a file, written out for the browser.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "calendar/PictureSlots.h"

namespace orvanta {

inline constexpr int kShiftGuideId = 300;
inline constexpr int kFirstZodiacImageId = 401;  // ... 412
inline constexpr int kFirstEventImageId = 413;   // ... 425
inline constexpr char kShiftGuideFileName[] = "Turno_Guida.htm";

// Lets pending window events run after a file is written; may be empty.
using EventPump = std::function<void()>;

// The name an embedded file is written under ("Turno_Guida.htm", "1OV.bmp",
// ...); empty for an unknown id.
std::string EmbeddedFileName(int id);

// The bytes of an embedded file (the guide); empty for another id.
std::span<const std::uint8_t> EmbeddedFile(int id);

// The samples of picture `id` (401 to 425); empty for another id.
ProgramPicture EmbeddedPictureSamples(int id);

// Writes the user guide as `tempFolder` + "Turno_Guida.htm" and returns that
// path, or an empty text when it could not be written. The form without
// arguments writes into PrivateTempFolder().
[[nodiscard]] std::string WriteShiftGuide(const std::string& tempFolder,
                                          const EventPump& pump = {});
[[nodiscard]] std::string WriteShiftGuide();

}  // namespace orvanta
