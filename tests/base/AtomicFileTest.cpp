// Whole-file writes: replaced atomically, never through a link or into a
// file of another user, and a failure leaves the old file as it was.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
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

  // The data is on the disk before the name moves: after a crash between
  // the two the name would hold an empty file.
  std::string calls;
  ReplaceOptions watched;
  watched.hooks.sync = [&](int fd) {
    calls += "sync ";
    return ::fsync(fd);
  };
  watched.hooks.rename = [&](const char* from, const char* to) {
    calls += "rename";
    return ::rename(from, to);
  };
  ASSERT_TRUE(ReplaceFile(path, "synced", watched));
  EXPECT_EQ(calls, "sync rename");
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

// A file with a second name is neither written through nor split from it.
TEST_F(AtomicFileTest, RefusesOtherKindsOfFilesAndNeverWritesThroughHardLinks) {
  fs::create_directory(dir_ / "folder");
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);  // must not block the open
  WriteFile(dir_ / "original", "linked");
  fs::create_hard_link(dir_ / "original", dir_ / "hardlink");

  for (const char* name : {"folder", "fifo"}) {
    EXPECT_FALSE(ReplaceFile(Path(name), "x")) << name;
    EXPECT_FALSE(CheckReplaceable(Path(name))) << name;
  }
  const FileResult linked = ReplaceFile(Path("hardlink"), "new");
  EXPECT_EQ(linked.status, FileStatus::HardLinked);
  EXPECT_NE(linked.Describe().find("collegamenti fisici"), std::string::npos);
  EXPECT_EQ(ReadFile(dir_ / "hardlink"), "linked");
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

// Leftovers of killed writes go with the next write into the folder: only
// unused ones (a lock, not a process id, tells) with our names; an empty one
// only once settled, since its maker may be about to lock it.
TEST_F(AtomicFileTest, LeftoversOfKilledWritesAreRemoved) {
  const std::string dead = Path(".orvanta-dead00"), alive = Path(".orvanta-alive0");
  const std::string fresh = Path(".orvanta-fresh0"), mine = Path(".orvanta-notes");
  for (const std::string& name : {dead, alive, mine}) WriteFile(name, "left");
  WriteFile(fresh, "");
  const int inUse = ::open(alive.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(inUse, LOCK_SH), 0);
  ASSERT_TRUE(ReplaceFile(Path("Notes.dat"), "notes"));
  EXPECT_FALSE(fs::exists(dead));
  for (const std::string& name : {alive, fresh, mine}) EXPECT_TRUE(fs::exists(name)) << name;
  ::close(inUse);
}

// The temporary file is ours alone from its first moment, with or without a
// name, even under umask 0; its name fits beside any legal target name.
TEST_F(AtomicFileTest, TemporaryFilesArePrivateFromTheStart) {
  const mode_t umask = ::umask(0);
  const std::string longName = Path(std::string(250, 'n').c_str());
  for (const bool named : {false, true}) {
    ReplaceOptions options = Mode(0600);
    options.hooks.namedTemporaryOnly = named;
    std::unique_ptr<AtomicFile> file;
    ASSERT_TRUE(AtomicFile::Create(longName, file, options)) << named;
    struct stat info {};
    ASSERT_EQ(::stat(file->TemporaryPath().c_str(), &info), 0) << named;
    EXPECT_EQ(info.st_mode & 0777, 0600u) << named;
    EXPECT_EQ(file->TemporaryPath().starts_with("/proc/self/fd/"), !named);
    ASSERT_TRUE(file->Write("x"));
    ASSERT_TRUE(file->Commit()) << named;
    EXPECT_EQ(fs::status(longName).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  }
  ::umask(umask);
}

// Group, extended attributes and ACL stay; the mode too (first test).
TEST_F(AtomicFileTest, AReplaceKeepsWhatTheOwnerSet) {
  const std::string path = Path("Notes.dat");
  WriteFile(path, "old");
  ASSERT_EQ(::setxattr(path.c_str(), "user.colour", "blu", 3, 0), 0);
  const bool asRoot = ::geteuid() == 0;
  if (asRoot) {
    ASSERT_EQ(::chown(path.c_str(), 0, 65534), 0);
  }
  const bool acl = std::system(("setfacl -m u:65534:r " + path + " 2>/dev/null").c_str()) == 0;
  ASSERT_TRUE(ReplaceFile(path, "new"));
  char value[8] = {};
  EXPECT_EQ(::getxattr(path.c_str(), "user.colour", value, sizeof value), 3);
  EXPECT_STREQ(value, "blu");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
  EXPECT_EQ(info.st_gid, asRoot ? 65534u : ::getegid());
  if (!acl) GTEST_SKIP() << "setfacl could not give the file an ACL here: the ACL was not checked";
  EXPECT_EQ(std::system(("getfacl -cn " + path + " | grep -qx user:65534:r--").c_str()), 0);
}

// Two files commit together or not at all.
TEST_F(AtomicFileTest, ASecondFileThatCannotTakeItsNamePutsTheFirstBack) {
  for (const bool firstExisted : {true, false}) {
    fs::remove(dir_ / "cal.pdf");
    if (firstExisted) WriteFile(dir_ / "cal.pdf", "old pdf");
    WriteFile(dir_ / "cal.ics", "old ics");
    ReplaceOptions failing;
    failing.hooks.rename = [](const char*, const char*) {
      errno = EIO;
      return -1;
    };
    std::unique_ptr<AtomicFile> pdf, ics;
    ASSERT_TRUE(AtomicFile::Create(Path("cal.pdf"), pdf));
    ASSERT_TRUE(AtomicFile::Create(Path("cal.ics"), ics, failing));
    ASSERT_TRUE(pdf->Write("new pdf") && ics->Write("new ics"));
    EXPECT_FALSE(CommitTogether(*pdf, *ics));
    pdf.reset();
    ics.reset();
    EXPECT_EQ(fs::exists(dir_ / "cal.pdf"), firstExisted);
    EXPECT_EQ(ReadFile(dir_ / "cal.pdf"), firstExisted ? "old pdf" : "");
    EXPECT_EQ(ReadFile(dir_ / "cal.ics"), "old ics");
    EXPECT_EQ(Entries(dir_).size(), firstExisted ? 2u : 1u);
  }
  std::unique_ptr<AtomicFile> pdf, ics;
  ASSERT_TRUE(AtomicFile::Create(Path("cal.pdf"), pdf));
  ASSERT_TRUE(AtomicFile::Create(Path("cal.ics"), ics));
  ASSERT_TRUE(pdf->Write("new pdf") && ics->Write("new ics"));
  ASSERT_TRUE(CommitTogether(*pdf, *ics));
  EXPECT_EQ(ReadFile(dir_ / "cal.pdf") + ReadFile(dir_ / "cal.ics"), "new pdfnew ics");
  EXPECT_EQ(Entries(dir_).size(), 2u);
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
