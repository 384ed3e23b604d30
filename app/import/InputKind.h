#pragma once
// Telling the kinds of input apart by their content, not by their name, and
// reading their text whatever encoding mark and line ends they come with.

#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// The text of an input file as UTF-8: a UTF-8 byte order mark dropped, a
// UTF-16 file (little or big endian, told by its byte order mark) converted.
// Other bytes are left as they are; the readers decide about them.
class InputText {
 public:
  explicit InputText(std::string_view bytes);
  [[nodiscard]] std::string_view View() const { return converted_ ? *converted_ : view_; }

 private:
  std::string_view view_;
  std::optional<std::string> converted_;  // only when the file was UTF-16
};

// The next line of `rest` without its end (CR LF, LF or a CR alone), which
// is taken off `rest`.
std::string_view TakeLine(std::string_view& rest);

// Whether the first line of `bytes` that is not blank, after a byte order
// mark, is `line` (letters in any case, blanks around it allowed).
bool FirstLineIs(std::string_view bytes, std::string_view line);

}  // namespace orvanta
