// Document structure: properties, file head, pages, resources, page tree,
// cross-reference table and trailer, and the object and line primitives.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "base/AtomicFile.h"
#include "base/LocalTime.h"
#include "pdf/NumberFormat.h"
#include "pdf/TextEncoding.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr size_t kFlushSize = size_t{1} << 18;  // buffered bytes before a write
constexpr int32_t kMaxNumber = 32767;           // object and page numbers are 16-bit
constexpr int64_t kMaxOffset = 9999999999;      // ten digits in a cross-reference entry
constexpr const char* kAuthor = "Orvanta";
constexpr const char* kCreator = "Orvanta 2012 by OT";
constexpr const char* kProducer = "Orvanta PDF writer 2012, Orvanta Team";
constexpr const char* kMessageTitle = "Orvanta";

std::tm LocalNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  LocalTime(now, local);
  return local;
}

int AnyDigit() {
  std::random_device source;
  return static_cast<int>(source() % 10);
}

void AppendPadded(std::string& out, int64_t value, int width) {
  std::string digits;
  AppendInt(digits, value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

// The local time's offset from universal time, as a PDF date writes it:
// "+01'00'" in an Italian winter, "+02'00'" in summer, "+00'00'" in UTC.
void AppendUtcOffset(std::string& out, long seconds) {
  const long minutes = (seconds < 0 ? -seconds : seconds) / 60;
  out += seconds < 0 ? '-' : '+';
  AppendPadded(out, minutes / 60, 2);
  out += '\'';
  AppendPadded(out, minutes % 60, 2);
  out += '\'';
}

}  // namespace

clsPDFCreator::clsPDFCreator() : clock_(LocalNow), randomDigit_(AnyDigit) {
  out_.reserve(kFlushSize + 4096);
  line_.reserve(256);
}

// A document given up before ClosePDFFile never reaches its file name: the
// temporary file goes with the writer and an earlier file stays as it was.
clsPDFCreator::~clsPDFCreator() = default;

// ---- properties ----

void clsPDFCreator::EncodeASCII85(bool value) {
  encodeAscii85_ = value;
}
void clsPDFCreator::Margin(float value) {
  margin_ = ToPoints(value);
}
void clsPDFCreator::PaperWidth(float value) {
  paperWidth_ = ToPoints(value);
  paperSize_ = kPaperCustom;
}
void clsPDFCreator::PaperHeight(float value) {
  paperHeight_ = ToPoints(value);
  paperSize_ = kPaperCustom;
}
int16_t clsPDFCreator::Pages() const {
  return pages_;
}
void clsPDFCreator::ScaleMode(int32_t value) {
  scaleMode_ = value;
}
void clsPDFCreator::Orientation(int32_t value) {
  orientation_ = value;
}
void clsPDFCreator::Title(std::string value) {
  title_ = std::move(value);
}

void clsPDFCreator::PaperSize(int32_t value) {
  paperSize_ = value;
  switch (value) {
    case kPaperA4:
      paperWidth_ = 595.2f, paperHeight_ = 842.0f;
      break;
    case kPaperA3:
      paperWidth_ = 842.0f, paperHeight_ = 1190.5f;
      break;
    case kPaperLetter:
      paperWidth_ = 612.0f, paperHeight_ = 792.0f;
      break;
    case kPaper612x864:
      paperWidth_ = 612.0f, paperHeight_ = 864.0f;
      break;
    default:
      break;
  }
}

void clsPDFCreator::SetMessageHandler(MessageHandler handler) {
  messageHandler_ = std::move(handler);
}
void clsPDFCreator::SetClock(Clock clock) {
  clock_ = std::move(clock);
}
void clsPDFCreator::SetRandomDigit(RandomDigit source) {
  randomDigit_ = std::move(source);
}
void clsPDFCreator::ProgramFolder(std::string folder) {
  programFolder_ = std::move(folder);
}

// ---- units ----

float clsPDFCreator::ToPoints(float v) const {
  switch (scaleMode_) {
    case kUnitPoint:
      return v;
    case kUnitInch:
      return v * 72.0f;
    case kUnitMillimetre:
      return v * 72.0f / 25.4f;
    case kUnitCentimetre:
      return v * 72.0f / 2.54f;
    default:
      return 0.0f;
  }
}

float clsPDFCreator::FromPoints(float v) const {
  switch (scaleMode_) {
    case kUnitPoint:
      return v;
    case kUnitInch:
      return v / 72.0f;
    case kUnitMillimetre:
      return v / 72.0f * 25.4f;
    case kUnitCentimetre:
      return v / 72.0f * 2.54f;
    default:
      return 0.0f;
  }
}

// ---- output primitives ----

int64_t clsPDFCreator::Offset() const {
  return flushed_ + static_cast<int64_t>(out_.size());
}

void clsPDFCreator::WriteToFile(std::string_view bytes) {
  if (FileResult written = sink_(bytes); !written) throw PdfError(written);
}

void clsPDFCreator::Flush() {
  if (out_.empty()) return;
  WriteToFile(out_);
  flushed_ += static_cast<int64_t>(out_.size());
  out_.clear();
}

void clsPDFCreator::WriteRaw(std::string_view bytes) {
  RequireFile();
  if (bytes.size() >= kFlushSize) {
    // Large image data goes straight to the file instead of through the buffer.
    Flush();
    WriteToFile(bytes);
    flushed_ += static_cast<int64_t>(bytes.size());
    return;
  }
  // What the buffer holds goes first when the bytes would not fit in the
  // room it was given: a picture's samples never make it grow into a new,
  // larger copy.
  if (out_.size() + bytes.size() > kFlushSize) Flush();
  out_.append(bytes);
  if (out_.size() >= kFlushSize) Flush();
}

void clsPDFCreator::WriteLine(std::string_view line) {
  RequireFile();
  out_.append(line);
  out_.append("\r\n", 2);
  if (out_.size() >= kFlushSize) Flush();
}

void clsPDFCreator::Num(double value) {
  AppendReal(line_, value, 3);
}

void clsPDFCreator::WriteOperator(double operand, const char* op) {
  line_.clear();
  Num(operand);
  line_ += op;
  WriteLine(line_);
}

void clsPDFCreator::WriteIntOperator(int64_t operand, const char* op) {
  line_.clear();
  AppendInt(line_, operand);
  line_ += op;
  WriteLine(line_);
}

void clsPDFCreator::InsetPageBox() {
  Num(margin_);
  line_ += ' ';
  Num(margin_);
  line_ += ' ';
  Num(paperWidth_ - margin_);
  line_ += ' ';
  Num(paperHeight_ - margin_);
}

void clsPDFCreator::RequireFile() const {
  if (!sink_) throw PdfError(PdfErrorCode::NotOpen, "no PDF file is open");
}

void clsPDFCreator::RequireStream() const {
  if (openStream_ == OpenStream::None) {
    throw PdfError(PdfErrorCode::CallOrder, "drawing needs an open page or form object");
  }
}

void clsPDFCreator::RequireNoStream(const char* operation) const {
  RequireFile();
  if (openStream_ != OpenStream::None) {
    throw PdfError(PdfErrorCode::CallOrder,
                   std::string(operation) + " is not allowed while a page or form object is open");
  }
}

void clsPDFCreator::CheckObjectRoom(int32_t count) const {
  if (objectCount_ + count > kMaxNumber) {
    throw PdfError(PdfErrorCode::Limit, "too many PDF objects (at most 32767)");
  }
}

int16_t clsPDFCreator::OpenIndirectObject(int32_t number) {
  RequireFile();
  if (number == 0) number = objectCount_ + 1;
  if (number > kMaxNumber) {
    throw PdfError(PdfErrorCode::Limit, "too many PDF objects (at most 32767)");
  }
  if (number > objectCount_) {
    objectCount_ = number;
    xrefTable_.resize(static_cast<size_t>(number) + 1, 0);
  }
  const int64_t offset = Offset();
  if (offset > kMaxOffset) throw PdfError(PdfErrorCode::Limit, "PDF file larger than 10 GB");
  xrefTable_[static_cast<size_t>(number)] = offset;
  std::string line;
  AppendInt(line, number);
  line += " 0 obj";
  WriteLine(line);
  return static_cast<int16_t>(number);
}

void clsPDFCreator::CloseIndirectObject() {
  WriteLine("endobj");
}

// ---- document ----

void clsPDFCreator::ShowMessage(const std::string& text) const {
  if (messageHandler_) {
    messageHandler_(kMessageTitle, text);
  } else {
    std::fprintf(stderr, "%s: %s\n", kMessageTitle, text.c_str());
  }
}

std::string clsPDFCreator::MakeFileName(const std::tm& now) const {
  // Day of the month without leading zero, hours, minutes, seconds, one digit:
  // a decimal number written in hexadecimal.
  std::string decimal;
  AppendInt(decimal, now.tm_mday);
  AppendPadded(decimal, now.tm_hour, 2);
  AppendPadded(decimal, now.tm_min, 2);
  AppendPadded(decimal, now.tm_sec, 2);
  int digit = randomDigit_ ? randomDigit_() % 10 : 0;
  AppendInt(decimal, digit < 0 ? -digit : digit);
  char hex[24];
  std::snprintf(hex, sizeof hex, "%llX", std::stoull(decimal));
  std::filesystem::path folder = programFolder_.empty() ? std::filesystem::current_path()
                                                        : std::filesystem::path(programFolder_);
  return (folder / (std::string("~") + hex + ".pdf")).string();
}

// What InitPDFFile tells the user when the file cannot be made: a refused
// access is most likely a calendar still open in a viewer; a link or another
// user's file is refused on purpose. Other failures give no message.
std::string clsPDFCreator::OpenFailureText(const FileResult& failure) {
  switch (failure.status) {
    case FileStatus::PermissionDenied:
      return "C'è già un file .pdf con il progetto di un calendario aperto.\r\n"
             "Se   si  desidera  creare  un   nuovo  progetto  occorre \r\n"
             "prima  chiudere  il  file  .pdf   attualmente   in   uso.";
    case FileStatus::SymbolicLink:
      return "Il file .pdf non è stato creato:\r\n" + failure.path +
             "\r\nè un collegamento simbolico e per sicurezza non viene seguito.";
    case FileStatus::ForeignOwner:
      return "Il file .pdf non è stato creato:\r\n" + failure.path +
             "\r\nappartiene a un altro utente e per sicurezza non viene sovrascritto.";
    default:
      return {};
  }
}

void clsPDFCreator::ResetDocument() {
  // A document left unfinished is given up: its temporary file goes.
  sink_ = nullptr;
  file_.reset();
  out_.clear();
  flushed_ = 0;
  openStream_ = OpenStream::None;
  // A new file starts a new document: pages and resources of an abandoned one
  // would point at objects the new file does not have.
  pages_ = 0;
  pageList_.clear();
  fontList_.clear();
  fontIndex_.clear();
  fonts_.clear();
  imageList_.clear();
  topDownImages_.clear();
  formList_.clear();
  forms_.clear();
  xrefTable_.clear();
  openFailure_ = FileResult::Success();
}

bool clsPDFCreator::InitPDFFile(std::string& strFileName) {
  ResetDocument();
  try {
    const std::tm now = clock_ ? clock_() : LocalNow();
    if (strFileName.empty()) strFileName = MakeFileName(now);
    openFailure_ = AtomicFile::Create(strFileName, file_);
    if (!openFailure_) {
      if (const std::string text = OpenFailureText(openFailure_); !text.empty()) ShowMessage(text);
      return false;
    }
    sink_ = [file = file_.get()](std::string_view bytes) { return file->Write(bytes); };
    WriteHead(now);
    return true;
  } catch (const PdfError&) {
    openFailure_ = FileResult::FromErrno(strFileName, EIO);
  } catch (const std::exception&) {
    openFailure_ = FileResult::FromErrno(strFileName, ENOMEM);
  }
  sink_ = nullptr;
  file_.reset();
  out_.clear();
  return false;
}

std::optional<std::string> clsPDFCreator::InitPDFFileReturningName(std::string FileName) {
  if (!InitPDFFile(FileName)) return std::nullopt;
  return FileName;
}

void clsPDFCreator::InitPDFStream(ByteSink sink) {
  ResetDocument();
  sink_ = std::move(sink);
  WriteHead(clock_ ? clock_() : LocalNow());
}

void clsPDFCreator::WriteHead(const std::tm& now) {
  WriteLine("%PDF-1.3");
  objectCount_ = 0;
  OpenIndirectObject(0);
  std::string line = "<<\r/Title (";
  line += EscapeText(Utf8ToWindows1252(title_));
  line += ")\r/Author (";
  line += EscapeText(kAuthor);
  line += ")\r/Creator  (";
  line += EscapeText(kCreator);
  line += ")\r/Producer (";
  line += EscapeText(kProducer);
  line += ")\r/CreationDate (D:";
  AppendPadded(line, now.tm_year + 1900, 4);
  AppendPadded(line, now.tm_mon + 1, 2);
  AppendPadded(line, now.tm_mday, 2);
  AppendPadded(line, now.tm_hour, 2);
  AppendPadded(line, now.tm_min, 2);
  AppendPadded(line, now.tm_sec, 2);
  AppendUtcOffset(line, now.tm_gmtoff);
  line += ")\r>>";
  WriteLine(line);
  CloseIndirectObject();
  OpenIndirectObject(0);
  WriteLine(
      "<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r"
      "/Lang (it) \r/ViewerPreferences << /HideToolbar false /DisplayDocTitle true "
      "/HideWindowUI false >>\r>>");
  CloseIndirectObject();
  // 3 and 4 are kept for the page tree and the resources, written at close.
  objectCount_ = 4;
  xrefTable_.resize(5, 0);
}

int16_t clsPDFCreator::BeginPage() {
  RequireNoStream("BeginPage");
  if (pages_ >= kMaxNumber) throw PdfError(PdfErrorCode::Limit, "too many pages (at most 32767)");
  CheckObjectRoom(3);
  ++pages_;
  const int32_t page = OpenIndirectObject(0);
  line_ = "<<\r/Type /Page\r/Parent 3 0 R\r/Contents ";
  AppendInt(line_, page + 1);
  line_ += " 0 R\r>>";
  WriteLine(line_);
  CloseIndirectObject();
  AppendInt(pageList_, page);
  pageList_ += " 0 R ";
  OpenIndirectObject(0);
  line_ = "<< /Length ";
  AppendInt(line_, page + 2);
  line_ += " 0 R >>\rstream";
  WriteLine(line_);
  streamStart_ = Offset();
  openStream_ = OpenStream::Page;
  DrawPageObjects();
  charSpacing_ = 0.0f;
  wordSpacing_ = 0.0f;
  horizScaling_ = 100.0f;
  return pages_;
}

void clsPDFCreator::EndPage() {
  if (openStream_ != OpenStream::Page) throw PdfError(PdfErrorCode::CallOrder, "no page is open");
  EndStream();
}

void clsPDFCreator::EndStream() {
  const int64_t length = Offset() - streamStart_;
  WriteLine("endstream");
  CloseIndirectObject();
  openStream_ = OpenStream::None;
  WriteLengthObject(length);
}

void clsPDFCreator::WriteLengthObject(int64_t length) {
  OpenIndirectObject(0);
  line_.clear();
  AppendInt(line_, length);
  WriteLine(line_);
  CloseIndirectObject();
}

void clsPDFCreator::ClosePDFFile() {
  RequireNoStream("ClosePDFFile");
  WriteResources();
  WritePageTree();
  WriteXrefAndTrailer();
  CommitFile();
}

// Object 4: the fonts, images and form objects every page shares.
void clsPDFCreator::WriteResources() {
  OpenIndirectObject(4);
  line_ = "<<\r";
  if (!fontList_.empty()) line_ += "/Font <<\r" + fontList_ + ">>\r";
  line_ += "/ProcSet [/PDF /Text";
  if (!imageList_.empty()) line_ += " /ImageB /ImageC /ImageI";
  line_ += " ]\r";
  if (!imageList_.empty() || !formList_.empty()) {
    line_ += "/XObject <<\r" + imageList_ + "\r" + formList_ + ">>\r";
  }
  line_ += ">>";
  WriteLine(line_);
  CloseIndirectObject();
}

// Object 3: the page tree with the paper size, shared by every page.
void clsPDFCreator::WritePageTree() {
  OpenIndirectObject(3);
  line_ = "<<\r/Type /Pages\r/Count ";
  AppendInt(line_, pages_);
  line_ += "\r/MediaBox [0 0 ";
  Num(paperWidth_);
  line_ += ' ';
  Num(paperHeight_);
  line_ += "]\r/CropBox [";
  InsetPageBox();
  line_ += "]\r";
  if (orientation_ == kLandscape) line_ += "/Rotate 90";
  line_ += "\r/Kids [" + pageList_ + " ]\r/Resources 4 0 R\r>>";
  WriteLine(line_);
  CloseIndirectObject();
}

void clsPDFCreator::WriteXrefAndTrailer() {
  const int64_t xref = Offset();
  WriteLine("xref");
  line_ = "0 ";
  AppendInt(line_, objectCount_ + 1);
  WriteLine(line_);
  WriteLine("0000000000 65535 f");
  for (int32_t n = 1; n <= objectCount_; ++n) {
    line_.clear();
    AppendPadded(line_, xrefTable_[static_cast<size_t>(n)], 10);
    line_ += " 00000 n";
    WriteLine(line_);
  }
  line_ = "trailer\r<<\r/Size ";
  AppendInt(line_, objectCount_ + 1);
  line_ += "\r/Info 1 0 R\r/Root 2 0 R\r>>";
  WriteLine(line_);
  line_ = "startxref\r";
  AppendInt(line_, xref);
  WriteLine(line_);
  WriteLine("%%EOF\r");
}

// The file gets its name only when complete and on the disk; on any failure
// the temporary file goes and an earlier file of that name stays.
void clsPDFCreator::CommitFile() {
  try {
    Flush();
  } catch (...) {
    out_.clear();
    sink_ = nullptr;
    file_.reset();
    throw;
  }
  sink_ = nullptr;
  // A caller's file is the caller's to commit.
  if (!file_) return;
  const std::unique_ptr<AtomicFile> file = std::move(file_);
  if (FileResult committed = file->Commit(); !committed) throw PdfError(committed);
}

}  // namespace orvanta
