#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

// A real number as written into the file: rounded to `decimals` places (ties
// to even), shortest plain form, point separator whatever the locale, no
// exponent ("100", "841.89", "0.5", "-28.346", "0"). Throws PdfError
// (Overflow) for an infinite or undefined value.
std::string FormatReal(double value, int decimals);
// The same, appended to `out`.
void AppendReal(std::string& out, double value, int decimals);
// An integer in plain decimal, appended to `out`.
void AppendInt(std::string& out, int64_t value);

}  // namespace orvanta
