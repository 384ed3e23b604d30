#include "app/cli/CommandLineUsage.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineValues.h"
#include "app/core/run/CustomHeaderFooter.h"
#include "app/core/run/FileNames.h"
#include "app/core/run/PrintOptions.h"
#include "app/core/run/TextColourChoices.h"
#include "base/Utf8.h"

namespace orvanta {
namespace {

// The layout of the help; every {name} is filled in by CommandLineUsage().
constexpr char kUsage[] =
    "Uso: orvanta [opzioni]\n"
    "Scrive il calendario da parete in PDF senza aprire la finestra.\n"
    "\n"
    "  -y, --year ANNO         anno del calendario, {years}, oppure next per\n"
    "                          l'anno prossimo (predefinito: l'anno in corso)\n"
    "  -o, --output FILE       file PDF da scrivere, - per lo standard output\n"
    "                          (predefinito: {calendar-file} nella cartella temporanea)\n"
    "  --ics FILE              scrive anche gli eventi dell'anno in formato iCalendar\n"
    "                          (festività, ricorrenze, fasi lunari, ora legale, note\n"
    "                          personali e turno), - per lo standard output; senza\n"
    "                          --output solo questo file\n"
    "  --csv FILE              scrive anche l'anno come foglio di calcolo, una riga per\n"
    "                          giorno (separatore ;, UTF-8), - per lo standard output;\n"
    "                          senza --output solo questo file\n"
    "  --open                  apre il calendario con il visualizzatore PDF predefinito\n"
    "  --mono                  stampa in bianco e nero\n"
    "  --text-color COLORE     colore del testo: {colours}\n"
    "                          (predefinito {text-colour})\n"
    "{print-options}"
    "  --header-text TESTO     intestazione di testo (al massimo {header-limit} caratteri)\n"
    "  --header-color #RRGGBB  colore dell'intestazione di testo\n"
    "                          (predefinito {header-colour})\n"
    "  --header-image FILE     intestazione con un'immagine JPEG, PNG o bitmap\n"
    "                          ({header-picture}); una cartella: le sue prime dodici\n"
    "                          immagini in ordine di nome, una per mese\n"
    "  --footer-text TESTO     piè di pagina di testo (al massimo {footer-limit} caratteri)\n"
    "  --footer-color #RRGGBB  colore del piè di pagina di testo\n"
    "                          (predefinito {footer-colour})\n"
    "  --footer-image FILE     piè di pagina con un'immagine JPEG, PNG o bitmap\n"
    "                          ({footer-picture})\n"
    "  --cover FILE            copertina prima di gennaio: la foto su tutta la pagina\n"
    "                          e l'anno in una fascia bianca in basso\n"
    "  --notes FILE            note personali (predefinito: {notes-file} accanto\n"
    "                          al programma)\n"
    "  --shift FILE            turno (predefinito: {shift-file} accanto al programma)\n"
    "  --import-notes FILE     aggiunge alle note personali (il file di --notes) i\n"
    "                          compleanni e gli anniversari di una rubrica vCard e\n"
    "                          gli eventi annuali di un file iCalendar; si può\n"
    "                          ripetere; non scrive il calendario\n"
    "  --dry-run               con --import-notes mostra cosa cambierebbe senza\n"
    "                          scrivere nulla\n"
    "  -h, --help              mostra questo aiuto\n"
    "  -v, --version           mostra la versione\n"
    "\n"
    "Le note personali e il turno si stampano quando il loro file esiste. Le opzioni\n"
    "--no-... valgono anche per il file iCalendar e il file CSV, dove --no-ephemeris\n"
    "toglie le fasi lunari e i cambi dell'ora. Le immagini sono JPEG, PNG o bitmap\n"
    "Windows non compresse da 1, 4, 8 o 24 bit per pixel: le foto JPEG e PNG si\n"
    "ritagliano al centro nella forma del loro spazio, le bitmap si adattano\n"
    "stirandole. I percorsi relativi partono dalla cartella di lavoro;\n"
    "i file da scrivere non possono essere uno di quelli letti. Un'intestazione o un\n"
    "piè di pagina accorciati, o con caratteri che il PDF non può stampare, sono\n"
    "segnalati sullo standard error.\n"
    "Esce con {exit-ok} quando il calendario è scritto (e ne stampa il percorso, se non\n"
    "va sullo standard output), con {exit-not-written} quando non si può scrivere, con "
    "{exit-usage} per\n"
    "un'opzione o un valore non validi.\n"
    "L'importazione non cambia le note presenti: aggiunge al massimo una nota per\n"
    "giorno e stampa una riga per ogni voce scartata o modificata, poi il riepilogo.\n"
    "Esce con {exit-ok} quando ha letto i file, con {exit-usage} quando uno non è iCalendar o "
    "vCard o\n"
    "non si legge (e non scrive nulla), con {exit-not-written} quando il file delle note non si "
    "può\n"
    "scrivere.\n";

// Lines of the help end at this column at the latest.
constexpr std::size_t kHelpWidth = 80;

// Where the description of an option starts.
constexpr std::size_t kDescriptionColumn = 26;

void Fill(std::string& text, std::string_view name, const std::string& value) {
  const std::string placeholder = "{" + std::string(name) + "}";
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + value.size()))
    text.replace(at, placeholder.size(), value);
}

