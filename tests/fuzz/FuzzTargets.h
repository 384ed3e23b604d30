#pragma once
// The fuzz targets as plain functions, so that the same code runs under
// libFuzzer (tests/fuzz, clang) and replays the committed corpora and
// regression inputs in the ordinary test suite (tests/reliability, any
// compiler). Each answers 0, as libFuzzer expects; a broken promise of the
// code under test is reported through Finding().

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta::fuzz {

// The bitmap reader: DecodeBMP and LoadImgFromBMPFile on the same bytes, the
// image then written into a PDF in the scratch folder.
int FuzzBitmapReader(const std::uint8_t* data, std::size_t size);
// The JPEG and PNG readers (first byte: the box; the rest follows the
// kind's signature), through fitting and compression.
int FuzzJpegReader(const std::uint8_t* data, std::size_t size);
int FuzzPngReader(const std::uint8_t* data, std::size_t size);
// The composer's notes reader (first byte: the year), then the day lookup.
int FuzzNotesForYear(const std::uint8_t* data, std::size_t size);
// The editor's notes reader, then a rewrite and a second read: no record and
// no unreadable line may be lost.
int FuzzNotesEditor(const std::uint8_t* data, std::size_t size);
// The shift-file reader and the day-to-entry rule.
int FuzzShiftFile(const std::uint8_t* data, std::size_t size);
// The command-line parser on arguments separated by NUL bytes.
int FuzzCommandLine(const std::uint8_t* data, std::size_t size);
// The vCard reader, then its items merged into the notes.
int FuzzVCardReader(const std::uint8_t* data, std::size_t size);
// The iCalendar reader (libical), then its items merged into the notes.
int FuzzICalendarReader(const std::uint8_t* data, std::size_t size);
// Note texts (lines of a notes file) and a shift file, up to the first NUL
// byte and after it, through the iCalendar export, read back by the import.
int FuzzICalendarExport(const std::uint8_t* data, std::size_t size);

// Reports a broken promise. The libFuzzer build aborts (so the input is kept
// as a crash); the replay test throws, so gtest names the input.
[[noreturn]] void Finding(const char* what, const char* file, int line);

// A path naming a regular in-memory file that holds exactly `bytes`. The same
// file is reused by every call (one at a time), so the path stays valid only
// until the next call.
std::string MemoryFile(std::string_view bytes);

// A private empty folder on a memory file system when there is one, with its
// trailing "/"; created on first use and removed at exit.
const std::string& ScratchFolder();

}  // namespace orvanta::fuzz

#define FUZZ_CHECK(condition)                                                   \
  do {                                                                          \
    if (!(condition)) ::orvanta::fuzz::Finding(#condition, __FILE__, __LINE__); \
  } while (false)
