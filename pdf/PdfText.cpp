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
  m_WordSpacing = W;
  m_Line.clear();
  Num(W);
  m_Line += " Tw";
  WriteLine(m_Line);
}

void clsPDFCreator::SetCharSpacing(float W) {
  RequireStream();
  m_CharSpacing = W;
  m_Line.clear();
  Num(W);
  m_Line += " Tc";
  WriteLine(m_Line);
}

void clsPDFCreator::SetTextHorizontalScaling(float W) {
  RequireStream();
  m_HorizScaling = W;
  m_Line.clear();
  Num(W);
  m_Line += " Tz";
  WriteLine(m_Line);
}

void clsPDFCreator::SetTextRenderingMode(float W) {
  RequireStream();
  if (!(W >= 0.0f && W <= 2.0f)) return;
  m_Line.clear();
  Num(W);
  m_Line += " Tr";
  WriteLine(m_Line);
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
  m_Line.assign(1, '/');
  m_Line += IsAscii(FontName) ? FontName : Utf8ToWindows1252(FontName);
  m_Line += ' ';
  Num(Fontsize);
  m_Line += " Tf";
  WriteLine(m_Line);
  m_Line.clear();
  if (Rotate != 0.0f) {
    const double d = 3.141592 / 180.0;
    const double s = std::sin(d * Rotate);
    const double c = std::cos(d * Rotate);
    Num(c);
    m_Line += ' ';
    Num(s);
    m_Line += ' ';
    Num(-s);
    m_Line += ' ';
    Num(c);
    m_Line += ' ';
    Num(ToPoints(X));
    m_Line += ' ';
    Num(ToPoints(Y));
    m_Line += " Tm";
  } else {
    Num(ToPoints(X));
    m_Line += ' ';
    Num(ToPoints(Y));
    m_Line += " Td";
  }
  WriteLine(m_Line);
  m_Line.assign(1, '(');
  for (char c : text) {
    if (c == '\\' || c == '(' || c == ')') m_Line += '\\';
    m_Line += c;
  }
  m_Line += ") Tj";
  WriteLine(m_Line);
  WriteLine("ET");
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
  for (const FontIndexEntry& entry : m_FontIndex) {
    if (SameIgnoringCase(entry.UpperName, name)) {
      font = &m_Fonts[entry.Position];
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
      (static_cast<double>(sum) * Fontsize / 1000.0 + static_cast<double>(spaces) * m_WordSpacing +
       static_cast<double>(bytes.size()) * m_CharSpacing) *
      m_HorizScaling / 100.0;
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
  m_Line = "<< /Type /Font /Subtype /Type1 /Name /" + name + " /BaseFont /" +
           Utf8ToWindows1252(written) + StyleSuffix(Options) + " /Encoding /WinAnsiEncoding >>";
  WriteLine(m_Line);
  CloseIndirectObject();
  AppendResourceEntry(m_FontList, name, number);
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
  m_Line = "<< /Type /Font \r/Subtype /TrueType\r/Name /" + name + "\r/BaseFont /" +
           metrics.BaseFont + "\r/FirstChar ";
  AppendInt(m_Line, metrics.FirstChar);
  m_Line += "\r/LastChar ";
  AppendInt(m_Line, metrics.LastChar);
  m_Line += "\r/FontDescriptor ";
  AppendInt(m_Line, number + 1);
  m_Line += " 0 R\r/Encoding /WinAnsiEncoding\r/Widths [";
  WriteLine(m_Line);
  // Sixteen widths to a line, counted from FirstChar.
  m_Line.clear();
  int count = 0;
  for (int code = metrics.FirstChar; code <= metrics.LastChar; ++code) {
    Num(metrics.Widths[static_cast<size_t>(code)]);
    m_Line += ' ';
    if (++count % 16 == 0 || code == metrics.LastChar) {
      WriteLine(m_Line);
      m_Line.clear();
    }
  }
  WriteLine("] >>");
  CloseIndirectObject();
  AppendResourceEntry(m_FontList, name, number);
  m_FontIndex.push_back({UpperWindows1252(name), m_Fonts.size()});
  m_Fonts.push_back(metrics);

  OpenIndirectObject(0);
  m_Line = "<<\r/Type /FontDescriptor\r/FontName /" + metrics.BaseFont + "\r" + metrics.Descriptor +
           "\r>>";
  WriteLine(m_Line);
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
