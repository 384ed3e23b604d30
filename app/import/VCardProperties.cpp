#include "app/import/VCardProperties.h"

#include "almanac/Text.h"
#include "base/AsciiCase.h"
#include "base/Windows1252.h"

namespace orvanta {
namespace {

std::string Upper(std::string_view text) {
  return AsciiUpper(std::string(text));
}

// The physical lines of `bytes` without their line ends (LF or CR LF).
std::vector<std::string_view> PhysicalLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

// Where the name and parameters end: the first ":" outside double quotes.
std::size_t ValueStart(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ':' && !quoted) return i;
  }
  return std::string_view::npos;
}

// A 2.1 value in QUOTED-PRINTABLE goes on after a line that ends in "=".
bool SoftBreak(std::string_view logical) {
  const std::size_t colon = ValueStart(logical);
  return colon != std::string_view::npos && logical.ends_with('=') &&
         Upper(logical.substr(0, colon)).find("QUOTED-PRINTABLE") != std::string::npos;
}

// Folded lines joined: a line that starts with a blank goes on the one before.
std::vector<std::string> LogicalLines(std::string_view bytes) {
  std::vector<std::string> lines;
  bool joinNext = false;
  for (const std::string_view line : PhysicalLines(bytes)) {
    if (!lines.empty() && joinNext) {
      lines.back().pop_back();  // the "=" of the soft break
      lines.back() += line;
    } else if (!lines.empty() && !line.empty() && (line[0] == ' ' || line[0] == '\t')) {
      lines.back() += line.substr(1);
    } else {
      lines.emplace_back(line);
    }
    joinNext = !lines.empty() && SoftBreak(lines.back());
  }
  return lines;
}

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
  property.name = Upper(name.substr(name.rfind('.') + 1));
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
  if (Upper(property.Parameter("ENCODING")) == "QUOTED-PRINTABLE")
    value = DecodeQuotedPrintable(value);
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

std::vector<VCardProperty> ReadVCardProperties(std::string_view bytes) {
  std::vector<VCardProperty> properties;
  for (const std::string& line : LogicalLines(bytes)) {
    const std::size_t colon = ValueStart(line);
    if (colon == std::string_view::npos || colon == 0) continue;
    properties.push_back(ParseLine(line, colon));
  }
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
