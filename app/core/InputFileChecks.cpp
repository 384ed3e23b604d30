#include "app/core/InputFileChecks.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "almanac/ShiftCycle.h"
#include "almanac/Text.h"
#include "app/core/NotesFile.h"
#include "base/FileReading.h"

namespace orvanta {
namespace {

std::string ReadProblem(const FileResult& read) {
  switch (read.status) {
    case FileStatus::NotFound:
      return "non trovato";
    case FileStatus::NotRegular:
      return "non è un file normale";
    case FileStatus::TooLarge:
      return "supera il limite di " + std::to_string(read.limit) + " byte";
    default:
      return std::string("non si può leggere (") + std::strerror(read.error) + ")";
  }
}

// What every text file must pass; `limit` bytes at most are read, and with
// `headOnly` a longer file is judged by its beginning.
std::string TextProblem(const std::string& path, std::size_t limit, bool headOnly,
                        std::string& bytes) {
  const FileResult read = ReadBounded(path, limit, bytes);
  if (!read && !(headOnly && read.status == FileStatus::TooLarge)) return ReadProblem(read);
  if (bytes.empty()) return "è vuoto";
  const std::string_view head(bytes.data(), std::min<std::size_t>(bytes.size(), 4096));
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF") ||
      head.find('\0') != std::string_view::npos) {
    return "è in UTF-16 o non è un file di testo (serve un testo UTF-8 o Windows-1252)";
  }
  return {};
}

}  // namespace

std::string NotesFileProblem(const std::string& path, int year) {
  std::string bytes;
  if (std::string problem = TextProblem(path, kMaxNotesLineBytes + 2, true, bytes);
      !problem.empty())
    return problem;
  if (LoadNotesForYear(path, year).empty()) {
    return "ha una prima riga che non è una nota da stampare nel " + std::to_string(year);
  }
  return {};
}

std::string ShiftFileProblem(const std::string& path) {
  std::string bytes;
  if (std::string problem = TextProblem(path, kMaxShiftFileBytes, false, bytes); !problem.empty())
    return problem;
  if (!ParseShiftCycle(DecodeUserText(bytes)).Usable()) {
    return "non è nel formato del turno";
  }
  return {};
}

}  // namespace orvanta
