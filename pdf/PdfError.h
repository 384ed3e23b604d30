#pragma once

#include <stdexcept>
#include <string>

namespace orvanta {

// What kind of failure a writer operation met.
enum class PdfErrorCode {
  Io,               // writing or closing the output file failed (disk full, I/O error)
  NotOpen,          // no output file is open
  CallOrder,        // the operation is not allowed now (page or form object open or not open)
  Limit,            // more than 32767 objects or pages
  Overflow,         // a value the file cannot carry (colour below -255, infinite number)
  InvalidArgument,  // a font style, image layout or arc step the writer cannot use
};

// Every failure of the PDF writer except those reported by a false result
// (opening the output file, loading a bitmap file).
class PdfError : public std::runtime_error {
 public:
  PdfError(PdfErrorCode code, const std::string& what) : std::runtime_error(what), code_(code) {}
  PdfErrorCode code() const noexcept { return code_; }

 private:
  PdfErrorCode code_;
};

}  // namespace orvanta
