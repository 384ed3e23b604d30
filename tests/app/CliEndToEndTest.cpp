// The real `orvanta` executable run headless, its PDFs read back with qpdf and
// pdftotext. Each test works in a folder of its own holding a hard link to the
// executable, so the application folder (pictures, Notes.dat, Turno.txt) is
// private to the test even when ctest runs tests in parallel.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "almanac/MoonPhases.h"
#include "base/Version.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestBitmaps.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using namespace orvanta::test;

const char* const kMonths[] = {"GENNAIO",   "FEBBRAIO", "MARZO",    "APRILE",
                               "MAGGIO",    "GIUGNO",   "LUGLIO",   "AGOSTO",
                               "SETTEMBRE", "OTTOBRE",  "NOVEMBRE", "DICEMBRE"};

// One generated calendar as the outside tools see it.
struct Pdf {
  std::string bytes;
  std::vector<std::string> pages;  // pdftotext -raw: text in drawing order
  const std::string& Page(int month) const { return pages.at(month - 1); }
};

class CliEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    // 15 January; the shift cycle starts with "Mattino" on 1 January.
    WriteFile(folder_ / "Notes.dat", "40558,\"Compleanno di Anna\"\r\n");
    WriteFile(folder_ / "Turno.txt", "1;Mattino;Pomeriggio;Notte;Riposo;");
  }

  RunResult Orvanta(const std::vector<std::string>& args, const RunSettings& settings = {}) {
    return RunProgram(folder_, exe_.string(), args, settings);
  }

  // The program started in `workingFolder`; with `removed` that folder is
  // deleted first, under the program's feet.
  RunResult OrvantaIn(const fs::path& workingFolder, bool removed,
                      const std::vector<std::string>& args) {
    std::vector<std::string> shell = {
        "-c",
        std::string("cd \"$1\" && ") + (removed ? "rmdir \"$1\" && " : "") + "shift && exec \"$@\"",
        "sh", workingFolder.string(), exe_.string()};
    shell.insert(shell.end(), args.begin(), args.end());
    return RunProgram(folder_, "/bin/sh", shell);
  }

  // A refused request: exit code 2, one line on standard error containing
  // `part`, nothing on standard output.
  void ExpectUsageError(const RunResult& run, const std::string& part, const std::string& label) {
    EXPECT_EQ(run.exitCode, 2) << label << ": " << run.out << run.err;
    EXPECT_EQ(run.out, "") << label;
    EXPECT_EQ(Count(run.err, "\n"), 1u) << label << ": " << run.err;
    EXPECT_TRUE(Contains(run.err, part)) << label << ": " << run.err;
  }

  // Writes the calendar and checks what every run must give: exit code 0, the
  // path on standard output, a file qpdf finds clean, twelve month pages with
  // their titles, and no extracted picture left in the application folder.
  Pdf Calendar(int year, const std::vector<std::string>& options) {
    const fs::path path = folder_ / ("calendar-" + std::to_string(++runs_) + ".pdf");
    std::vector<std::string> args = {"--year", std::to_string(year), "--output", path.string()};
    args.insert(args.end(), options.begin(), options.end());
    const RunResult run = Orvanta(args);
    const std::string label = std::to_string(year) + " " + ::testing::PrintToString(options);
    EXPECT_EQ(run.exitCode, 0) << label << ": " << run.err;
    EXPECT_EQ(run.out, path.string() + "\n") << label;
    EXPECT_EQ(run.err, "") << label;
    EXPECT_EQ(PicturesLeft(folder_), 0) << label;

    const RunResult check = RunProgram(folder_, "qpdf", {"--check", path.string()});
    EXPECT_EQ(check.exitCode, 0) << label << ": " << check.out << check.err;
    EXPECT_FALSE(Contains(check.out + check.err, "WARNING")) << label;

    Pdf pdf;
    pdf.bytes = ReadFile(path);
    const std::string text = PdfText(folder_, path);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\f', start)) != std::string::npos; start = end + 1)
      pdf.pages.push_back(text.substr(start, end - start));
    EXPECT_EQ(pdf.pages.size(), 12u) << label;
    pdf.pages.resize(12);
    for (int month = 1; month <= 12; ++month) {
      const std::string title = std::string(kMonths[month - 1]) + " " + std::to_string(year);
      EXPECT_EQ(pdf.Page(month).rfind(title + "\n", 0), 0u) << label << ": " << title;
    }
    fs::remove(path);
    return pdf;
  }

  TempFolder temp_{"orvanta-cli"};
  const fs::path folder_ = temp_.path();
  const fs::path exe_ = PrivateOrvanta(folder_);
  int runs_ = 0;
};

// The lines drawn for one day: its row ("31 Dom", twice with the 3D shadow),
// the progressive numbers and the annotations, up to the next row.
std::string DayRow(const std::string& page, int day, const std::string& weekday) {
  static const std::regex row("^[0-9]{1,2} (Lun|Mar|Mer|Gio|Ven|Sab|Dom)$");
  const std::string wanted = std::to_string(day) + " " + weekday;
  std::string block;
  bool inside = false;
  std::size_t start = 0;
  while (start < page.size()) {
    std::size_t end = page.find('\n', start);
    if (end == std::string::npos) end = page.size();
    const std::string line = page.substr(start, end - start);
    start = end + 1;
    if (line == wanted) {
      inside = true;
      continue;
    }
    if (inside && (std::regex_match(line, row) || line.rfind("Orvanta (Vers.", 0) == 0)) break;
    if (inside) block += line + "\n";
  }
  return block;
}

TEST_F(CliEndToEnd, EveryYearWithAllOptions) {
  for (const int year : {1900, 1913, 2008, 2011, 2012, 2013, 2100}) {
    const Pdf pdf = Calendar(year, {});
    const std::string label = std::to_string(year);
    // Personal note and shift come from the application folder's files.
    EXPECT_TRUE(Contains(pdf.Page(1), "Compleanno di Anna")) << label;
    EXPECT_TRUE(Contains(pdf.Page(1), "Mattino")) << label;
    EXPECT_TRUE(Contains(pdf.bytes, "/ImgBefana")) << label;
    EXPECT_TRUE(Contains(pdf.bytes, "/ImgZ12")) << label;
    EXPECT_TRUE(Contains(pdf.Page(1), "Ricorda...\n")) << label;  // footnotes

    if (year == 2012) {
      EXPECT_TRUE(Contains(DayRow(pdf.Page(12), 31, "Lun"), "366 - 0"));
    }
    if (year == 2013) {
      EXPECT_TRUE(Contains(DayRow(pdf.Page(12), 31, "Mar"), "365 - 0"));
      const std::string easter = DayRow(pdf.Page(3), 31, "Dom");
      EXPECT_TRUE(Contains(easter, "Pasqua")) << easter;
      EXPECT_TRUE(Contains(easter, "ora legale")) << easter;
      EXPECT_TRUE(Contains(DayRow(pdf.Page(4), 1, "Lun"), "Dell'Angelo"));
      EXPECT_TRUE(Contains(DayRow(pdf.Page(1), 6, "Dom"), "Epifania"));
      EXPECT_TRUE(Contains(DayRow(pdf.Page(1), 15, "Mar"), "Compleanno di Anna"));
      EXPECT_TRUE(Contains(DayRow(pdf.Page(12), 25, "Mer"), "Natale"));
      EXPECT_TRUE(Contains(pdf.Page(1), "\nDIC 12 FEB 13\n")) << pdf.Page(1);
      EXPECT_TRUE(Contains(pdf.Page(1), "27: giorno della memoria"));
      EXPECT_TRUE(Contains(pdf.Page(3), "Le Palme"));
      EXPECT_TRUE(Contains(pdf.bytes, "1 0 0 rg"));  // red holidays
    }
  }
}

