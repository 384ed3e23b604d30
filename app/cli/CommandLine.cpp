#include "app/cli/CommandLine.h"

#include <QCommandLineParser>
#include <QDir>
#include <QRegularExpression>
#include <optional>
#include <utility>
#include <vector>

namespace orvanta {
namespace {

constexpr char kVersionLine[] = "Orvanta 3.0.1\n";

constexpr char kUsage[] =
    "Uso: orvanta [opzioni]\n"
    "Scrive il calendario da parete in PDF senza aprire la finestra.\n"
    "\n"
    "  --year ANNO             anno del calendario, da 1900 a 2100 (predefinito 2013)\n"
    "  --output FILE           file PDF da scrivere (predefinito: Orvanta.pdf nella\n"
    "                          cartella temporanea)\n"
    "  --open                  apre il calendario con il visualizzatore PDF predefinito\n"
    "  --mono                  stampa in bianco e nero\n"
    "  --text-color COLORE     colore del testo: black, blue o green (predefinito black)\n"
    "  --no-side-columns       senza le colonne del mese precedente e successivo\n"
    "  --no-progressive        senza i numeri progressivi dei giorni e delle settimane\n"
    "  --no-3d                 senza l'effetto tridimensionale del testo\n"
    "  --no-zodiac             senza le icone del periodo zodiacale\n"
    "  --no-ephemeris          senza le effemeridi solari e lunari\n"
    "  --no-pictures           senza le immagini degli eventi\n"
    "  --no-religious          senza le ricorrenze religiose\n"
    "  --no-footnotes          senza le note a piè di pagina\n"
    "  --no-notes              senza le note personali\n"
    "  --no-shift              senza il turno\n"
    "  --header-text TESTO     intestazione di testo (al massimo 40 caratteri)\n"
    "  --header-color #RRGGBB  colore dell'intestazione di testo (predefinito #000000)\n"
    "  --header-image FILE     intestazione con un'immagine bitmap (210 x 25 mm)\n"
    "  --footer-text TESTO     piè di pagina di testo (al massimo 30 caratteri)\n"
    "  --footer-color #RRGGBB  colore del piè di pagina di testo (predefinito #000000)\n"
    "  --footer-image FILE     piè di pagina con un'immagine bitmap (100 x 12 mm)\n"
    "  --notes FILE            note personali (predefinito: Notes.dat accanto al programma)\n"
    "  --shift FILE            turno (predefinito: Turno.txt accanto al programma)\n"
    "  -h, --help              mostra questo aiuto\n"
    "  -v, --version           mostra la versione\n"
    "\n"
    "Le note personali e il turno si stampano quando il loro file esiste.\n"
    "Esce con 0 quando il calendario è scritto (e ne stampa il percorso), con 1 quando\n"
    "non si può scrivere, con 2 per un'opzione o un valore non validi.\n";

// The switches that turn one option of the calendar off.
struct Switch {
  const char* name;
  bool CalendarOptions::*field;
};
constexpr Switch kSwitches[] = {
    {"no-side-columns", &CalendarOptions::PrintMese_P_S},
    {"no-progressive", &CalendarOptions::Progressivi},
    {"no-3d", &CalendarOptions::Testo3D},
    {"no-zodiac", &CalendarOptions::Zodiaco},
    {"no-ephemeris", &CalendarOptions::FasiSoleLuna},
    {"no-pictures", &CalendarOptions::Icone},
    {"no-religious", &CalendarOptions::Chiesa},
    {"no-footnotes", &CalendarOptions::Note},
};

struct TextColour {
  const char* name;
  int32_t value;  // 0x00BBGGRR
};
constexpr TextColour kTextColours[] = {
    {"black", 0x000000}, {"blue", 0xCD0000}, {"green", 0x00A900}};

// Control characters (a line break, a terminal escape) are shown as "?", so
// that an error stays one harmless line.
std::string Quoted(const QString& value) {
  return "'" +
         QString(value)
             .replace(QRegularExpression(QStringLiteral("\\p{Cc}")), QStringLiteral("?"))
             .toStdString() +
         "'";
}

// "orvanta: --opt: valore 'x' non valido; valori ammessi: ..."
std::string BadValue(const char* option, const QString& value, const char* allowed) {
  return std::string("orvanta: --") + option + ": valore " + Quoted(value) +
         " non valido; valori ammessi: " + allowed;
}

// "orvanta: --opt: file 'x' non trovato; valori ammessi: ..."
std::string MissingFile(const std::string& option, const QString& value, const char* allowed) {
  return "orvanta: --" + option + ": file " + Quoted(value) +
         " non trovato; valori ammessi: " + allowed;
}

std::optional<int16_t> ParseYear(const QString& text) {
  static const QRegularExpression digits(QStringLiteral("^[0-9]{1,4}$"));
  if (!digits.match(text).hasMatch()) return std::nullopt;
  const int year = text.toInt();
  if (year < kFirstCommandLineYear || year > kLastCommandLineYear) return std::nullopt;
  return static_cast<int16_t>(year);
}

// "#RRGGBB" as 0x00BBGGRR.
std::optional<int32_t> ParseColour(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
  if (!form.match(text).hasMatch()) return std::nullopt;
  const uint rgb = text.mid(1).toUInt(nullptr, 16);
  const uint red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
  return static_cast<int32_t>(red | (green << 8) | (blue << 16));
}

// The first `limit` characters, control characters as blanks, then without
// leading and trailing blanks: what the input window stores.
std::string LimitText(const QString& text, int limit) {
  QList<uint> characters = text.toUcs4();
  if (characters.size() > limit) characters.resize(limit);
  for (uint& c : characters) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) c = ' ';
  }
  return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                           characters.size())
      .trimmed()
      .toStdString();
}

