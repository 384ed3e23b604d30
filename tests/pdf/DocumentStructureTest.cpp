// File head, pages, resources, page tree, cross-reference table and trailer,
// and the opening of the output file.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <iterator>

#include "PdfTestSupport.h"

namespace orvanta::test {
namespace {

constexpr const char* kInfoAndCatalog =
    "%PDF-1.3\r\n"
    "1 0 obj\r\n"
    "<<\r/Title (T)\r/Author (Orvanta)\r/Creator  (Orvanta 2012 by OT)\r"
    "/Producer (Orvanta PDF writer 2012, Orvanta Team)\r"
    "/CreationDate (D:20130102030405+01'00')\r>>\r\n"
    "endobj\r\n"
    "2 0 obj\r\n"
    "<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r"
    "/Lang (it) \r/ViewerPreferences << /HideToolbar false /DisplayDocTitle true "
    "/HideWindowUI false >>\r>>\r\n"
    "endobj\r\n";

// Every cross-reference entry is 20 bytes and points at "N 0 obj".
void ExpectXrefConsistent(const std::string& file) {
  const size_t start = std::stoul(file.substr(file.rfind("startxref\r") + 10));
  ASSERT_EQ(file.compare(start, 6, "xref\r\n"), 0);
  size_t at = start + 6;
  const size_t countEnd = file.find("\r\n", at);
  const int count = std::stoi(file.substr(at + 2, countEnd - at - 2));
  at = countEnd + 2;
  EXPECT_EQ(file.substr(at, 20), "0000000000 65535 f\r\n");
  for (int n = 1; n < count; ++n) {
    const std::string entry = file.substr(at + 20 * static_cast<size_t>(n), 20);
    ASSERT_EQ(entry.substr(10), " 00000 n\r\n");
    ASSERT_TRUE(std::all_of(entry.begin(), entry.begin() + 10, ::isdigit)) << entry;
    const size_t offset = std::stoul(entry.substr(0, 10));
    EXPECT_EQ(file.compare(offset, std::to_string(n).size() + 6, std::to_string(n) + " 0 obj"), 0)
        << "object " << n;
  }
  EXPECT_EQ(file.compare(at + 20 * static_cast<size_t>(count), 7, "trailer"), 0);
}

TEST(DocumentStructure, EmptyDocumentByteForByte) {
  TempFolder dir;
  Writer w(dir / "empty.pdf");
  w.pdf.Title("T");
  ASSERT_TRUE(w.Open());
  w.pdf.ClosePDFFile();
  // Offsets counted by hand: object 1 at 10, 2 at 184, 4 at 376, 3 at 423, xref at 548.
  const std::string expected =
      std::string(kInfoAndCatalog) +
      "4 0 obj\r\n"
      "<<\r/ProcSet [/PDF /Text ]\r>>\r\n"
      "endobj\r\n"
      "3 0 obj\r\n"
      "<<\r/Type /Pages\r/Count 0\r/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r\r"
      "/Kids [ ]\r/Resources 4 0 R\r>>\r\n"
      "endobj\r\n"
      "xref\r\n"
      "0 5\r\n"
      "0000000000 65535 f\r\n"
      "0000000010 00000 n\r\n"
      "0000000184 00000 n\r\n"
      "0000000423 00000 n\r\n"
      "0000000376 00000 n\r\n"
      "trailer\r<<\r/Size 5\r/Info 1 0 R\r/Root 2 0 R\r>>\r\n"
      "startxref\r548\r\n"
      "%%EOF\r\r\n";
  EXPECT_EQ(ReadFile(w.file), expected);
  EXPECT_TRUE(w.messages.empty());
}

// Files written at once under UTC, under Italy's rule and half an hour behind
// (rules, so that no time-zone database is needed) name the same instant.
TEST(DocumentStructure, CreationDateNamesTheSameInstantInEveryTimeZone) {
  TempFolder dir;
  const char* saved = std::getenv("TZ");
  const std::string previous = saved != nullptr ? saved : "";
  std::vector<std::time_t> instants;
  for (const char* zone : {"UTC0", "CET-1CEST,M3.5.0,M10.5.0/3", "NST3:30"}) {
    ::setenv("TZ", zone, 1);
    ::tzset();
    Writer w(dir / "zone.pdf");
    w.pdf.SetClock(nullptr);  // the local time now
    EXPECT_TRUE(w.Open());
    w.pdf.ClosePDFFile();
    const std::string text = ReadFile(w.file);
    std::string date = text.substr(text.find("/CreationDate (D:") + 17, 20);  // ...+01'00
    date[17] = ':';
    std::tm t{};
    ::strptime(date.c_str(), "%Y%m%d%H%M%S%z", &t);
    const long offset = t.tm_gmtoff;
    instants.push_back(::timegm(&t) - offset);
  }
  saved != nullptr ? ::setenv("TZ", previous.c_str(), 1) : ::unsetenv("TZ");
  ::tzset();
  EXPECT_LE(*std::ranges::max_element(instants) - *std::ranges::min_element(instants), 4);
}

TEST(DocumentStructure, PageObjectsStreamLengthAndTree) {
  TempFolder dir;
  Writer w(dir / "pages.pdf");
  w.pdf.Title("T");
  ASSERT_TRUE(w.Open());
  EXPECT_EQ(w.pdf.BeginPage(), 1);
  w.pdf.MoveTo(1, 2);
  w.pdf.EndPage();
  EXPECT_EQ(w.pdf.BeginPage(), 2);
  w.pdf.EndPage();
  EXPECT_EQ(w.pdf.Pages(), 2);
  w.pdf.ClosePDFFile();
  const std::string file = ReadFile(w.file);
  const std::string pages =
      "5 0 obj\r\n"
      "<<\r/Type /Page\r/Parent 3 0 R\r/Contents 6 0 R\r>>\r\n"
      "endobj\r\n"
      "6 0 obj\r\n"
      "<< /Length 7 0 R >>\rstream\r\n"
      "1 2 m\r\n"
      "endstream\r\n"
      "endobj\r\n"
      "7 0 obj\r\n"
      "7\r\n"
      "endobj\r\n"
      "8 0 obj\r\n"
      "<<\r/Type /Page\r/Parent 3 0 R\r/Contents 9 0 R\r>>\r\n"
      "endobj\r\n"
      "9 0 obj\r\n"
      "<< /Length 10 0 R >>\rstream\r\n"
      "endstream\r\n"
      "endobj\r\n"
      "10 0 obj\r\n"
      "0\r\n"
      "endobj\r\n";
  EXPECT_EQ(file.substr(std::string(kInfoAndCatalog).size(), pages.size()), pages);
  EXPECT_NE(file.find("/Count 2\r"), std::string::npos);
  EXPECT_NE(file.find("\r/Kids [5 0 R 8 0 R  ]\r"), std::string::npos);
  EXPECT_NE(file.find("trailer\r<<\r/Size 11\r"), std::string::npos);
  ExpectXrefConsistent(file);
}

TEST(DocumentStructure, MarginPaperAndOrientation) {
  TempFolder dir;
  Writer w(dir / "landscape.pdf");
  w.pdf.ScaleMode(3);
  w.pdf.PaperSize(1);
  w.pdf.Margin(1);
  w.pdf.Orientation(1);
  ASSERT_TRUE(w.Open());
  w.pdf.ClosePDFFile();
  const std::string file = ReadFile(w.file);
  EXPECT_NE(file.find("/MediaBox [0 0 842 1190.5]\r/CropBox [28.346 28.346 813.654 1162.154]\r"
                      "/Rotate 90\r/Kids [ ]"),
            std::string::npos);
  EXPECT_NE(file.find("/Title (\\(senza titolo\\))"), std::string::npos);
}

TEST(DocumentStructure, PaperCodesAndDirectSizes) {
  TempFolder dir;
  const std::pair<int32_t, std::string> cases[] = {
      {0, "595.2 842"}, {2, "612 792"}, {3, "612 864"}, {9, "595.2 842"}};
  for (const auto& [code, box] : cases) {
    Writer w(dir / ("paper" + std::to_string(code) + ".pdf"));
    w.pdf.PaperSize(code);
    ASSERT_TRUE(w.Open());
    w.pdf.ClosePDFFile();
    EXPECT_NE(ReadFile(w.file).find("/MediaBox [0 0 " + box + "]"), std::string::npos) << code;
  }
  Writer w(dir / "direct.pdf");
  w.pdf.ScaleMode(2);
  w.pdf.PaperWidth(100);
  w.pdf.PaperHeight(50.8f);
  ASSERT_TRUE(w.Open());
  w.pdf.ClosePDFFile();
  EXPECT_NE(ReadFile(w.file).find("/MediaBox [0 0 283.465 144]"), std::string::npos);
}

TEST(DocumentStructure, GeneratedNameInProgramFolder) {
  TempFolder dir;
  Writer w(dir / "unused");
  w.pdf.ProgramFolder(dir.path().string());
  std::string name;
  ASSERT_TRUE(w.pdf.InitPDFFile(name));
  w.pdf.ClosePDFFile();
  // Day 2, 03:04:05, digit 7: 2030405 7 -> 20304057 = 0x135D0B9.
  EXPECT_EQ(name, (dir / "~135D0B9.pdf").string());
  EXPECT_TRUE(std::filesystem::exists(name));
}

TEST(DocumentStructure, SecondInitStartsAFreshDocument) {
  TempFolder dir;
  Writer w(dir / "first.pdf");
  w.pdf.Title("T");
  ASSERT_TRUE(w.Open());
  w.pdf.LoadFont("Fn1", "Arial", 0);
  w.pdf.StartObject("F", 7);
  w.pdf.EndObject();
  w.pdf.BeginPage();
  std::string second = (dir / "second.pdf").string();
  ASSERT_TRUE(w.pdf.InitPDFFile(second));
  EXPECT_EQ(w.pdf.Pages(), 0);
  EXPECT_EQ(w.pdf.Length("W", "Fn1", 10), 0.0f);
  w.pdf.BeginPage();
  w.pdf.EndPage();
  w.pdf.ClosePDFFile();
  const std::string file = ReadFile(second);
  EXPECT_EQ(file.substr(0, std::string(kInfoAndCatalog).size()), kInfoAndCatalog);
  EXPECT_EQ(PageStream(file), "");
  EXPECT_NE(file.find("<<\r/ProcSet [/PDF /Text ]\r>>"), std::string::npos);
  EXPECT_NE(file.find("/Count 1\r"), std::string::npos);
  ExpectXrefConsistent(file);
}

TEST(DocumentStructure, ExistingFileIsOverwritten) {
  TempFolder dir;
  WriteFile(dir / "old.pdf", std::string(100000, 'x'));
  Writer w(dir / "old.pdf");
  ASSERT_TRUE(w.Open());
  w.pdf.ClosePDFFile();
  const std::string file = ReadFile(w.file);
  EXPECT_LT(file.size(), 1000u);
  EXPECT_EQ(file.substr(file.size() - 8), "%%EOF\r\r\n");
}

// Run in a child process under a file size limit, as on a full disk: the
// writer reports the failure (while writing, or when it closes the file) and
// the earlier file stays whole. Exit code 0 when all that held.
[[noreturn]] void WriteOnAFullDisk(const std::string& path, int lines) {
  ::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{20000, 20000};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  bool reported = false;
  try {
    clsPDFCreator pdf;
    std::string name = path;
    if (!pdf.InitPDFFile(name)) std::_Exit(2);
    pdf.BeginPage();
    for (int i = 0; i < lines; ++i) pdf.LineTo(1.5f, 2.5f, 1);
    pdf.EndPage();
    pdf.ClosePDFFile();
  } catch (const PdfError& error) {
    reported = error.code() == PdfErrorCode::Io &&
               std::string(error.what()).find(path) != std::string::npos;
  }
  std::_Exit(reported && ReadFile(path) == "earlier calendar" ? 0 : 1);
}

TEST(DocumentStructure, FullDiskIsReportedAndKeepsTheEarlierFile) {
  TempFolder dir;
  const std::string path = (dir / "full.pdf").string();
  WriteFile(path, "earlier calendar");
  EXPECT_EXIT(WriteOnAFullDisk(path, 1500), ::testing::ExitedWithCode(0), "");    // at close
  EXPECT_EXIT(WriteOnAFullDisk(path, 200000), ::testing::ExitedWithCode(0), "");  // while writing
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(DocumentStructure, SymbolicLinkIsNotFollowed) {
  TempFolder dir;
  WriteFile(dir / "target.txt", "keep");
  std::filesystem::create_symlink(dir / "target.txt", dir / "link.pdf");
  Writer w(dir / "link.pdf");
  EXPECT_FALSE(w.Open());
  ASSERT_EQ(w.messages.size(), 1u);
  EXPECT_EQ(w.messages[0].substr(0, 8), "Orvanta|");
  EXPECT_NE(w.messages[0].find("collegamento simbolico"), std::string::npos);
  EXPECT_EQ(ReadFile(dir / "target.txt"), "keep");
}

TEST(DocumentStructure, FileOfAnotherUserIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a file away";
  TempFolder dir;
  WriteFile(dir / "foreign.pdf", "theirs");
  ASSERT_EQ(::chown((dir / "foreign.pdf").c_str(), 65534, 65534), 0);
  Writer w(dir / "foreign.pdf");
  EXPECT_FALSE(w.Open());
  ASSERT_EQ(w.messages.size(), 1u);
  EXPECT_NE(w.messages[0].find("altro utente"), std::string::npos);
  EXPECT_EQ(ReadFile(dir / "foreign.pdf"), "theirs");
}

TEST(DocumentStructure, FileInUseGivesTheThreeLineMessage) {
  TempFolder dir;
  WriteFile(dir / "held.pdf", "");
  const std::string expected =
      "Orvanta|C'è già un file .pdf con il progetto di un calendario aperto.\r\n"
      "Se   si  desidera  creare  un   nuovo  progetto  occorre \r\n"
      "prima  chiudere  il  file  .pdf   attualmente   in   uso.";
  auto attempt = [&] {
    Writer w(dir / "held.pdf");
    return !w.Open() && w.messages.size() == 1 && w.messages[0] == expected;
  };
  if (::geteuid() != 0) {
    ::chmod((dir / "held.pdf").c_str(), 0444);
    EXPECT_TRUE(attempt());
    return;
  }
  // Root may write anything: try as an unprivileged user in a child process.
  ::chmod(dir.path().c_str(), 0755);
  ::chmod((dir / "held.pdf").c_str(), 0644);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && attempt();
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(DocumentStructure, MissingFolderGivesFalseWithoutMessage) {
  TempFolder dir;
  Writer w(dir / "no" / "such.pdf");
  EXPECT_FALSE(w.Open());
  EXPECT_TRUE(w.messages.empty());
}

TEST(DocumentStructure, CallOrderIsEnforced) {
  TempFolder dir;
  Writer w(dir / "order.pdf");
  auto code = [](auto&& call) {
    try {
      call();
    } catch (const PdfError& error) {
      return error.code();
    }
    return PdfErrorCode::Io;  // stands for "no error" here
  };
  EXPECT_EQ(code([&] { w.pdf.BeginPage(); }), PdfErrorCode::NotOpen);
  EXPECT_EQ(code([&] { w.pdf.ClosePDFFile(); }), PdfErrorCode::NotOpen);
  ASSERT_TRUE(w.Open());
  EXPECT_EQ(code([&] { w.pdf.LineTo(1, 1); }), PdfErrorCode::CallOrder);
  EXPECT_EQ(code([&] { w.pdf.EndPage(); }), PdfErrorCode::CallOrder);
  w.pdf.BeginPage();
  EXPECT_EQ(code([&] { w.pdf.LoadFont("Fn1", "Arial", 0); }), PdfErrorCode::CallOrder);
  EXPECT_EQ(code([&] { w.pdf.StartObject("X", 0); }), PdfErrorCode::CallOrder);
  EXPECT_EQ(code([&] { w.pdf.BeginPage(); }), PdfErrorCode::CallOrder);
  EXPECT_EQ(code([&] { w.pdf.ClosePDFFile(); }), PdfErrorCode::CallOrder);
  EXPECT_EQ(code([&] { w.pdf.EndObject(); }), PdfErrorCode::CallOrder);
  w.pdf.EndPage();
  w.pdf.ClosePDFFile();
  ExpectXrefConsistent(ReadFile(w.file));
}

TEST(DocumentStructure, ObjectNumbersStopAt32767) {
  TempFolder dir;
  Writer w(dir / "many.pdf");
  ASSERT_TRUE(w.Open());
  int pages = 0;
  try {
    for (;;) {
      w.pdf.BeginPage();
      w.pdf.EndPage();
      ++pages;
    }
  } catch (const PdfError& error) {
    EXPECT_EQ(error.code(), PdfErrorCode::Limit);
  }
  // Objects 5 to 32767 hold exactly 10921 pages of three objects each.
  EXPECT_EQ(pages, 10921);
  w.pdf.ClosePDFFile();
  ExpectXrefConsistent(ReadFile(w.file));
}

// A picture larger than the write buffer goes to the file directly: the
// objects after it must still be found where the table says.
TEST(DocumentStructure, PictureLargerThanTheBufferKeepsTheOffsets) {
  TempFolder dir;
  WriteFile(dir / "wide.bmp", Bmp24(2480, 295, [](int x, int y) { return uint32_t(x ^ y); }));
  const auto load = [&](clsPDFCreator& pdf) {
    ASSERT_TRUE(pdf.LoadImgFromBMPFile("Pic", (dir / "wide.bmp").string(), 0));
  };
  ExpectXrefConsistent(OnePage(dir / "out.pdf", 0, load, Nothing));
}

// A document given up before ClosePDFFile never takes the file's name: an
// earlier file stays as it was and nothing else is left behind.
TEST(DocumentStructure, DestroyedWithoutCloseLeavesTheEarlierFile) {
  TempFolder dir;
  std::string path = (dir / "partial.pdf").string();
  WriteFile(path, "earlier");
  {
    clsPDFCreator pdf;
    ASSERT_TRUE(pdf.InitPDFFile(path));
    pdf.BeginPage();
  }
  EXPECT_EQ(ReadFile(path), "earlier");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace orvanta::test
