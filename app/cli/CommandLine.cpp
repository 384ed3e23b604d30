#include "app/cli/CommandLine.h"

#include <QRegularExpression>
#include <ctime>
#include <utility>

#include "app/cli/ArgumentBytes.h"
#include "app/cli/CommandLineUsage.h"
#include "app/cli/RequestParser.h"
#include "app/core/run/PrintOptions.h"
#include "app/core/run/TextColourChoices.h"
#include "base/LocalTime.h"
#include "base/Version.h"

namespace orvanta {
namespace {

// Qt's own messages for a missing or unexpected value, in our words.
std::string ParserError(const QCommandLineParser& parser) {
  if (!parser.unknownOptionNames().isEmpty()) {
    const QString name = parser.unknownOptionNames().constFirst();
    return "orvanta: opzione sconosciuta " + Quoted((name.size() == 1 ? "-" : "--") + name) +
           "; le opzioni ammesse sono elencate da orvanta --help";
  }
  static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
  static const QRegularExpression unexpected(QStringLiteral("^Unexpected value after '(.*)'\\.$"));
  // The text may quote the user's bytes; the expressions need valid UTF-16.
  const QString error = WithRawBytesShown(parser.errorText());
  if (const auto match = missing.match(error); match.hasMatch()) {
    return "orvanta: manca il valore dopo " + Quoted(match.captured(1)) +
           "; i valori ammessi sono elencati da orvanta --help";
  }
  if (const auto match = unexpected.match(error); match.hasMatch()) {
    return "orvanta: " + Quoted(match.captured(1)) +
           " non accetta un valore; le opzioni sono elencate da orvanta --help";
  }
  return "orvanta: " + Quoted(error) + "; vedere orvanta --help";
}

// The switch that turns a print option off, as Qt's parser names it.
QString OffSwitch(const PrintOption& option) {
  return QString::fromLatin1(option.offSwitch);
}

CommandLineResult Answer(CommandLineResult::Action action, std::string text) {
  CommandLineResult result;
  result.action = action;
  result.text = std::move(text);
  return result;
}

}  // namespace

RequestParser::RequestParser(const CommandLineContext& context)
    : context_(context),
      help_(parser_.addHelpOption()),
      version_(parser_.addVersionOption()),
      year_(ValueOption("year", "ANNO", "y")),
      output_(ValueOption("output", "FILE", "o")),
      ics_(ValueOption("ics", "FILE")),
      csv_(ValueOption("csv", "FILE")),
      textColour_(ValueOption("text-color", "COLORE")),
      headerText_(ValueOption("header-text", "TESTO")),
      headerColour_(ValueOption("header-color", "#RRGGBB")),
      headerImage_(ValueOption("header-image", "FILE")),
      footerText_(ValueOption("footer-text", "TESTO")),
      footerColour_(ValueOption("footer-color", "#RRGGBB")),
      footerImage_(ValueOption("footer-image", "FILE")),
      notes_(ValueOption("notes", "FILE")),
      shift_(ValueOption("shift", "FILE")),
      open_(QStringLiteral("open")),
      mono_(QStringLiteral("mono")),
      noNotes_(OffSwitch(PrintOptionOf(&CalendarOptions::NotePersonali))),
      noShift_(OffSwitch(PrintOptionOf(&CalendarOptions::Turno))),
      importNotes_(ValueOption("import-notes", "FILE")),
      dryRun_(QStringLiteral("dry-run")),
      cover_(ValueOption("cover", "FILE")) {
  // "-hv" is -h and -v, "-y2013" is -y 2013, as getopt reads them.
  parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
  parser_.addOptions({open_, mono_, noNotes_, noShift_, dryRun_});
  for (const PrintOption& option : kPrintOptions) {
    if (!option.withFile) parser_.addOption(QCommandLineOption(OffSwitch(option)));
  }
  longNames_ << QStringLiteral("help") << QStringLiteral("help-all") << QStringLiteral("version");
  for (const QCommandLineOption& flag : {open_, mono_, noNotes_, noShift_, dryRun_})
    longNames_ << flag.names();
  for (const PrintOption& option : kPrintOptions) longNames_ << OffSwitch(option);
}

QCommandLineOption RequestParser::ValueOption(const char* name, const char* valueName,
                                              const char* shortName) {
  QStringList names = {QString::fromLatin1(name)};
  if (shortName != nullptr) names.prepend(QString::fromLatin1(shortName));
  QCommandLineOption option(names, QString(), QString::fromLatin1(valueName));
  parser_.addOption(option);
  valueNames_ << names;
  longNames_ << names.constLast();
  return option;
}

// A long option with one dash ("-mono", "-year=2013") is still taken as it
// always was; any other word after one dash is a group of short options.
// Values are passed over: "--header-text -mono" is a text.
QStringList RequestParser::WithLongOptionsSpelledOut(const QStringList& arguments) const {
  QStringList spelled;
  bool valueNext = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    QString argument = arguments[i];
    const bool option = i > 0 && !valueNext && argument.size() > 1 && argument.startsWith(u'-');
    valueNext = false;
    if (option && argument == QLatin1String("--")) {
      spelled << arguments.mid(i);
      break;
    }
    if (option) {
      const bool twoDashes = argument.startsWith(QLatin1String("--"));
      const QString word = argument.mid(twoDashes ? 2 : 1);
      const QString name = word.section(u'=', 0, 0);
      const bool inlineValue = word.contains(u'=');
      if (twoDashes || (name.size() > 1 && longNames_.contains(name))) {
        if (!twoDashes) argument.prepend(u'-');
        valueNext = !inlineValue && TakesValue(name);
      } else {
        // The first letter that takes a value takes the rest of the group.
        for (qsizetype at = 0; at < word.size(); ++at) {
          if (!TakesValue(QString(word.at(at)))) continue;
          valueNext = at + 1 == word.size();
          break;
        }
      }
    }
    spelled << argument;
  }
  return spelled;
}

