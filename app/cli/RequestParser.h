#pragma once
// One parse of the command line: the options the scanner knows, and the
// steps that turn their values into a calendar request. The steps on files
// live in RequestParserFiles.cpp.

#include <string>
#include <vector>

#include "app/cli/ArgumentScanner.h"
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineValues.h"

namespace orvanta {

class RequestParser {
 public:
  explicit RequestParser(const CommandLineContext& context);
  [[nodiscard]] CommandLineResult Parse(const std::vector<std::string>& arguments);

 private:
  using Option = ArgumentScanner::Option;
  using Step = Refusal (RequestParser::*)(CalendarJob&) const;
  // An option naming a file the run writes, and how messages name that file.
  struct OutputOption {
    const char* name;  // "ics"
    Option option;
    JobOutput CalendarJob::*output;
    const char* allowed;  // what the option takes, for a refusal
    const char* subject;  // "il file iCalendar"
    const char* ofIt;     // "del file iCalendar"
    const char* example;  // "calendario.ics"
  };
  std::vector<OutputOption> OutputOptions() const;

  [[nodiscard]] Refusal YearAndColours(CalendarJob& request) const;
  [[nodiscard]] Refusal HeaderAndFooter(CalendarJob& request) const;
  [[nodiscard]] Refusal Output(CalendarJob& request) const;
  [[nodiscard]] Refusal OutputFile(const char* option, Option given, const char* allowed,
                                   std::string& path) const;
  [[nodiscard]] Refusal NotesAndShift(CalendarJob& request) const;
  [[nodiscard]] Refusal Unusable(const std::string& name, Option given, CalendarJob& request) const;
  [[nodiscard]] Refusal OutputIsNoInput(CalendarJob& request) const;
  [[nodiscard]] Refusal OutputsApart(const CalendarJob& request) const;
  [[nodiscard]] Refusal OnlyOutputAsked(const CalendarJob& request) const;
  [[nodiscard]] Refusal StandardOutput(CalendarJob& request) const;
  std::vector<std::string> TextWarnings() const;
  bool SameTarget(const std::string& a, const std::string& b) const;
  int CurrentYear() const;
  [[nodiscard]] Refusal Year(CalendarOptions& options) const;
  [[nodiscard]] Refusal Picture(const std::string& option, Option given, PictureBox box,
                                std::string& path) const;
  [[nodiscard]] Refusal PictureFile(const std::string& option, const std::string& path,
                                    PictureBox box) const;
  [[nodiscard]] Refusal MonthPictures(Option given, std::vector<std::string>& paths) const;
  [[nodiscard]] Refusal Cover(CalendarJob& request) const;
  [[nodiscard]] Refusal Relative(const std::string& option, Option given) const;
  [[nodiscard]] Refusal Relative(const std::string& option, std::string_view value) const;
  [[nodiscard]] Refusal Import(NotesImportRequest& request) const;
  [[nodiscard]] Refusal ImportOptionsOnly() const;

  const CommandLineContext& context_;
  ArgumentScanner scanner_;
  Option help_, helpAll_, version_, year_, output_, ics_, csv_, textColour_, headerText_,
      headerColour_, headerImage_, footerText_, footerColour_, footerImage_, notes_, shift_, open_,
      mono_, noNotes_, noShift_, importNotes_, dryRun_, cover_;
  std::vector<Option> offSwitches_;  // those of kPrintOptions without a file, in its order
};

}  // namespace orvanta
