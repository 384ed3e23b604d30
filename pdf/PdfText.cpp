// Text: font resources, text objects, text state and measuring.
#include <algorithm>
#include <cmath>

#include "pdf/NumberFormat.h"
#include "pdf/ResourceEntry.h"
#include "pdf/TextEncoding.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool SameIgnoringCase(std::string_view upper, std::string_view name) {
  if (upper.size() != name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (UpperByte(name[i]) != upper[i]) return false;
  }
  return true;
}

std::string WithoutSpaces(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  return text;
}

}  // namespace

// ---- text state ----

void clsPDFCreator::SetWordSpacing(float W) {
  RequireStream();
  wordSpacing_ = W;
  WriteOperator(W, " Tw");
}

void clsPDFCreator::SetCharSpacing(float W) {
  RequireStream();
  charSpacing_ = W;
  WriteOperator(W, " Tc");
}

void clsPDFCreator::SetTextHorizontalScaling(float W) {
  RequireStream();
  horizScaling_ = W;
  WriteOperator(W, " Tz");
}

void clsPDFCreator::SetTextRenderingMode(float W) {
  RequireStream();
  if (!(W >= 0.0f && W <= 2.0f)) return;
  WriteOperator(W, " Tr");
}

// ---- text objects ----

void clsPDFCreator::DrawText(float X, float Y, const std::string& Text, const std::string& FontName,
                             float Fontsize, int32_t Align, float Rotate) {
  RequireStream();
  std::string converted;
  std::string_view text = Text;
  if (!IsAscii(text)) text = converted = Utf8ToWindows1252(Text);
  if (Align == kAlignRight) {
    X = X - MeasureBytes(text, FontName, Fontsize);
  } else if (Align == kAlignCentre) {
    X = X - MeasureBytes(text, FontName, Fontsize) / 2.0f;
  }
  WriteLine("BT");
  line_.assign(1, '/');
  line_ += IsAscii(FontName) ? FontName : Utf8ToWindows1252(FontName);
  line_ += ' ';
  Num(Fontsize);
  line_ += " Tf";
  WriteLine(line_);
  WriteTextPosition(X, Y, Rotate);
  line_.assign(1, '(');
  AppendEscapedText(line_, text);
  line_ += ") Tj";
  WriteLine(line_);
  WriteLine("ET");
}

// Where the text starts: a plain move, or a matrix that also turns it by
// Rotate degrees.
void clsPDFCreator::WriteTextPosition(float X, float Y, float Rotate) {
  if (Rotate == 0.0f) {
    WriteLengths({X, Y}, " Td");
    return;
  }
  const double d = 3.141592 / 180.0;
  const double s = std::sin(d * Rotate);
  const double c = std::cos(d * Rotate);
  line_.clear();
  for (const double v : {c, s, -s, c}) {
    Num(v);
    line_ += ' ';
  }
  Num(ToPoints(X));
  line_ += ' ';
  Num(ToPoints(Y));
  line_ += " Tm";
  WriteLine(line_);
}

// ---- measuring ----

float clsPDFCreator::Length(const std::string& Phrase, const std::string& FontName,
                            float Fontsize) const {
  if (IsAscii(Phrase)) return MeasureBytes(Phrase, FontName, Fontsize);
  return MeasureBytes(Utf8ToWindows1252(Phrase), FontName, Fontsize);
}

float clsPDFCreator::MeasureBytes(std::string_view bytes, const std::string& FontName,
                                  float Fontsize) const {
  const std::string name = IsAscii(FontName) ? FontName : Utf8ToWindows1252(FontName);
  const FontMetrics* font = nullptr;
  for (const FontIndexEntry& entry : fontIndex_) {
    if (SameIgnoringCase(entry.upperName, name)) {
      font = &fonts_[entry.position];
      break;
    }
  }
  if (font == nullptr) return 0.0f;
  int64_t sum = 0;
  int64_t spaces = 0;
  for (char c : bytes) {
    const auto code = static_cast<uint8_t>(c);
    sum +=
        code >= font->FirstChar && code <= font->LastChar ? font->Widths[code] : font->MissingWidth;
    if (code == 32) ++spaces;
  }
  const double points =
      (static_cast<double>(sum) * Fontsize / 1000.0 + static_cast<double>(spaces) * wordSpacing_ +
       static_cast<double>(bytes.size()) * charSpacing_) *
      horizScaling_ / 100.0;
  return FromPoints(static_cast<float>(points));
}

