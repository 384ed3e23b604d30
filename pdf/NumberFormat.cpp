#include "pdf/NumberFormat.h"

#include <charconv>
#include <cmath>

#include "pdf/PdfError.h"

namespace orvanta {

void AppendReal(std::string& out, double value, int decimals) {
  if (!std::isfinite(value)) {
    throw PdfError(PdfErrorCode::Overflow, "number out of range for the PDF file");
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
