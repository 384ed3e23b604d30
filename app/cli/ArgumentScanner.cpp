#include "app/cli/ArgumentScanner.h"

#include <algorithm>

#include "base/Utf8.h"

namespace orvanta {
namespace {

// Whether a message names `name` after one dash, as it always has: one
// character of the Basic Multilingual Plane, or one byte that is not UTF-8.
bool IsOneLetter(std::string_view name) {
  std::size_t at = 0;
  char32_t cp = 0;
  if (name.empty() || !DecodeUtf8(name, at, cp)) return name.size() == 1;
  return at == name.size() && cp < 0x10000;
}

// The letter at `at` of a group, as its message shows it: a character
// beyond the Basic Multilingual Plane is half of one there, shown as "?".
std::string LetterAt(std::string_view group, std::size_t at) {
  const std::size_t length = Utf8SequenceLength(group, at);
  if (length == 0) return std::string(1, group[at]);
  std::size_t end = at;
  char32_t cp = 0;
  DecodeUtf8(group, end, cp);
  return cp < 0x10000 ? std::string(group.substr(at, length)) : "?";
}

Refusal Unknown(const std::string& name) {
  return "orvanta: opzione sconosciuta " + Quoted((IsOneLetter(name) ? "-" : "--") + name) +
         "; le opzioni ammesse sono elencate da orvanta --help";
}

}  // namespace

ArgumentScanner::Option ArgumentScanner::Add(std::initializer_list<std::string_view> names,
                                             bool takesValue) {
  options_.push_back({{names.begin(), names.end()}, takesValue});
  values_.emplace_back();
  set_.push_back(false);
  return options_.size() - 1;
}

const std::string& ArgumentScanner::Value(Option option) const {
  static const std::string none;
  return values_[option].empty() ? none : values_[option].back();
}

const ArgumentScanner::Entry* ArgumentScanner::Find(std::string_view name, Option* option) const {
  for (std::size_t i = 0; i < options_.size(); ++i) {
    const std::vector<std::string>& names = options_[i].names;
    if (std::find(names.begin(), names.end(), name) == names.end()) continue;
    if (option != nullptr) *option = i;
    return &options_[i];
  }
  return nullptr;
}

bool ArgumentScanner::TakesValue(std::string_view name) const {
  const Entry* entry = Find(name);
  return entry != nullptr && entry->takesValue;
}

// A long option with one dash ("-mono", "-year=2013") is still taken as it
// always was; any other word after one dash is a group of letters. Values
// are passed over: "--header-text -mono" is a text.
std::vector<std::string> ArgumentScanner::WithLongOptionsSpelledOut(
    const std::vector<std::string>& arguments) const {
  std::vector<std::string> spelled;
  bool valueNext = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool option = i > 0 && !valueNext && argument.size() > 1 && argument[0] == '-';
    valueNext = false;
    if (option && argument == "--") {
      spelled.insert(spelled.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i),
                     arguments.end());
      break;
    }
    if (!option) {
      spelled.push_back(argument);
      continue;
    }
    const bool twoDashes = argument.starts_with("--");
    const std::string_view word = std::string_view(argument).substr(twoDashes ? 2 : 1);
    const std::string_view name = word.substr(0, word.find('='));
    if (twoDashes || IsLongName(name)) {
      spelled.push_back(twoDashes ? argument : "-" + argument);
      valueNext = name.size() == word.size() && TakesValue(name);
      continue;
    }
    // The first letter that takes a value takes the rest of the group.
    for (std::size_t at = 0; at < word.size(); ++at) {
      if (!TakesValue(word.substr(at, 1))) continue;
      valueNext = at + 1 == word.size();
      break;
    }
    spelled.push_back(argument);
  }
  return spelled;
}

bool ArgumentScanner::Register(const std::string& name) {
  Option option = 0;
  if (!Find(name, &option)) return false;
  set_[option] = true;
  found_.push_back({option, name});
  return true;
}

// The value of the option `name` found in the argument at `at`: after its
// "=", else the next argument, which `at` then moves to.
void ArgumentScanner::TakeValue(const std::string& name, const std::vector<std::string>& arguments,
                                std::size_t& at) {
  Option option = 0;
  const Entry* entry = Find(name, &option);
  const std::string& argument = arguments[at];
  const std::size_t assign = argument.find('=');
  if (!entry->takesValue) {
    if (assign != std::string::npos) {
      valueError_ = "orvanta: " + Quoted(argument.substr(0, assign)) +
                    " non accetta un valore; le opzioni sono elencate da orvanta --help";
    }
    return;
  }
  if (assign != std::string::npos) {
    values_[option].push_back(argument.substr(assign + 1));
  } else if (++at < arguments.size()) {
    values_[option].push_back(arguments[at]);
  } else {
    valueError_ = "orvanta: manca il valore dopo " + Quoted(argument) +
                  "; i valori ammessi sono elencati da orvanta --help";
  }
}

// "-hv", "-y2013", "-y=2013": letters until one takes the rest as its value.
Refusal ArgumentScanner::ShortGroup(const std::vector<std::string>& arguments, std::size_t& at) {
  const std::string& argument = arguments[at];
  std::string name;
  for (std::size_t pos = 1; pos < argument.size(); ++pos) {
    name = LetterAt(argument, pos);
    if (static_cast<unsigned char>(argument[pos]) >= 0x80 || !Register(name)) return Unknown(name);
    const bool assignNext = pos + 1 < argument.size() && argument[pos + 1] == '=';
    if (TakesValue(name) && pos + 1 < argument.size()) {
      values_[found_.back().option].push_back(argument.substr(pos + (assignNext ? 2 : 1)));
      return {};
    }
    if (TakesValue(name) || assignNext) break;
  }
  TakeValue(name, arguments, at);
  return {};
}

// Two passes, as the arguments have always been read: long names after one
// dash get their second dash (which also decides, on its own terms, which
// arguments are values and stay as they are), then the scan proper. The
// first unknown option decides the message whatever follows: the scan stops
// there.
Refusal ArgumentScanner::Scan(const std::vector<std::string>& given) {
  const std::vector<std::string> arguments = WithLongOptionsSpelledOut(given);
  bool optionsEnded = false;
  for (std::size_t at = 1; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      positionals_.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument.starts_with("--")) {
      const std::string name = argument.substr(2, argument.find('=') - 2);
      if (!Register(name)) return Unknown(name);
      TakeValue(name, arguments, at);
    } else if (Refusal unknown = ShortGroup(arguments, at)) {
      return unknown;
    }
  }
  if (!valueError_.empty()) return valueError_;
  return {};
}

}  // namespace orvanta