TEST_F(CliEndToEnd, EachOptionOffOneAtATimeAndAllOff) {
  // What disappears with each switch (in the text of January and March 2013,
  // or in the file itself for pictures).
  struct Mark {
    std::string option;
    std::string what;
    bool inBytes;
  };
  const std::vector<Mark> marks = {
      {"--no-side-columns", "DIC 12 FEB 13", false}, {"--no-progressive", "1 - 364", false},
      {"--no-3d", "MARZO 2013\nMARZO 2013", false},  {"--no-zodiac", "/ImgZ1 ", true},
      {"--no-ephemeris", "luna piena", false},       {"--no-pictures", "/ImgBefana", true},
      {"--no-religious", "Le Palme", false},         {"--no-footnotes", "Ricorda...", false},
      {"--no-notes", "Compleanno di Anna", false},   {"--no-shift", "Mattino", false},
  };
  const auto shows = [](const Pdf& pdf, const Mark& mark) {
    return Contains(mark.inBytes ? pdf.bytes : pdf.Page(1) + pdf.Page(3), mark.what);
  };

  std::vector<std::string> allOff;
  for (const Mark& off : marks) {
    const Pdf pdf = Calendar(2013, {off.option});
    for (const Mark& mark : marks)
      EXPECT_EQ(shows(pdf, mark), &mark != &off) << off.option << " / " << mark.what;
    allOff.push_back(off.option);
  }
  EXPECT_FALSE(Contains(Calendar(2013, {"--no-pictures"}).Page(3), "ora legale"));

  allOff.push_back("--mono");
  const Pdf bare = Calendar(2013, allOff);
  for (const Mark& mark : marks) EXPECT_FALSE(shows(bare, mark)) << mark.what;
  EXPECT_FALSE(Contains(bare.bytes, "/Subtype /Image"));
  EXPECT_TRUE(Contains(DayRow(bare.Page(3), 31, "Dom"), "Pasqua"));
}

TEST_F(CliEndToEnd, MonochromeAndTextColours) {
  const Pdf mono = Calendar(2013, {"--mono", "--text-color", "blue"});
  EXPECT_FALSE(Contains(mono.bytes, "1 0 0 rg"));          // no red figures
  EXPECT_FALSE(Contains(mono.bytes, "0 0 0.804 rg"));      // the text goes black
  EXPECT_TRUE(Contains(mono.bytes, "0.863 0.863 0.863"));  // grey holiday band

  EXPECT_TRUE(Contains(Calendar(2013, {"--text-color", "blue"}).bytes, "0 0 0.804 rg"));
  EXPECT_TRUE(Contains(Calendar(2013, {"--text-color", "green"}).bytes, "0 0.663 0 rg"));
  const Pdf black = Calendar(2013, {"--text-color", "black"});
  EXPECT_FALSE(Contains(black.bytes, "0 0 0.804 rg"));
  EXPECT_FALSE(Contains(black.bytes, "0 0.663 0 rg"));
}

TEST_F(CliEndToEnd, HeaderAndFooterAsTextAndAsPicture) {
  const Pdf text = Calendar(2013, {"--header-text", "  Famiglia Rossi  ", "--header-color",
                                   "#CD0000", "--footer-text", "Buone feste"});
  for (int month = 1; month <= 12; ++month) {
    EXPECT_TRUE(Contains(text.Page(month), "Famiglia Rossi")) << month;
    EXPECT_TRUE(Contains(text.Page(month), "Buone feste")) << month;
  }
  EXPECT_TRUE(Contains(text.bytes, "0.804 0 0 rg"));

  fs::create_directory(folder_ / "immagini");
  WriteFile(folder_ / "immagini" / "testata.bmp", Bitmap24(210, 25));
  WriteFile(folder_ / "piede.bmp", Bitmap24(101, 12));
  const fs::path current = fs::current_path();
  fs::current_path(folder_);  // relative paths are taken from the current folder
  const Pdf pictures =
      Calendar(2013, {"--header-image", "immagini/testata.bmp", "--footer-image", "piede.bmp"});
  fs::current_path(current);
  EXPECT_EQ(Count(pictures.bytes, "/ImgTop Do"), 12u);
  EXPECT_EQ(Count(pictures.bytes, "/ImgBottom Do"), 12u);
}

// The colour of pixel (x, y) of a page rendered by pdftoppm as PPM.
std::vector<int> RenderedPixel(const std::string& ppm, int x, int y) {
  std::size_t at = 2;  // after "P6"
  int fields[3] = {};  // width, height, maximum
  for (int& field : fields) {
    at = ppm.find_first_of("0123456789", at);
    const std::size_t end = ppm.find_first_not_of("0123456789", at);
    field = std::stoi(ppm.substr(at, end - at));
    at = end;
  }
  const std::size_t pixel = at + 1 + (static_cast<std::size_t>(y) * fields[0] + x) * 3;
  return {static_cast<unsigned char>(ppm[pixel]), static_cast<unsigned char>(ppm[pixel + 1]),
          static_cast<unsigned char>(ppm[pixel + 2])};
}

