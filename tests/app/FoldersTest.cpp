// The application and temporary folders and the file test.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/core/platform/Folders.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

namespace orvanta {
namespace {

using test::ScopedEnvironment;
using test::WriteFile;
namespace fs = std::filesystem;

class FoldersTest : public ::testing::Test {
 protected:
  test::TempFolder folder_{"orvanta-folders"};
  const fs::path dir_ = folder_.path();
};

TEST(AppFolder, IsTheFolderOfTheRunningExecutableWithOneSlash) {
  const std::string folder = AppFolder();
  const fs::path exe = fs::read_symlink("/proc/self/exe");
  EXPECT_EQ(folder, exe.parent_path().string() + "/");
  EXPECT_TRUE(FileExists(folder + exe.filename().string()));
  EXPECT_NE(folder.substr(folder.size() - 2), "//");
}

TEST(AppFolder, InstalledProgramFallsBackToThePerUserDataFolder) {
  // A build tree or a copy in the home folder: the executable's own folder.
  EXPECT_EQ(ChooseAppFolder("/home/u/orvanta/", true, "/home/u/.data", "/home/u"),
            "/home/u/orvanta/");
  // Installed under /usr/bin (even run as root, who could write there).
  EXPECT_EQ(ChooseAppFolder("/usr/bin/", false, "/home/u/.data", "/home/u"),
            "/home/u/.data/orvanta/");
  EXPECT_EQ(ChooseAppFolder("/usr/bin/", false, "", "/home/u/"), "/home/u/.local/share/orvanta/");
  // A relative XDG_DATA_HOME is ignored, as the XDG rules ask.
  EXPECT_EQ(ChooseAppFolder("/usr/bin/", false, "data", "/home/u"),
            "/home/u/.local/share/orvanta/");
  // No home: nowhere, rather than the installed program's folder.
  EXPECT_EQ(ChooseAppFolder("/usr/bin", false, "", ""), "");
}

TEST(WithTrailingSlash, LeavesExactlyOneSlash) {
  EXPECT_EQ(WithTrailingSlash("/a/b"), "/a/b/");
  EXPECT_EQ(WithTrailingSlash("/a/b///"), "/a/b/");
  EXPECT_EQ(WithTrailingSlash("/"), "/");
  EXPECT_EQ(WithTrailingSlash("//"), "/");
  EXPECT_EQ(WithTrailingSlash(""), "");
}

TEST_F(FoldersTest, TempFolderFollowsTmpDirWhenItIsAFolder) {
  {
    ScopedEnvironment tmp("TMPDIR", (dir_.string() + "//").c_str());
    EXPECT_EQ(TempFolder(), dir_.string() + "/");
  }
  {
    ScopedEnvironment tmp("TMPDIR", nullptr);
    EXPECT_EQ(TempFolder(), "/tmp/");
  }
  WriteFile(dir_ / "file", "x");
  for (const std::string& bad : std::vector<std::string>{
           "", "relative/dir", (dir_ / "missing").string(), (dir_ / "file").string()}) {
    ScopedEnvironment tmp("TMPDIR", bad.c_str());
    EXPECT_EQ(TempFolder(), "/tmp/") << "TMPDIR=" << bad;
  }
}

TEST_F(FoldersTest, FileExistsOnlyForRegularFiles) {
  const fs::path file = dir_ / "Turno.txt";
  WriteFile(file, "1;A;");
  fs::create_directory(dir_ / "folder");
  fs::create_symlink(file, dir_ / "link-to-file");
  fs::create_symlink(dir_ / "folder", dir_ / "link-to-folder");
  fs::create_symlink(dir_ / "gone", dir_ / "dangling");

  EXPECT_TRUE(FileExists(file.string()));
  EXPECT_TRUE(FileExists((dir_ / "link-to-file").string()));
  EXPECT_FALSE(FileExists((dir_ / "folder").string()));
  EXPECT_FALSE(FileExists((dir_ / "folder/").string()));
  EXPECT_FALSE(FileExists((dir_ / "link-to-folder").string()));
  EXPECT_FALSE(FileExists((dir_ / "dangling").string()));
  EXPECT_FALSE(FileExists((dir_ / "missing").string()));
  EXPECT_FALSE(FileExists((file / "below-a-file").string()));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists("/dev/null"));
}

// Notes beside a copy of the program the user cannot change were lost to the
// calendar and the editor: they move once, byte for byte and private.
TEST_F(FoldersTest, NotesBesideTheProgramMoveOnceIntoTheDataFolder) {
  fs::create_directories(dir_ / "programma");
  fs::create_directories(dir_ / "dati");
  const std::string exeFolder = (dir_ / "programma").string() + "/";
  const std::string appFolder = (dir_ / "dati").string() + "/";
  WriteFile(dir_ / "programma" / "Notes.dat", "40607,\"Anna\"\r\n");
  EXPECT_NE(AdoptNotesBesideProgram(appFolder, exeFolder), "");
  EXPECT_EQ(test::ReadFile(dir_ / "dati" / "Notes.dat"), "40607,\"Anna\"\r\n");
  EXPECT_EQ(fs::status(dir_ / "dati" / "Notes.dat").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  WriteFile(dir_ / "programma" / "Notes.dat", "40608,\"altro\"\r\n");
  EXPECT_EQ(AdoptNotesBesideProgram(appFolder, exeFolder), "");  // the user's own stay
  EXPECT_EQ(test::ReadFile(dir_ / "dati" / "Notes.dat"), "40607,\"Anna\"\r\n");
  EXPECT_EQ(AdoptNotesBesideProgram(exeFolder, exeFolder), "");
}

}  // namespace
}  // namespace orvanta
