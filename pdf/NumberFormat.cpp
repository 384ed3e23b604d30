#include "pdf/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "pdf/PdfError.h"

namespace orvanta {
namespace {

// Every number of a page goes through here, three decimals each, so this is
// the writer's hot path. A double times 1000 is exact in a 64-bit significand
// (53 + 7 bits), so with such a long double the rounding below sees the true
// decimal value of the double, exactly as std::to_chars does, in a fraction of
// its time.
constexpr bool kExactThousandths = std::numeric_limits<long double>::digits >= 64;
constexpr double kFastLimit = 1e15;  // keeps the thousandths within int64_t

void AppendThousandths(std::string& out, double value) {
  const long double scaled = static_cast<long double>(value) * 1000.0L;
  const long double whole = std::floor(scaled);
  const long double fraction = scaled - whole;  // exact
  auto n = static_cast<int64_t>(whole);
  if (fraction > 0.5L || (fraction == 0.5L && (n & 1) != 0)) ++n;  // ties to even
  if (n == 0) {
    out += '0';  // never "-0"
    return;
  }
  if (n < 0) out += '-';
  const uint64_t magnitude = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude / 1000);
  out.append(buffer, result.ptr);
  auto thousandths = static_cast<unsigned>(magnitude % 1000);
  if (thousandths == 0) return;
  char digits[4] = {'.', static_cast<char>('0' + thousandths / 100),
                    static_cast<char>('0' + thousandths / 10 % 10),
                    static_cast<char>('0' + thousandths % 10)};
  size_t length = 4;
  while (digits[length - 1] == '0') --length;
  out.append(digits, length);
}

}  // namespace

void AppendReal(std::string& out, double value, int decimals) {
  if (!std::isfinite(value)) {
    throw PdfError(PdfErrorCode::Overflow, "number out of range for the PDF file");
  }
  if (kExactThousandths && decimals == 3 && std::fabs(value) < kFastLimit) {
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