// Photos from a folder, one per month in name order, and a cover before
// January: the photo upright and cut around its centre, the year below it.
TEST_F(CliEndToEnd, TwelvePhotosAndACover) {
  const fs::path pictures = fs::path(ORVANTA_SOURCE_DIR) / "tests/data/pictures";
  const fs::path months = folder_ / "mesi";
  fs::create_directory(months);
  const char* kinds[] = {"baseline.jpg",      "progressive.jpg",   "cmyk.jpg", "orientation-3.jpg",
                         "orientation-6.jpg", "orientation-8.jpg", "grey.jpg", "palette.png",
                         "grey16.png",        "interlaced16.png",  "alpha.png"};
  int n = 0;
  for (const char* kind : kinds) {
    ++n;
    fs::copy_file(pictures / kind, months / ((n < 10 ? "0" : "") + std::to_string(n) + "-" + kind));
  }
  WriteFile(months / "12-dicembre.bmp", Bitmap24(210, 25));
  WriteFile(months / "leggimi.txt", "");

  const fs::path pdf = folder_ / "foto.pdf";
  const RunResult run =
      Orvanta({"--year", "2027", "--header-image", months.string(), "--cover",
               (pictures / "orientation-6.jpg").string(), "--output", pdf.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const RunResult check = RunProgram(folder_, "qpdf", {"--check", pdf.string()});
  EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
  const std::string bytes = ReadFile(pdf);
  for (int month = 1; month <= 12; ++month)
    EXPECT_EQ(Count(bytes, "/ImgTop" + std::to_string(month) + " Do"), 1u) << month;
  EXPECT_EQ(Count(bytes, "/ImgCover Do"), 1u);
  EXPECT_EQ(Count(bytes, "/DCTDecode"), 8u);  // the seven JPEGs and the cover
  EXPECT_EQ(Count(bytes, "/FlateDecode"), 4u);
  const std::string text = PdfText(folder_, pdf);
  EXPECT_EQ(text.rfind("2027\n\fGENNAIO 2027\n", 0), 0u) << text.substr(0, 40);
  EXPECT_EQ(Count(text, "\f"), 13u);

  // Rendered at 20 dpi (166 x 234): red top left, green top right, blue
  // bottom left of the photo; the band below it white.
  const RunResult render =
      RunProgram(folder_, "pdftoppm", {"-r", "20", "-f", "1", "-l", "1", pdf.string()});
  ASSERT_EQ(render.exitCode, 0) << render.err;
  auto near = [](const std::vector<int>& got, std::vector<int> want) {
    for (int i = 0; i < 3; ++i)
      if (std::abs(got[i] - want[i]) > 60) return false;
    return true;
  };
  EXPECT_TRUE(near(RenderedPixel(render.out, 15, 15), {255, 0, 0}));
  EXPECT_TRUE(near(RenderedPixel(render.out, 150, 15), {0, 255, 0}));
  EXPECT_TRUE(near(RenderedPixel(render.out, 15, 180), {0, 0, 255}));
  EXPECT_TRUE(near(RenderedPixel(render.out, 5, 228), {255, 255, 255}));
}

// A picture that cannot be printed is refused before anything is written,
// naming the file and the reason; so is a folder short of twelve pictures.
TEST_F(CliEndToEnd, BadPicturesExitWithTwoAndWriteNothing) {
  const fs::path pictures = fs::path(ORVANTA_SOURCE_DIR) / "tests/data/pictures";
  const fs::path pdf = folder_ / "cal.pdf";
  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"--header-image", "truncated.jpg", "è un JPEG troncato"},
      {"--footer-image", "badcrc.png", "CRC"},
      {"--cover", "bomb.jpg", "60000 × 60000"},
      {"--cover", "photo.heic", "HEIC"},
      {"--header-image", "picture.webp", "WebP"},
  };
  for (const auto& [option, name, reason] : cases) {
    const RunResult run = Orvanta({option, (pictures / name).string(), "--output", pdf.string()});
    ExpectUsageError(run, option + ": il file '" + (pictures / name).string() + "' ", name);
    EXPECT_TRUE(Contains(run.err, reason)) << run.err;
    EXPECT_FALSE(fs::exists(pdf)) << name;
  }
  const fs::path few = folder_ / "poche";
  fs::create_directory(few);
  for (int i = 0; i < 11; ++i)
    fs::copy_file(pictures / "baseline.jpg", few / (std::to_string(i) + ".jpg"));
  ExpectUsageError(Orvanta({"--header-image", few.string(), "--output", pdf.string()}),
                   "contiene 11 immagini JPEG, PNG o BMP, ne servono dodici", "eleven");
  fs::copy_file(pictures / "truncated.jpg", few / "z.jpg");
  ExpectUsageError(Orvanta({"--header-image", few.string(), "--output", pdf.string()}),
                   "z.jpg' è un JPEG troncato", "twelfth truncated");
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(CliEndToEnd, CalendarThatCannotBeWrittenExitsWithOne) {
  const auto expectRefused = [&](const std::vector<std::string>& args, const fs::path& path,
                                 const RunSettings& settings = {}) {
    const RunResult run = Orvanta(args, settings);
    EXPECT_EQ(run.exitCode, 1) << path << ": " << run.out << run.err;
    EXPECT_EQ(run.out, "") << path;
    EXPECT_EQ(run.err.rfind("orvanta: ", 0), 0u) << path << ": " << run.err;
    EXPECT_EQ(PicturesLeft(folder_), 0) << path;
  };

  // A device: refused, and the device stays what it was.
  expectRefused({"--output", "/dev/full"}, "/dev/full");
  struct stat st {};
  ASSERT_EQ(::stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));

  // Folders that cannot take the file.
  const fs::path missing = folder_ / "manca" / "cal.pdf";
  expectRefused({"--output", missing.string()}, missing);
  EXPECT_FALSE(fs::exists(missing.parent_path()));
  // The system's reason in the user's language, like the rest of the line
  // (where the machine has the Italian locale and its messages).
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const std::string italian =
      std::setlocale(LC_ALL, "it_IT.UTF-8") != nullptr ? std::strerror(ENOENT) : "";
  std::setlocale(LC_ALL, saved.c_str());
  if (!italian.empty()) {
    RunSettings settings;
    settings.environment["LC_ALL"] = "it_IT.UTF-8";
    const RunResult run = Orvanta({"--output", missing.string()}, settings);
    EXPECT_NE(run.err.find(": " + italian + "\n"), std::string::npos) << run.err;
  }
  WriteFile(folder_ / "file", "x");
  expectRefused({"--output", (folder_ / "file" / "cal.pdf").string()}, folder_ / "file");
  if (::geteuid() != 0) {
    fs::create_directory(folder_ / "chiusa");
    fs::permissions(folder_ / "chiusa", fs::perms::owner_read | fs::perms::owner_exec);
    expectRefused({"--output", (folder_ / "chiusa" / "cal.pdf").string()}, folder_ / "chiusa");
    EXPECT_FALSE(fs::exists(folder_ / "chiusa" / "cal.pdf"));
  }

  // The disk fills up in the middle of the file: no partial calendar stays.
  const fs::path full = folder_ / "pieno.pdf";
  RunSettings smallDisk;
  smallDisk.maxFileSize = 20000;
  expectRefused({"--output", full.string(), "--no-pictures", "--no-zodiac"}, full, smallDisk);
  EXPECT_FALSE(fs::exists(full));

  // A symbolic link planted where the calendar goes is not written through.
  WriteFile(folder_ / "altrui.txt", "dati di qualcun altro");
  fs::create_symlink(folder_ / "altrui.txt", folder_ / "link.pdf");
  expectRefused({"--output", (folder_ / "link.pdf").string()}, folder_ / "link.pdf");
  EXPECT_EQ(ReadFile(folder_ / "altrui.txt"), "dati di qualcun altro");
}

TEST_F(CliEndToEnd, PicturesComeFromTheProgramItself) {
  // The pictures go from the program's own data to the page: things under
  // their names in the application folder neither stop the run nor get
  // touched.
  fs::create_directory(folder_ / "1OV.bmp");
  fs::create_directory(folder_ / "13OV.bmp");
  Pdf pdf = Calendar(2013, {});
  EXPECT_EQ(Count(pdf.bytes, "/Subtype /Image"), 25u);
  EXPECT_TRUE(fs::is_directory(folder_ / "1OV.bmp"));
  EXPECT_TRUE(fs::is_directory(folder_ / "13OV.bmp"));

  // A temporary folder where no folder can be made: the calendar goes
  // straight into the file beside its output and needs none.
  RunSettings settings;
  settings.environment["TMPDIR"] = "/proc/self";
  settings.environment["XDG_RUNTIME_DIR"] = "";
  const fs::path output = folder_ / "senza-cartella.pdf";
  const RunResult run = Orvanta({"--output", output.string()}, settings);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Count(ReadFile(output), "/Subtype /Image"), 25u);
}

