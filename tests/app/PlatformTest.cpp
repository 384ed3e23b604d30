// The Qt-free platform layer: path helpers, desktop entries and the viewer
// process that is ended when the main window closes.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/core/platform/PlatformDesktopEntry.h"
#include "app/core/platform/PlatformPaths.h"
#include "app/core/platform/PlatformProcesses.h"
#include "tests/support/TestFiles.h"

extern char** environ;

namespace orvanta {
namespace {

namespace fs = std::filesystem;

TEST(FileNameOfPath, TakesTheTextAfterTheLastSlash) {
  EXPECT_EQ(FileNameOfPath("/usr/bin/VIEWER"), "VIEWER");
  EXPECT_EQ(FileNameOfPath("viewer"), "viewer");
  EXPECT_EQ(FileNameOfPath("/usr/bin/"), "");
  EXPECT_EQ(FileNameOfPath(""), "");
}

TEST(ResolveProgram, FindsExecutablesInTheSearchPath) {
  EXPECT_EQ(ResolveProgram("sh", "/nonexistent:/bin"), "/bin/sh");
  EXPECT_EQ(ResolveProgram("/bin/sh", ""), "/bin/sh");
  EXPECT_EQ(ResolveProgram("no-such-program-here", "/bin:/usr/bin"), "");
  EXPECT_EQ(ResolveProgram("", "/bin"), "");
}

TEST(DesktopEntry, ExecLineGivesProgramAndArguments) {
  const std::string entry =
      "[Desktop Action New]\nExec=wrong --new\n"
      "[Desktop Entry]\nName=Viewer\n# Exec=commented\nExec[it]=localised\n"
      "Exec = \"/opt/My Viewer/viewer\" --page=1 %U 100%% \"a\\\\\"b\"\n"
      "[Other Group]\nExec=other\n";
  const std::vector<std::string> expected = {"/opt/My Viewer/viewer", "--page=1", "100%", "a\"b"};
  EXPECT_EQ(DesktopExecArguments(entry), expected);
  EXPECT_EQ(DesktopExecProgram(entry), "/opt/My Viewer/viewer");
  EXPECT_EQ(DesktopExecProgram("[Desktop Entry]\r\nExec=env GDK_BACKEND=x11 viewer %f\r\n"),
            "viewer");
  EXPECT_EQ(DesktopExecProgram("[Desktop Entry]\nName=No command\n"), "");
  EXPECT_EQ(DesktopExecProgram("Exec=outside-a-group\n"), "");
  EXPECT_EQ(DesktopExecProgram("[Desktop Entry]\nExec=view\\sfile %F\n"), "view");
}

TEST(DesktopEntry, DataDirsFollowTheXdgDefaults) {
  EXPECT_EQ(XdgDataDirs(nullptr, nullptr, "/home/u"),
            (std::vector<std::string>{"/home/u/.local/share", "/usr/local/share", "/usr/share"}));
  EXPECT_EQ(XdgDataDirs("/d/home/", "/a:/b/", "/home/u"),
            (std::vector<std::string>{"/d/home", "/a", "/b"}));
}

class TempTree : public ::testing::Test {
 protected:
  void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    test::WriteFile(path, text);
  }
  test::TempFolder folder_{"orvanta-platform"};
  const fs::path root_ = folder_.path();
};

TEST_F(TempTree, FindDesktopFileSearchesTheFoldersInOrder) {
  Write(root_ / "second/applications/viewer.desktop", "[Desktop Entry]\nExec=second\n");
  Write(root_ / "third/applications/viewer.desktop", "[Desktop Entry]\nExec=third\n");
  Write(root_ / "third/applications/kde/okview.desktop", "[Desktop Entry]\nExec=ok\n");
  const std::vector<std::string> dirs = {(root_ / "first").string(), (root_ / "second").string(),
                                         (root_ / "third").string()};
  EXPECT_EQ(FindDesktopFile("viewer.desktop", dirs),
            (root_ / "second/applications/viewer.desktop").string());
  EXPECT_EQ(FindDesktopFile("kde-okview.desktop", dirs),
            (root_ / "third/applications/kde/okview.desktop").string());
  EXPECT_EQ(FindDesktopFile("missing.desktop", dirs), "");
  EXPECT_EQ(FindDesktopFile("../second/applications/viewer.desktop", dirs), "");
  EXPECT_EQ(FindDesktopFile("", dirs), "");
}

TEST(ViewerMatch, NeedsSameUserSameNameAndOurDocument) {
  ProcessInfo viewer;
  viewer.uid = 1000;
  viewer.executableName = "Viewer";
  viewer.arguments = {"viewer", "--fullscreen", "/tmp/x/Orvanta.pdf"};
  EXPECT_TRUE(IsViewerOf(viewer, "VIEWER", "/tmp/x/Orvanta.pdf", 1000));
  EXPECT_FALSE(IsViewerOf(viewer, "VIEWER", "/tmp/x/Orvanta.pdf", 1001));  // other user
  EXPECT_FALSE(IsViewerOf(viewer, "VIEW", "/tmp/x/Orvanta.pdf", 1000));    // name only contained
  EXPECT_FALSE(IsViewerOf(viewer, "VIEWER", "/tmp/x/Other.pdf", 1000));    // other document
  EXPECT_FALSE(IsViewerOf(viewer, "", "/tmp/x/Orvanta.pdf", 1000));

  ProcessInfo byUrl = viewer;
  byUrl.arguments = {"viewer", "file:///tmp/x%20y/Orvanta.pdf"};
  EXPECT_TRUE(IsViewerOf(byUrl, "viewer", "/tmp/x y/Orvanta.pdf", 1000));

  ProcessInfo relative = viewer;
  relative.workingFolder = "/tmp/x";
  relative.arguments = {"viewer", "./sub/../Orvanta.pdf"};
  EXPECT_TRUE(CommandLineNamesFile(relative, "/tmp/x/Orvanta.pdf"));

  ProcessInfo onlyArgumentZero = viewer;
  onlyArgumentZero.arguments = {"/tmp/x/Orvanta.pdf"};
  EXPECT_FALSE(CommandLineNamesFile(onlyArgumentZero, "/tmp/x/Orvanta.pdf"));
}

// Dummy viewers: copies of cat under a test name, reading our calendar and then
// their standard input, which stays open, so they keep running.
class DummyViewers : public TempTree {
 protected:
  pid_t Start(const fs::path& program, const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::vector<std::string> argvText = {program.filename().string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[0]);
    if (rc != 0) {
      ::close(fds[1]);
      return -1;
    }
    pipes_.push_back(fds[1]);
    started_.push_back(pid);
    return pid;
  }
  // Waits until /proc shows the new program image of `pid`.
  void AwaitExec(pid_t pid, const std::string& name) {
    for (int i = 0; i < 200; ++i) {
      for (const ProcessInfo& p : ListProcesses())
        if (p.pid == pid && p.executableName == name) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  // Whether `pid` was ended by SIGTERM (waits up to two seconds).
  bool EndedBySignal(pid_t pid) {
    for (int i = 0; i < 200; ++i) {
      int status = 0;
      if (::waitpid(pid, &status, WNOHANG) == pid) {
        std::erase(started_, pid);
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
  // The child of `parent` running `name`, once /proc shows it; 0 if none.
  pid_t AwaitChild(pid_t parent, const std::string& name) {
    for (int i = 0; i < 200; ++i) {
      for (const ProcessInfo& p : ListProcesses())
        if (p.parent == parent && p.executableName == name) return p.pid;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
  }
  // Whether a process we did not start is still alive (a zombie has no
  // command line); waits up to two seconds for it to go.
  bool Gone(pid_t pid) {
    for (int i = 0; i < 200; ++i) {
      bool alive = false;
      for (const ProcessInfo& p : ListProcesses())
        alive = alive || (p.pid == pid && !p.arguments.empty());
      if (!alive) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
  fs::path Script(const std::string& name, const std::string& body) {
    const fs::path path = root_ / name;
    Write(path, "#!/bin/sh\n" + body + " \"$@\"\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
  }
  bool StillRunning(pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) == 0;
  }
  void TearDown() override {
    for (pid_t pid : started_) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
    for (int fd : pipes_) ::close(fd);
  }
  std::vector<pid_t> started_;
  std::vector<int> pipes_;
};

TEST_F(DummyViewers, OnlyTheViewerOfOurCalendarIsEnded) {
  const std::string viewerName = "orvanta-test-viewer-" + std::to_string(::getpid());
  const fs::path viewer = root_ / viewerName;
  const fs::path other = root_ / ("orvanta-test-other-" + std::to_string(::getpid()));
  fs::copy_file("/bin/cat", viewer);
  fs::copy_file("/bin/cat", other);
  const fs::path calendar = root_ / "Orvanta.pdf";
  const fs::path unrelated = root_ / "Letter.pdf";
  Write(calendar, "%PDF-1.3\n");
  Write(unrelated, "%PDF-1.3\n");

  const pid_t ours = Start(viewer, {calendar.string(), "-"});
  const pid_t sameNameOtherDocument = Start(viewer, {unrelated.string(), "-"});
  const pid_t otherNameOurDocument = Start(other, {calendar.string(), "-"});
  ASSERT_GT(ours, 0);
  ASSERT_GT(sameNameOtherDocument, 0);
  ASSERT_GT(otherNameOurDocument, 0);
  AwaitExec(ours, viewerName);
  AwaitExec(sameNameOtherDocument, viewerName);
  AwaitExec(otherNameOurDocument, other.filename().string());

  std::string upper = viewerName;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(TerminateProcessByName(upper, calendar.string()), 1);
  EXPECT_TRUE(EndedBySignal(ours));
  EXPECT_TRUE(StillRunning(sameNameOtherDocument));
  EXPECT_TRUE(StillRunning(otherNameOurDocument));
}

// A viewer the desktop knows by a wrapper script runs under another name:
// as the wrapper's child, or in its place (exec) under the desktop's opener.
// Both are ended; the opener is not (it ends with its viewer). Only the
// opener knows a viewer that a wrapper became: it may have any name.
TEST_F(DummyViewers, AViewerStartedThroughAWrapperScriptIsEnded) {
  const std::string tag = std::to_string(::getpid());
  const std::string realName = "orvanta-test-real-" + tag;
  fs::copy_file("/bin/cat", root_ / realName);
  const fs::path calendar = root_ / "Orvanta.pdf";
  Write(calendar, "%PDF-1.3\n");
  const std::string wrapper = "orvanta-test-wrapper-" + tag;
  const std::string execWrapper = "orvanta-test-exec-" + tag;
  Script(execWrapper, "exec " + (root_ / realName).string());

  const pid_t forking = Start(Script(wrapper, (root_ / realName).string()), {calendar, "-"});
  const pid_t opener = Start(Script("xdg-open", (root_ / execWrapper).string()), {calendar, "-"});
  ASSERT_GT(forking, 0);
  ASSERT_GT(opener, 0);
  const pid_t forkedViewer = AwaitChild(forking, realName);
  const pid_t execViewer = AwaitChild(opener, realName);
  ASSERT_GT(forkedViewer, 0);
  ASSERT_GT(execViewer, 0);

  // The wrapper, its child and what the opener started for our calendar.
  EXPECT_EQ(TerminateProcessByName(wrapper, calendar.string()), 3);
  EXPECT_TRUE(EndedBySignal(forking));
  EXPECT_TRUE(Gone(forkedViewer));
  EXPECT_TRUE(Gone(execViewer));
  EXPECT_FALSE(EndedBySignal(opener));
}

TEST(ProcessList, ShowsThisProcess) {
  bool found = false;
  for (const ProcessInfo& p : ListProcesses()) {
    if (p.pid != ::getpid()) continue;
    found = true;
    EXPECT_EQ(p.uid, ::getuid());
    EXPECT_FALSE(p.executableName.empty());
    EXPECT_FALSE(p.arguments.empty());
  }
  EXPECT_TRUE(found);
  EXPECT_TRUE(ListProcesses("/nonexistent-proc").empty());
}

}  // namespace
}  // namespace orvanta
