// Several command-line runs at once from one program: each calendar gets all
// of its pictures, and none are left behind.
#include <gtest/gtest.h>

#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

namespace orvanta::reliability {

using namespace orvanta::test;
namespace {

// Runs at the same time from one program: each takes its pictures from the
// program's own data, so no run can delete or truncate another's.
TEST(ConcurrentRuns, EveryCalendarGetsAllItsPictures) {
  TempFolder folder;
  const fs::path exe = PrivateOrvanta(folder.path());
  constexpr int kRuns = 6;
  std::vector<pid_t> children;
  const double start = Now();
  for (int i = 0; i < kRuns; ++i) {
    const fs::path run = folder / ("run" + std::to_string(i));
    fs::create_directory(run);
    children.push_back(
        StartProgram(run, exe.string(), {"--output", (run / "calendario.pdf").string()}));
  }
  for (int i = 0; i < kRuns; ++i) {
    const fs::path run = folder / ("run" + std::to_string(i));
    const RunResult result = FinishProgram(children[static_cast<std::size_t>(i)], run, start);
    EXPECT_EQ(result.exitCode, 0) << i << ": " << result.err;
    // 13 event pictures and 12 zodiac signs.
    EXPECT_EQ(Count(ReadFile(run / "calendario.pdf"), "/Subtype /Image"), 25u) << i;
  }
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    EXPECT_FALSE(entry.path().filename().string().ends_with("OV.bmp")) << entry.path();
  }
}

}  // namespace
}  // namespace orvanta::reliability
