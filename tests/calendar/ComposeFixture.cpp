#include "ComposeFixture.h"

#include <atomic>
#include <cstdint>
#include <fstream>

#include "PdfPages.h"

namespace orvanta::test {
namespace fs = std::filesystem;

namespace {

std::tm FixedClock() {
  std::tm t{};
  t.tm_year = 2013 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 1;
  t.tm_hour = 12;
  return t;
}

void Put(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

CalendarOptions AllOptions() {
  return CalendarOptions{};
}

void ComposeFixture::SetUp() {
  static std::atomic<int> counter{0};
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir = fs::temp_directory_path() /
        ("orvanta-cal-" + std::string(info->name()) + "-" + std::to_string(counter++));
  fs::remove_all(dir);
  fs::create_directories(dir / "pictures");
  output = (dir / "Orvanta.pdf").string();
  env.outputFile = output;
  env.pictureFolder = (dir / "pictures").string() + "/";
  env.shiftFile = (dir / "Turno.txt").string();
  env.loadNotes = [this](int) { return notes; };
  env.openViewer = [this](const std::string&) { ++viewerCalls; };
  env.clock = FixedClock;
}

void ComposeFixture::TearDown() {
  std::error_code ignored;
  if (!HasFailure()) fs::remove_all(dir, ignored);
}

void ComposeFixture::CopyPictures() {
  for (int n = 1; n <= 25; ++n) {
    const std::string name = std::to_string(n) + "OV.bmp";
    fs::copy_file(fs::path(ORVANTA_SOURCE_DIR) / "resources" / name, dir / "pictures" / name,
                  fs::copy_options::overwrite_existing);
  }
}

void ComposeFixture::WritePicture(int number, int width, int height) {
  std::ofstream out(dir / "pictures" / (std::to_string(number) + "OV.bmp"), std::ios::binary);
  const auto stride = static_cast<uint32_t>((width * 3 + 3) / 4 * 4);
  const uint32_t size = stride * static_cast<uint32_t>(height);
  out << "BM";
  Put(out, 54 + size, 4);
  Put(out, 0, 4);
  Put(out, 54, 4);
  Put(out, 40, 4);
  Put(out, static_cast<uint32_t>(width), 4);
  Put(out, static_cast<uint32_t>(height), 4);
  Put(out, 1, 2);
  Put(out, 24, 2);
  for (int i = 0; i < 6; ++i) Put(out, 0, 4);
  for (uint32_t i = 0; i < size; ++i) out.put(static_cast<char>(i % 251));
}

void ComposeFixture::WriteShiftFile(const std::string& content) {
  std::ofstream(env.shiftFile, std::ios::binary) << content;
}

std::string ComposeFixture::Compose(int16_t year, const CalendarOptions& options) {
  outcome = ComposeCalendar(year, options, env);
  EXPECT_TRUE(outcome.Written()) << outcome.detail;
  return ReadFileBytes(output);
}

}  // namespace orvanta::test
