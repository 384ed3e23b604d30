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

bool LoadPicture(clsPDFCreator& writer, const std::string& name, const ProgramPictures& pictures,
                 int number, int32_t colorSpace) {
  if (!pictures) return false;
  const ProgramPicture picture = pictures(number);
  if (picture.rgb.empty()) return writer.LoadImgFromBMPBytes(name, picture.bitmap, colorSpace);
  const std::span<const std::uint8_t> samples =
      colorSpace == kColorSpaceRgb ? picture.rgb : picture.grey;
  if (samples.empty()) return false;
  writer.LoadImgFromArray(name, samples, {}, picture.width, picture.height, 24, colorSpace);
  return true;
}

}  // namespace

std::string_view EventPictureName(EventPicture picture) {
  return kEventNames[static_cast<std::size_t>(picture)];
}

std::string ZodiacPictureName(int sign) {
  return "ImgZ" + std::to_string(sign);
}

void LoadEventPictures(clsPDFCreator& writer, const ProgramPictures& pictures, bool greyLoad,
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

void LoadZodiacPictures(clsPDFCreator& writer, const ProgramPictures& pictures, bool greyLoad,
                        PictureSlots& slots) {
  for (int sign = 1; sign <= static_cast<int>(kZodiacPictureCount); ++sign) {
    slots.zodiac[static_cast<std::size_t>(sign - 1)] =
        LoadPicture(writer, ZodiacPictureName(sign), pictures, sign,
                    greyLoad ? kColorSpaceGrey : kColorSpaceRgb);
  }
}

namespace {

// One user's picture under `name`: a bitmap as the writer reads it (stretched
// at drawing), a photo as prepared. Records a problem when there is none yet.
bool LoadUserPicture(clsPDFCreator& writer, const std::string& name, const std::string& path,
                     PictureBox box, const PicturePreparer& prepare, std::string& problem) {
  if (path.empty()) return false;
  const std::shared_ptr<const PreparedPicture> prepared = prepare ? prepare(path, box) : nullptr;
  if (!prepared || prepared->kind == PreparedPicture::Kind::Bitmap)
    return writer.LoadImgFromBMPFile(name, path, kColorSpaceRgb);
  if (prepared->kind == PreparedPicture::Kind::Photo) {
    writer.LoadImgFromEncoded(name, prepared->photo);
    return true;
  }
  if (problem.empty()) problem = "il file \"" + path + "\" " + prepared->problem;
  return false;
}

}  // namespace

std::string MonthHeaderPictureName(int month) {
  return "ImgTop" + std::to_string(month);
}

std::string LoadCustomPictures(clsPDFCreator& writer, const CalendarOptions& options,
                               const PicturePreparer& prepare, PictureSlots& slots) {
  std::string problem;
  slots.top =
      LoadUserPicture(writer, "ImgTop", options.CustomTopImage, kHeaderBox, prepare, problem);
  slots.bottom =
      LoadUserPicture(writer, "ImgBottom", options.CustomDownImage, kFooterBox, prepare, problem);
  for (std::size_t i = 0; i < options.CustomTopImages.size() && i < slots.monthTop.size(); ++i) {
    slots.monthTop[i] = LoadUserPicture(writer, MonthHeaderPictureName(static_cast<int>(i) + 1),
                                        options.CustomTopImages[i], kHeaderBox, prepare, problem);
  }
  slots.cover =
      LoadUserPicture(writer, "ImgCover", options.CoverImage, kCoverBox, prepare, problem);
  return problem;
}

}  // namespace orvanta
