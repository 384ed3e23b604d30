#include "pdf/NumberFormat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "pdf/PdfError.h"

namespace orvanta {
namespace {

// Every number of a page goes through here, three decimals each, so this is
// the writer's hot path. A double is m * 2^e with a 53-bit m, so value * 1000
// is m * 1000 * 2^e with m * 1000 below 2^63: shifting that integer gives the
// thousandths, and the bits shifted out say exactly how to round, as
// std::to_chars does (ties to even), in integer steps only.
constexpr double kFastLimit = 1e15;  // keeps the thousandths below 2^63

// The magnitude of `value` in thousandths, rounded half to even.
uint64_t RoundedThousandths(double value) {
  const auto bits = std::bit_cast<uint64_t>(value);
  const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  const uint64_t m = biased == 0 ? fraction : fraction | (uint64_t{1} << 52);
  const int e = (biased == 0 ? 1 : biased) - 1075;
  const uint64_t scaled = m * 1000;
  if (e >= 0) return scaled << e;  // below 1e18 by kFastLimit
  if (e <= -64) return 0;          // below 2^63 * 2^-64: under one half
  const int shift = -e;
  const uint64_t whole = scaled >> shift;
  const uint64_t rest = scaled & ((uint64_t{1} << shift) - 1);
  const uint64_t half = uint64_t{1} << (shift - 1);
  return whole + ((rest > half || (rest == half && (whole & 1) != 0)) ? 1 : 0);
}

void AppendThousandths(std::string& out, double value) {
  const uint64_t magnitude = RoundedThousandths(value);
  if (magnitude == 0) {
    out += '0';  // never "-0"
    return;
  }
  // Built in place and appended once.
  char buffer[32];
  char* end = buffer;
  if (std::signbit(value)) *end++ = '-';
  end = std::to_chars(end, buffer + sizeof buffer, magnitude / 1000).ptr;
  if (const auto thousandths = static_cast<unsigned>(magnitude % 1000); thousandths != 0) {
    end[0] = '.';
    end[1] = static_cast<char>('0' + thousandths / 100);
    end[2] = static_cast<char>('0' + thousandths / 10 % 10);
    end[3] = static_cast<char>('0' + thousandths % 10);
    size_t length = 4;
    while (end[length - 1] == '0') --length;
    end += length;
  }
  out.append(buffer, end);
}

}  // namespace

void AppendReal(std::string& out, double value, int decimals) {
  if (!std::isfinite(value)) {
    throw PdfError(PdfErrorCode::Overflow, "number out of range for the PDF file");
  }
  if (decimals == 3 && std::fabs(value) < kFastLimit) {
    AppendThousandths(out, value);
    return;
  }
  // std::to_chars rounds the exact binary value, ties to even, and ignores the locale.
  char buffer[400];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error != std::errc()) {
    throw PdfError(PdfErrorCode::Overflow, "number out of range for the PDF file");
  }
  char* last = end;
  if (decimals > 0) {
    while (last[-1] == '0') --last;
    if (last[-1] == '.') --last;
  }
  const char* first = buffer;
  // A value that rounds to zero is written "0", never "-0".
  if (*first == '-' && last - first == 2 && first[1] == '0') ++first;
  out.append(first, static_cast<size_t>(last - first));
}

std::string FormatReal(double value, int decimals) {
  std::string text;
  AppendReal(text, value, decimals);
  return text;
}

void AppendInt(std::string& out, int64_t value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace orvanta
