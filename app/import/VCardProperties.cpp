#include "app/import/VCardProperties.h"

#include <algorithm>

#include "app/import/InputKind.h"
#include "base/AsciiCase.h"
#include "base/Text.h"
#include "base/Windows1252.h"

namespace orvanta {
namespace {

std::string Upper(std::string_view text) {
  return AsciiUpper(std::string(text));
}

// Whether a physical line opens or closes a contact.
bool IsContactBoundary(std::string_view line) {
  const std::string upper = Upper(TrimWhitespace(line));
  return upper == "BEGIN:VCARD" || upper == "END:VCARD";
}

// The logical lines of a text, one at a time: folded lines joined (a line
// that starts with a blank goes on the one before), and a 2.1
// QUOTED-PRINTABLE value carried on after a line that ends in "=". Every
// byte is looked at a bounded number of times.
class LogicalLines {
 public:
  explicit LogicalLines(std::string_view text) : rest_(text) {}

  bool Next() {
    if (rest_.empty()) return false;
    line_.clear();
    colon_ = std::string::npos;
    scanned_ = 0;
    quoted_ = false;
    firstLine_ = ++lineNumber_;
    std::string_view piece = TakeLine(rest_);
    Append(piece);
    while (!rest_.empty()) {
      std::string_view next = rest_;
      const std::string_view following = TakeLine(next);
      if (IsContactBoundary(following) && following[0] != ' ' && following[0] != '\t') break;
      if (SoftBreak(piece)) {
        if (!line_.empty() && line_.back() == '=') line_.pop_back();
        Append(following);
      } else if (!following.empty() && (following[0] == ' ' || following[0] == '\t')) {
        Append(following.substr(1));
      } else {
        break;
      }
      rest_ = next;
      piece = following;
      ++lineNumber_;
    }
    return true;
  }

  [[nodiscard]] const std::string& Line() const { return line_; }
  // Where the name and parameters end: the first ":" outside double quotes.
  [[nodiscard]] std::size_t Colon() const { return colon_; }
  [[nodiscard]] int FirstLine() const { return firstLine_; }

 private:
  void Append(std::string_view piece) {
    line_.append(piece.substr(0, kMaxVCardLineBytes - std::min(line_.size(), kMaxVCardLineBytes)));
    // Only what was added is searched for the colon.
    for (; colon_ == std::string::npos && scanned_ < line_.size(); ++scanned_) {
      if (line_[scanned_] == '"') quoted_ = !quoted_;
      if (line_[scanned_] == ':' && !quoted_) colon_ = scanned_;
    }
  }

  // A QUOTED-PRINTABLE value goes on after a physical line that ends in "=".
  bool SoftBreak(std::string_view lastPiece) {
    if (colon_ == std::string::npos || !lastPiece.ends_with('=')) return false;
    if (!qpKnown_ || qpLine_ != firstLine_) {
      qpLine_ = firstLine_;
      qpKnown_ = true;
      qp_ = Upper(std::string_view(line_).substr(0, colon_)).find("QUOTED-PRINTABLE") !=
            std::string::npos;
    }
    return qp_;
  }

