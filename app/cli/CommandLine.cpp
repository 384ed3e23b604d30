#include "app/cli/CommandLine.h"

#include <cstddef>
#include <ctime>
#include <tuple>
#include <utility>

#include "app/cli/CommandLineUsage.h"
#include "app/cli/RequestParser.h"
#include "app/core/run/PrintOptions.h"
#include "app/core/run/TextColourChoices.h"
#include "base/LocalTime.h"
#include "base/Utf8.h"
#include "base/Version.h"

namespace orvanta {
namespace {

CommandLineResult Answer(CommandLineResult::Action action, std::string text) {
  CommandLineResult result;
  result.action = action;
  result.text = std::move(text);
  return result;
}

}  // namespace

RequestParser::RequestParser(const CommandLineContext& context)
    : context_(context),
      help_(scanner_.Add({"h", "help"}, false)),
      helpAll_(scanner_.Add("help-all", false)),
      version_(scanner_.Add({"v", "version"}, false)),
      year_(scanner_.Add({"y", "year"}, true)),
      output_(scanner_.Add({"o", "output"}, true)),
      ics_(scanner_.Add("ics", true)),
      csv_(scanner_.Add("csv", true)),
      textColour_(scanner_.Add("text-color", true)),
      headerText_(scanner_.Add("header-text", true)),
      headerColour_(scanner_.Add("header-color", true)),
      headerImage_(scanner_.Add("header-image", true)),
      footerText_(scanner_.Add("footer-text", true)),
      footerColour_(scanner_.Add("footer-color", true)),
      footerImage_(scanner_.Add("footer-image", true)),
      notes_(scanner_.Add("notes", true)),
      shift_(scanner_.Add("shift", true)),
      open_(scanner_.Add("open", false)),
      mono_(scanner_.Add("mono", false)),
      noNotes_(scanner_.Add(PrintOptionOf(&CalendarOptions::NotePersonali).offSwitch, false)),
      noShift_(scanner_.Add(PrintOptionOf(&CalendarOptions::Turno).offSwitch, false)),
      importNotes_(scanner_.Add("import-notes", true)),
      dryRun_(scanner_.Add("dry-run", false)),
      cover_(scanner_.Add("cover", true)) {
  for (const PrintOption& option : kPrintOptions) {
    if (!option.withFile) offSwitches_.push_back(scanner_.Add(option.offSwitch, false));
  }
}

CommandLineResult RequestParser::Parse(const std::vector<std::string>& arguments) {
  using Action = CommandLineResult::Action;
  if (Refusal refusal = scanner_.Scan(arguments)) return Answer(Action::Error, std::move(*refusal));
  if (!scanner_.Positionals().empty()) {
    return Answer(Action::Error, "orvanta: argomento inatteso " +
                                     Quoted(scanner_.Positionals().front()) +
                                     "; le opzioni ammesse sono elencate da orvanta --help");
  }
  if (scanner_.IsSet(help_) || scanner_.IsSet(helpAll_)) {
    return Answer(Action::Help, CommandLineUsage());
  }
  if (scanner_.IsSet(version_))
    return Answer(Action::Version, "Orvanta " + std::string(kVersion) + "\n");

  if (scanner_.IsSet(importNotes_) || scanner_.IsSet(dryRun_)) {
    CommandLineResult result = Answer(Action::Import, {});
    if (Refusal refusal = Import(result.import)) return Answer(Action::Error, std::move(*refusal));
    return result;
  }
  CommandLineResult result = Answer(Action::Run, {});
  CalendarJob& request = result.request;
  request.openViewer = scanner_.IsSet(open_);
  // A calendar without the pictures it was asked for is a failure here.
  request.picturesRequired = true;
  request.preparePicture = context_.preparePicture;
  request.options.PrintColor = !scanner_.IsSet(mono_);
  std::size_t offSwitch = 0;
  for (const PrintOption& option : kPrintOptions) {
    if (!option.withFile && scanner_.IsSet(offSwitches_[offSwitch++]))
      request.options.*(option.field) = false;
  }
  // The output last but one: the inputs it must not be are known by then.
  for (const Step step :
       {&RequestParser::YearAndColours, &RequestParser::HeaderAndFooter, &RequestParser::Cover,
        &RequestParser::NotesAndShift, &RequestParser::Output, &RequestParser::OutputIsNoInput}) {
    if (Refusal refusal = (this->*step)(request)) return Answer(Action::Error, std::move(*refusal));
  }
  result.warnings = TextWarnings();
  return result;
}

int RequestParser::CurrentYear() const {
  const std::time_t now = context_.clock ? context_.clock() : std::time(nullptr);
  std::tm local{};
  if (!LocalTime(now, local)) return 0;
  return local.tm_year + 1900;
}

// Without --year the calendar of the current year, as `cal` does; "next" is
// the coming one.
Refusal RequestParser::Year(CalendarOptions& options) const {
  const bool given = scanner_.IsSet(year_);
  const std::string& value = scanner_.Value(year_);
  if (given && value != "next") {
    const std::optional<int16_t> year = ParseYear(value);
    if (!year) return BadValue("year", value, YearsAllowed().c_str());
    options.Anno = *year;
    return {};
  }
  const int year = CurrentYear() + (given ? 1 : 0);
  const std::optional<int16_t> inRange = YearInRange(year);
  if (!inRange) {
    return "orvanta: --year: " + std::string(given ? "l'anno prossimo" : "l'anno in corso") +
           " secondo l'orologio del sistema, " + std::to_string(year) +
           ", è fuori dall'intervallo; valori ammessi: un anno " + YearRange();
  }
  options.Anno = *inRange;
  return {};
}

Refusal RequestParser::YearAndColours(CalendarJob& request) const {
  CalendarOptions& options = request.options;
  if (Refusal refusal = Year(options)) return refusal;
  if (scanner_.IsSet(textColour_)) {
    const std::string& name = scanner_.Value(textColour_);
    const TextColourChoice* found = nullptr;
    std::string allowed;
    for (const TextColourChoice& choice : kTextColourChoices) {
      if (name == choice.name) found = &choice;
      allowed += (allowed.empty() ? "" : ", ") + std::string(choice.name);
    }
    if (!found) return BadValue("text-color", name, allowed.c_str());
    options.TextColor = found->colour;
  }
  return {};
}

// A text or a picture, as in the window.
Refusal RequestParser::HeaderAndFooter(CalendarJob& request) const {
  struct Line {
    const char* name;  // "header" / "footer"
    Option text;
    Option colour;
    Option image;
    int limit;
    std::string CalendarOptions::*textField;
    int32_t CalendarOptions::*colourField;
    std::string CalendarOptions::*imageField;
  };
  const Line lines[] = {
      {"header", headerText_, headerColour_, headerImage_, kHeaderTextLimit,
       &CalendarOptions::CustomTopText, &CalendarOptions::CustomTopColor,
       &CalendarOptions::CustomTopImage},
      {"footer", footerText_, footerColour_, footerImage_, kFooterTextLimit,
       &CalendarOptions::CustomDownText, &CalendarOptions::CustomDownColor,
       &CalendarOptions::CustomDownImage},
  };
  CalendarOptions& options = request.options;
  for (const Line& line : lines) {
    const std::string name = line.name;
    if (scanner_.IsSet(line.text) && scanner_.IsSet(line.image)) {
      return "orvanta: --" + name + "-text e --" + name +
             "-image si escludono; valori ammessi: un testo oppure un'immagine";
    }
    if (scanner_.IsSet(line.colour)) {
      const std::optional<int32_t> colour = ParseColour(scanner_.Value(line.colour));
      if (!colour) {
        return BadValue(name + "-color", scanner_.Value(line.colour),
                        "un colore #RRGGBB in cifre esadecimali, per esempio #CD0000");
      }
      options.*(line.colourField) = *colour;
    }
    if (scanner_.IsSet(line.text)) {
      // Printed on the page: it has to be text, not just any bytes.
      const std::string& text = scanner_.Value(line.text);
      if (!IsValidUtf8(text)) return BadValue(name + "-text", text, "un testo in UTF-8");
      options.*(line.textField) = LimitText(text, line.limit);
    }
    if (scanner_.IsSet(line.image)) {
      const bool header = line.imageField == &CalendarOptions::CustomTopImage;
      // The header may take a folder: a picture for each month.
      if (header && context_.picturesInFolder &&
          context_.folderExists(scanner_.Value(line.image))) {
        if (Refusal refusal = MonthPictures(line.image, options.CustomTopImages)) return refusal;
      } else if (Refusal refusal =
                     Picture(name + "-image", line.image, header ? kHeaderBox : kFooterBox,
                             options.*(line.imageField))) {
        return refusal;
      }
    }
  }
  return {};
}

// The page prints a text as it was kept, in Windows-1252: say what was lost
// on the way, though the calendar is still written.
std::vector<std::string> RequestParser::TextWarnings() const {
  std::vector<std::string> warnings;
  const std::tuple<const char*, Option, int> lines[] = {
      {"header-text", headerText_, kHeaderTextLimit},
      {"footer-text", footerText_, kFooterTextLimit}};
  for (const auto& [name, option, limit] : lines) {
    if (!scanner_.IsSet(option)) continue;
    const std::string& given = scanner_.Value(option);
    const std::string kept = LimitText(given, limit);
    const std::string prefix = "orvanta: avviso: --" + std::string(name) + ": ";
    if (kept != LimitText(given, given.size())) {
      warnings.push_back(prefix + "il testo supera i " + std::to_string(limit) +
                         " caratteri e si stampa accorciato: " + Quoted(kept));
    }
    if (const std::string lacking = CharactersWindows1252Lacks(kept); !lacking.empty()) {
      warnings.push_back(prefix + "i caratteri " + lacking +
                         " mancano nella codifica Windows-1252 del PDF e si stampano come '?'");
    }
  }
  return warnings;
}

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments,
                                   const CommandLineContext& context) {
  return RequestParser(context).Parse(arguments);
}

}  // namespace orvanta
