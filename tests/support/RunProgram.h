#pragma once
// Running a program with its output collected and its time and memory
// measured; the outside readers of a PDF; the real executable, where the
// test target is given its path (ORVANTA_EXE).

#include <sys/resource.h>
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvanta::test {

namespace fs = std::filesystem;

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
// collected in files of `folder`; answers the child's id.
pid_t StartProgram(const fs::path& folder, const std::string& program,
                   const std::vector<std::string>& args, const RunSettings& settings = {});
// Waits for a child started by StartProgram and collects what it left.
RunResult FinishProgram(pid_t child, const fs::path& folder, double startedAt);
RunResult RunProgram(const fs::path& folder, const std::string& program,
                     const std::vector<std::string>& args, const RunSettings& settings = {});

// Sets (or with nullptr removes) an environment variable of this process
// until the object goes.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Whether process `pid` has a file open in `folder` (one it writes there,
// named or not yet).
bool HasFileOpenIn(pid_t pid, const fs::path& folder);
// Waits (up to 20 s, stretched by kSlowdown) until it has; answers whether it did.
bool WaitForFileOpenIn(pid_t pid, const fs::path& folder);

// Seconds on a monotonic clock.
double Now();

// The text of a PDF as pdftotext -raw sees it (pages separated by form feeds).
std::string PdfText(const fs::path& folder, const fs::path& pdf);

// Time limits stretch with the build: under the sanitizers (CI builds them
// without optimisation, and every memory access is checked) and in any build
// without optimisation (Debug), where reading a 100 MB input byte by byte
// takes about ten times as long as in an optimised build.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
inline constexpr double kSlowdown = 10;
#else
inline constexpr double kSlowdown = 1;
#endif

// How many pictures extracted by a run (regular files "*OV.bmp", not links)
// are left in `folder`.
int PicturesLeft(const fs::path& folder);

#ifdef ORVANTA_EXE
// The real executable, hard-linked (or copied) into `folder` with its
// modules beside it, so that its application folder (pictures, Notes.dat,
// Turno.txt) is private to the test.
inline fs::path PrivateOrvanta(const fs::path& folder) {
  const fs::path built = ORVANTA_EXE;
  for (const char* name : {"orvanta", "orvanta-window.so", "orvanta-import.so"}) {
    std::error_code error;
    fs::create_hard_link(built.parent_path() / name, folder / name, error);
    if (error) fs::copy_file(built.parent_path() / name, folder / name);
  }
  return folder / "orvanta";
}
#endif

}  // namespace orvanta::test
