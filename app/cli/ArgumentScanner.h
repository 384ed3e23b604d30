#pragma once
// The scan of the argument list into options, their values and stray
// arguments, as the command line has always read it: "--name value",
// "--name=value", a group of one-letter options ("-hv", "-y2013",
// "-y=2013"), a long name after one dash ("-mono", "-year=2013"), "--"
// before arguments that are no options, "-" as an argument. Values keep the
// user's bytes, UTF-8 or not; an option given twice keeps both values.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/CommandLineValues.h"

namespace orvanta {

class ArgumentScanner {
 public:
  using Option = std::size_t;

  // An option and its names, the one-letter name first when it has one.
  Option Add(std::initializer_list<std::string_view> names, bool takesValue);
  Option Add(std::string_view name, bool takesValue) { return Add({name}, takesValue); }

  // Scans `arguments` (the program's name first). Refuses the first unknown
  // option; otherwise the last option that lacks its value or has one it
  // does not take. Stray arguments are kept for the caller.
  [[nodiscard]] Refusal Scan(const std::vector<std::string>& arguments);

  bool IsSet(Option option) const { return set_[option]; }
  // The last value given, empty when none.
  const std::string& Value(Option option) const;
  const std::vector<std::string>& Values(Option option) const { return values_[option]; }
  // Each option found, in order, with the name it was given by ("y", "year").
  struct Found {
    Option option;
    std::string name;
  };
  const std::vector<Found>& FoundNames() const { return found_; }
  const std::vector<std::string>& Positionals() const { return positionals_; }

 private:
  struct Entry {
    std::vector<std::string> names;
    bool takesValue;
  };
  const Entry* Find(std::string_view name, Option* option = nullptr) const;
  bool TakesValue(std::string_view name) const;
  bool IsLongName(std::string_view name) const { return name.size() > 1 && Find(name); }
  std::vector<std::string> WithLongOptionsSpelledOut(
      const std::vector<std::string>& arguments) const;
  [[nodiscard]] Refusal ShortGroup(const std::vector<std::string>& arguments, std::size_t& at);
  void TakeValue(const std::string& name, const std::vector<std::string>& arguments,
                 std::size_t& at);
  bool Register(const std::string& name);

  std::vector<Entry> options_;
  std::vector<std::vector<std::string>> values_;
  std::vector<bool> set_;
  std::vector<Found> found_;
  std::vector<std::string> positionals_;
  std::string valueError_;  // the last option without its value or with one too many
};

}  // namespace orvanta
