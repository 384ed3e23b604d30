// Whole-file writes: replaced atomically, never through a link or into a
// file of another user, and a failure leaves the old file as it was.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "base/AtomicFile.h"
#include "tests/support/TestFiles.h"

namespace orvanta {
namespace {

using namespace test;

ReplaceOptions Mode(mode_t mode) {
  ReplaceOptions options;
  options.newFileMode = mode;
  return options;
}

class AtomicFileTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  TempFolder folder_{"orvanta-atomicfile"};
  const fs::path dir_ = folder_.path();
};

TEST_F(AtomicFileTest, CreatesAndReplacesWholeFiles) {
  const std::string path = Path("Orvanta.pdf");
  ASSERT_TRUE(ReplaceFile(path, "first content, rather long", Mode(0600)));
  EXPECT_EQ(ReadFile(path), "first content, rather long");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  // A shorter content leaves nothing of the old one behind.
  const FileResult second = ReplaceFile(path, "short");
  EXPECT_TRUE(second.Ok());
  EXPECT_TRUE(second.Describe().empty());
  EXPECT_EQ(ReadFile(path), "short");

  // The new file keeps the permissions the user gave the old one.
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(ReplaceFile(path, {}));
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(fs::file_size(path), 0u);
}

TEST_F(AtomicFileTest, RefusesSymbolicLinksAndLeavesTheirTargetsAlone) {
  const fs::path target = dir_ / "precious.txt";
  WriteFile(target, "keep me");
  fs::create_symlink(target, dir_ / "Orvanta.pdf");
  fs::create_symlink(dir_ / "not-yet-there", dir_ / "Test.pdf");

  const FileResult toFile = ReplaceFile(Path("Orvanta.pdf"), "evil");
  EXPECT_EQ(toFile.status, FileStatus::SymbolicLink);
  EXPECT_NE(toFile.Describe().find("collegamento simbolico"), std::string::npos);
  EXPECT_NE(toFile.Describe().find(Path("Orvanta.pdf")), std::string::npos);
  EXPECT_EQ(ReadFile(target), "keep me");

  EXPECT_FALSE(ReplaceFile(Path("Test.pdf"), "evil"));
  EXPECT_FALSE(fs::exists(dir_ / "not-yet-there"));

  EXPECT_FALSE(CheckReplaceable(Path("Orvanta.pdf")));
  EXPECT_FALSE(CheckReplaceable(Path("Test.pdf")));
}

// A hard link planted at the name is replaced, not written through.
TEST_F(AtomicFileTest, RefusesOtherKindsOfFilesAndNeverWritesThroughHardLinks) {
  fs::create_directory(dir_ / "folder");
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);  // must not block the open
  WriteFile(dir_ / "original", "linked");
  fs::create_hard_link(dir_ / "original", dir_ / "hardlink");

  for (const char* name : {"folder", "fifo"}) {
    EXPECT_FALSE(ReplaceFile(Path(name), "x")) << name;
    EXPECT_FALSE(CheckReplaceable(Path(name))) << name;
  }
  EXPECT_TRUE(ReplaceFile(Path("hardlink"), "new"));
  EXPECT_EQ(ReadFile(dir_ / "hardlink"), "new");
  EXPECT_EQ(ReadFile(dir_ / "original"), "linked");
}

TEST_F(AtomicFileTest, RefusesAFileOfAnotherUserWithoutTruncatingIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  const std::string path = Path("Orvanta.pdf");
  WriteFile(path, "someone else's");
  ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);

  const FileResult result = ReplaceFile(path, "mine");
  EXPECT_EQ(result.status, FileStatus::ForeignOwner);
  EXPECT_NE(result.Describe().find("altro utente"), std::string::npos);
  EXPECT_EQ(ReadFile(path), "someone else's");
  EXPECT_FALSE(CheckReplaceable(path));
}