  std::string_view rest_;
  std::string line_;
  std::size_t colon_ = std::string::npos;
  std::size_t scanned_ = 0;
  bool quoted_ = false;
  int lineNumber_ = 0;
  int firstLine_ = 0;
  bool qpKnown_ = false;  // whether qp_ holds for the line that starts at qpLine_
  int qpLine_ = 0;
  bool qp_ = false;
};

// The pieces of `text` between unquoted ";".
std::vector<std::string_view> SplitUnquoted(std::string_view text) {
  std::vector<std::string_view> pieces;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] == '"') quoted = !quoted;
    if (i == text.size() || (text[i] == ';' && !quoted)) {
      pieces.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return pieces;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char upper = AsciiUpper(c);
  if (upper >= 'A' && upper <= 'F') return upper - 'A' + 10;
  return -1;
}

std::string DecodeQuotedPrintable(std::string_view value) {
  std::string bytes;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const int high = i + 2 < value.size() && value[i] == '=' ? HexDigit(value[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(value[i + 2]) : -1;
    if (low >= 0) {
      bytes += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      bytes += value[i];
    }
  }
  return bytes;
}

int Base64Digit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+' || c == '/') return c == '+' ? 62 : 63;
  return -1;
}

// Blanks and anything else that is no base64 digit are passed over.
std::string DecodeBase64(std::string_view value) {
  std::string bytes;
  unsigned bits = 0;
  int count = 0;
  for (const char c : value) {
    const int digit = Base64Digit(c);
    if (digit < 0) continue;
    bits = (bits << 6) | static_cast<unsigned>(digit);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return bytes;
}

// The value's bytes as UTF-8: the code pages of western address books are
// Windows-1252 or its Latin-1 part; others are taken as UTF-8 when they are.
std::string ToUtf8(const std::string& bytes, const std::string& charset) {
  const std::string name = Upper(charset);
  if (name == "ISO-8859-1" || name == "ISO-8859-15" || name == "WINDOWS-1252" || name == "CP1252" ||
      name == "LATIN1")
    return Windows1252ToUtf8(bytes);
  return DecodeUserText(bytes);
}

VCardProperty ParseLine(std::string_view line, std::size_t colon) {
  VCardProperty property;
  const std::vector<std::string_view> head = SplitUnquoted(line.substr(0, colon));
  const std::string_view name = head[0];
  const std::size_t dot = name.rfind('.');
  property.name = Upper(name.substr(dot + 1));
  if (dot != std::string_view::npos) property.group = Upper(name.substr(0, dot));
  for (std::size_t i = 1; i < head.size(); ++i) {
    const std::size_t equals = head[i].find('=');
    std::string key =
        equals == std::string_view::npos ? std::string() : Upper(head[i].substr(0, equals));
    std::string_view value =
        equals == std::string_view::npos ? head[i] : head[i].substr(equals + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    if (key.empty()) {
      const std::string bare = Upper(value);
      key = bare == "QUOTED-PRINTABLE" || bare == "BASE64" || bare == "8BIT" ? "ENCODING" : "TYPE";
    }
    property.parameters.emplace_back(std::move(key), std::string(value));
  }
  std::string value(line.substr(colon + 1));
  const std::string encoding = Upper(property.Parameter("ENCODING"));
  if (encoding == "QUOTED-PRINTABLE") value = DecodeQuotedPrintable(value);
  if (encoding == "BASE64" || encoding == "B") value = DecodeBase64(value);
  property.value = ToUtf8(value, property.Parameter("CHARSET"));
  return property;
}

}  // namespace

std::string VCardProperty::Parameter(std::string_view wanted) const {
  for (const auto& [key, given] : parameters) {
    if (key == wanted) return given;
  }
  return {};
}

void ForEachVCardProperty(std::string_view bytes,
                          const std::function<void(const VCardProperty&)>& take) {
  const InputText text(bytes);
  LogicalLines lines(text.View());
  while (lines.Next()) {
    if (lines.Colon() == std::string::npos || lines.Colon() == 0) continue;
    VCardProperty property = ParseLine(lines.Line(), lines.Colon());
    property.line = lines.FirstLine();
    take(property);
  }
}

std::vector<VCardProperty> ReadVCardProperties(std::string_view bytes) {
  std::vector<VCardProperty> properties;
  ForEachVCardProperty(bytes, [&](const VCardProperty& p) { properties.push_back(p); });
  return properties;
}

std::string UnescapeVCardText(std::string_view value) {
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      text += value[i];
      continue;
    }
    const char next = value[++i];
    text += next == 'n' || next == 'N' ? '\n' : next;
  }
  return text;
}

std::vector<std::string> SplitVCardComponents(std::string_view value) {
  std::vector<std::string> components(1);
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      components.back() += value.substr(i, 2);
      ++i;
    } else if (value[i] == ';') {
      components.emplace_back();
    } else {
      components.back() += value[i];
    }
  }
  for (std::string& component : components) component = UnescapeVCardText(component);
  return components;
}

}  // namespace orvanta
