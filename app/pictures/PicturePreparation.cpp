#include "app/pictures/PicturePreparation.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <new>
#include <tuple>

#include "app/pictures/JpegReader.h"
#include "app/pictures/PictureEncoding.h"
#include "app/pictures/PictureKind.h"
#include "app/pictures/PngReader.h"
#include "base/FileReading.h"
#include "pdf/BmpReader.h"

namespace orvanta {
namespace {

constexpr std::size_t kPictureHeadBytes = 512;
constexpr std::size_t kMostPictureFileBytes = std::size_t{256} << 20;

PreparedPicture Unusable(const std::string& why) {
  PreparedPicture prepared;
  prepared.kind = PreparedPicture::Kind::Unusable;
  prepared.problem = why;
  return prepared;
}

// The file's own JPEG bytes, when its pixels went through unchanged.
EncodedImage AsTheyAre(std::span<const std::uint8_t> file, const Raster& raster) {
  EncodedImage image;
  image.filter = ImageFilter::Dct;
  image.width = raster.width;
  image.height = raster.height;
  image.grey = raster.channels == 1;
  image.data.assign(file.begin(), file.end());
  return image;
}

}  // namespace

PreparedPicture PreparePictureBytes(std::span<const std::uint8_t> file, PictureBox box) {
  const PictureKind kind = KindOfPicture(file.first(std::min(file.size(), kPictureHeadBytes)));
  if (kind == PictureKind::Bitmap) return {};
  if (const std::string why = UnsupportedKindProblem(kind); !why.empty()) return Unusable(why);
  const PrintBox printBox{box.width, box.height};
  try {
    PreparedPicture prepared;
    prepared.kind = PreparedPicture::Kind::Photo;
    if (kind == PictureKind::Jpeg) {
      const FittedPicture fitted = FitJpeg(file, printBox);
      prepared.photo =
          fitted.untouched ? AsTheyAre(file, fitted.raster) : EncodeAsJpeg(fitted.raster);
    } else {
      prepared.photo = EncodeLossless(FitPng(file, printBox).raster);
    }
    return prepared;
  } catch (const PictureError& error) {
    return Unusable(error.what());
  } catch (const std::bad_alloc&) {
    return Unusable("è troppo grande per la memoria disponibile");
  }
}

PreparedPicture PreparePictureFile(const std::string& path, PictureBox box) {
  // The kind first, from the head alone: a bitmap is the writer's to read
  // (in pieces), however large its file claims to be.
  std::string head;
  FileResult read;
  {
    const FileDescriptor fd = OpenForReading(path, read);
    if (read) read = ReadBoundedAt(fd.Get(), 0, kPictureHeadBytes, path, head);
    if (read.status == FileStatus::TooLarge) read = FileResult::Success();
  }
  const auto bytes = [](const std::string& b) {
    return std::span(reinterpret_cast<const std::uint8_t*>(b.data()), b.size());
  };
  if (read && KindOfPicture(bytes(head)) == PictureKind::Bitmap) return {};
  std::string file;
  if (read) read = ReadBounded(path, kMostPictureFileBytes, file);
  if (read.status == FileStatus::TooLarge) {
    return Unusable("supera i " + std::to_string(kMostPictureFileBytes >> 20) +
                    " MB che un'immagine può occupare");
  }
  if (!read) return Unusable("non si può leggere (" + read.Describe() + ")");
  return PreparePictureBytes(bytes(file), box);
}

PicturePreparer RememberingPreparer() {
  using Key = std::tuple<std::string, float, float>;
  auto kept = std::make_shared<std::map<Key, std::shared_ptr<const PreparedPicture>>>();
  return [kept](const std::string& path, PictureBox box) {
    auto& slot = (*kept)[Key{path, box.width, box.height}];
    if (!slot) slot = std::make_shared<const PreparedPicture>(PreparePictureFile(path, box));
    return slot;
  };
}

std::vector<std::string> PicturesInFolder(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::string name = entry.path().filename().string();
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    for (const char* ending : {".jpg", ".jpeg", ".png", ".bmp"}) {
      if (lower.ends_with(ending) && !entry.is_directory(error)) {
        names.push_back(std::move(name));
        break;
      }
    }
  }
  std::sort(names.begin(), names.end());
  const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
  for (std::string& name : names) name.insert(0, prefix);
  return names;
}

std::string PictureProblem(const PicturePreparer& prepare, const std::string& path,
                           PictureBox box) {
  const std::shared_ptr<const PreparedPicture> prepared = prepare(path, box);
  switch (prepared->kind) {
    case PreparedPicture::Kind::Photo:
      return {};
    case PreparedPicture::Kind::Unusable:
      return prepared->problem;
    case PreparedPicture::Kind::Bitmap:
      break;
  }
  bool usable = false;
  try {
    usable = IsUsableBMP(path);
  } catch (const std::exception&) {
  }
  return usable ? std::string() : "non è una bitmap che il programma sa leggere";
}

}  // namespace orvanta