TEST_F(AtomicFileTest, CheckOutputPathAcceptsNewAndOwnFiles) {
  EXPECT_TRUE(CheckReplaceable(Path("new.pdf")));
  WriteFile(dir_ / "own.pdf", "x");
  EXPECT_TRUE(CheckReplaceable(Path("own.pdf")));
  EXPECT_FALSE(CheckReplaceable(""));
  EXPECT_FALSE(ReplaceFile("", "x"));
  EXPECT_EQ(ReplaceFile(Path("missing-folder/file"), "x").status, FileStatus::NotFound);
  EXPECT_EQ(ReplaceFile(Path("folder-name/"), "x").status, FileStatus::NoName);
}

// Run in a child process: a file size limit makes the write fail half-way,
// as a full disk would. Exit code 0 when the failure left the old file whole
// and nothing else in the folder.
[[noreturn]] void WriteBeyondTheSizeLimit(const fs::path& dir) {
  ::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{4096, 4096};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const FileResult result = ReplaceFile((dir / "big.bin").string(), std::string(64 * 1024, 'x'));
  const bool alone = std::distance(fs::directory_iterator(dir), fs::directory_iterator()) == 1;
  std::_Exit(!result.Ok() && ReadFile(dir / "big.bin") == "old" && alone ? 0 : 1);
}

TEST_F(AtomicFileTest, AFailedWriteKeepsTheOldFileAndLeavesNothingBehind) {
  WriteFile(dir_ / "big.bin", "old");
  EXPECT_EXIT(WriteBeyondTheSizeLimit(dir_), ::testing::ExitedWithCode(0), "");

  // Given up before Commit: the old file stays, the temporary file goes.
  std::unique_ptr<AtomicFile> file;
  ASSERT_TRUE(AtomicFile::Create(Path("big.bin"), file));
  ASSERT_TRUE(file->Write("half"));
  EXPECT_TRUE(fs::exists(file->TemporaryPath()));
  const std::string temporary = file->TemporaryPath();
  file.reset();
  EXPECT_FALSE(fs::exists(temporary));
  EXPECT_EQ(ReadFile(dir_ / "big.bin"), "old");
}

// Leftovers of a write whose process was killed go with the next write to the
// same file; a temporary file of a running process, and other names, stay.
TEST_F(AtomicFileTest, LeftoversOfKilledWritesAreRemoved) {
  const pid_t child = ::fork();
  if (child == 0) std::_Exit(0);
  ASSERT_GT(child, 0);
  ::waitpid(child, nullptr, 0);  // its process id now names no process
  const std::string dead = Path("Notes.dat.new-") + std::to_string(child) + "-0";
  const std::string alive = Path("Notes.dat.new-") + std::to_string(::getppid()) + "-0";
  for (const std::string& name : {dead, alive, Path("Notes.dat.new-x-1"), Path("Other.new-1-0")})
    WriteFile(name, "left");
  ASSERT_TRUE(ReplaceFile(Path("Notes.dat"), "notes"));
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_TRUE(fs::exists(alive));
  EXPECT_TRUE(fs::exists(Path("Notes.dat.new-x-1")));
  EXPECT_TRUE(fs::exists(Path("Other.new-1-0")));
}

// Writers to one name never mix their bytes: the last rename wins whole.
TEST_F(AtomicFileTest, ConcurrentWritersLeaveOneWholeFile) {
  std::unique_ptr<AtomicFile> first;
  std::unique_ptr<AtomicFile> second;
  ASSERT_TRUE(AtomicFile::Create(Path("cal.pdf"), first));
  ASSERT_TRUE(AtomicFile::Create(Path("cal.pdf"), second));
  ASSERT_TRUE(first->Write("first, longer content"));
  ASSERT_TRUE(second->Write("second"));
  ASSERT_TRUE(second->Commit());
  EXPECT_EQ(ReadFile(dir_ / "cal.pdf"), "second");
  ASSERT_TRUE(first->Commit());
  EXPECT_EQ(ReadFile(dir_ / "cal.pdf"), "first, longer content");
}

}  // namespace
}  // namespace orvanta
