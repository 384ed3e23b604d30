#pragma once
// The pictures of one run: which ones the writer could load.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace orvanta {

class clsPDFCreator;
struct CalendarOptions;

// Event pictures in load order; the index is the slot.
enum class EventPicture : std::size_t {
  ClockOn,
  ClockOff,
  Valentino,
  Primavera,
  Estate,
  Autunno,
  Halloween,
  Inverno,
  Pasqua,
  Befana,
  Natale,
  Ferragosto,
  Capodanno,
};
inline constexpr std::size_t kEventPictureCount = 13;
inline constexpr std::size_t kZodiacPictureCount = 12;

// Writer resource name of an event picture ("ImgBefana") and of zodiac sign
// 1..12 ("ImgZ1").
std::string_view EventPictureName(EventPicture picture);
std::string ZodiacPictureName(int sign);

struct PictureSlots {
  std::array<bool, kEventPictureCount> event{};
  std::array<bool, kZodiacPictureCount> zodiac{};
  bool top = false;     // "ImgTop", the custom header picture
  bool bottom = false;  // "ImgBottom", the custom footer picture

  bool Has(EventPicture picture) const { return event[static_cast<std::size_t>(picture)]; }
  bool HasZodiac(int sign) const { return zodiac[static_cast<std::size_t>(sign - 1)]; }
};

// The program's bitmap file number `number` ("<number>OV.bmp": 1 to 12 the
// zodiac signs, 13 to 25 the event pictures) as bytes; empty when it has
// none.
using PictureFiles = std::function<std::span<const std::uint8_t>(int number)>;

// Loads the event pictures 13 to 25 (with `greyLoad` for all but the two
// clocks) and records each result.
void LoadEventPictures(clsPDFCreator& writer, const PictureFiles& pictures, bool greyLoad,
                       PictureSlots& slots);

// Loads pictures 1 to 12 as "ImgZ1".."ImgZ12".
void LoadZodiacPictures(clsPDFCreator& writer, const PictureFiles& pictures, bool greyLoad,
                        PictureSlots& slots);

// Loads the custom header and footer pictures (always in colour); an empty
// path means no picture.
void LoadCustomPictures(clsPDFCreator& writer, const CalendarOptions& options, PictureSlots& slots);

}  // namespace orvanta
