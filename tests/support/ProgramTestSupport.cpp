#include "ProgramTestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace orvanta::testsupport {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TempFolder::TempFolder(const std::string& prefix) {
  std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
  fs::remove_all(path_, ignored);
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

fs::path PrivateOrvanta(const fs::path& folder) {
  const fs::path exe = folder / "orvanta";
  std::error_code error;
  fs::create_hard_link(ORVANTA_EXE, exe, error);
  if (error) fs::copy_file(ORVANTA_EXE, exe);
  return exe;
}

std::string Bitmap24(int width, int height) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const auto u32 = [](std::uint32_t v) {
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
  };
  const auto u16 = [](std::uint16_t v) {
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8)};
  };
  const auto size = static_cast<std::uint32_t>(stride * height);
  std::string bmp = "BM" + u32(54 + size) + u32(0) + u32(54);
  bmp += u32(40) + u32(static_cast<std::uint32_t>(width)) +
         u32(static_cast<std::uint32_t>(height)) + u16(1) + u16(24) + u32(0) + u32(size) +
         u32(2835) + u32(2835) + u32(0) + u32(0);
  std::string row(static_cast<std::size_t>(stride), '\0');
  for (int x = 0; x < width; ++x) row.replace(static_cast<std::size_t>(x) * 3, 3, "\x20\x80\xE0");
  for (int y = 0; y < height; ++y) bmp += row;
  return bmp;
}

std::string PdfText(const fs::path& folder, const fs::path& pdf) {
  const RunResult text = RunProgram(folder, "pdftotext", {"-raw", pdf.string(), "-"});
  EXPECT_EQ(text.exitCode, 0) << pdf << ": " << text.err;
  return text.out;
}

}  // namespace orvanta::testsupport
