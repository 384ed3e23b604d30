// A step of the build, never installed: decodes the program's own bitmaps
// with the writer's reader and writes their samples as a C++ source, so that
// a calendar run only copies them into the file.
//
//   orvanta_prepare_pictures OUTPUT.cpp [--colour-only] BITMAP...
//
// Each bitmap gets its RGB samples and, unless --colour-only stands before
// it, its grey ones (what a monochrome page loads). A bitmap the reader
// refuses gets no samples and a warning: the calendar leaves it out, as it
// would leave out a broken file.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/BmpReader.h"
#include "pdf/PdfConstants.h"

namespace {

using orvanta::BmpImage;

struct Request {
  std::filesystem::path file;
  bool grey = true;
};

std::vector<std::uint8_t> ReadWhole(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "constexpr std::uint8_t kName[] = {...};" with 20 bytes a line.
void AppendArray(std::string& out, const std::string& name, std::span<const std::uint8_t> bytes) {
  out += "constexpr std::uint8_t " + name + "[] = {";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out += i % 20 == 0 ? "\n" : " ";
    out += std::to_string(bytes[i]) + ",";
  }
  out += "\n};\n";
}

// Decodes `request` in `colorSpace`; false when the reader refuses the file.
bool Decode(const std::vector<std::uint8_t>& file, std::int32_t colorSpace, BmpImage& image,
            const Request& request) {
  if (!orvanta::DecodeBMP(file, colorSpace, image)) return false;
  // The table holds samples only; a palette would need a place of its own.
  if (image.ImgBPP != 24)
    throw std::runtime_error(request.file.string() + " is not a 24-bit bitmap");
  return true;
}

// The arrays of picture `index` and its row of the table.
void AppendPicture(std::string& arrays, std::string& table, const Request& request, int index) {
  const std::string name = request.file.filename().string();
  const std::vector<std::uint8_t> file = ReadWhole(request.file);
  BmpImage rgb;
  BmpImage grey;
  if (!Decode(file, orvanta::kColorSpaceRgb, rgb, request) ||
      (request.grey && !Decode(file, orvanta::kColorSpaceGrey, grey, request))) {
    std::fprintf(stderr, "warning: %s is not a usable bitmap; the calendar leaves it out\n",
                 request.file.c_str());
    table += "    {\"" + name + "\", {}, {}, 0, 0},\n";
    return;
  }
  const std::string id = std::to_string(index);
  arrays += "// " + name + "\n";
  AppendArray(arrays, "kRgb" + id, rgb.ImgBuf);
  std::string greySpan = "{}";
  if (request.grey) {
    AppendArray(arrays, "kGrey" + id, grey.ImgBuf);
    greySpan = "kGrey" + id;
  }
  arrays += "\n";
  table += "    {\"" + name + "\", kRgb" + id + ", " + greySpan + ", " +
           std::to_string(rgb.ImgWidth) + ", " + std::to_string(rgb.ImgHeight) + "},\n";
}

std::string Source(const std::vector<Request>& requests) {
  std::string arrays;
  std::string table;
  for (std::size_t i = 0; i < requests.size(); ++i) {
    AppendPicture(arrays, table, requests[i], static_cast<int>(i));
  }
  return "// Generated at build time from resources/ by orvanta_prepare_pictures. Do not edit.\n"
         "#include \"app/embedded/EmbeddedData.h\"\n\n"
         "namespace orvanta::embedded {\nnamespace {\n\n" +
         arrays + "constexpr EmbeddedPicture kPictures[] = {\n" + table +
         "};\n\n}  // namespace\n\n"
         "std::span<const EmbeddedPicture> AllPictures() { return kPictures; }\n\n"
         "}  // namespace orvanta::embedded\n";
}

// Written beside the output and renamed, so that a failed step leaves no
// half source that a later build would take as up to date.
void WriteSource(const std::filesystem::path& output, const std::string& source) {
  std::filesystem::path partial = output;
  partial += ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << source;
    if (!out.flush()) throw std::runtime_error("cannot write " + partial.string());
  }
  std::filesystem::rename(partial, output);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.cpp [--colour-only] BITMAP...\n", argv[0]);
    return 2;
  }
  std::vector<Request> requests;
  bool colourOnly = false;
  for (int i = 2; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--colour-only") {
      colourOnly = true;
      continue;
    }
    requests.push_back({argv[i], !colourOnly});
    colourOnly = false;
  }
  try {
    WriteSource(argv[1], Source(requests));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 1;
  }
  return 0;
}
