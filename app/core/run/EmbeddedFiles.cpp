#include "app/core/run/EmbeddedFiles.h"

#include <string_view>

#include "app/core/platform/Folders.h"
#include "app/embedded/EmbeddedData.h"
#include "base/AtomicFile.h"

namespace orvanta {

namespace {

constexpr int kZodiacImageCount = 12;
constexpr int kEventImageCount = 13;
constexpr std::string_view kPictureSuffix = "OV.bmp";

// Writes embedded file `id` into `folder`; the path written, or empty.
std::string WriteEmbedded(int id, const std::string& folder, const EventPump& pump) {
  const std::string name = EmbeddedFileName(id);
  if (name.empty() || folder.empty()) return {};
  const std::string path = WithTrailingSlash(folder) + name;
  const std::span<const std::uint8_t> bytes = EmbeddedFile(id);
  const bool written = static_cast<bool>(ReplaceFile(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
  if (pump) pump();
  return written ? path : std::string();
}

}  // namespace

std::string EmbeddedFileName(int id) {
  if (id == kShiftGuideId) return kShiftGuideFileName;
  const int picture = id - (kFirstZodiacImageId - 1);
  if (picture >= 1 && picture <= kZodiacImageCount + kEventImageCount) {
    return std::to_string(picture) + std::string(kPictureSuffix);
  }
  return {};
}

std::span<const std::uint8_t> EmbeddedFile(int id) {
  const std::string name = EmbeddedFileName(id);
  if (name.empty()) return {};
  for (const embedded::EmbeddedBlob& blob : embedded::AllBlobs()) {
    if (blob.name == name) return blob.bytes;
  }
  return {};
}

ProgramPicture EmbeddedPictureSamples(int id) {
  const std::string name = EmbeddedFileName(id);
  if (name.empty()) return {};
  for (const embedded::EmbeddedPicture& picture : embedded::AllPictures()) {
    if (picture.name == name) {
      ProgramPicture samples;
      samples.rgb = picture.rgb;
      samples.grey = picture.grey;
      samples.width = picture.width;
      samples.height = picture.height;
      return samples;
    }
  }
  return {};
}

std::string WriteShiftGuide(const std::string& tempFolder, const EventPump& pump) {
  return WriteEmbedded(kShiftGuideId, tempFolder, pump);
}

std::string WriteShiftGuide() {
  return WriteShiftGuide(PrivateTempFolder());
}

}  // namespace orvanta