CommandLineResult RequestParser::Parse(const QStringList& arguments) {
  using Action = CommandLineResult::Action;
  if (!parser_.parse(WithLongOptionsSpelledOut(arguments)))
    return Answer(Action::Error, ParserError(parser_));
  if (!parser_.positionalArguments().isEmpty()) {
    return Answer(Action::Error, "orvanta: argomento inatteso " +
                                     Quoted(parser_.positionalArguments().first()) +
                                     "; le opzioni ammesse sono elencate da orvanta --help");
  }
  if (parser_.isSet(help_) || parser_.isSet(QStringLiteral("help-all"))) {
    return Answer(Action::Help, CommandLineUsage());
  }
  if (parser_.isSet(version_))
    return Answer(Action::Version, "Orvanta " + std::string(kVersion) + "\n");

  if (parser_.isSet(importNotes_) || parser_.isSet(dryRun_)) {
    CommandLineResult result = Answer(Action::Import, {});
    if (Refusal refusal = Import(result.import)) return Answer(Action::Error, std::move(*refusal));
    return result;
  }
  CommandLineResult result = Answer(Action::Run, {});
  CalendarJob& request = result.request;
  request.openViewer = parser_.isSet(open_);
  // A calendar without the pictures it was asked for is a failure here.
  request.picturesRequired = true;
  request.preparePicture = context_.preparePicture;
  request.options.PrintColor = !parser_.isSet(mono_);
  for (const PrintOption& option : kPrintOptions) {
    if (!option.withFile && parser_.isSet(OffSwitch(option)))
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
  const bool given = parser_.isSet(year_);
  const QString value = given ? parser_.value(year_) : QString();
  if (given && value != QLatin1String("next")) {
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
  if (parser_.isSet(textColour_)) {
    const QString name = parser_.value(textColour_);
    const TextColourChoice* found = nullptr;
    std::string allowed;
    for (const TextColourChoice& choice : kTextColourChoices) {
      if (name == QLatin1String(choice.name)) found = &choice;
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
    const QCommandLineOption& text;
    const QCommandLineOption& colour;
    const QCommandLineOption& image;
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
    if (parser_.isSet(line.text) && parser_.isSet(line.image)) {
      return "orvanta: --" + name + "-text e --" + name +
             "-image si escludono; valori ammessi: un testo oppure un'immagine";
    }
    if (parser_.isSet(line.colour)) {
      const std::optional<int32_t> colour = ParseColour(parser_.value(line.colour));
      if (!colour) {
        return BadValue(name + "-color", parser_.value(line.colour),
                        "un colore #RRGGBB in cifre esadecimali, per esempio #CD0000");
      }
      options.*(line.colourField) = *colour;
    }
    if (parser_.isSet(line.text)) {
      // Printed on the page: it has to be text, not just any bytes.
      const QString text = parser_.value(line.text);
      if (CarriesRawBytes(text)) return BadValue(name + "-text", text, "un testo in UTF-8");
      options.*(line.textField) = LimitText(text, line.limit);
    }
    if (parser_.isSet(line.image)) {
      const bool header = line.imageField == &CalendarOptions::CustomTopImage;
      // The header may take a folder: a picture for each month.
      if (header && context_.picturesInFolder &&
          context_.folderExists(BytesFromArgument(parser_.value(line.image)))) {
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
  const std::pair<const char*, int> lines[] = {{"header-text", kHeaderTextLimit},
                                               {"footer-text", kFooterTextLimit}};
  for (const auto& [option, limit] : lines) {
    if (!parser_.isSet(option)) continue;
    const QString given = parser_.value(option);
    const std::string kept = LimitText(given, limit);
    const std::string prefix = "orvanta: avviso: --" + std::string(option) + ": ";
    if (kept != LimitText(given, static_cast<int>(given.size()))) {
      warnings.push_back(
          prefix + "il testo supera i " + std::to_string(limit) +
          " caratteri e si stampa accorciato: " + Quoted(QString::fromStdString(kept)));
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
  QStringList list;
  list.reserve(static_cast<qsizetype>(arguments.size()));
  for (const std::string& argument : arguments) list << ArgumentFromBytes(argument);
  return RequestParser(context).Parse(list);
}

}  // namespace orvanta
