#include "ComposeFixture.h"

#include "almanac/ShiftCycle.h"
#include "base/AtomicFile.h"
#include "calendar/YearRanges.h"
#include "tests/support/TestBitmaps.h"

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

}  // namespace

ComposeOutcome ComposeCalendar(const CalendarOptions& options, const ComposeEnvironment& env) {
  ComposeOutcome outcome;
  const int year = options.Anno;
  if (!kComposableYears.Contains(year)) return outcome;
  ShiftCycle shifts = options.Turno ? LoadShiftCycle(env.shiftFile) : ShiftCycle{};
  std::vector<NoteEntry> notes;
  if (options.NotePersonali && env.loadNotes) notes = env.loadNotes(year);
  const PreparedYear prepared = PrepareYear(options, std::move(notes), std::move(shifts));
  outcome.shiftUnusable = prepared.shiftUnusable;
  outcome.textColor = prepared.options.TextColor;
  std::unique_ptr<AtomicFile> file;
  if (const FileResult created = AtomicFile::Create(env.outputFile, file); !created) {
    outcome.status = ComposeOutcome::Status::NotOpened;
    outcome.detail = created.Describe();
    outcome.notice = clsPDFCreator::OpenFailureText(created);
    return outcome;
  }
  const orvanta::ComposeOutcome composed = orvanta::ComposeCalendar(
      prepared, env, [&](std::string_view bytes) { return file->Write(bytes); });
  outcome.detail = composed.detail;
  if (composed.status == orvanta::ComposeOutcome::Status::Cancelled) {
    outcome.status = ComposeOutcome::Status::Cancelled;
    return outcome;
  }
  if (!composed.Written()) return outcome;
  if (const FileResult committed = file->Commit(); !committed) {
    outcome.detail = committed.Describe();
    return outcome;
  }
  if (env.openViewer) env.openViewer(env.outputFile);
  outcome.status = ComposeOutcome::Status::Written;
  return outcome;
}

CalendarOptions AllOptions() {
  return CalendarOptions{};
}

void ComposeFixture::SetUp() {
  fs::create_directory(dir / "pictures");
  output = (dir / "Orvanta.pdf").string();
  env.outputFile = output;
  env.pictures = [this](int number) -> ProgramPicture {
    const fs::path path = dir / "pictures" / (std::to_string(number) + "OV.bmp");
    if (!fs::exists(path)) return {};
    const std::string& bytes = pictureBytes[number] = ReadFile(path);
    ProgramPicture picture;
    picture.bitmap = {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    return picture;
  };
  env.shiftFile = (dir / "Turno.txt").string();
  env.loadNotes = [this](int) { return notes; };
  env.openViewer = [this](const std::string&) { ++viewerCalls; };
  env.clock = FixedClock;
}

void ComposeFixture::TearDown() {
  if (HasFailure()) folder_.Keep();
}

void ComposeFixture::CopyPictures() {
  for (int n = 1; n <= 25; ++n) {
    const std::string name = std::to_string(n) + "OV.bmp";
    fs::copy_file(fs::path(ORVANTA_SOURCE_DIR) / "resources" / name, dir / "pictures" / name,
                  fs::copy_options::overwrite_existing);
  }
}

void ComposeFixture::WritePicture(int number, int width, int height) {
  WriteFile(dir / "pictures" / (std::to_string(number) + "OV.bmp"), Bitmap24(width, height));
}

void ComposeFixture::WriteShiftFile(const std::string& content) {
  WriteFile(env.shiftFile, content);
}

std::string ComposeFixture::Compose(int16_t year, const CalendarOptions& options) {
  CalendarOptions ofYear = options;
  ofYear.Anno = year;
  outcome = ComposeCalendar(ofYear, env);
  EXPECT_TRUE(outcome.Written()) << outcome.detail;
  return ReadFile(output);
}

}  // namespace orvanta::test
