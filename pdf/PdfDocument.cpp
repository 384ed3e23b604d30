// Document structure: properties, file head, pages, resources, page tree,
// cross-reference table and trailer, and the object and line primitives.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "base/AtomicFile.h"
#include "pdf/NumberFormat.h"
#include "pdf/TextEncoding.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr size_t kFlushSize = size_t{1} << 20;  // buffered bytes before a write
constexpr int32_t kMaxNumber = 32767;           // object and page numbers are 16-bit
constexpr int64_t kMaxOffset = 9999999999;      // ten digits in a cross-reference entry
constexpr const char* kAuthor = "Orvanta";
constexpr const char* kCreator = "Orvanta 2012 by OT";
constexpr const char* kProducer = "Orvanta PDF writer 2012, Orvanta Team";
constexpr const char* kMessageTitle = "Orvanta";

std::tm LocalNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

int AnyDigit() {
  std::random_device source;
  return static_cast<int>(source() % 10);
}

void AppendPadded(std::string& out, int value, int width) {
  std::string digits;
  AppendInt(digits, value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

}  // namespace

clsPDFCreator::clsPDFCreator() : m_Clock(LocalNow), m_RandomDigit(AnyDigit) {
  m_Out.reserve(kFlushSize + 4096);
  m_Line.reserve(256);
}

// A document given up before ClosePDFFile never reaches its file name: the
// temporary file goes with the writer and an earlier file stays as it was.
clsPDFCreator::~clsPDFCreator() = default;

// ---- properties ----

void clsPDFCreator::EncodeASCII85(bool value) {
  m_EncodeASCII85 = value;
}
void clsPDFCreator::Margin(float value) {
  m_Margin = ToPoints(value);
}
void clsPDFCreator::PaperWidth(float value) {
  m_PaperWidth = ToPoints(value);
  m_PaperSize = kPaperCustom;
}
void clsPDFCreator::PaperHeight(float value) {
  m_PaperHeight = ToPoints(value);
  m_PaperSize = kPaperCustom;
}
int16_t clsPDFCreator::Pages() const {
  return m_Pages;
}
void clsPDFCreator::ScaleMode(int32_t value) {
  m_ScaleMode = value;
}
void clsPDFCreator::Orientation(int32_t value) {
  m_Orientation = value;
}
void clsPDFCreator::Title(std::string value) {
  m_Title = std::move(value);
}

void clsPDFCreator::PaperSize(int32_t value) {
  m_PaperSize = value;
  switch (value) {
    case kPaperA4:
      m_PaperWidth = 595.2f, m_PaperHeight = 842.0f;
      break;
    case kPaperA3:
      m_PaperWidth = 842.0f, m_PaperHeight = 1190.5f;
      break;
    case kPaperLetter:
      m_PaperWidth = 612.0f, m_PaperHeight = 792.0f;
      break;
    case kPaper612x864:
      m_PaperWidth = 612.0f, m_PaperHeight = 864.0f;
      break;
    default:
      break;
  }
}

void clsPDFCreator::SetMessageHandler(MessageHandler handler) {
  m_MessageHandler = std::move(handler);
}
void clsPDFCreator::SetClock(Clock clock) {
  m_Clock = std::move(clock);
}
void clsPDFCreator::SetRandomDigit(RandomDigit source) {
  m_RandomDigit = std::move(source);
}
void clsPDFCreator::ProgramFolder(std::string folder) {
  m_ProgramFolder = std::move(folder);
}

// ---- units ----

float clsPDFCreator::ToPoints(float v) const {
  switch (m_ScaleMode) {
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
  switch (m_ScaleMode) {
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
  return m_Flushed + static_cast<int64_t>(m_Out.size());
}

void clsPDFCreator::WriteToFile(std::string_view bytes) {
  if (FileResult written = m_File->Write(bytes); !written) {
    throw PdfError(PdfErrorCode::Io, "impossibile scrivere il file PDF " + written.Describe());
  }
}

void clsPDFCreator::Flush() {
  if (m_Out.empty()) return;
  WriteToFile(m_Out);
  m_Flushed += static_cast<int64_t>(m_Out.size());
  m_Out.clear();
}

void clsPDFCreator::WriteRaw(std::string_view bytes) {
  RequireFile();
  if (bytes.size() >= kFlushSize) {
    // Large image data goes straight to the file instead of through the buffer.
    Flush();
    WriteToFile(bytes);
    m_Flushed += static_cast<int64_t>(bytes.size());
    return;
  }
  m_Out.append(bytes);
  if (m_Out.size() >= kFlushSize) Flush();
}

void clsPDFCreator::WriteLine(std::string_view line) {
  RequireFile();
  m_Out.append(line);
  m_Out.append("\r\n", 2);
  if (m_Out.size() >= kFlushSize) Flush();
}

void clsPDFCreator::Num(double value) {
  AppendReal(m_Line, value, 3);
}

void clsPDFCreator::InsetPageBox() {
  Num(m_Margin);
  m_Line += ' ';
  Num(m_Margin);
  m_Line += ' ';
  Num(m_PaperWidth - m_Margin);
  m_Line += ' ';
  Num(m_PaperHeight - m_Margin);
}

void clsPDFCreator::RequireFile() const {
  if (!m_File) throw PdfError(PdfErrorCode::NotOpen, "no PDF file is open");
}

void clsPDFCreator::RequireStream() const {
  if (m_Open == OpenStream::None) {
    throw PdfError(PdfErrorCode::CallOrder, "drawing needs an open page or form object");
  }
}

void clsPDFCreator::RequireNoStream(const char* operation) const {
  RequireFile();
  if (m_Open != OpenStream::None) {
    throw PdfError(PdfErrorCode::CallOrder,
                   std::string(operation) + " is not allowed while a page or form object is open");
  }
}

void clsPDFCreator::CheckObjectRoom(int32_t count) const {
  if (m_ObjectCount + count > kMaxNumber) {
    throw PdfError(PdfErrorCode::Limit, "too many PDF objects (at most 32767)");
  }
}

int16_t clsPDFCreator::OpenIndirectObject(int32_t number) {
  RequireFile();
  if (number == 0) number = m_ObjectCount + 1;
  if (number > kMaxNumber) {
    throw PdfError(PdfErrorCode::Limit, "too many PDF objects (at most 32767)");
  }
  if (number > m_ObjectCount) {
    m_ObjectCount = number;
    m_XrefTable.resize(static_cast<size_t>(number) + 1, 0);
  }
  const int64_t offset = Offset();
  if (offset > kMaxOffset) throw PdfError(PdfErrorCode::Limit, "PDF file larger than 10 GB");
  m_XrefTable[static_cast<size_t>(number)] = offset;
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
  if (m_MessageHandler) {
    m_MessageHandler(kMessageTitle, text);
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
  int digit = m_RandomDigit ? m_RandomDigit() % 10 : 0;
  AppendInt(decimal, digit < 0 ? -digit : digit);
  char hex[24];
  std::snprintf(hex, sizeof hex, "%llX", std::stoull(decimal));
  std::filesystem::path folder = m_ProgramFolder.empty() ? std::filesystem::current_path()
                                                         : std::filesystem::path(m_ProgramFolder);
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
  m_File.reset();
  m_Out.clear();
  m_Flushed = 0;
  m_Open = OpenStream::None;
  // A new file starts a new document: pages and resources of an abandoned one
  // would point at objects the new file does not have.
  m_Pages = 0;
  m_PageList.clear();
  m_FontList.clear();
  m_FontIndex.clear();
  m_Fonts.clear();
  m_ImageList.clear();
  m_FormList.clear();
  m_Forms.clear();
  m_XrefTable.clear();
  m_OpenFailure = FileResult::Success();
}

bool clsPDFCreator::InitPDFFile(std::string& strFileName) {
  ResetDocument();
  try {
    const std::tm now = m_Clock ? m_Clock() : LocalNow();
    if (strFileName.empty()) strFileName = MakeFileName(now);
    m_OpenFailure = AtomicFile::Create(strFileName, m_File);
    if (!m_OpenFailure) {
      if (const std::string text = OpenFailureText(m_OpenFailure); !text.empty()) ShowMessage(text);
      return false;
    }
    m_FileName = strFileName;
    WriteHead(now);
    return true;
  } catch (const PdfError&) {
    m_OpenFailure = FileResult::FromErrno(strFileName, EIO);
  } catch (const std::exception&) {
    m_OpenFailure = FileResult::FromErrno(strFileName, ENOMEM);
  }
  m_File.reset();
  m_Out.clear();
  return false;
}

std::optional<std::string> clsPDFCreator::InitPDFFileReturningName(std::string FileName) {
  if (!InitPDFFile(FileName)) return std::nullopt;
  return FileName;
}

void clsPDFCreator::WriteHead(const std::tm& now) {
  WriteLine("%PDF-1.3");
  m_ObjectCount = 0;
  OpenIndirectObject(0);
  std::string line = "<<\r/Title (";
  line += EscapeText(Utf8ToWindows1252(m_Title));
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
  line += "+01'00')\r>>";
  WriteLine(line);
  CloseIndirectObject();
  OpenIndirectObject(0);
  WriteLine(
      "<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r"
      "/Lang (it) \r/ViewerPreferences << /HideToolbar false /DisplayDocTitle true "
      "/HideWindowUI false >>\r>>");
  CloseIndirectObject();
  // 3 and 4 are kept for the page tree and the resources, written at close.
  m_ObjectCount = 4;
  m_XrefTable.resize(5, 0);
}

int16_t clsPDFCreator::BeginPage() {
  RequireNoStream("BeginPage");
  if (m_Pages >= kMaxNumber) throw PdfError(PdfErrorCode::Limit, "too many pages (at most 32767)");
  CheckObjectRoom(3);
  ++m_Pages;
  const int32_t page = OpenIndirectObject(0);
  m_Line = "<<\r/Type /Page\r/Parent 3 0 R\r/Contents ";
  AppendInt(m_Line, page + 1);
  m_Line += " 0 R\r>>";
  WriteLine(m_Line);
  CloseIndirectObject();
  AppendInt(m_PageList, page);
  m_PageList += " 0 R ";
  OpenIndirectObject(0);
  m_Line = "<< /Length ";
  AppendInt(m_Line, page + 2);
  m_Line += " 0 R >>\rstream";
  WriteLine(m_Line);
  m_StreamStart = Offset();
  m_Open = OpenStream::Page;
  DrawPageObjects();
  m_CharSpacing = 0.0f;
  m_WordSpacing = 0.0f;
  m_HorizScaling = 100.0f;
  return m_Pages;
}

void clsPDFCreator::EndPage() {
  if (m_Open != OpenStream::Page) throw PdfError(PdfErrorCode::CallOrder, "no page is open");
  EndStream();
}

void clsPDFCreator::EndStream() {
  const int64_t length = Offset() - m_StreamStart;
  WriteLine("endstream");
  CloseIndirectObject();
  m_Open = OpenStream::None;
  OpenIndirectObject(0);
  m_Line.clear();
  AppendInt(m_Line, length);
  WriteLine(m_Line);
  CloseIndirectObject();
}

void clsPDFCreator::ClosePDFFile() {
  RequireNoStream("ClosePDFFile");
  OpenIndirectObject(4);
  m_Line = "<<\r";
  if (!m_FontList.empty()) m_Line += "/Font <<\r" + m_FontList + ">>\r";
  m_Line += "/ProcSet [/PDF /Text";
  if (!m_ImageList.empty()) m_Line += " /ImageB /ImageC /ImageI";
  m_Line += " ]\r";
  if (!m_ImageList.empty() || !m_FormList.empty()) {
    m_Line += "/XObject <<\r" + m_ImageList + "\r" + m_FormList + ">>\r";
  }
  m_Line += ">>";
  WriteLine(m_Line);
  CloseIndirectObject();

  OpenIndirectObject(3);
  m_Line = "<<\r/Type /Pages\r/Count ";
  AppendInt(m_Line, m_Pages);
  m_Line += "\r/MediaBox [0 0 ";
  Num(m_PaperWidth);
  m_Line += ' ';
  Num(m_PaperHeight);
  m_Line += "]\r/CropBox [";
  InsetPageBox();
  m_Line += "]\r";
  if (m_Orientation == kLandscape) m_Line += "/Rotate 90";
  m_Line += "\r/Kids [" + m_PageList + " ]\r/Resources 4 0 R\r>>";
  WriteLine(m_Line);
  CloseIndirectObject();

  const int64_t xref = Offset();
  WriteLine("xref");
  m_Line = "0 ";
  AppendInt(m_Line, m_ObjectCount + 1);
  WriteLine(m_Line);
  WriteLine("0000000000 65535 f");
  for (int32_t n = 1; n <= m_ObjectCount; ++n) {
    m_Line.clear();
    const int64_t offset = m_XrefTable[static_cast<size_t>(n)];
    std::string digits;
    AppendInt(digits, offset);
    m_Line.append(10 - digits.size(), '0');
    m_Line += digits;
    m_Line += " 00000 n";
    WriteLine(m_Line);
  }
  m_Line = "trailer\r<<\r/Size ";
  AppendInt(m_Line, m_ObjectCount + 1);
  m_Line += "\r/Info 1 0 R\r/Root 2 0 R\r>>";
  WriteLine(m_Line);
  m_Line = "startxref\r";
  AppendInt(m_Line, xref);
  WriteLine(m_Line);
  WriteLine("%%EOF\r");

  // The file gets its name only when complete and on the disk; on any failure
  // the temporary file goes and an earlier file of that name stays.
  std::unique_ptr<AtomicFile> file;
  try {
    Flush();
  } catch (...) {
    m_Out.clear();
    m_File.reset();
    throw;
  }
  file = std::move(m_File);
  if (FileResult committed = file->Commit(); !committed) {
    throw PdfError(PdfErrorCode::Io, "impossibile scrivere il file PDF " + committed.Describe());
  }
}

}  // namespace orvanta