// ---- font resources ----

std::string clsPDFCreator::LoadFontStandardReturningBaseFont(const std::string& Name,
                                                             const std::string& BaseFont,
                                                             int32_t Options) {
  RequireNoStream("LoadFontStandard");
  CheckObjectRoom(1);
  std::string written = WithoutSpaces(BaseFont);
  const std::string name = Utf8ToWindows1252(Name);
  const int32_t number = OpenIndirectObject(0);
  line_ = "<< /Type /Font /Subtype /Type1 /Name /" + name + " /BaseFont /" +
          Utf8ToWindows1252(written) + StyleSuffix(Options) + " /Encoding /WinAnsiEncoding >>";
  WriteLine(line_);
  CloseIndirectObject();
  AppendResourceEntry(fontList_, name, number);
  return written;
}

void clsPDFCreator::LoadFontStandard(const std::string& Name, std::string& BaseFont,
                                     int32_t Options) {
  BaseFont = LoadFontStandardReturningBaseFont(Name, BaseFont, Options);
}

void clsPDFCreator::LoadFontStandard(const std::string& Name, const std::string& BaseFont,
                                     int32_t Options) {
  LoadFontStandardReturningBaseFont(Name, BaseFont, Options);
}

std::string clsPDFCreator::LoadFontReturningBaseFont(const std::string& Name,
                                                     const std::string& BaseFont, int32_t Options) {
  RequireNoStream("LoadFont");
  CheckObjectRoom(2);
  const std::string family = UpperWindows1252(WithoutSpaces(Utf8ToWindows1252(BaseFont)));
  // Unknown styles throw here, before anything is written.
  FontMetrics metrics = family == "SYMBOL" ? SymbolMetrics(Options) : ArialMetrics(Options);

  const std::string name = Utf8ToWindows1252(Name);
  const int32_t number = OpenIndirectObject(0);
  line_ = "<< /Type /Font \r/Subtype /TrueType\r/Name /" + name + "\r/BaseFont /" +
          metrics.BaseFont + "\r/FirstChar ";
  AppendInt(line_, metrics.FirstChar);
  line_ += "\r/LastChar ";
  AppendInt(line_, metrics.LastChar);
  line_ += "\r/FontDescriptor ";
  AppendInt(line_, number + 1);
  line_ += " 0 R\r/Encoding /WinAnsiEncoding\r/Widths [";
  WriteLine(line_);
  // Sixteen widths to a line, counted from FirstChar.
  line_.clear();
  int count = 0;
  for (int code = metrics.FirstChar; code <= metrics.LastChar; ++code) {
    Num(metrics.Widths[static_cast<size_t>(code)]);
    line_ += ' ';
    if (++count % 16 == 0 || code == metrics.LastChar) {
      WriteLine(line_);
      line_.clear();
    }
  }
  WriteLine("] >>");
  CloseIndirectObject();
  AppendResourceEntry(fontList_, name, number);
  fontIndex_.push_back({UpperWindows1252(name), fonts_.size()});
  fonts_.push_back(metrics);

  OpenIndirectObject(0);
  line_ = "<<\r/Type /FontDescriptor\r/FontName /" + metrics.BaseFont + "\r" + metrics.Descriptor +
          "\r>>";
  WriteLine(line_);
  CloseIndirectObject();
  return Windows1252ToUtf8(family);
}

void clsPDFCreator::LoadFont(const std::string& Name, std::string& BaseFont, int32_t Options) {
  BaseFont = LoadFontReturningBaseFont(Name, BaseFont, Options);
}

void clsPDFCreator::LoadFont(const std::string& Name, const std::string& BaseFont,
                             int32_t Options) {
  LoadFontReturningBaseFont(Name, BaseFont, Options);
}

}  // namespace orvanta
