#include "calendar/PictureSlots.h"

#include "calendar/CalendarOptions.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr std::array<std::string_view, kEventPictureCount> kEventNames = {
    "ImgClockOn", "ImgClockOff",   "ImgValentino", "ImgPrimavera", "ImgEstate",
    "ImgAutunno", "ImgHalloween",  "ImgInverno",   "ImgPasqua",    "ImgBefana",
    "ImgNatale",  "ImgFerragosto", "ImgCapodanno"};

// Event picture i is file "<i + 13>OV.bmp"; zodiac sign n is "<n>OV.bmp".
constexpr int kFirstEventFile = 13;

bool LoadPicture(clsPDFCreator& writer, const std::string& name, const PictureFiles& pictures,
                 int number, int32_t colorSpace) {
  const std::span<const std::uint8_t> file =
      pictures ? pictures(number) : std::span<const std::uint8_t>{};
  return writer.LoadImgFromBMPBytes(name, file, colorSpace);
}

}  // namespace

std::string_view EventPictureName(EventPicture picture) {
  return kEventNames[static_cast<std::size_t>(picture)];
}

std::string ZodiacPictureName(int sign) {
  return "ImgZ" + std::to_string(sign);
}

void LoadEventPictures(clsPDFCreator& writer, const PictureFiles& pictures, bool greyLoad,
                       PictureSlots& slots) {
  for (std::size_t i = 0; i < kEventPictureCount; ++i) {
    const auto picture = static_cast<EventPicture>(i);
    // The clocks stay in colour even on a monochrome page.
    const bool clock = picture == EventPicture::ClockOn || picture == EventPicture::ClockOff;
    const int32_t colorSpace = (greyLoad && !clock) ? kColorSpaceGrey : kColorSpaceRgb;
    slots.event[i] = LoadPicture(writer, std::string(kEventNames[i]), pictures,
                                 kFirstEventFile + static_cast<int>(i), colorSpace);
  }
}

void LoadZodiacPictures(clsPDFCreator& writer, const PictureFiles& pictures, bool greyLoad,
                        PictureSlots& slots) {
  for (int sign = 1; sign <= static_cast<int>(kZodiacPictureCount); ++sign) {
    slots.zodiac[static_cast<std::size_t>(sign - 1)] =
        LoadPicture(writer, ZodiacPictureName(sign), pictures, sign,
                    greyLoad ? kColorSpaceGrey : kColorSpaceRgb);
  }
}

void LoadCustomPictures(clsPDFCreator& writer, const CalendarOptions& options,
                        PictureSlots& slots) {
  slots.top = false;
  slots.bottom = false;
  if (!options.CustomTopImage.empty()) {
    slots.top = writer.LoadImgFromBMPFile("ImgTop", options.CustomTopImage, kColorSpaceRgb);
  }
  if (!options.CustomDownImage.empty()) {
    slots.bottom = writer.LoadImgFromBMPFile("ImgBottom", options.CustomDownImage, kColorSpaceRgb);
  }
}

}  // namespace orvanta
