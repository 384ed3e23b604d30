#include "app/core/EmbeddedFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

#include "app/core/Folders.h"
#include "app/embedded/EmbeddedData.h"
#include "base/AtomicFile.h"

namespace orvanta {

namespace {

constexpr int kZodiacImageCount = 12;
constexpr int kEventImageCount = 13;
constexpr std::string_view kExtractedSuffix = "OV.bmp";

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

bool WriteRange(int firstId, int count, const std::string& folder, const EventPump& pump) {
  for (int id = firstId; id < firstId + count; ++id) {
    if (WriteEmbedded(id, folder, pump).empty()) return false;
  }
  return true;
}

bool IsExtractedImageName(std::string_view name) {
  return name.ends_with(kExtractedSuffix);
}

}  // namespace

std::string EmbeddedFileName(int id) {
  if (id == kShiftGuideId) return kShiftGuideFileName;
  const int picture = id - (kFirstZodiacImageId - 1);
  if (picture >= 1 && picture <= kZodiacImageCount + kEventImageCount) {
    return std::to_string(picture) + std::string(kExtractedSuffix);
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

bool ExtractZodiacImages(const std::string& folder, const EventPump& pump) {
  return WriteRange(kFirstZodiacImageId, kZodiacImageCount, folder, pump);
}

bool ExtractZodiacImages() {
  return ExtractZodiacImages(AppFolder());
}

bool ExtractEventImages(const std::string& folder, const EventPump& pump) {
  return WriteRange(kFirstEventImageId, kEventImageCount, folder, pump);
}

bool ExtractEventImages() {
  return ExtractEventImages(AppFolder());
}

void DeleteExtractedImages(const std::string& folder) {
  if (folder.empty()) return;
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) return;
  DIR* listing = ::fdopendir(folderFd);
  if (listing == nullptr) {
    ::close(folderFd);
    return;
  }
  // Relative to the open folder, so a folder renamed meanwhile changes nothing.
  while (const dirent* entry = ::readdir(listing)) {
    if (!IsExtractedImageName(entry->d_name)) continue;
    struct stat info {};
    if (::fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode)) {
      ::unlinkat(folderFd, entry->d_name, 0);
    }
  }
  ::closedir(listing);  // also closes folderFd
}

void DeleteExtractedImages() {
  DeleteExtractedImages(AppFolder());
}

std::string WriteShiftGuide(const std::string& tempFolder, const EventPump& pump) {
  return WriteEmbedded(kShiftGuideId, tempFolder, pump);
}

std::string WriteShiftGuide() {
  return WriteShiftGuide(PrivateTempFolder());
}

}  // namespace orvanta
