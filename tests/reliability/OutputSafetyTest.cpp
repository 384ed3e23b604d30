// The calendar file appears whole or not at all: a run stopped by a signal, a
// killed run or two runs to one file never leave a damaged calendar, never
// destroy the earlier one, and leave nothing of theirs behind; files other
// users plant in the shared temporary folder neither block nor redirect it.
#include <gtest/gtest.h>
#include <locale.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

namespace orvanta::reliability {

using namespace orvanta::test;
namespace {

int Qpdf(const fs::path& folder, const fs::path& pdf) {
  return RunProgram(folder, "qpdf", {"--check", pdf.string()}).exitCode;
}

class OutputSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    exe_ = PrivateOrvanta(folder_.path());
    fs::create_directory(out_);
    fs::create_directory(tmp_);
    // The private temporary folder of the runs: tmp/orvanta-<uid>/.
    settings_.environment["TMPDIR"] = tmp_.string();
    settings_.environment["XDG_RUNTIME_DIR"] = "";
    WriteFile(pdf_, "the calendar of last year");
  }

  // Starts a run and stops it with `signal` while it composes: its temporary
  // output is open. A run that ends before it is seen composing is tried
  // again.
  RunResult StopMidRun(int signal) {
    for (int attempt = 1;; ++attempt) {
      const double start = Now();
      const pid_t child =
          StartProgram(folder_.path(), exe_.string(), {"--output", pdf_.string()}, settings_);
      const bool composing = WaitForFileOpenIn(child, out_);
      ::kill(child, signal);
      const RunResult run = FinishProgram(child, folder_.path(), start);
      if (composing || attempt == 3) return run;
      WriteFile(pdf_, "the calendar of last year");
    }
  }

  TempFolder folder_;
  fs::path exe_;
  fs::path out_ = folder_ / "uscita";
  fs::path tmp_ = folder_ / "tmp";
  fs::path pdf_ = out_ / "calendario.pdf";
  RunSettings settings_;
};

TEST_F(OutputSafety, InterruptedRunsEndWithTheUsualStatusAndLeaveNothing) {
  for (const int signal : {SIGINT, SIGTERM}) {
    const RunResult run = StopMidRun(signal);
    EXPECT_EQ(run.exitCode, 128 + signal) << run.out << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(pdf_), "the calendar of last year");
    EXPECT_EQ(Entries(out_), std::vector<std::string>{"calendario.pdf"});
    const fs::path privateFolder = tmp_ / ("orvanta-" + std::to_string(::geteuid()));
    EXPECT_TRUE(fs::is_empty(privateFolder)) << "the run's folder left behind";
  }
}

// A killed run cannot clean up: the earlier calendar stays whole, and what
// the run left goes with the next run.
TEST_F(OutputSafety, AKilledRunKeepsTheEarlierCalendarAndTheNextRunCleansUp) {
  const RunResult killed = StopMidRun(SIGKILL);
  EXPECT_EQ(killed.exitCode, 128 + SIGKILL);
  EXPECT_EQ(ReadFile(pdf_), "the calendar of last year");

  const RunResult next =
      RunProgram(folder_.path(), exe_.string(), {"--output", pdf_.string()}, settings_);
  EXPECT_EQ(next.exitCode, 0) << next.err;
  EXPECT_EQ(Entries(out_), std::vector<std::string>{"calendario.pdf"});
  EXPECT_EQ(Qpdf(folder_.path(), pdf_), 0);
  EXPECT_TRUE(fs::is_empty(tmp_ / ("orvanta-" + std::to_string(::geteuid()))));
}

// Two runs to one file: both succeed and the file is one whole calendar.
TEST_F(OutputSafety, RunsToOneFileNeverMixTheirBytes) {
  std::vector<pid_t> children;
  const double start = Now();
  for (const char* year : {"2013", "2014", "2015", "2016"}) {
    const fs::path log = folder_ / (std::string("log") + year);
    fs::create_directory(log);
    children.push_back(
        StartProgram(log, exe_.string(), {"--year", year, "--output", pdf_.string()}, settings_));
  }
  int index = 0;
  for (const char* year : {"2013", "2014", "2015", "2016"}) {
    const RunResult run = FinishProgram(children[static_cast<std::size_t>(index++)],
                                        folder_ / (std::string("log") + year), start);
    EXPECT_EQ(run.exitCode, 0) << year << ": " << run.err;
  }
  EXPECT_EQ(Qpdf(folder_.path(), pdf_), 0);
  EXPECT_EQ(Entries(out_), std::vector<std::string>{"calendario.pdf"});
}

