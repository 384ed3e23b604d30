// Runs that end half-way: a notes rewrite killed at any point leaves the old
// or the new whole file, and a calendar whose folder disappears during the run
// is an error with no file, never a success.
#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/core/notes/NotesFile.h"
#include "app/core/notes/NotesKeeper.h"
#include "app/core/run/JobRun.h"
#include "pdf/PdfError.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

namespace orvanta::reliability {

using namespace orvanta::test;
namespace {

// Runs RewriteNotesFile in a child process with `io`; answers the signal that
// ended the child (0 when it returned).
int RewriteInChild(const std::string& path, const std::vector<NoteToWrite>& notes,
                   const NotesFileIo& io) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(RewriteNotesFile(path, notes, ReadNotesFile(path), io) ? 0 : 1);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

TEST(InterruptedNotes, AKillAtAnyPointOfARewriteLeavesAWholeFile) {
  TempFolder folder;
  const std::string path = (folder / "Notes.dat").string();
  std::string old;
  for (int i = 0; i < 300; ++i) old += std::to_string(40544 + i) + ",\"vecchia nota\"\r\n";
  old += "riga illeggibile\r\n";
  WriteFile(path, old);
  std::vector<NoteToWrite> records;
  std::string rewritten;
  for (int i = 0; i < 365; ++i) {
    records.push_back({40544 + i, "nuova nota", {}});
    rewritten += std::to_string(40544 + i) + ",\"nuova nota\"\r\n";
  }
  rewritten += "riga illeggibile\r\n";

  NotesFileIo killedWhileWriting;
  killedWhileWriting.write = [](int fd, const void* data, std::size_t size) -> ssize_t {
    if (::write(fd, data, size / 2) < 0) return -1;
    ::raise(SIGKILL);
    return -1;
  };
  EXPECT_EQ(RewriteInChild(path, records, killedWhileWriting), SIGKILL);
  EXPECT_EQ(ReadFile(path), old);

  NotesFileIo killedBeforeRename;
  killedBeforeRename.rename = [](const char*, const char*) {
    ::raise(SIGKILL);
    return -1;
  };
  EXPECT_EQ(RewriteInChild(path, records, killedBeforeRename), SIGKILL);
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_EQ(ReadNotesFile(path).records.size(), 300u);

  NotesFileIo killedAfterRename;
  killedAfterRename.rename = [](const char* from, const char* to) {
    const int renamed = ::rename(from, to);
    ::raise(SIGKILL);
    return renamed;
  };
  EXPECT_EQ(RewriteInChild(path, records, killedAfterRename), SIGKILL);
  EXPECT_EQ(ReadFile(path), rewritten);

  // What the killed runs left beside the file goes with the next save.
  ASSERT_TRUE(RewriteNotesFile(path, records, ReadNotesFile(path)));
  EXPECT_EQ(ReadFile(path), rewritten);
  EXPECT_EQ(ReadNotesFile(path).records.size(), 365u);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.path()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"Notes.dat"});
}

CalendarOptions PlainOptions() {
  CalendarOptions options;
  options.Icone = false;
  options.Zodiaco = false;
  options.Turno = false;
  options.NotePersonali = false;
  return options;
}

// The writer notices, when it closes the file, that the file was removed while
// it was being written: the run fails instead of starting the viewer on a
// file that is not there.
TEST(InterruptedCalendar, FolderRemovedDuringTheRunIsAnErrorAndLeavesNoFile) {
  TempFolder folder;
  const fs::path out = folder / "uscita";
  fs::create_directory(out);
  CalendarJob job;
  job.pdf.path = (out / "Orvanta.pdf").string();
  bool removed = false;
  bool viewerStarted = false;
  // Window events run once the file is open: the folder goes then.
  job.pumpEvents = [&] {
    if (!removed) removed = fs::remove_all(out) > 0;
  };
  job.openViewer = true;
  job.viewer = [&](const std::string&) { viewerStarted = true; };
  job.options = PlainOptions();
  EXPECT_EQ(RunJob(job).status, JobResult::Status::Failed);
  EXPECT_TRUE(removed);
  EXPECT_FALSE(fs::exists(out / "Orvanta.pdf"));
  EXPECT_FALSE(viewerStarted);
}

// The same through the command line: exit code 1, not the path of a file that
// is not there.
TEST(InterruptedCalendar, CommandLineRunWhoseFolderIsRemovedExitsWithOne) {
  TempFolder folder;
  const fs::path exe = PrivateOrvanta(folder.path());
  const fs::path out = folder / "uscita";
  fs::create_directory(out);
  const fs::path pdf = out / "Orvanta.pdf";

  // The moment the calendar's file is open beside its name the run is
  // stopped, its folder removed, and the run let go on.
  const double start = Now();
  const pid_t child = StartProgram(folder.path(), exe.string(), {"--output", pdf.string()});
  const bool created = WaitForFileOpenIn(child, out);
  ::kill(child, SIGSTOP);
  int status = 0;
  ::waitpid(child, &status, WUNTRACED);
  const bool midRun = WIFSTOPPED(status) && HasFileOpenIn(child, out);
  fs::remove_all(out);
  ::kill(child, SIGCONT);
  const RunResult run =
      WIFSTOPPED(status) ? FinishProgram(child, folder.path(), start) : RunResult{};
  ASSERT_TRUE(created);
  if (!midRun) GTEST_SKIP() << "the run ended before its folder could be removed";

  EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("orvanta: ", 0), 0u) << run.err;
  EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace orvanta::reliability
