// The command-line parser on arbitrary argument lists (arguments separated by
// NUL bytes, as the kernel hands them over). Every list gets one of the four
// answers; a run request carries only values the composer accepts, and an
// error is one line that a terminal shows as it is.
#include <QStringList>
#include <string_view>

#include "almanac/Text.h"
#include "app/cli/CommandLine.h"
#include "tests/fuzz/FuzzTargets.h"

namespace orvanta::fuzz {
namespace {

constexpr char kAppFolder[] = "/opt/orvanta/";

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Files "exist" when they carry one of the extensions the program reads.
bool FakeFileExists(const std::string& path) {
  return EndsWith(path, ".bmp") || EndsWith(path, ".dat") || EndsWith(path, ".txt");
}

bool HasControlCharacter(std::string_view utf8) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  for (const QChar c : text) {
    if (c.category() == QChar::Other_Control) return true;
  }
  return false;
}

qsizetype CodePoints(const std::string& utf8) {
  return QString::fromStdString(utf8).toUcs4().size();
}

void CheckText(const std::string& text, qsizetype limit) {
  FUZZ_CHECK(IsValidUtf8(text));
  FUZZ_CHECK(CodePoints(text) <= limit);
  FUZZ_CHECK(!HasControlCharacter(text));
  FUZZ_CHECK(QString::fromStdString(text).trimmed().toStdString() == text);
}

void CheckPath(const std::string& path) {
  FUZZ_CHECK(!path.empty() && path.front() == '/');
  FUZZ_CHECK(IsValidUtf8(path));
}

void CheckRequest(const CalendarRequest& request) {
  const CalendarOptions& o = request.options;
  FUZZ_CHECK(o.Anno >= kFirstCommandLineYear && o.Anno <= kLastCommandLineYear);
  FUZZ_CHECK(o.TextColor == 0x000000 || o.TextColor == 0xCD0000 || o.TextColor == 0x00A900);
  FUZZ_CHECK(o.CustomTopColor >= 0 && o.CustomTopColor <= 0xFFFFFF);
  FUZZ_CHECK(o.CustomDownColor >= 0 && o.CustomDownColor <= 0xFFFFFF);
  CheckPath(request.outputFile);
  CheckText(o.CustomTopText, kHeaderTextLimit);
  CheckText(o.CustomDownText, kFooterTextLimit);
  // A text or a picture, and a picture only when its file exists.
  FUZZ_CHECK(o.CustomTopText.empty() || o.CustomTopImage.empty());
  FUZZ_CHECK(o.CustomDownText.empty() || o.CustomDownImage.empty());
  for (const std::string* image : {&o.CustomTopImage, &o.CustomDownImage}) {
    if (image->empty()) continue;
    CheckPath(*image);
    FUZZ_CHECK(FakeFileExists(*image));
  }
  // Notes and shifts only from files that exist.
  if (o.NotePersonali) FUZZ_CHECK(FakeFileExists(request.notesFile));
  if (o.Turno) FUZZ_CHECK(FakeFileExists(request.shiftFile));
}

}  // namespace

int FuzzCommandLine(const std::uint8_t* data, std::size_t size) {
  QStringList arguments{QStringLiteral("/opt/orvanta/orvanta")};
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  while (start <= bytes.size() && !bytes.empty()) {
    std::size_t end = bytes.find('\0', start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view argument = bytes.substr(start, end - start);
    arguments << QString::fromUtf8(argument.data(), static_cast<qsizetype>(argument.size()));
    start = end + 1;
  }

  CommandLineContext context;
  context.appFolder = kAppFolder;
  context.tempFolder = "/tmp/";
  context.currentFolder = "/home/anna";
  context.fileExists = FakeFileExists;
  const CommandLineResult result = ParseCommandLine(arguments, context);

  switch (result.action) {
    case CommandLineResult::Action::Run:
      CheckRequest(result.request);
      break;
    case CommandLineResult::Action::Help:
      FUZZ_CHECK(result.text.starts_with("Uso: orvanta"));
      break;
    case CommandLineResult::Action::Version:
      FUZZ_CHECK(result.text == "Orvanta 3.0.1\n");
      break;
    case CommandLineResult::Action::Error:
      FUZZ_CHECK(result.text.starts_with("orvanta: "));
      FUZZ_CHECK(IsValidUtf8(result.text));
      FUZZ_CHECK(!HasControlCharacter(result.text));
      break;
  }
  return 0;
}

}  // namespace orvanta::fuzz
