// Files the program writes into folders that others may write to are never
// written through a link planted there: the calendar in the temporary folder
// (a link to someone's file, a dangling link naming a file to be created
// elsewhere, a second hard link); links under the pictures' names beside the
// program are neither read nor written through.
#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/RunProgram.h"
#include "tests/support/TestBitmaps.h"
#include "tests/support/TestFiles.h"

namespace orvanta::reliability {

using namespace orvanta::test;
namespace {

// Links at the output path, as another user could plant them in a shared
// folder (the default calendar goes into a private folder; see OutputSafety).
TEST(PlantedLinks, CalendarIsNotWrittenThroughThem) {
  TempFolder folder;
  const fs::path exe = PrivateOrvanta(folder.path());
  const fs::path tmp = folder / "tmp";
  fs::create_directory(tmp);
  const fs::path calendar = tmp / "Orvanta.pdf";
  const fs::path victim = folder / "documento.txt";
  WriteFile(victim, "dati da non toccare");
  RunSettings settings;
  settings.environment["TMPDIR"] = tmp.string();

  const auto expectRefused = [&](const std::string& what) {
    const RunResult run = RunProgram(folder.path(), exe.string(),
                                     {"--year", "2013", "--output", calendar.string()}, settings);
    EXPECT_EQ(run.exitCode, 1) << what << ": " << run.out << run.err;
    EXPECT_EQ(run.out, "") << what;
    EXPECT_EQ(run.err.rfind("orvanta: ", 0), 0u) << what << ": " << run.err;
    EXPECT_TRUE(Contains(run.err, calendar.string())) << what << ": " << run.err;
    EXPECT_EQ(ReadFile(victim), "dati da non toccare") << what;
    EXPECT_EQ(PicturesLeft(folder.path()), 0) << what;
  };

  fs::create_symlink(victim, calendar);
  expectRefused("link to a file");
  EXPECT_TRUE(fs::is_symlink(calendar));

  // A dangling link would make the program create a file where the link points.
  fs::remove(calendar);
  const fs::path elsewhere = folder / "creato-altrove.pdf";
  fs::create_symlink(elsewhere, calendar);
  expectRefused("dangling link");
  EXPECT_FALSE(fs::exists(fs::symlink_status(elsewhere)));

  // A second name of a file is neither written through nor split off.
  fs::remove(calendar);
  fs::create_hard_link(victim, calendar);
  expectRefused("hard link");
  EXPECT_EQ(fs::hard_link_count(victim), 2u);

  // With the path free again the calendar is written there.
  fs::remove(calendar);
  const RunResult run = RunProgram(folder.path(), exe.string(),
                                   {"--year", "2013", "--output", calendar.string()}, settings);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, calendar.string() + "\n");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(calendar)));
}

TEST(PlantedLinks, PicturesAreNeitherReadNorWrittenThroughThem) {
  TempFolder folder;
  const fs::path exe = PrivateOrvanta(folder.path());
  const fs::path victim = folder / "foto.bmp";
  const std::string picture = Bitmap24(4, 4);
  WriteFile(victim, picture);
  fs::create_symlink(victim, folder / "13OV.bmp");               // first event picture
  fs::create_symlink(folder / "manca.bmp", folder / "1OV.bmp");  // first zodiac sign, dangling
  const fs::path pdf = folder / "calendario.pdf";

  const RunResult run = RunProgram(folder.path(), exe.string(), {"--output", pdf.string()});
  // The calendar is written with the program's own 25 pictures.
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Count(ReadFile(pdf), "/Subtype /Image"), 25u);
  EXPECT_EQ(ReadFile(victim), picture);
  EXPECT_TRUE(fs::is_symlink(folder / "13OV.bmp"));
  EXPECT_TRUE(fs::is_symlink(folder / "1OV.bmp"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "manca.bmp")));
  EXPECT_EQ(PicturesLeft(folder.path()), 0);
  const RunResult check = RunProgram(folder.path(), "qpdf", {"--check", pdf.string()});
  EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
}

}  // namespace
}  // namespace orvanta::reliability
