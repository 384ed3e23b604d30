// Every year of the window's list (1900 to 2013) written through the real
// executable with every option on, personal notes, a shift cycle and a custom
// header and footer; every file must pass qpdf --check without a warning.
#include <gtest/gtest.h>

#include <iostream>

#include "tests/support/RunProgram.h"
#include "tests/support/TestBitmaps.h"
#include "tests/support/TestFiles.h"

namespace orvanta::reliability {

using namespace orvanta::test;
namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2013;

TEST(CalendarYears, EveryYearOfTheWindowWithAllOptionsPassesQpdf) {
  TempFolder folder("orvanta-years");
  const fs::path exe = PrivateOrvanta(folder.path());
  // Notes of the editor's year, one with Windows-1252 letters, and a 29
  // February that ends the reading in common years.
  WriteFile(folder / "Notes.dat",
            "40544,\"Capodanno in montagna\"\r\n40617,\"Compleanno di Anna\"\r\n"
            "40756,\"Ferie \xE8 \x80 100\"\r\n40908,\"Cenone\"\r\n40968,\"Bisestile\"\r\n");
  WriteFile(folder / "Turno.txt", "3;Mattino;Pomeriggio;Notte;Riposo;Riposo;");
  WriteFile(folder / "testata.bmp", Bitmap24(210, 25));
  WriteFile(folder / "piede.bmp", Bitmap24(100, 12));
  fs::create_directory(folder / "pdf");

  const char* const colours[] = {"black", "blue", "green"};
  double writing = 0;
  for (int year = kFirstYear; year <= kLastYear; ++year) {
    const fs::path pdf = folder / "pdf" / (std::to_string(year) + ".pdf");
    std::vector<std::string> args = {"--year",     std::to_string(year), "--output",
                                     pdf.string(), "--text-color",       colours[year % 3]};
    // Header and footer take turns being a text and a picture.
    const std::vector<std::string> custom =
        year % 2 == 0
            ? std::vector<std::string>{"--header-text",  "Famiglia Rossi",
                                       "--header-color", "#CD0000",
                                       "--footer-image", (folder / "piede.bmp").string()}
            : std::vector<std::string>{"--header-image", (folder / "testata.bmp").string(),
                                       "--footer-text", "Buone feste"};
    args.insert(args.end(), custom.begin(), custom.end());
    const RunResult run = RunProgram(folder.path(), exe.string(), args);
    writing += run.seconds;
    ASSERT_EQ(run.exitCode, 0) << year << ": " << run.err;
    EXPECT_EQ(run.out, pdf.string() + "\n") << year;
    EXPECT_EQ(run.err, "") << year;
  }

  // One shell runs qpdf over all files and names the ones that are not clean.
  const double start = Now();
  const RunResult check = RunProgram(
      folder.path(), "sh",
      {"-c",
       "n=0; for f in \"$1\"/*.pdf; do n=$((n+1)); qpdf --check \"$f\" >/dev/null 2>&1 || "
       "echo \"$f: qpdf exit $?\"; done; echo \"$n files\"",
       "sh", (folder / "pdf").string()});
  const double checking = Now() - start;
  EXPECT_EQ(check.exitCode, 0) << check.err;
  EXPECT_EQ(check.out, std::to_string(kLastYear - kFirstYear + 1) + " files\n") << check.out;

  // The personal notes reached the pages, in the first and the last year.
  for (const int year : {kFirstYear, kLastYear}) {
    const std::string text =
        PdfText(folder.path(), folder / "pdf" / (std::to_string(year) + ".pdf"));
    EXPECT_TRUE(Contains(text, "Compleanno di Anna")) << year;
    EXPECT_TRUE(Contains(text, "Mattino")) << year;
  }
  std::cout << "114 calendars written in " << writing << " s, checked by qpdf in " << checking
            << " s\n";
}

}  // namespace
}  // namespace orvanta::reliability
