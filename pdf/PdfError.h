#pragma once

#include <stdexcept>
#include <string>

#include "base/FileResult.h"

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
// (opening the output file, loading a bitmap file). An Io failure carries
// what the file answered; the caller phrases it for the user.
class PdfError : public std::runtime_error {
 public:
  PdfError(PdfErrorCode code, const std::string& what) : std::runtime_error(what), code_(code) {}
  explicit PdfError(const FileResult& failure)
      : std::runtime_error(failure.Describe()), code_(PdfErrorCode::Io), file_(failure) {}
  PdfErrorCode code() const noexcept { return code_; }
  const FileResult& file() const noexcept { return file_; }

 private:
  PdfErrorCode code_;
  FileResult file_;
};

}  // namespace orvanta
