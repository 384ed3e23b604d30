// The steps of the parse that name files. Paths keep the user's bytes and stay
// relative when given so: the system resolves them (through symbolic links,
// "..", a renamed folder) exactly as it will when the files are opened.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/RequestParser.h"
#include "app/core/run/FileNames.h"
#include "base/AtomicFile.h"

namespace orvanta {
namespace {

constexpr char kPdfAllowed[] = "il percorso del file PDF da scrivere, per esempio calendario.pdf";
constexpr char kIcsAllowed[] =
    "il percorso del file iCalendar da scrivere, per esempio calendario.ics";
constexpr char kCsvAllowed[] = "il percorso del file CSV da scrivere, per esempio calendario.csv";
constexpr char kImportAllowed[] =
    "un file iCalendar (.ics) o una rubrica vCard (.vcf), con --notes FILE e --dry-run";
constexpr char kNotesAllowed[] = "il percorso del file delle note, per esempio Notes.dat";
constexpr char kBitmapsAllowed[] =
    "bitmap Windows non compresse da 1, 4, 8 o 24 bit per pixel, memorizzate dal basso verso "
    "l'alto";

constexpr char kPicturesAllowed[] =
    "immagini JPEG o PNG, oppure bitmap Windows non compresse da 1, 4, 8 o 24 bit per pixel";
constexpr char kPictureFileAllowed[] =
    "il percorso di un'immagine JPEG, PNG o bitmap (.bmp) esistente";
constexpr char kMonthPicturesAllowed[] =
    "una cartella con almeno dodici immagini .jpg, .png o .bmp, oppure un file solo";

// A name that can only be a folder: ending in "/", "." or "..".
bool EndsAsFolder(const std::string& path) {
  const std::string last = path.substr(path.rfind('/') + 1);
  return last.empty() || last == "." || last == "..";
}

}  // namespace

Refusal RequestParser::Relative(const std::string& option, Option given) const {
  return Relative(option, std::string_view(scanner_.Value(given)));
}

Refusal RequestParser::Relative(const std::string& option, std::string_view value) const {
  if (context_.workingFolderUsable || value.empty() || value.starts_with('/')) return {};
  return "orvanta: la cartella di lavoro non è utilizzabile (cancellata o non accessibile), "
         "quindi il percorso relativo " +
         Quoted(value) + " di --" + option +
         " non si può risolvere; valori ammessi: un percorso assoluto";
}

Refusal RequestParser::Picture(const std::string& option, Option given, PictureBox box,
                               std::string& path) const {
  if (Refusal refusal = Relative(option, given)) return refusal;
  const std::string& value = scanner_.Value(given);
  if (value.empty() || !context_.fileExists(value)) {
    return MissingFile(option, value,
                       context_.preparePicture ? kPictureFileAllowed
                                               : "il percorso di un file bitmap (.bmp) esistente");
  }
  if (Refusal refusal = PictureFile(option, value, box)) return refusal;
  path = value;
  return {};
}

// Refused here rather than left out of the calendar without a word.
Refusal RequestParser::PictureFile(const std::string& option, const std::string& path,
                                   PictureBox box) const {
  if (!context_.preparePicture) {
    if (context_.bitmapUsable(path)) return {};
    return "orvanta: --" + option + ": il file " + Quoted(path) +
           " non è una bitmap che il programma sa leggere; valori ammessi: " + kBitmapsAllowed;
  }
  const std::shared_ptr<const PreparedPicture> prepared = context_.preparePicture(path, box);
  std::string problem;
  if (prepared->kind == PreparedPicture::Kind::Unusable) {
    problem = prepared->problem;
  } else if (prepared->kind == PreparedPicture::Kind::Bitmap && !context_.bitmapUsable(path)) {
    problem = "non è una bitmap che il programma sa leggere";
  }
  if (problem.empty()) return {};
  return "orvanta: --" + option + ": il file " + Quoted(path) + " " + problem +
         "; valori ammessi: " + kPicturesAllowed;
}

// A folder for the header: its first twelve pictures in name order, one per
// month.
Refusal RequestParser::MonthPictures(Option given, std::vector<std::string>& paths) const {
  if (Refusal refusal = Relative("header-image", given)) return refusal;
  const std::string& value = scanner_.Value(given);
  std::vector<std::string> found = context_.picturesInFolder(value);
  if (found.size() < 12) {
    return "orvanta: --header-image: la cartella " + Quoted(value) + " contiene " +
           std::to_string(found.size()) +
           " immagini JPEG, PNG o BMP, ne servono dodici (una per mese, in ordine di nome); "
           "valori ammessi: " +
           kMonthPicturesAllowed;
  }
  found.resize(12);
  for (const std::string& path : found) {
    if (Refusal refusal = PictureFile("header-image", path, kHeaderBox)) return refusal;
  }
  paths = std::move(found);
  return {};
}

// The cover takes a photo; a bitmap would do as well.
Refusal RequestParser::Cover(CalendarJob& request) const {
  if (!scanner_.IsSet(cover_)) return {};
  return Picture("cover", cover_, kCoverBox, request.options.CoverImage);
}

// Personal notes and shifts are printed when their file exists; a file named
// on the command line has to be usable, unless it is switched off. The
// default files beside the program may be missing or unusable: the calendar
// then goes without them.
Refusal RequestParser::NotesAndShift(CalendarJob& request) const {
  struct InputFile {
    const char* name;
    Option option;
    Option off;
    const char* defaultName;
    std::string CalendarJob::*path;
    bool CalendarOptions::*flag;
  };
  const InputFile inputs[] = {
      {"notes", notes_, noNotes_, kNotesFileName, &CalendarJob::notesFile,
       &CalendarOptions::NotePersonali},
      {"shift", shift_, noShift_, kShiftFileName, &CalendarJob::shiftFile, &CalendarOptions::Turno},
  };
  for (const InputFile& input : inputs) {
    std::string& path = request.*(input.path);
    const bool given = scanner_.IsSet(input.option);
    const bool wanted = !scanner_.IsSet(input.off);
    // Without an application folder there is no default file (a bare
    // "Notes.dat" would be looked for in the working folder).
    path = given                        ? scanner_.Value(input.option)
           : context_.appFolder.empty() ? std::string()
                                        : context_.appFolder + input.defaultName;
    if (given && wanted) {
      if (Refusal refusal = Relative(input.name, input.option)) return refusal;
      if (Refusal refusal = Unusable(input.name, input.option, request)) return refusal;
    }
    request.options.*(input.flag) = wanted && !path.empty() && context_.fileExists(path);
  }
  return {};
}

// What the check read goes with the request: the run reads no file twice.
Refusal RequestParser::Unusable(const std::string& name, Option given, CalendarJob& request) const {
  const bool notes = name == "notes";
  const std::string& path = notes ? request.notesFile : request.shiftFile;
  std::string problem;
  if (notes && context_.checkNotes) {
    CheckedNotes checked = context_.checkNotes(path, request.options.Anno);
    problem = std::move(checked.problem);
    request.notesRead = std::move(checked.notes);
  } else if (!notes && context_.checkShift) {
    CheckedShift checked = context_.checkShift(path);
    problem = std::move(checked.problem);
    request.shiftRead = std::move(checked.shift);
  }
  if (problem.empty() && !context_.fileExists(path)) problem = "non trovato";
  if (problem.empty()) return {};
  return "orvanta: --" + name + ": file " + Quoted(scanner_.Value(given)) + " " + problem +
         "; valori ammessi: " +
         (notes ? "un file di note personali (righe come 40607,\"Compleanno di Anna\")"
                : "un file di turni (come 1;Mattino;Pomeriggio;Notte;Riposo;)");
}

Refusal RequestParser::OutputFile(const char* option, Option given, const char* allowed,
                                  std::string& path) const {
  const std::string& value = scanner_.Value(given);
  if (value.empty()) return BadValue(option, value, allowed);
  if (Refusal refusal = Relative(option, given)) return refusal;
  if (EndsAsFolder(value) || context_.folderExists(value)) {
    return "orvanta: --" + std::string(option) + ": " + Quoted(value) +
           " indica una cartella, serve il nome di un file; valori ammessi: " + allowed;
  }
  path = value;
  return {};
}

std::vector<RequestParser::OutputOption> RequestParser::OutputOptions() const {
  return {
      {"output", output_, &CalendarJob::pdf, kPdfAllowed, "il calendario PDF", "del calendario PDF",
       "calendario.pdf"},
      {"ics", ics_, &CalendarJob::ics, kIcsAllowed, "il file iCalendar", "del file iCalendar",
       "calendario.ics"},
      {"csv", csv_, &CalendarJob::csv, kCsvAllowed, "il file CSV", "del file CSV",
       "calendario.csv"},
  };
}

// The PDF goes to --output, or to the default file unless another output
// alone was asked for; each other file to its option. "-" stands for
// standard output.
Refusal RequestParser::Output(CalendarJob& request) const {
  const std::vector<OutputOption> outputs = OutputOptions();
  bool otherAsked = false;
  for (const OutputOption& output : outputs)
    otherAsked =
        otherAsked || (output.output != &CalendarJob::pdf && scanner_.IsSet(output.option));
  const bool pdf = scanner_.IsSet(output_) || !otherAsked;
  request.pdf.path = pdf ? context_.tempFolder + kCalendarFileName : std::string();
  for (const OutputOption& output : outputs) {
    if (!scanner_.IsSet(output.option)) continue;
    JobOutput& target = request.*(output.output);
    target.toStandardOutput = scanner_.Value(output.option) == kStandardOutputName;
    if (target.toStandardOutput) {
      target.path.clear();
    } else if (Refusal refusal =
                   OutputFile(output.name, output.option, output.allowed, target.path)) {
      return refusal;
    }
  }
  if (request.openViewer && !pdf) return OnlyOutputAsked(request);
  return StandardOutput(request);
}

// --open with only other files asked for: there is no calendar to open.
Refusal RequestParser::OnlyOutputAsked(const CalendarJob&) const {
  std::string name = "ics";
  for (const OutputOption& output : OutputOptions())
    if (output.output != &CalendarJob::pdf && scanner_.IsSet(output.option)) {
      name = output.name;
      break;
    }
  return "orvanta: --open apre il calendario PDF, che con la sola --" + name +
         " non si scrive; valori ammessi: --open con --output, oppure senza --" + name;
}

// Standard output takes one file, and no viewer can open it there.
Refusal RequestParser::StandardOutput(CalendarJob& request) const {
  const OutputOption* first = nullptr;
  for (const OutputOption& output : OutputOptions()) {
    if (!(request.*(output.output)).toStandardOutput) continue;
    if (first == nullptr) {
      first = &output;
      continue;
    }
    return "orvanta: --" + std::string(output.name) + ": " + output.subject + " e " +
           first->subject +
           " non possono andare entrambi sullo standard output; valori ammessi: - per uno solo "
           "dei due, un file per l'altro";
  }
  if (request.pdf.toStandardOutput && request.openViewer) {
    return "orvanta: --open apre il calendario scritto in un file, non sullo standard output; "
           "valori ammessi: --open con --output FILE";
  }
  return {};
}

// One file by identity, or a file both would create: the same name in the
// same folder (neither may exist yet).
bool RequestParser::SameTarget(const std::string& a, const std::string& b) const {
  return a == b || context_.sameFile(a, b) ||
         (NameOfPath(a) == NameOfPath(b) && context_.sameFile(FolderOfPath(a), FolderOfPath(b)));
}

// Writing over a file the run reads would destroy that file (and the run's
// own input). Compared by identity, so that a link or another spelling of
// the same file counts too.
Refusal RequestParser::OutputIsNoInput(CalendarJob& request) const {
  const CalendarOptions& o = request.options;
  struct Input {
    const char* name;
    Option option;
    const std::string& path;
    bool used;
  };
  std::vector<Input> inputs = {
      {"notes", notes_, request.notesFile, o.NotePersonali},
      {"shift", shift_, request.shiftFile, o.Turno},
      {"header-image", headerImage_, o.CustomTopImage, !o.CustomTopImage.empty()},
      {"footer-image", footerImage_, o.CustomDownImage, !o.CustomDownImage.empty()},
      {"cover", cover_, o.CoverImage, !o.CoverImage.empty()},
  };
  for (const std::string& path : o.CustomTopImages)
    inputs.push_back({"header-image", headerImage_, path, true});
  for (const OutputOption& output : OutputOptions()) {
    const std::string& path = (request.*(output.output)).path;
    for (const Input& input : inputs) {
      if (path.empty() || !input.used || !context_.sameFile(path, input.path)) continue;
      // A month's picture is named itself, not by its folder.
      const bool month = input.option == headerImage_ && !o.CustomTopImages.empty();
      const bool ownValue = scanner_.IsSet(input.option) && !month;
      const std::string& shown = ownValue ? scanner_.Value(input.option) : input.path;
      // The PDF is "il calendario" here, as it has always been.
      const std::string subject =
          output.output == &CalendarJob::pdf ? "il calendario" : output.subject;
      return "orvanta: --" + std::string(output.name) + ": " + subject + " " + Quoted(path) +
             " è lo stesso file di --" + input.name + " " + Quoted(shown) +
             ", che verrebbe distrutto; valori ammessi: un file diverso da quelli che il "
             "calendario legge";
    }
  }
  return OutputsApart(request);
}

// One run writing two files into one name would keep only the last.
Refusal RequestParser::OutputsApart(const CalendarJob& request) const {
  const std::vector<OutputOption> outputs = OutputOptions();
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const std::string& first = (request.*(outputs[i].output)).path;
    for (std::size_t j = i + 1; j < outputs.size(); ++j) {
      const std::string& second = (request.*(outputs[j].output)).path;
      if (first.empty() || second.empty() || !SameTarget(first, second)) continue;
      return "orvanta: --" + std::string(outputs[j].name) + ": " + outputs[j].subject + " " +
             Quoted(scanner_.Value(outputs[j].option)) + " è lo stesso file " + outputs[i].ofIt +
             " di --" + outputs[i].name + " " + Quoted(scanner_.Value(outputs[i].option)) +
             "; valori ammessi: due file diversi, per esempio " + outputs[i].example + " e " +
             outputs[j].example;
    }
  }
  return {};
}

