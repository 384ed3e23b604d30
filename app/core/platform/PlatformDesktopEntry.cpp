#include "app/core/platform/PlatformDesktopEntry.h"

#include <sys/stat.h>

#include <cstdlib>

namespace orvanta {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// The raw value of `key` in the [Desktop Entry] group.
std::string_view FindEntryValue(std::string_view text, std::string_view key) {
  bool inEntryGroup = false;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      inEntryGroup = line == "[Desktop Entry]";
      continue;
    }
    if (!inEntryGroup) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (Trim(line.substr(0, equals)) == key) return Trim(line.substr(equals + 1));
  }
  return {};
}

// General string escapes of desktop entry values.
std::string UnescapeValue(std::string_view value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    switch (next) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:  // kept for the quoting rules below
        out += '\\';
        out += next;
    }
  }
  return out;
}

// Removes field codes; "%%" stands for one percent sign.
std::string DropFieldCodes(const std::string& argument) {
  std::string out;
  for (size_t i = 0; i < argument.size(); ++i) {
    if (argument[i] != '%') {
      out += argument[i];
    } else if (i + 1 < argument.size()) {
      if (argument[i + 1] == '%') out += '%';
      ++i;
    }
  }
  return out;
}

bool IsFieldCodeOnly(const std::string& argument) {
  return argument.size() == 2 && argument[0] == '%' && argument[1] != '%';
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void SplitInto(std::string_view list, std::vector<std::string>& out) {
  while (!list.empty()) {
    const size_t colon = list.find(':');
    std::string folder(list.substr(0, colon));
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!folder.empty()) out.push_back(folder);
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
}

}  // namespace

std::vector<std::string> DesktopExecArguments(std::string_view desktopFileText) {
  const std::string command = UnescapeValue(FindEntryValue(desktopFileText, "Exec"));
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  bool fromQuotes = false;
  for (size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < command.size()) {
        current += command[++i];
      } else {
        current += c;
      }
      continue;
    }
    if (c == ' ' || c == '\t') {
      if (inArgument && (fromQuotes || !IsFieldCodeOnly(current)))
        arguments.push_back(fromQuotes ? current : DropFieldCodes(current));
      current.clear();
      inArgument = fromQuotes = false;
      continue;
    }
    inArgument = true;
    if (c == '"') {
      quoted = fromQuotes = true;
    } else {
      current += c;
    }
  }
  if (inArgument && (fromQuotes || !IsFieldCodeOnly(current)))
    arguments.push_back(fromQuotes ? current : DropFieldCodes(current));
  return arguments;
}

std::string DesktopExecProgram(std::string_view desktopFileText) {
  const std::vector<std::string> arguments = DesktopExecArguments(desktopFileText);
  size_t first = 0;
  if (!arguments.empty() && (arguments[0] == "env" || arguments[0] == "/usr/bin/env")) {
    first = 1;
    while (first < arguments.size() && arguments[first].find('=') != std::string::npos) ++first;
  }
  return first < arguments.size() ? arguments[first] : std::string{};
}

std::vector<std::string> XdgDataDirs(const char* dataHome, const char* dataDirs, const char* home) {
  std::vector<std::string> folders;
  if (dataHome != nullptr && *dataHome != '\0') {
    SplitInto(dataHome, folders);
  } else if (home != nullptr && *home != '\0') {
    folders.push_back(std::string(home) + "/.local/share");
  }
  SplitInto(dataDirs != nullptr && *dataDirs != '\0' ? dataDirs : "/usr/local/share:/usr/share",
            folders);
  return folders;
}

std::vector<std::string> XdgDataDirsFromEnvironment() {
  return XdgDataDirs(std::getenv("XDG_DATA_HOME"), std::getenv("XDG_DATA_DIRS"),
                     std::getenv("HOME"));
}

std::string FindDesktopFile(std::string_view desktopId, const std::vector<std::string>& dataDirs) {
  if (desktopId.empty() || desktopId.find('/') != std::string_view::npos || desktopId == "." ||
      desktopId == "..")
    return {};
  const std::string id(desktopId);
  for (const std::string& dir : dataDirs) {
    const std::string applications = dir + "/applications/";
    if (!IsFolder(applications)) continue;
    if (IsRegularFile(applications + id)) return applications + id;
    // "vendor-name.desktop" may live in "vendor/name.desktop".
    for (size_t dash = id.find('-'); dash != std::string::npos; dash = id.find('-', dash + 1)) {
      std::string nested = id;
      nested[dash] = '/';
      if (IsRegularFile(applications + nested)) return applications + nested;
    }
  }
  return {};
}

}  // namespace orvanta
