// The command-line parser on arbitrary argument lists (arguments separated by
// NUL bytes, as the kernel hands them over), once with a usable working folder
// and once with a deleted one. Every list gets one of the four answers; a run
// request carries only values the composer accepts and paths the user gave
// (their bytes, not necessarily UTF-8), and an error is one line that a
// terminal shows as it is.
#include <QList>
#include <QString>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/CommandLine.h"
#include "base/Version.h"
#include "tests/fuzz/FuzzTargets.h"

namespace orvanta::fuzz {
namespace {

constexpr char kAppFolder[] = "/opt/orvanta/";
constexpr char kDefaultOutput[] = "/tmp/Orvanta.pdf";
// 15 June 2031, 12:00 UTC: 2031 in every time zone.
constexpr std::time_t kClock = 1939291200;
constexpr int kClockYear = 2031;

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Qt's reading of UTF-8 text, after a letter: it drops a byte order mark
// that starts a text, which the command line keeps.
QString Text(const std::string& utf8) {
  return QString::fromUtf8("x" + utf8).mid(1);
}

bool IsUtf8(const std::string& bytes) {
  return Text(bytes).toUtf8().toStdString() == bytes;
}

// Files "exist" when they carry one of the extensions the program reads;
// folders when their name ends in "dir"; bitmaps are bad when "rle" is in
// their name.
bool FakeFileExists(const std::string& path) {
  return EndsWith(path, ".bmp") || EndsWith(path, ".dat") || EndsWith(path, ".txt");
}
bool FakeFolderExists(const std::string& path) {
  return EndsWith(path, "dir");
}
bool FakeBitmapUsable(const std::string& path) {
  return path.find("rle") == std::string::npos;
}

// One file, one name: without "./" components in front (after the "/" of an
// absolute path). What is left is still a part of what the user gave.
std::string FakeIdentity(std::string path) {
  const std::size_t at = path.starts_with('/') ? 1 : 0;
  while (path.compare(at, 2, "./") == 0) path.erase(at, 2);
  return path;
}
bool FakeSameFile(const std::string& a, const std::string& b) {
  return FakeFileExists(a) && FakeFileExists(b) && FakeIdentity(a) == FakeIdentity(b);
}

bool HasControlCharacter(std::string_view utf8) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  for (const QChar c : text) {
    if (c.category() == QChar::Other_Control) return true;
  }
  return false;
}

qsizetype CodePoints(const std::string& utf8) {
  return Text(utf8).toUcs4().size();
}

void CheckText(const std::string& text, qsizetype limit) {
  FUZZ_CHECK(IsUtf8(text));
  FUZZ_CHECK(CodePoints(text) <= limit);
  FUZZ_CHECK(!HasControlCharacter(text));
  FUZZ_CHECK(Text(text).trimmed().toStdString() == text);
}

// A path is the default or bytes the user gave; relative only when the
// working folder can resolve it.
void CheckPath(const std::string& path, std::string_view given, const std::string& byDefault,
               bool workingFolderUsable) {
  FUZZ_CHECK(!path.empty());
  FUZZ_CHECK(path == byDefault || given.find(FakeIdentity(path)) != std::string_view::npos);
  if (!workingFolderUsable) FUZZ_CHECK(path.front() == '/');
}

void CheckRequest(const CalendarJob& request, std::string_view given, bool usable) {
  const CalendarOptions& o = request.options;
  FUZZ_CHECK(o.Anno >= kFirstCommandLineYear && o.Anno <= kLastCommandLineYear);
  FUZZ_CHECK(given.find('y') != std::string_view::npos || o.Anno == kClockYear);  // -y2013 too
  FUZZ_CHECK(o.TextColor == 0x000000 || o.TextColor == 0xCD0000 || o.TextColor == 0x00A900);
  FUZZ_CHECK(o.CustomTopColor >= 0 && o.CustomTopColor <= 0xFFFFFF);
  FUZZ_CHECK(o.CustomDownColor >= 0 && o.CustomDownColor <= 0xFFFFFF);
  // The PDF, the iCalendar file, the CSV file or some of them (one may go to
  // standard output), never into one file.
  bool anyOutput = false;
  for (const JobOutput* output : {&request.pdf, &request.ics, &request.csv}) {
    FUZZ_CHECK(output->path.empty() || !output->toStandardOutput);
    anyOutput = anyOutput || !output->path.empty() || output->toStandardOutput;
  }
  FUZZ_CHECK(anyOutput);
  std::vector<std::string> outputs;
  if (!request.pdf.path.empty()) {
    CheckPath(request.pdf.path, given, kDefaultOutput, usable);
    outputs.push_back(request.pdf.path);
  }
  if (!request.ics.path.empty()) {
    CheckPath(request.ics.path, given, "", usable);
    outputs.push_back(request.ics.path);
  }
  for (const std::string& output : outputs)
    FUZZ_CHECK(!EndsWith(output, "/") && !FakeFolderExists(output));
  FUZZ_CHECK(outputs.size() < 2 || outputs[0] != outputs[1]);
  FUZZ_CHECK(!request.openViewer || !request.pdf.path.empty());
  CheckText(o.CustomTopText, kHeaderTextLimit);
  CheckText(o.CustomDownText, kFooterTextLimit);
  // A text or a picture, and a picture only when the reader takes its file.
  FUZZ_CHECK(o.CustomTopText.empty() || o.CustomTopImage.empty());
  FUZZ_CHECK(o.CustomDownText.empty() || o.CustomDownImage.empty());
  std::vector<std::string> inputs;
  for (const std::string* image : {&o.CustomTopImage, &o.CustomDownImage}) {
    if (image->empty()) continue;
    CheckPath(*image, given, "", usable);
    FUZZ_CHECK(FakeFileExists(*image) && FakeBitmapUsable(*image));
    inputs.push_back(*image);
  }
  // Notes and shifts only from files that exist.
  if (o.NotePersonali) {
    CheckPath(request.notesFile, given, std::string(kAppFolder) + "Notes.dat", usable);
    FUZZ_CHECK(FakeFileExists(request.notesFile));
    inputs.push_back(request.notesFile);
  }
  if (o.Turno) {
    CheckPath(request.shiftFile, given, std::string(kAppFolder) + "Turno.txt", usable);
    FUZZ_CHECK(FakeFileExists(request.shiftFile));
    inputs.push_back(request.shiftFile);
  }
  // Nothing is written over a file the run reads.
  for (const std::string& output : outputs) {
    for (const std::string& input : inputs) FUZZ_CHECK(!FakeSameFile(output, input));
  }
}

void CheckResult(const CommandLineResult& result, std::string_view given, bool usable) {
  switch (result.action) {
    case CommandLineResult::Action::Run:
      CheckRequest(result.request, given, usable);
      break;
    case CommandLineResult::Action::Import:
      // Files the user named, and the notes file never a folder.
      FUZZ_CHECK(!result.import.inputFiles.empty());
      for (const std::string& file : result.import.inputFiles) CheckPath(file, given, "", usable);
      CheckPath(result.import.notesFile, given, std::string(kAppFolder) + "Notes.dat", usable);
      FUZZ_CHECK(!EndsWith(result.import.notesFile, "/") &&
                 !FakeFolderExists(result.import.notesFile));
      break;
    case CommandLineResult::Action::Help:
      FUZZ_CHECK(result.text.starts_with("Uso: orvanta"));
      break;
    case CommandLineResult::Action::Version:
      FUZZ_CHECK(result.text == "Orvanta " + std::string(kVersion) + "\n");
      break;
    case CommandLineResult::Action::Error:
      FUZZ_CHECK(result.text.starts_with("orvanta: "));
      FUZZ_CHECK(IsUtf8(result.text));
      FUZZ_CHECK(!HasControlCharacter(result.text));
      break;
  }
}

}  // namespace

int FuzzCommandLine(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments{"/opt/orvanta/orvanta"};
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  while (start <= bytes.size() && !bytes.empty()) {
    std::size_t end = bytes.find('\0', start);
    if (end == std::string_view::npos) end = bytes.size();
    arguments.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }

  for (const bool usable : {true, false}) {
    CommandLineContext context;
    context.appFolder = kAppFolder;
    context.tempFolder = "/tmp/";
    context.workingFolderUsable = usable;
    context.fileExists = FakeFileExists;
    context.folderExists = FakeFolderExists;
    context.sameFile = FakeSameFile;
    context.bitmapUsable = FakeBitmapUsable;
    context.clock = [] { return kClock; };
    CheckResult(ParseCommandLine(arguments, context), bytes, usable);
  }
  return 0;
}

}  // namespace orvanta::fuzz