// Another user's files in the shared temporary folder, under every name the
// program used to write there: the default calendar goes to a private folder
// all the same, and nothing planted is touched.
TEST_F(OutputSafety, FilesOtherUsersPlantInTheTemporaryFolderBlockNothing) {
  if (::geteuid() != 0) GTEST_SKIP() << "planting files as another user needs root";
  constexpr uid_t kOther = 65534;
  const fs::path victim = folder_ / "altrui.txt";
  WriteFile(victim, "someone else's");
  fs::create_symlink(victim, tmp_ / "Orvanta.pdf");
  WriteFile(tmp_ / "Test.pdf", "someone else's probe");
  const fs::path planted = tmp_ / ("orvanta-" + std::to_string(::geteuid()));
  fs::create_directory(planted);
  ::chmod(planted.c_str(), 0777);
  for (const fs::path& path : {tmp_ / "Orvanta.pdf", tmp_ / "Test.pdf", planted})
    ASSERT_EQ(::lchown(path.c_str(), kOther, kOther), 0) << path;

  const RunResult run = RunProgram(folder_.path(), exe_.string(), {"--year", "2013"}, settings_);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const fs::path written = run.out.substr(0, run.out.size() - 1);
  EXPECT_EQ(written.filename(), "Orvanta.pdf");
  EXPECT_NE(written.parent_path(), tmp_);
  EXPECT_NE(written.parent_path(), planted);
  struct stat info {};
  ASSERT_EQ(::stat(written.parent_path().c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, ::geteuid());
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(Qpdf(folder_.path(), written), 0);
  EXPECT_EQ(ReadFile(victim), "someone else's");
  EXPECT_EQ(ReadFile(tmp_ / "Test.pdf"), "someone else's probe");
  EXPECT_TRUE(fs::is_empty(planted));
}

}  // namespace
}  // namespace orvanta::reliability

namespace orvanta::reliability {
namespace {

// Runs the program as an ordinary user: as root every permission check would
// pass. Answers false when that is impossible here.
bool AsOrdinaryUser(const fs::path& folder, std::string& program, std::vector<std::string>& args) {
  if (::geteuid() != 0) return true;
  if (RunProgram(folder, "setpriv", {"--version"}).exitCode != 0) return false;
  args.insert(args.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups", program});
  program = "setpriv";
  return true;
}

// The system's reason as the program words it: in the language of the
// environment the test runs in.
std::string SystemReason(int error) {
  const locale_t language = ::newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
  const std::string reason =
      language != nullptr ? ::strerror_l(error, language) : std::strerror(error);
  if (language != nullptr) ::freelocale(language);
  return reason;
}

// A refused write says what failed, not that a calendar is still open.
TEST_F(OutputSafety, RefusedWritesSayWhatFailed) {
  ::chmod(folder_.path().c_str(), 0755);
  ::chmod(tmp_.c_str(), 01777);
  const fs::path readOnly = out_ / "solalettura.pdf";
  WriteFile(readOnly, "keep");
  ::chmod(readOnly.c_str(), 0444);
  ::chmod(out_.c_str(), 0777);
  const fs::path lockedFolder = folder_ / "chiusa";
  fs::create_directory(lockedFolder);
  ::chmod(lockedFolder.c_str(), 0555);
  for (const fs::path& target :
       {fs::path("/etc/orvanta-prova.pdf"), readOnly, lockedFolder / "c.pdf"}) {
    std::string program = exe_.string();
    std::vector<std::string> args = {"--no-notes", "--no-shift", "--output", target.string()};
    if (!AsOrdinaryUser(folder_.path(), program, args)) GTEST_SKIP() << "no way to drop root here";
    const RunResult run = RunProgram(folder_.path(), program, args, settings_);
    EXPECT_EQ(run.exitCode, 1) << target << ": " << run.err;
    EXPECT_TRUE(Contains(run.err, target.string())) << run.err;
    EXPECT_TRUE(Contains(run.err, SystemReason(EACCES))) << run.err;
    EXPECT_FALSE(Contains(run.err, "aperto")) << run.err;
  }
  EXPECT_EQ(ReadFile(readOnly), "keep");
  EXPECT_FALSE(fs::exists("/etc/orvanta-prova.pdf"));
}

// The path of the calendar on standard output is the run's answer: when it
// cannot be written, the run has not succeeded.
TEST_F(OutputSafety, AFailedWriteOfThePathIsNotSuccess) {
  const std::string command = exe_.string() + " --output " + pdf_.string() + " > /dev/full";
  const RunResult run = RunProgram(folder_.path(), "sh", {"-c", command}, settings_);
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_TRUE(Contains(run.err, "standard output")) << run.err;
}

}  // namespace
}  // namespace orvanta::reliability