// Not QDir::absoluteFilePath: it takes a name starting with ":" for a Qt
// resource and leaves it relative.
std::string Absolute(const CommandLineContext& context, const QString& path) {
  return QDir::cleanPath(path.startsWith(u'/')
                             ? path
                             : QString::fromStdString(context.currentFolder) + u'/' + path)
      .toStdString();
}

// Qt's own messages for a missing or unexpected value, in our words.
std::string ParserError(const QCommandLineParser& parser) {
  if (!parser.unknownOptionNames().isEmpty()) {
    const QString name = parser.unknownOptionNames().constFirst();
    return "orvanta: opzione sconosciuta " + Quoted((name.size() == 1 ? "-" : "--") + name) +
           "; le opzioni ammesse sono elencate da orvanta --help";
  }
  static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
  static const QRegularExpression unexpected(QStringLiteral("^Unexpected value after '(.*)'\\.$"));
  const QString error = parser.errorText();
  if (const auto match = missing.match(error); match.hasMatch()) {
    return "orvanta: manca il valore dopo " + Quoted(match.captured(1)) +
           "; i valori ammessi sono elencati da orvanta --help";
  }
  if (const auto match = unexpected.match(error); match.hasMatch()) {
    return "orvanta: " + Quoted(match.captured(1)) +
           " non accetta un valore; le opzioni sono elencate da orvanta --help";
  }
  return "orvanta: " + error.toStdString() + "; vedere orvanta --help";
}

CommandLineResult Failure(std::string message) {
  CommandLineResult result;
  result.action = CommandLineResult::Action::Error;
  result.text = std::move(message);
  return result;
}

}  // namespace