// The import of notes takes its files, the notes file and --dry-run, and
// nothing of the calendar.
Refusal RequestParser::ImportOptionsOnly() const {
  if (!scanner_.IsSet(importNotes_)) {
    return "orvanta: --dry-run vale solo per l'importazione; valori ammessi: --dry-run con "
           "--import-notes FILE";
  }
  for (const auto& [option, name] : scanner_.FoundNames()) {
    if (option == importNotes_ || option == notes_ || option == dryRun_) continue;
    return "orvanta: --import-notes: " + Quoted((name.size() == 1 ? "-" : "--") + name) +
           " non si usa con l'importazione delle note; valori ammessi: " + kImportAllowed;
  }
  return {};
}

Refusal RequestParser::Import(NotesImportRequest& request) const {
  if (Refusal refusal = ImportOptionsOnly()) return refusal;
  for (const std::string& value : scanner_.Values(importNotes_)) {
    if (value.empty()) return BadValue("import-notes", value, kImportAllowed);
    if (Refusal refusal = Relative("import-notes", std::string_view(value))) return refusal;
    request.inputFiles.push_back(value);
  }
  request.dryRun = scanner_.IsSet(dryRun_);
  request.notesFile =
      context_.appFolder.empty() ? std::string() : context_.appFolder + kNotesFileName;
  if (scanner_.IsSet(notes_)) {
    // A missing notes file is fine: the import creates it.
    if (Refusal refusal = OutputFile("notes", notes_, kNotesAllowed, request.notesFile))
      return refusal;
  }
  return {};
}

}  // namespace orvanta
