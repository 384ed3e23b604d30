#include "RunProgram.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "TestFiles.h"

namespace orvanta::test {

namespace {

void SetOrRemove(const std::string& name, const char* value) {
  if (value != nullptr) {
    ::setenv(name.c_str(), value, 1);
  } else {
    ::unsetenv(name.c_str());
  }
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  SetOrRemove(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() {
  SetOrRemove(name_, old_ ? old_->c_str() : nullptr);
}

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

pid_t StartProgram(const fs::path& folder, const std::string& program,
                   const std::vector<std::string>& args, const RunSettings& settings) {
  const fs::path outPath = folder / "stdout.txt";
  const fs::path errPath = folder / "stderr.txt";
  const pid_t child = ::fork();
  if (child == 0) {
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0) ::_exit(126);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    for (const auto& [name, value] : settings.environment) ::setenv(name.c_str(), value.c_str(), 1);
    if (settings.maxFileSize) {
      ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
      const rlimit limit{*settings.maxFileSize, *settings.maxFileSize};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(program.c_str(), argv.data());
    ::_exit(127);
  }
  return child;
}

RunResult FinishProgram(pid_t child, const fs::path& folder, double startedAt) {
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  RunResult result;
  result.seconds = Now() - startedAt;
  result.maxRssKb = usage.ru_maxrss;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadFile(folder / "stdout.txt");
  result.err = ReadFile(folder / "stderr.txt");
  return result;
}

RunResult RunProgram(const fs::path& folder, const std::string& program,
                     const std::vector<std::string>& args, const RunSettings& settings) {
  const double start = Now();
  return FinishProgram(StartProgram(folder, program, args, settings), folder, start);
}

std::string PdfText(const fs::path& folder, const fs::path& pdf) {
  const RunResult text = RunProgram(folder, "pdftotext", {"-raw", pdf.string(), "-"});
  EXPECT_EQ(text.exitCode, 0) << pdf << ": " << text.err;
  return text.out;
}

int PicturesLeft(const fs::path& folder) {
  int n = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    n += fs::is_regular_file(fs::symlink_status(entry.path())) && name.ends_with("OV.bmp");
  }
  return n;
}

}  // namespace orvanta::test

namespace orvanta::test {

bool HasFileOpenIn(pid_t pid, const fs::path& folder) {
  const fs::path fds = fs::path("/proc") / std::to_string(pid) / "fd";
  const std::string prefix = folder.string() + "/";
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fds, error)) {
    if (fs::read_symlink(entry.path(), error).string().starts_with(prefix)) return true;
  }
  return false;
}

bool WaitForFileOpenIn(pid_t pid, const fs::path& folder) {
  for (const double start = Now(); Now() - start < 20 * kSlowdown; ::usleep(1000)) {
    if (HasFileOpenIn(pid, folder)) return true;
  }
  return false;
}

}  // namespace orvanta::test
