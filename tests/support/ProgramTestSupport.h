#pragma once
// Helpers of the tests that run the real program: private folders, running a
// program with a measured time and memory, small input files.

#include <sys/resource.h>
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvanta::testsupport {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path);
void WriteFile(const fs::path& path, const std::string& bytes);
bool Contains(const std::string& text, const std::string& part);
// How many times `part` stands in `text` (overlaps counted).
std::size_t Count(const std::string& text, const std::string& part);

// A fresh folder, removed (permissions restored first) when the object goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "orvanta-reliability");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

struct RunSettings {
  std::map<std::string, std::string> environment;  // added to ours
  std::optional<rlim_t> maxFileSize;               // RLIMIT_FSIZE: a disk that fills up
};

struct RunResult {
  int exitCode = -1;  // 128 + signal when killed
  std::string out;
  std::string err;
  double seconds = 0;  // wall-clock time of the run
  long maxRssKb = 0;   // peak resident memory of the child
};

// Starts `program` (searched in PATH unless it contains "/") with its output
// collected in files of `folder`; `pid` receives the child's id.
pid_t StartProgram(const fs::path& folder, const std::string& program,
                   const std::vector<std::string>& args, const RunSettings& settings = {});
// Waits for a child started by StartProgram and collects what it left.
RunResult FinishProgram(pid_t child, const fs::path& folder, double startedAt);
RunResult RunProgram(const fs::path& folder, const std::string& program,
                     const std::vector<std::string>& args, const RunSettings& settings = {});

// Seconds on a monotonic clock.
double Now();

// The real executable, hard-linked (or copied) into `folder`, so that its
// application folder (pictures, Notes.dat, Turno.txt) is private to the test.
fs::path PrivateOrvanta(const fs::path& folder);

// An uncompressed 24-bit bitmap of width x height pixels in one colour.
std::string Bitmap24(int width, int height);

// The text of a PDF as pdftotext sees it (pages separated by form feeds).
std::string PdfText(const fs::path& folder, const fs::path& pdf);

}  // namespace orvanta::testsupport

namespace orvanta::testsupport {

// Time limits stretch with the build: under the sanitizers (CI builds them
// without optimisation, and every memory access is checked) and in any build
// without optimisation (Debug), where reading a 100 MB input byte by byte
// takes about ten times as long as in an optimised build.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
inline constexpr double kSlowdown = 10;
#else
inline constexpr double kSlowdown = 1;
#endif

}  // namespace orvanta::testsupport
