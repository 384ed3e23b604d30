#pragma once
// The pictures of one run: which ones the writer could load.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "calendar/EventPicture.h"
#include "pdf/EncodedImage.h"

namespace orvanta {

class clsPDFCreator;
struct CalendarOptions;

inline constexpr std::size_t kZodiacPictureCount = 12;

// Writer resource name of an event picture ("ImgBefana") and of zodiac sign
// 1..12 ("ImgZ1").
std::string_view EventPictureName(EventPicture picture);
std::string ZodiacPictureName(int sign);

// Where the user's pictures go on the page, centimetres: a photo is cut to
// the place's shape, a bitmap stretched to it.
struct PictureBox {
  float width;
  float height;
};
inline constexpr PictureBox kHeaderBox{21, 2.5f};
inline constexpr PictureBox kFooterBox{10, 1.2f};
inline constexpr PictureBox kCoverBox{21, 24.7f};  // the cover page above its white band

// A user's picture file as the application prepared it for its box.
struct PreparedPicture {
  enum class Kind {
    Bitmap,    // a Windows bitmap: the writer reads the file itself, as ever
    Photo,     // a JPEG or PNG, fitted and compressed in `photo`
    Unusable,  // `problem` says why
  };
  Kind kind = Kind::Bitmap;
  EncodedImage photo;
  std::string problem;  // in Italian words that follow the file's name
};
// Prepares the picture file at `path` for `box`; empty in a run that knows
// only bitmaps.
using PicturePreparer =
    std::function<std::shared_ptr<const PreparedPicture>(const std::string& path, PictureBox box)>;

struct PictureSlots {
  std::array<bool, kEventPictureCount> event{};
  std::array<bool, kZodiacPictureCount> zodiac{};
  bool top = false;                 // "ImgTop", the custom header picture
  bool bottom = false;              // "ImgBottom", the custom footer picture
  std::array<bool, 12> monthTop{};  // "ImgTop1".."ImgTop12", a header picture per month
  bool cover = false;               // "ImgCover", the cover photo

  bool Has(EventPicture picture) const { return event[static_cast<std::size_t>(picture)]; }
  bool HasZodiac(int sign) const { return zodiac[static_cast<std::size_t>(sign - 1)]; }
};

// One of the program's own pictures as the writer takes it: samples decoded
// when the program was built (rows bottom-up, RGB and, for a monochrome page,
// grey), or else a bitmap file for the writer to decode. Nothing at all, or
// the samples a page asks for missing: no picture.
struct ProgramPicture {
  std::span<const std::uint8_t> rgb;   // width * height * 3 bytes
  std::span<const std::uint8_t> grey;  // width * height bytes
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::span<const std::uint8_t> bitmap;  // used when there are no samples
};

// The program's picture number `number` ("<number>OV.bmp": 1 to 12 the
// zodiac signs, 13 to 25 the event pictures).
using ProgramPictures = std::function<ProgramPicture(int number)>;

// Loads the event pictures 13 to 25 (with `greyLoad` for all but the two
// clocks) and records each result.
void LoadEventPictures(clsPDFCreator& writer, const ProgramPictures& pictures, bool greyLoad,
                       PictureSlots& slots);

// Loads pictures 1 to 12 as "ImgZ1".."ImgZ12".
void LoadZodiacPictures(clsPDFCreator& writer, const ProgramPictures& pictures, bool greyLoad,
                        PictureSlots& slots);

// Loads the custom header and footer pictures (always in colour); an empty
// path means no picture. Without a preparer every picture is a bitmap.
// Answers why a picture could not be used (the first such), or nothing.
std::string LoadCustomPictures(clsPDFCreator& writer, const CalendarOptions& options,
                               const PicturePreparer& prepare, PictureSlots& slots);

// Writer resource name of month 1..12's header picture ("ImgTop1").
std::string MonthHeaderPictureName(int month);

}  // namespace orvanta