CommandLineResult ParseCommandLine(const QStringList& arguments,
                                   const CommandLineContext& context) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const auto valueOption = [&](const char* name, const char* valueName) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QString::fromLatin1(valueName));
    parser.addOption(option);
    return option;
  };
  const QCommandLineOption year = valueOption("year", "ANNO");
  const QCommandLineOption output = valueOption("output", "FILE");
  const QCommandLineOption textColour = valueOption("text-color", "COLORE");
  const QCommandLineOption headerText = valueOption("header-text", "TESTO");
  const QCommandLineOption headerColour = valueOption("header-color", "#RRGGBB");
  const QCommandLineOption headerImage = valueOption("header-image", "FILE");
  const QCommandLineOption footerText = valueOption("footer-text", "TESTO");
  const QCommandLineOption footerColour = valueOption("footer-color", "#RRGGBB");
  const QCommandLineOption footerImage = valueOption("footer-image", "FILE");
  const QCommandLineOption notes = valueOption("notes", "FILE");
  const QCommandLineOption shift = valueOption("shift", "FILE");
  const QCommandLineOption open(QStringLiteral("open"));
  const QCommandLineOption mono(QStringLiteral("mono"));
  const QCommandLineOption noNotes(QStringLiteral("no-notes"));
  const QCommandLineOption noShift(QStringLiteral("no-shift"));
  parser.addOptions({open, mono, noNotes, noShift});
  for (const Switch& s : kSwitches)
    parser.addOption(QCommandLineOption(QString::fromLatin1(s.name)));

  if (!parser.parse(arguments)) return Failure(ParserError(parser));
  if (!parser.positionalArguments().isEmpty()) {
    return Failure("orvanta: argomento inatteso " + Quoted(parser.positionalArguments().first()) +
                   "; le opzioni ammesse sono elencate da orvanta --help");
  }

  CommandLineResult result;
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    result.action = CommandLineResult::Action::Help;
    result.text = kUsage;
    return result;
  }
  if (parser.isSet(version)) {
    result.action = CommandLineResult::Action::Version;
    result.text = kVersionLine;
    return result;
  }

  CalendarRequest& request = result.request;
  CalendarOptions& options = request.options;

  if (parser.isSet(year)) {
    const std::optional<int16_t> value = ParseYear(parser.value(year));
    if (!value) return Failure(BadValue("year", parser.value(year), "un anno da 1900 a 2100"));
    options.Anno = *value;
  }

  request.outputFile = context.tempFolder + "Orvanta.pdf";
  if (parser.isSet(output)) {
    if (parser.value(output).isEmpty()) {
      return Failure(
          BadValue("output", parser.value(output), "il percorso del file PDF da scrivere"));
    }
    request.outputFile = Absolute(context, parser.value(output));
  }
  request.openViewer = parser.isSet(open);
  options.PrintColor = !parser.isSet(mono);

  if (parser.isSet(textColour)) {
    const QString name = parser.value(textColour);
    const TextColour* found = nullptr;
    for (const TextColour& colour : kTextColours) {
      if (name == QLatin1String(colour.name)) found = &colour;
    }
    if (!found) return Failure(BadValue("text-color", name, "black, blue, green"));
    options.TextColor = found->value;
  }

  for (const Switch& s : kSwitches) {
    if (parser.isSet(QString::fromLatin1(s.name))) options.*(s.field) = false;
  }

  // Header and footer: a text or a picture, as in the window.
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
      {"header", headerText, headerColour, headerImage, kHeaderTextLimit,
       &CalendarOptions::CustomTopText, &CalendarOptions::CustomTopColor,
       &CalendarOptions::CustomTopImage},
      {"footer", footerText, footerColour, footerImage, kFooterTextLimit,
       &CalendarOptions::CustomDownText, &CalendarOptions::CustomDownColor,
       &CalendarOptions::CustomDownImage},
  };
  for (const Line& line : lines) {
    const std::string name = line.name;
    if (parser.isSet(line.text) && parser.isSet(line.image)) {
      return Failure("orvanta: --" + name + "-text e --" + name +
                     "-image si escludono; valori ammessi: un testo oppure un'immagine");
    }
    if (parser.isSet(line.colour)) {
      const std::optional<int32_t> colour = ParseColour(parser.value(line.colour));
      if (!colour) {
        return Failure(BadValue((name + "-color").c_str(), parser.value(line.colour),
                                "un colore #RRGGBB in cifre esadecimali, per esempio #CD0000"));
      }
      options.*(line.colourField) = *colour;
    }
    if (parser.isSet(line.text)) {
      options.*(line.textField) = LimitText(parser.value(line.text), line.limit);
    }
    if (parser.isSet(line.image)) {
      const std::string path = parser.value(line.image).isEmpty()
                                   ? std::string()
                                   : Absolute(context, parser.value(line.image));
      if (path.empty() || !context.fileExists(path)) {
        return Failure(MissingFile(name + "-image", parser.value(line.image),
                                   "il percorso di un file bitmap (.bmp) esistente"));
      }
      options.*(line.imageField) = path;
    }
  }

  // Personal notes and shifts are printed when their file exists; a file named
  // on the command line has to exist.
  struct InputFile {
    const char* name;
    const QCommandLineOption& option;
    const QCommandLineOption& off;
    const char* defaultName;
    std::string CalendarRequest::*path;
    bool CalendarOptions::*flag;
  };
  const InputFile inputs[] = {
      {"notes", notes, noNotes, "Notes.dat", &CalendarRequest::notesFile,
       &CalendarOptions::NotePersonali},
      {"shift", shift, noShift, "Turno.txt", &CalendarRequest::shiftFile, &CalendarOptions::Turno},
  };
  for (const InputFile& input : inputs) {
    std::string& path = request.*(input.path);
    path = context.appFolder + input.defaultName;
    const bool given = parser.isSet(input.option);
    if (given) {
      path = parser.value(input.option).isEmpty() ? std::string()
                                                  : Absolute(context, parser.value(input.option));
    }
    const bool wanted = !parser.isSet(input.off);
    const bool exists = !path.empty() && context.fileExists(path);
    if (given && wanted && !exists) {
      return Failure(
          MissingFile(input.name, parser.value(input.option), "il percorso di un file esistente"));
    }
    options.*(input.flag) = wanted && exists;
  }

  result.action = CommandLineResult::Action::Run;
  return result;
}

}  // namespace orvanta
