// Whole-file writes into folders that other users may write to.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/core/SafeFile.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("orvanta-safefile-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(SafeFileTest, CreatesAndReplacesWholeFiles) {
  const std::string path = Path("Orvanta.pdf");
  ASSERT_TRUE(WriteFileSafely(path, Bytes("first content, rather long"), 0600));
  EXPECT_EQ(ReadText(path), "first content, rather long");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  // A shorter content leaves nothing of the old one behind.
  const FileResult second = WriteFileSafely(path, Bytes("short"));
  EXPECT_TRUE(second.ok);
  EXPECT_TRUE(second.message.empty());
  EXPECT_EQ(ReadText(path), "short");

  ASSERT_TRUE(WriteFileSafely(path, {}));
  EXPECT_EQ(fs::file_size(path), 0u);
}

TEST_F(SafeFileTest, RefusesSymbolicLinksAndLeavesTheirTargetsAlone) {
  const fs::path target = dir_ / "precious.txt";
  std::ofstream(target) << "keep me";
  fs::create_symlink(target, dir_ / "Orvanta.pdf");
  fs::create_symlink(dir_ / "not-yet-there", dir_ / "Test.pdf");

  const FileResult toFile = WriteFileSafely(Path("Orvanta.pdf"), Bytes("evil"));
  EXPECT_FALSE(toFile.ok);
  EXPECT_NE(toFile.message.find("collegamento simbolico"), std::string::npos) << toFile.message;
  EXPECT_NE(toFile.message.find(Path("Orvanta.pdf")), std::string::npos) << toFile.message;
  EXPECT_EQ(ReadText(target), "keep me");

  EXPECT_FALSE(WriteFileSafely(Path("Test.pdf"), Bytes("evil")));
  EXPECT_FALSE(fs::exists(dir_ / "not-yet-there"));

  EXPECT_FALSE(CheckOutputPath(Path("Orvanta.pdf")));
  EXPECT_FALSE(CheckOutputPath(Path("Test.pdf")));
}

TEST_F(SafeFileTest, RefusesOtherKindsOfFilesAndExtraHardLinks) {
  fs::create_directory(dir_ / "folder");
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);  // must not block the open
  std::ofstream(dir_ / "original") << "linked";
  fs::create_hard_link(dir_ / "original", dir_ / "hardlink");

  for (const char* name : {"folder", "fifo", "hardlink"}) {
    EXPECT_FALSE(WriteFileSafely(Path(name), Bytes("x"))) << name;
    EXPECT_FALSE(CheckOutputPath(Path(name))) << name;
  }
  EXPECT_EQ(ReadText(dir_ / "original"), "linked");
}

TEST_F(SafeFileTest, RefusesAFileOfAnotherUserWithoutTruncatingIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  const std::string path = Path("Orvanta.pdf");
  std::ofstream(path) << "someone else's";
  ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);

  const FileResult result = WriteFileSafely(path, Bytes("mine"));
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find("altro utente"), std::string::npos) << result.message;
  EXPECT_EQ(ReadText(path), "someone else's");
  EXPECT_FALSE(CheckOutputPath(path));
}

TEST_F(SafeFileTest, CheckOutputPathAcceptsNewAndOwnFiles) {
  EXPECT_TRUE(CheckOutputPath(Path("new.pdf")));
  std::ofstream(dir_ / "own.pdf") << "x";
  EXPECT_TRUE(CheckOutputPath(Path("own.pdf")));
  EXPECT_FALSE(CheckOutputPath(""));
  EXPECT_FALSE(WriteFileSafely("", Bytes("x")));
  EXPECT_FALSE(WriteFileSafely(Path("missing-folder/file"), Bytes("x")));
}

// Run in a child process: a file size limit makes the write fail half-way,
// as a full disk would. Exit code 0 when the failure left no file behind.
[[noreturn]] void WriteBeyondTheSizeLimit(const std::string& path) {
  ::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{4096, 4096};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const FileResult result = WriteFileSafely(path, Bytes(std::string(64 * 1024, 'x')));
  std::_Exit(!result.ok && !result.message.empty() && !fs::exists(path) ? 0 : 1);
}

TEST_F(SafeFileTest, AFailedWriteRemovesThePartialFile) {
  EXPECT_EXIT(WriteBeyondTheSizeLimit(Path("big.bin")), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace orvanta