TEST_F(CliEndToEnd, BadOptionsExitWithTwoAndWriteNothing) {
  const fs::path path = folder_ / "cal.pdf";
  ASSERT_EQ(::mkfifo((folder_ / "fifo").c_str(), 0600), 0);
  WriteFile(folder_ / "vuoto.txt", "");
  WriteFile(folder_ / "utf16.txt", std::string("\xFF\xFE"
                                               "1\0;\0M\0;\0",
                                               10));
  WriteFile(folder_ / "note-rotte.dat", "15 marzo: bollo\r\n40558,\"Anna\"\r\n");
  // A file named on purpose that cannot be used says why.
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--year", "1899"}, ""},
      {{"--text-color", "rosso"}, ""},
      {{"--colori"}, ""},
      {{"--header-color", "CD0000"}, ""},
      {{"--shift", (folder_ / "fifo").string()}, "non è un file normale"},
      {{"--notes", folder_.string()}, "non è un file normale"},
      {{"--shift", "/dev/null"}, "non è un file normale"},
      {{"--shift", (folder_ / "vuoto.txt").string()}, "è vuoto"},
      {{"--shift", (folder_ / "utf16.txt").string()}, "UTF-16"},
      {{"--shift", (folder_ / "Notes.dat").string()}, "formato del turno"},
      {{"--notes", (folder_ / "note-rotte.dat").string()}, "prima riga"},
  };
  for (const auto& [args, reason] : cases) {
    std::vector<std::string> full = {"--output", path.string()};
    full.insert(full.end(), args.begin(), args.end());
    const RunResult run = Orvanta(full);
    EXPECT_EQ(run.exitCode, 2) << args[0];
    EXPECT_EQ(Count(run.err, "\n"), 1u) << run.err;
    EXPECT_TRUE(Contains(run.err, args[0])) << run.err;
    EXPECT_TRUE(Contains(run.err, reason)) << run.err;
    EXPECT_FALSE(fs::exists(path));
  }
  const RunResult help = Orvanta({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(Contains(help.out, "--text-color"));
  const RunResult version = Orvanta({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "Orvanta " + std::string(orvanta::kVersion) + "\n");
  // An answer nobody can read is no success.
  for (const char* option : {"--help", "--version"}) {
    const RunResult full = RunProgram(
        folder_, "/bin/sh", {"-c", "exec \"$0\" \"$1\" >/dev/full", exe_.string(), option});
    EXPECT_EQ(full.exitCode, 1) << option << full.err;
  }
  // No screen for the window: said in Italian, with the way to the command line.
  RunSettings noScreen;
  noScreen.environment = {
      {"DISPLAY", ":59713"}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", "xcb"}};
  const RunResult window = Orvanta({}, noScreen);
  EXPECT_EQ(window.exitCode, 2) << window.err;
  EXPECT_TRUE(Contains(window.err, "nessuno schermo")) << window.err;
  EXPECT_TRUE(Contains(window.err, "orvanta --help")) << window.err;
}

// The modules' libraries load only with their module: Qt and what the window
// pulls in with the window, libical and ICU with the import. The loader
// reports every object it maps, also those loaded later, to LD_DEBUG_OUTPUT.
TEST_F(CliEndToEnd, EachRunMapsOnlyTheLibrariesItUses) {
  WriteFile(folder_ / "a.vcf",
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna\r\nBDAY:1990-04-02\r\nEND:VCARD\r\n");
  const std::vector<std::string> window = {"libQt6", "libX11",    "libxcb",        "libGL",
                                           "libEGL", "libOpenGL", "libfontconfig", "libdbus"};
  std::vector<std::string> windowAndImport = window;
  windowAndImport.insert(windowAndImport.end(), {"libical", "libicu"});
  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> runs = {
      {{"--year", "2013", "-o", (folder_ / "a.pdf").string(), "--ics",
        (folder_ / "a.ics").string()},
       windowAndImport},
      {{"--version"}, windowAndImport},
      {{"--import-notes", (folder_ / "a.vcf").string()}, window}};
  for (const auto& [args, unused] : runs) {
    const fs::path log = folder_ / "loader";
    fs::remove_all(log);
    fs::create_directory(log);
    RunSettings settings;
    settings.environment = {{"LD_DEBUG", "files"}, {"LD_DEBUG_OUTPUT", (log / "maps").string()}};
    ASSERT_EQ(Orvanta(args, settings).exitCode, 0) << args[0];
    std::string mapped;
    for (const fs::directory_entry& entry : fs::directory_iterator(log))
      mapped += ReadFile(entry.path());
    EXPECT_TRUE(Contains(mapped, "file=libc.so.6")) << args[0];
    for (const std::string& library : unused)
      EXPECT_FALSE(Contains(mapped, library)) << args[0] << " maps " << library;
  }
  // Without its module the program says why, and the notes stay as they were.
  fs::remove(folder_ / "orvanta-import.so");
  const std::string notes = ReadFile(folder_ / "Notes.dat");
  const RunResult import = Orvanta({"--import-notes", (folder_ / "a.vcf").string()});
  EXPECT_EQ(import.exitCode, 1);
  EXPECT_TRUE(Contains(import.err, "impossibile caricare l'importazione")) << import.err;
  EXPECT_EQ(ReadFile(folder_ / "Notes.dat"), notes);
  fs::remove(folder_ / "orvanta-window.so");
  const RunResult noWindow = Orvanta({});
  EXPECT_EQ(noWindow.exitCode, 2);
  EXPECT_TRUE(Contains(noWindow.err, "impossibile caricare la finestra")) << noWindow.err;
}

TEST_F(CliEndToEnd, OpenStartsTheViewerOnlyForAWrittenCalendar) {
  // A stand-in for xdg-open that notes which file it was asked to open.
  fs::create_directory(folder_ / "bin");
  const fs::path opened = folder_ / "opened.txt";
  WriteFile(folder_ / "bin" / "xdg-open", "#!/bin/sh\necho \"$1\" >> '" + opened.string() + "'\n");
  fs::permissions(folder_ / "bin" / "xdg-open", fs::perms::owner_all);
  RunSettings settings;
  settings.environment["PATH"] = (folder_ / "bin").string() + ":" + std::getenv("PATH");

  EXPECT_EQ(
      Orvanta({"--open", "--output", (folder_ / "manca" / "a.pdf").string()}, settings).exitCode,
      1);
  const fs::path path = folder_ / "b\xE8.pdf";  // the viewer gets the very bytes
  EXPECT_EQ(Orvanta({"--open", "--output", path.string()}, settings).exitCode, 0);
  // The viewer is started without waiting for it.
  for (int i = 0; i < 100 && ReadFile(opened).empty(); ++i) ::usleep(50000);
  EXPECT_EQ(ReadFile(opened), path.string() + "\n");
}

TEST_F(CliEndToEnd, DefaultOutputIsOrvantaPdfInThePrivateTemporaryFolder) {
  fs::create_directory(folder_ / "tmp");
  RunSettings settings;
  settings.environment["TMPDIR"] = (folder_ / "tmp").string();
  settings.environment["XDG_RUNTIME_DIR"] = "";
  const RunResult run = Orvanta({"--year", "2013"}, settings);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const fs::path privateFolder = folder_ / "tmp" / ("orvanta-" + std::to_string(::geteuid()));
  EXPECT_EQ(run.out, (privateFolder / "Orvanta.pdf").string() + "\n");
  EXPECT_TRUE(fs::is_regular_file(privateFolder / "Orvanta.pdf"));
  EXPECT_EQ(fs::status(privateFolder).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_EQ(PicturesLeft(folder_), 0);
  EXPECT_EQ(Entries(privateFolder), std::vector<std::string>{"Orvanta.pdf"});  // no run's folder

  // The usual name taken by another user: one folder of ours under another
  // name, the same for every run.
  if (::geteuid() != 0) return;
  fs::remove_all(privateFolder);
  fs::create_directory(privateFolder);
  ASSERT_EQ(::chown(privateFolder.c_str(), 65534, 65534), 0);
  for (int again = 0; again < 3; ++again)
    EXPECT_EQ(Orvanta({"--year", "2013"}, settings).exitCode, 0);
  const std::vector<std::string> folders = Entries(folder_ / "tmp");
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(Entries(folder_ / "tmp" / folders[1]), std::vector<std::string>{"Orvanta.pdf"});
}

// File names are bytes: one that is not UTF-8 names that very file, for the
// calendar and for every file the run reads.
TEST_F(CliEndToEnd, FileNamesThatAreNotUtf8) {
  const fs::path output = folder_ / "lat\xE8n.pdf";
  WriteFile(folder_ / "note\xE8.dat", "40558,\"Visita dal dentista\"\r\n");
  WriteFile(folder_ / "turno\xFF.txt", "1;Giorno;Riposo;");
  WriteFile(folder_ / "testata\xE8.bmp", Bitmap24(210, 25));
  const RunResult run =
      Orvanta({"--year", "2013", "--output", output.string(), "--notes",
               (folder_ / "note\xE8.dat").string(), "--shift", (folder_ / "turno\xFF.txt").string(),
               "--header-image", (folder_ / "testata\xE8.bmp").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, output.string() + "\n");
  ASSERT_TRUE(fs::is_regular_file(output));
  EXPECT_FALSE(fs::exists(folder_ / "lat\uFFFDn.pdf"));
  const std::string text = PdfText(folder_, output);
  EXPECT_TRUE(Contains(text, "Visita dal dentista"));
  EXPECT_TRUE(Contains(text, "Giorno"));
  EXPECT_EQ(Count(ReadFile(output), "/ImgTop Do"), 12u);

  // A header text has to be text.
  ExpectUsageError(Orvanta({"--output", output.string(), "--header-text", "Rossi \xE8"}),
                   "--header-text", "header text");
}

// Relative paths go to the system as they are: "lnk/.." is the parent of the
// folder the link points to, and a deleted working folder resolves nothing.
TEST_F(CliEndToEnd, RelativePathsAreLeftToTheSystem) {
  fs::create_directories(folder_ / "a" / "b");
  fs::create_directory_symlink(folder_ / "a" / "b", folder_ / "lnk");
  RunResult run = OrvantaIn(folder_, false, {"--output", "lnk/../cal.pdf"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "lnk/../cal.pdf\n");
  EXPECT_TRUE(fs::is_regular_file(folder_ / "a" / "cal.pdf"));
  EXPECT_FALSE(fs::exists(folder_ / "cal.pdf"));

  const bool rootHadOne = fs::exists("/cal.pdf");
  fs::create_directory(folder_ / "cancellata");
  run = OrvantaIn(folder_ / "cancellata", true, {"--output", "cal.pdf"});
  ExpectUsageError(run, "orvanta: la cartella di lavoro non è utilizzabile", "deleted folder");
  EXPECT_TRUE(Contains(run.err, "'cal.pdf'")) << run.err;
  if (!rootHadOne) {
    EXPECT_FALSE(fs::exists("/cal.pdf"));
  }
  // An absolute path needs no working folder.
  fs::create_directory(folder_ / "cancellata");
  const fs::path absolute = folder_ / "assoluto.pdf";
  run = OrvantaIn(folder_ / "cancellata", true, {"--output", absolute.string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(fs::is_regular_file(absolute));
}

// Names that would make the calendar overwrite something else are refused
// before anything is written.
TEST_F(CliEndToEnd, OutputThatWouldDestroyAnotherFile) {
  WriteFile(folder_ / "keep.txt", "da tenere");
  ExpectUsageError(Orvanta({"--output", (folder_ / "keep.txt").string() + "/"}), "nome di un file",
                   "keep.txt/");
  EXPECT_EQ(ReadFile(folder_ / "keep.txt"), "da tenere");
  fs::create_directory(folder_ / "cartella");
  ExpectUsageError(Orvanta({"--output", (folder_ / "cartella").string()}), "nome di un file",
                   "a folder");
  EXPECT_TRUE(fs::is_directory(folder_ / "cartella"));

  // The run's own inputs: the default Notes.dat and Turno.txt (one through a
  // hard link), a named notes file by another spelling, a header picture.
  const std::string notes = ReadFile(folder_ / "Notes.dat");
  const std::string shift = ReadFile(folder_ / "Turno.txt");
  fs::create_hard_link(folder_ / "Turno.txt", folder_ / "turno-link.pdf");
  WriteFile(folder_ / "mie-note.dat", notes);
  WriteFile(folder_ / "testata.bmp", Bitmap24(210, 25));
  const std::vector<std::pair<std::vector<std::string>, std::string>> clashes = {
      {{"--output", (folder_ / "Notes.dat").string()}, "--notes"},
      {{"--output", (folder_ / "turno-link.pdf").string()}, "--shift"},
      {{"--notes", (folder_ / "mie-note.dat").string(), "--output",
        (folder_ / "a" / ".." / "mie-note.dat").string()},
       "--notes"},
      {{"--header-image", (folder_ / "testata.bmp").string(), "--output",
        (folder_ / "testata.bmp").string()},
       "--header-image"},
      // Each input by its own switch, whatever the other one says.
      {{"--no-notes", "--shift", (folder_ / "Turno.txt").string(), "--output",
        (folder_ / "Turno.txt").string()},
       "--shift"},
      {{"--no-shift", "--ics", (folder_ / "Notes.dat").string()}, "--notes"},
  };
  fs::create_directory(folder_ / "a");
  for (const auto& [args, option] : clashes) ExpectUsageError(Orvanta(args), option, args.back());
  EXPECT_EQ(ReadFile(folder_ / "Notes.dat"), notes);
  EXPECT_EQ(ReadFile(folder_ / "Turno.txt"), shift);
  EXPECT_EQ(ReadFile(folder_ / "mie-note.dat"), notes);
  EXPECT_EQ(ReadFile(folder_ / "testata.bmp"), Bitmap24(210, 25));
}

// A picture the bitmap reader refuses would be left out of every page.
TEST_F(CliEndToEnd, PicturesTheReaderRefusesExitWithTwo) {
  std::string deep = Bitmap24(210, 25);
  deep[28] = 32;  // bits per pixel
  WriteFile(folder_ / "32bit.bmp", deep);
  WriteFile(folder_ / "testo.bmp", "non è una bitmap");
  const fs::path output = folder_ / "cal.pdf";
  for (const char* name : {"32bit.bmp", "testo.bmp"}) {
    for (const char* option : {"--header-image", "--footer-image"}) {
      const RunResult run =
          Orvanta({"--output", output.string(), option, (folder_ / name).string()});
      ExpectUsageError(run, "1, 4, 8 o 24 bit", std::string(option) + " " + name);
      EXPECT_TRUE(Contains(run.err, option)) << run.err;
      EXPECT_FALSE(fs::exists(output));
    }
  }
}

// ---- The iCalendar file ----

// Reads an iCalendar file with Debian's python3-icalendar (the system's
// Python: that is where the package is) and prints what it understood: a
// line per problem the parser noted, the calendar's name, and one line per
// event occurrence (a repeating rule expanded by python3-dateutil, the UID
// of a repetition followed by its date) with tab-separated fields.
constexpr char kIcsReader[] = R"(
import sys, datetime
from icalendar import Calendar
from dateutil.rrule import rrulestr
cal = Calendar.from_ical(open(sys.argv[1], 'rb').read())
for component in cal.walk():
    for error in component.errors:
        print('ERROR', component.name, error)
print('NAME', cal.get('VERSION'), cal.get('X-WR-CALNAME'))
for event in cal.walk('VEVENT'):
    start, end = event.decoded('DTSTART'), event.decoded('DTEND')
    dates = type(start) is datetime.date and type(end) is datetime.date
    days = [start]
    if 'RRULE' in event:
        first = datetime.datetime.combine(start, datetime.time())
        rule = rrulestr(event['RRULE'].to_ical().decode(), dtstart=first)
        days = [d.date() for d in rule]
    for day in days:
        uid = str(event['UID']) + ('' if day == start else '/' + day.strftime('%Y%m%d'))
        print('\t'.join(['EVENT', day.strftime('%Y%m%d'), (day + (end - start)).strftime('%Y%m%d'),
                         'date' if dates else 'time', ','.join(event['CATEGORIES'].cats),
                         str(event['SUMMARY']), uid, str(event.get('COLOR', '')),
                         str(event.get('DTSTAMP').to_ical(), 'ascii')]))
)";

struct IcsEvent {
  std::string start, end, kind, category, summary, uid, colour, stamp;
};

struct Ics {
  std::string bytes;
  std::string reader;  // what the reader printed
  std::vector<IcsEvent> events;
  // "summary/category" of each event on a day, "*" after the red ones.
  std::vector<std::string> On(const std::string& date) const {
    std::vector<std::string> found;
    for (const IcsEvent& e : events) {
      if (e.start == date)
        found.push_back(e.summary + "/" + e.category + (e.colour.empty() ? "" : "*"));
    }
    return found;
  }
  std::size_t Count(const std::string& category, const std::string& summary = "") const {
    std::size_t n = 0;
    for (const IcsEvent& e : events)
      n += e.category == category && (summary.empty() || e.summary == summary);
    return n;
  }
};

std::string TwoDigits(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

bool Has(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t end; (end = line.find('\t', start)) != std::string::npos; start = end + 1)
    fields.push_back(line.substr(start, end - start));
  fields.push_back(line.substr(start));
  return fields;
}

class IcsEndToEnd : public CliEndToEnd {
 protected:
  void SetUp() override {
    CliEndToEnd::SetUp();
    // 15 January every year; 26 February with the characters the format
    // escapes; 3 March long enough to be folded, in Windows-1252.
    WriteFile(folder_ / "Notes.dat",
              "40558,\"Compleanno di Anna\"\r\n"
              "40600,\"Rata mutuo; banca \\ filiale\"\r\n"
              "40605,\"Visita di controllo dal dottor Rossi all'ospedale di Citt\xE0 "
              "di Castello\xB8 reparto cardiologia\"\r\n");
  }

  // Reads back a file the program wrote, checking what every file must be.
  Ics Read(const fs::path& path, const std::string& label) {
    Ics ics;
    ics.bytes = ReadFile(path);
    EXPECT_EQ(Count(ics.bytes, "\n"), Count(ics.bytes, "\r\n")) << label << ": bare LF";
    std::size_t start = 0;
    for (std::size_t end; (end = ics.bytes.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
      EXPECT_LE(end - start, 75u) << label << ": " << ics.bytes.substr(start, end - start);
    }
    EXPECT_EQ(start, ics.bytes.size()) << label << ": no line end at the end";
    const RunResult read =
        RunProgram(folder_, "/usr/bin/python3", {"-c", kIcsReader, path.string()});
    EXPECT_EQ(read.exitCode, 0) << label << ": " << read.err;
    EXPECT_EQ(read.err, "") << label;
    EXPECT_FALSE(Contains(read.out, "ERROR")) << label << ": " << read.out;
    ics.reader = read.out;
    std::size_t line = 0;
    for (std::size_t end; (end = read.out.find('\n', line)) != std::string::npos; line = end + 1) {
      const std::vector<std::string> f = Fields(read.out.substr(line, end - line));
      if (f.size() != 9 || f[0] != "EVENT") continue;
      ics.events.push_back({f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]});
    }
    return ics;
  }

  // Only the iCalendar file of `year`, with `options`.
  Ics IcsOnly(int year, const std::vector<std::string>& options) {
    const fs::path path = folder_ / ("anno-" + std::to_string(++runs_) + ".ics");
    std::vector<std::string> args = {"--year", std::to_string(year), "--ics", path.string()};
    args.insert(args.end(), options.begin(), options.end());
    const std::string label = std::to_string(year) + " " + ::testing::PrintToString(options);
    const RunResult run = Orvanta(args);
    EXPECT_EQ(run.exitCode, 0) << label << ": " << run.err;
    EXPECT_EQ(run.out, path.string() + "\n") << label;
    EXPECT_EQ(run.err, "") << label;
    return Read(path, label);
  }
};

TEST_F(IcsEndToEnd, EverythingTheCalendarPrintsFor2013And2027) {
  struct Expected {
    int year;
    std::string easter, easterMonday, lightsOff;
    std::string december8;
    std::string julyShift;
  };
  for (const Expected& x : {Expected{2013, "20130331", "20130401", "20131027",
                                     "II Avvento/ricorrenza religiosa*", "Turno: Pomeriggio"},
                            Expected{2027, "20270328", "20270329", "20271031",
                                     "Immacolata Concezione/festività*", "Turno: Pomeriggio"}}) {
    const std::string y = std::to_string(x.year);
    const Ics ics = IcsOnly(x.year, {});
    EXPECT_TRUE(Contains(ics.reader, "NAME 2.0 Orvanta " + y + "\n")) << ics.reader;
    // In both years the clocks go forward on Easter Sunday.
    EXPECT_TRUE(Has(ics.On(x.easter), "Pasqua/festività*")) << y;
    EXPECT_TRUE(Has(ics.On(x.easter), "ora legale/ora legale")) << y;
    EXPECT_TRUE(Has(ics.On(x.easterMonday), "Lunedì dell'Angelo/festività*")) << y;
    EXPECT_TRUE(Has(ics.On(y + "0425"), "Anniversario della liberazione/festività*")) << y;
    EXPECT_TRUE(Has(ics.On(y + "1208"), x.december8)) << y;
    EXPECT_TRUE(Has(ics.On(x.lightsOff), "ora solare/ora legale")) << y;
    EXPECT_EQ(ics.Count("ora legale"), 2u) << y;

    // The full moons are the almanac's, month by month.
    std::size_t fullMoons = 0;
    for (int month = 1; month <= 12; ++month) {
      const orvanta::MonthMoonPhases moon = orvanta::MoonPhasesForMonth(month, x.year);
      for (std::size_t slot = 0; slot < moon.MoonPhaseDays.size(); ++slot) {
        if (moon.MoonPhaseCodes[slot] != orvanta::kFullMoon) continue;
        ++fullMoons;
        const std::string date = y + TwoDigits(month) + TwoDigits(moon.MoonPhaseDays[slot]);
        EXPECT_TRUE(Has(ics.On(date), "Luna piena/luna")) << date;
      }
    }
    EXPECT_EQ(ics.Count("luna", "Luna piena"), fullMoons) << y;
    EXPECT_TRUE(fullMoons == 12 || fullMoons == 13) << y << ": " << fullMoons;

    // Notes of every year, escaped and folded on the way and read back whole.
    EXPECT_TRUE(Has(ics.On(y + "0115"), "Compleanno di Anna/nota personale")) << y;
    EXPECT_TRUE(Has(ics.On(y + "0226"), "Rata mutuo; banca \\ filiale/nota personale")) << y;
    EXPECT_NE(std::find_if(ics.events.begin(), ics.events.end(),
                           [](const IcsEvent& e) {
                             return e.summary ==
                                    "Visita di controllo dal dottor Rossi all'ospedale di Città "
                                    "di Castello¸ reparto cardiologia";
                           }),
              ics.events.end());
    // The shift on three days, as the repeating rules expand: the cycle runs
    // on from 1 January.
    EXPECT_TRUE(Has(ics.On(y + "0101"), "Turno: Mattino/turno")) << y;
    EXPECT_TRUE(Has(ics.On(y + "0701"), x.julyShift + "/turno")) << y;
    EXPECT_TRUE(Has(ics.On(y + "1231"), "Turno: Mattino/turno")) << y;
    EXPECT_EQ(ics.Count("turno"), 365u) << y;

    // All-day events of the year only, each with a UID of its own.
    std::set<std::string> uids;
    for (const IcsEvent& e : ics.events) {
      EXPECT_EQ(e.kind, "date") << e.uid;
      EXPECT_EQ(e.start.substr(0, 4), y) << e.uid;
      EXPECT_TRUE(e.end.substr(0, 4) == y || e.end == std::to_string(x.year + 1) + "0101");
      EXPECT_TRUE(uids.insert(e.uid).second) << e.uid;
      EXPECT_EQ(e.uid.rfind(y + "-", 0), 0u) << e.uid;
    }
  }
}

// Each switch leaves out what it names, and only that.
TEST_F(IcsEndToEnd, SwitchesLeaveOutWhatTheyName) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> switches = {
      {"--no-religious", {"ricorrenza religiosa"}},
      {"--no-ephemeris", {"luna", "ora legale"}},
      {"--no-footnotes", {"ricorrenza"}},
      {"--no-notes", {"nota personale"}},
      {"--no-shift", {"turno"}},
  };
  for (const int year : {2013, 2027}) {
    const Ics all = IcsOnly(year, {});
    for (const auto& [option, categories] : switches) {
      const Ics less = IcsOnly(year, {option});
      for (const char* category : {"festività", "ricorrenza civile", "ricorrenza religiosa", "luna",
                                   "ora legale", "ricorrenza", "nota personale", "turno"}) {
        const bool named =
            std::find(categories.begin(), categories.end(), category) != categories.end();
        EXPECT_NE(all.Count(category), 0u) << year << " " << category;
        EXPECT_EQ(less.Count(category), named ? 0u : all.Count(category))
            << year << " " << option << " / " << category;
      }
    }
  }
  const Ics civil = IcsOnly(2013, {"--no-religious"});
  EXPECT_TRUE(Has(civil.On("20131208"), "Immacolata Concezione/festività*"));
  EXPECT_EQ(civil.Count("festività", "S. Silvestro"), 0u);
}

// One run writes both files; a run that fails writes neither; bad options
// are refused as for the PDF; the file differs between runs only in its
// time stamp.
TEST_F(IcsEndToEnd, BesideThePdfWholeOrNotAtAll) {
  const fs::path pdf = folder_ / "cal.pdf";
  const fs::path ics = folder_ / "cal.ics";
  RunResult run = Orvanta({"--year", "2027", "--output", pdf.string(), "--ics", ics.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, pdf.string() + "\n" + ics.string() + "\n");
  EXPECT_TRUE(Contains(PdfText(folder_, pdf), "GENNAIO 2027"));
  const Ics first = Read(ics, "both");
  const Ics again = IcsOnly(2027, {});
  ASSERT_EQ(first.events.size(), again.events.size());
  for (std::size_t i = 0; i < first.events.size(); ++i) {
    IcsEvent a = first.events[i], b = again.events[i];
    a.stamp = b.stamp = "";
    EXPECT_EQ(std::tie(a.start, a.end, a.category, a.summary, a.uid, a.colour),
              std::tie(b.start, b.end, b.category, b.summary, b.uid, b.colour));
  }

  // Either file failing keeps both as they were.
  WriteFile(pdf, "pdf di prima");
  WriteFile(ics, "ics di prima");
  const fs::path nowhere = folder_ / "manca" / "x";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--output", pdf.string(), "--ics", nowhere.string()},
        {"--output", nowhere.string(), "--ics", ics.string()},
        {"--output", pdf.string(), "--ics", (folder_ / "link.ics").string()}}) {
    fs::remove(folder_ / "link.ics");
    fs::create_symlink(folder_ / "altrui.txt", folder_ / "link.ics");
    run = Orvanta(args);
    EXPECT_EQ(run.exitCode, 1) << args[3] << ": " << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Count(run.err, "\n"), 1u) << run.err;
    EXPECT_EQ(ReadFile(pdf), "pdf di prima");
    EXPECT_EQ(ReadFile(ics), "ics di prima");
    EXPECT_FALSE(fs::exists(folder_ / "altrui.txt"));
  }
  fs::remove(folder_ / "link.ics");
  for (const auto& entry : fs::directory_iterator(folder_))
    EXPECT_FALSE(Contains(entry.path().filename().string(), ".orvanta-")) << entry.path();

  ExpectUsageError(Orvanta({"--year", "1899", "--ics", ics.string()}), "--year", "1899");
  ExpectUsageError(Orvanta({"--ics", ics.string(), "--output", ics.string()}), "--ics", "same");
  ExpectUsageError(Orvanta({"--ics", (folder_ / "Notes.dat").string()}), "--notes", "notes");
  ExpectUsageError(Orvanta({"--ics", ics.string(), "--open"}), "--open", "open");
  EXPECT_EQ(ReadFile(ics), "ics di prima");

  // The .ics cannot take its name at the very end (a folder now stands there):
  // the PDF, already in place by then, goes back to what it was.
  const fs::path pdfFile = folder_ / "pdf" / "cal.pdf", icsFile = folder_ / "ics" / "cal.ics";
  fs::create_directory(folder_ / "pdf");
  fs::create_directory(folder_ / "ics");
  WriteFile(pdfFile, "pdf di prima");
  WriteFile(icsFile, "ics di prima");
  const double start = Now();
  const pid_t child =
      StartProgram(folder_, exe_.string(), {"-o", pdfFile.string(), "--ics", icsFile.string()});
  const bool bothOpen =  // both outputs checked, their new files open beside them
      WaitForFileOpenIn(child, folder_ / "ics") && WaitForFileOpenIn(child, folder_ / "pdf");
  ::kill(child, SIGSTOP);
  int status = 0;
  ::waitpid(child, &status, WUNTRACED);
  const bool midRun = WIFSTOPPED(status) && HasFileOpenIn(child, folder_ / "ics") &&
                      HasFileOpenIn(child, folder_ / "pdf");
  fs::remove(icsFile);
  fs::create_directory(icsFile);
  ::kill(child, SIGCONT);
  run = WIFSTOPPED(status) ? FinishProgram(child, folder_, start) : RunResult{};
  ASSERT_TRUE(bothOpen);
  if (!midRun) GTEST_SKIP() << "the run ended before the .ics could be taken away";
  EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Contains(run.err, icsFile.string())) << run.err;
  EXPECT_TRUE(ReadFile(pdfFile) == "pdf di prima") << "the PDF was replaced";
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "pdf"), {}), 1);
}

// "-" sends one file to standard output, whole, and no path is printed; the
// copy it was made in does not stay behind.
TEST_F(IcsEndToEnd, StandardOutputTakesOneFileAndNoPath) {
  RunSettings settings;
  settings.environment["TMPDIR"] = (folder_ / "tmp").string();
  settings.environment["XDG_RUNTIME_DIR"] = "";
  fs::create_directory(folder_ / "tmp");
  const fs::path pdf = folder_ / "cal.pdf";
  RunResult run = Orvanta({"-y2027", "-o", "-"}, settings);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  WriteFile(pdf, run.out);
  EXPECT_EQ(RunProgram(folder_, "qpdf", {"--check", pdf.string()}).exitCode, 0);
  EXPECT_TRUE(Contains(PdfText(folder_, pdf), "GENNAIO 2027"));

  run = Orvanta({"--year", "2027", "--output", pdf.string(), "--ics", "-"}, settings);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const fs::path ics = folder_ / "cal.ics";
  WriteFile(ics, run.out);
  EXPECT_EQ(Read(ics, "standard output").events.size(), IcsOnly(2027, {}).events.size());
  EXPECT_FALSE(fs::exists(folder_ / "-"));
  for (const auto& entry : fs::recursive_directory_iterator(folder_ / "tmp"))
    EXPECT_FALSE(entry.is_regular_file()) << entry.path();
}

// Without --year the current year, and "next" the coming one.
TEST_F(IcsEndToEnd, CurrentAndNextYear) {
  const auto thisYear = [] {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return local.tm_year + 1900;
  };
  const int before = thisYear();
  const fs::path path = folder_ / "corrente.ics";
  RunResult run = Orvanta({"--ics", path.string(), "--no-shift"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const int after = thisYear();
  const std::string name = Read(path, "current").reader;
  EXPECT_TRUE(Contains(name, "Orvanta " + std::to_string(before) + "\n") ||
              Contains(name, "Orvanta " + std::to_string(after) + "\n"));
  run = Orvanta({"--ics", path.string(), "--year", "next"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string next = Read(path, "next").reader;
  EXPECT_TRUE(Contains(next, "Orvanta " + std::to_string(before + 1) + "\n") ||
              Contains(next, "Orvanta " + std::to_string(after + 1) + "\n"));
}

}  // namespace

// ---- Importing notes ----

// The program's own export gives back its notes; the notes of a calendar
// file reach the PDF and the export on their days; an input that is no
// calendar exits with 2, a notes file that cannot be written with 1, and
// neither (nor a dry run) changes the notes.
TEST_F(IcsEndToEnd, ImportedNotesReachThePdfAndTheIcs) {
  const fs::path own = folder_ / "proprio.ics";
  ASSERT_EQ(Orvanta({"--year", "2013", "--ics", own.string()}).exitCode, 0);
  const std::string before = ReadFile(folder_ / "Notes.dat");
  const RunResult again = Orvanta({"--import-notes", own.string()});
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_TRUE(Contains(again.out, "Note aggiunte: 0, già presenti: 3,")) << again.out;
  EXPECT_EQ(ReadFile(folder_ / "Notes.dat"), before);
  const fs::path fresh = folder_ / "Nuove.dat";
  ASSERT_EQ(Orvanta({"--import-notes", own.string(), "--notes", fresh.string()}).exitCode, 0);
  // The two notes of up to 50 characters come back as they were.
  const auto twoLines = [](const std::string& s) { return s.substr(0, s.find("\r\n", 30) + 2); };
  EXPECT_EQ(twoLines(ReadFile(fresh)), twoLines(before));

  const std::string birthdays =
      std::string(ORVANTA_SOURCE_DIR) + "/tests/data/import/birthdays.ics";
  for (const auto& [args, code] : std::vector<std::pair<std::vector<std::string>, int>>{
           {{"--import-notes", birthdays, "--dry-run"}, 0},
           {{"--import-notes", birthdays, "--import-notes", (folder_ / "Turno.txt").string()}, 2},
           {{"--import-notes", birthdays, "--notes", (folder_ / "manca/Notes.dat").string()}, 1}}) {
    const RunResult run = Orvanta(args);
    EXPECT_EQ(run.exitCode, code) << run.out << run.err;
    EXPECT_EQ(ReadFile(folder_ / "Notes.dat"), before);
  }
  const RunResult imported = Orvanta({"--import-notes", birthdays});
  EXPECT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_TRUE(Contains(imported.out, "Note aggiunte: 6,")) << imported.out;

  const Pdf pdf = Calendar(2013, {});
  EXPECT_TRUE(Contains(DayRow(pdf.Page(6), 14, "Ven"), "Chiamare zio Joe a New York"));
  EXPECT_TRUE(Contains(DayRow(pdf.Page(3), 15, "Ven"), "Compleanno di Niccolò"));
  const Ics ics = IcsOnly(2013, {});
  EXPECT_TRUE(Has(ics.On("20130614"), "Chiamare zio Joe a New York/nota personale"));
  // 23:30 UTC on 20 August is already the 21st in Italy.
  EXPECT_TRUE(Has(ics.On("20130821"), "Anniversario¸ 'nozze' di Marta e Piero/nota personale"));
}

// Only a notes file is changed, and only when the exit status says so: a
// target that holds no notes or comes through another user's link is
// refused (2), a report that cannot be written leaves the file as it was
// (1), a dry run makes nothing, a note the calendar would never print is not
// added, and two imports at once both land.
TEST_F(IcsEndToEnd, TheNotesFileChangesOnlyAsTheExitStatusSays) {
  const fs::path vcard = folder_ / "fam.vcf", text = folder_ / "diario.txt";
  WriteFile(vcard, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zeta\r\nBDAY:1980-12-31\r\nEND:VCARD\r\n");
  WriteFile(text, "caro diario\n");
  std::vector<fs::path> refused = {vcard, text};
  if (::geteuid() == 0) {  // a link another user planted beside the notes
    fs::create_symlink(text, folder_ / "link.dat");
    ASSERT_EQ(::lchown((folder_ / "link.dat").c_str(), 65534, 65534), 0);
    refused.push_back(folder_ / "link.dat");
  }
  for (const fs::path& target : refused) {
    const RunResult run = Orvanta({"--import-notes", vcard.string(), "--notes", target.string()});
    EXPECT_EQ(run.exitCode, 2) << target << run.err;
  }
  EXPECT_EQ(ReadFile(text), "caro diario\n");

  const fs::path notes = folder_ / "Notes.dat";
  const std::string before = ReadFile(notes);
  const RunResult full = RunProgram(folder_, "/bin/sh",
                                    {"-c", "exec \"$@\" >/dev/full", "sh", exe_.string(),
                                     "--import-notes", vcard.string(), "--notes", notes.string()});
  EXPECT_EQ(full.exitCode, 1) << full.err;
  EXPECT_EQ(ReadFile(notes), before);
  const fs::path temporary = folder_ / "tmp";
  fs::create_directory(temporary);
  const RunResult dry =
      Orvanta({"--import-notes", vcard.string(), "--dry-run"},
              {{{"TMPDIR", temporary.string()}, {"XDG_RUNTIME_DIR", ""}}, std::nullopt});
  EXPECT_EQ(dry.exitCode, 0) << dry.err;
  EXPECT_TRUE(fs::is_empty(temporary));

  // Ten hand-written notes on 1 January and 355 more fill what the calendar prints.
  std::string crowded;
  for (int i = 0; i < 365; ++i)
    crowded += std::to_string(40544 + std::max(0, i - 9)) + ",\"n\"\r\n";
  WriteFile(notes, crowded);
  const RunResult noRoom = Orvanta({"--import-notes", vcard.string()});
  EXPECT_TRUE(Contains(noRoom.out, "al massimo 365 note")) << noRoom.out;
  EXPECT_EQ(ReadFile(notes), crowded);

  fs::remove(notes);
  std::string january, july;
  for (int day = 1; day <= 28; ++day) {
    const std::string date = (day < 10 ? "0" : "") + std::to_string(day);
    january += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A" + date + "\r\nBDAY:1980-01-" + date +
               "\r\nEND:VCARD\r\n";
    july += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:B" + date + "\r\nBDAY:1980-07-" + date +
            "\r\nEND:VCARD\r\n";
  }
  WriteFile(folder_ / "a.vcf", january);
  WriteFile(folder_ / "b.vcf", july);
  for (int pair = 0; pair < 8; ++pair) {
    fs::remove(notes);
    const double start = Now();
    const pid_t a =
        StartProgram(folder_, exe_.string(), {"--import-notes", (folder_ / "a.vcf").string()});
    const pid_t b =
        StartProgram(folder_, exe_.string(), {"--import-notes", (folder_ / "b.vcf").string()});
    EXPECT_EQ(FinishProgram(a, folder_, start).exitCode, 0);
    EXPECT_EQ(FinishProgram(b, folder_, start).exitCode, 0);
    EXPECT_EQ(Count(ReadFile(notes), "\n"), 56u) << pair;
  }
}