// "  --no-3d                 senza l'effetto tridimensionale del testo"
std::string PrintOptionLines() {
  std::string lines;
  for (const PrintOption& option : kPrintOptions) {
    std::string line = "  --" + std::string(option.offSwitch);
    line.resize(kDescriptionColumn, ' ');
    lines += line + option.offHelp + "\n";
  }
  return lines;
}

// Breaks each line longer than kHelpWidth at its last fitting blank; an
// option's description goes on under itself.
std::string Wrapped(const std::string& text) {
  std::string wrapped;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end - start);
    start = end == std::string::npos ? text.size() : end + 1;
    const std::string indent(line.starts_with("  ") ? kDescriptionColumn : 0, ' ');
    while (Utf8CharacterCount(line) > kHelpWidth) {
      std::size_t cut = line.size();
      while (cut > indent.size() &&
             (line[cut] != ' ' || Utf8CharacterCount(line.substr(0, cut)) > kHelpWidth))
        --cut;
      if (cut <= indent.size()) break;  // one word longer than a line: left as it is
      // A last word alone on its line reads as a stray: it takes its neighbour along.
      if (line.find(' ', cut + 1) == std::string::npos) {
        const std::size_t earlier = line.rfind(' ', cut - 1);
        if (earlier != std::string::npos && earlier > indent.size()) cut = earlier;
      }
      wrapped += line.substr(0, cut) + '\n';
      line = indent + line.substr(cut + 1);
    }
    wrapped += line + '\n';
  }
  return wrapped;
}

// "black, blue o green"
std::string ColourNames() {
  std::string names;
  const std::size_t count = std::size(kTextColourChoices);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) names += i + 1 == count ? " o " : ", ";
    names += kTextColourChoices[i].name;
  }
  return names;
}

std::string DefaultTextColourName() {
  for (const TextColourChoice& choice : kTextColourChoices) {
    if (choice.colour == CalendarOptions{}.TextColor) return choice.name;
  }
  return {};
}

// 0x00BBGGRR as "#RRGGBB".
std::string HexColour(int32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                (colour >> 16) & 0xFF);
  return text;
}

// "210 x 25 mm"
std::string PictureSizeText(PictureSize size) {
  return std::to_string(size.widthMm) + " x " + std::to_string(size.heightMm) + " mm";
}

}  // namespace

std::string CommandLineUsage() {
  const CalendarOptions defaults;
  std::string usage = kUsage;
  Fill(usage, "years", YearRange());
  Fill(usage, "calendar-file", kCalendarFileName);
  Fill(usage, "colours", ColourNames());
  Fill(usage, "text-colour", DefaultTextColourName());
  Fill(usage, "print-options", PrintOptionLines());
  Fill(usage, "header-limit", std::to_string(kHeaderTextLimit));
  Fill(usage, "header-colour", HexColour(defaults.CustomTopColor));
  Fill(usage, "header-picture", PictureSizeText(kHeaderPictureSize));
  Fill(usage, "footer-limit", std::to_string(kFooterTextLimit));
  Fill(usage, "footer-colour", HexColour(defaults.CustomDownColor));
  Fill(usage, "footer-picture", PictureSizeText(kFooterPictureSize));
  Fill(usage, "notes-file", kNotesFileName);
  Fill(usage, "shift-file", kShiftFileName);
  Fill(usage, "exit-ok", std::to_string(kExitOk));
  Fill(usage, "exit-not-written", std::to_string(kExitNotWritten));
  Fill(usage, "exit-usage", std::to_string(kExitUsage));
  return Wrapped(usage);
}

}  // namespace orvanta
