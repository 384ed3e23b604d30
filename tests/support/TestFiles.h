#pragma once
// Files for the tests: a private folder per test, whole files read and
// written as bytes, and counting in what was read.

#include <filesystem>
#include <string>
#include <vector>

namespace orvanta::test {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path);
void WriteFile(const fs::path& path, const std::string& bytes);
// The names in `folder`, sorted.
std::vector<std::string> Entries(const fs::path& folder);

bool Contains(const std::string& text, const std::string& part);
// How many times `part` stands in `text` (overlaps counted).
std::size_t Count(const std::string& text, const std::string& part);

// A fresh folder (mode 0700), removed with its content when the object goes,
// after giving back the permissions a test took away.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "orvanta-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }
  // Leaves the folder in place, to be looked at after a failure.
  void Keep() { keep_ = true; }

 private:
  fs::path path_;
  bool keep_ = false;
};

}  // namespace orvanta::test
