#pragma once

// The program's own PDF 1.3 writer: one instance writes one document, front to
// back, in a single pass. Lengths and coordinates are in the unit chosen with
// ScaleMode (origin bottom left, y upwards); font sizes are in points; colours
// are 0x00BBGGRR, or 0 down to -255 for a grey level. Strings are UTF-8; they
// are written and measured as Windows-1252 (other characters become "?").
//
// Failures: InitPDFFile answers false, and LoadImgFromBMPFile and
// LoadImgFromBMPBytes answer false for a file that is not a usable bitmap;
// every other failure throws PdfError.

#include <cstdint>
#include <ctime>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/FileResult.h"
#include "pdf/ArcCache.h"
#include "pdf/EncodedImage.h"
#include "pdf/FontMetrics.h"
#include "pdf/PdfConstants.h"
#include "pdf/PdfError.h"

namespace orvanta {

class AtomicFile;

class clsPDFCreator {
 public:
  // Shows a message to the user (title, text); the writer has no window of its own.
  using MessageHandler = std::function<void(const std::string& title, const std::string& text)>;
  // Local date and time, used for the creation date and generated file names;
  // its tm_gmtoff (as localtime_r fills it) gives the creation date's offset.
  using Clock = std::function<std::tm()>;
  // One digit 0-9 for generated file names.
  using RandomDigit = std::function<int()>;
  // Where a document's bytes go when the caller owns the file: each piece in
  // order; a failure it answers stops the document (PdfError).
  using ByteSink = std::function<FileResult(std::string_view bytes)>;

  clsPDFCreator();
  ~clsPDFCreator();  // closes a file left open (it stays incomplete)
  clsPDFCreator(const clsPDFCreator&) = delete;
  clsPDFCreator& operator=(const clsPDFCreator&) = delete;

  // Properties (set ScaleMode before the lengths).
  void EncodeASCII85(bool value);
  void Margin(float value);
  void PaperWidth(float value);
  void PaperHeight(float value);
  int16_t Pages() const;
  void ScaleMode(int32_t value);    // kUnitPoint, kUnitInch, kUnitMillimetre, kUnitCentimetre
  void PaperSize(int32_t value);    // kPaperA4, kPaperA3, kPaperLetter, kPaper612x864
  void Orientation(int32_t value);  // kPortrait, kLandscape
  void Title(std::string value);

  // Document structure. An empty file name is replaced by a generated one,
  // handed back through strFileName.
  [[nodiscard]] bool InitPDFFile(std::string& strFileName);
  // InitPDFFile answering the name of the file it opened, or nothing when it
  // answers false.
  [[nodiscard]] std::optional<std::string> InitPDFFileReturningName(std::string FileName);
  // Starts a document written through `sink` into a file the caller made and
  // commits itself: ClosePDFFile then hands over the last bytes and names
  // nothing.
  void InitPDFStream(ByteSink sink);
  void ClosePDFFile();
  int16_t BeginPage();
  void EndPage();

  // Text state (not converted: points and percent) and text.
  void SetWordSpacing(float W);
  void SetCharSpacing(float W);
  void SetTextHorizontalScaling(float W);
  void SetTextRenderingMode(float W);
  // Align: kAlignLeft, kAlignRight, kAlignCentre; Rotate in degrees counter-clockwise.
  void DrawText(float X, float Y, const std::string& Text, const std::string& FontName,
                float Fontsize, int32_t Align = kAlignLeft, float Rotate = 0);

  // Graphics. Options: the kPaint flags (stroke, close, fill).
  void SetColorStroke(int32_t rgb);
  void SetColorFill(int32_t rgb);
  void SetDash(float dash_on, float dash_off);
  void SetLineWidth(float W);
  void SetLineCap(int16_t W);
  void SetLineJoin(int16_t W);
  void SetMiterLimit(float W);
  void MoveTo(float X, float Y);
  void LineTo(float X, float Y, int32_t Options = kPaintNone);
  // Ray rounds the corners; a radius larger than half a side is limited, and
  // handed back through Ray.
  void Rectangle(float X, float Y, float xdim, float ydim, int32_t Options, float& Ray);
  void Rectangle(float X, float Y, float xdim, float ydim, int32_t Options = kPaintNone,
                 const float& Ray = 0.0f);
  // Rectangle answering the corner radius it drew with (Ray as limited).
  float RectangleReturningRadius(float X, float Y, float xdim, float ydim, int32_t Options,
                                 float Ray);
  void Curve(float x1, float y1, float X2, float Y2, float X3, float Y3,
             int32_t Options = kPaintNone);
  void DrawCircle(float X, float Y, float Ray, int32_t Options = kPaintNone);
  // Pie closes the arc to its centre; a fill in Options turns Pie on, handed
  // back through Pie. Quality is the step in degrees and must not be 0.
  void Arc(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio, bool& Pie,
           float Rotate = kNoRotation, int16_t Quality = kOneDegreeSteps,
           int32_t Options = kPaintNone);
  void Arc(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio,
           const bool& Pie = kNoPie, float Rotate = kNoRotation, int16_t Quality = kOneDegreeSteps,
           int32_t Options = kPaintNone);
  // Arc answering whether it was drawn as a pie (Pie, or a fill in Options).
  bool ArcReturningPie(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio,
                       bool Pie, float Rotate = kNoRotation, int16_t Quality = kOneDegreeSteps,
                       int32_t Options = kPaintNone);

  // Images. ColorSpace kColorSpaceRgb keeps colour, any other value (such as
  // kColorSpaceGrey) makes grey. (DestX, DestY) is the top-left corner of the
  // placed picture.
  [[nodiscard]] bool LoadImgFromBMPFile(const std::string& Name, const std::string& FileName,
                                        int32_t ColorSpace = kColorSpaceRgb);
  // The same for a bitmap file already in memory (the program's own pictures).
  [[nodiscard]] bool LoadImgFromBMPBytes(const std::string& Name, std::span<const uint8_t> File,
                                         int32_t ColorSpace = kColorSpaceRgb);
  void LoadImgFromArray(const std::string& Name, const std::vector<uint8_t>& ImgBuf,
                        const std::vector<uint8_t>& ImgColor, int32_t ImgWidth, int32_t ImgHeight,
                        uint8_t ImgBPP, int32_t ColorSpace = kColorSpaceRgb);
  // The same, the samples read where they lie and not copied first (the
  // program's own pictures, decoded when it was built).
  void LoadImgFromArray(const std::string& Name, std::span<const uint8_t> ImgBuf,
                        std::span<const uint8_t> ImgColor, int32_t ImgWidth, int32_t ImgHeight,
                        uint8_t ImgBPP, int32_t ColorSpace = kColorSpaceRgb);
  // A picture compressed elsewhere (JPEG or zlib), its rows top-down; DrawImg
  // shows it upright like the bitmaps.
  void LoadImgFromEncoded(const std::string& Name, const EncodedImage& image);
  void DrawImg(const std::string& Name, float DestX, float DestY, float ImgWidth, float ImgHeight);

  // Fonts. Options: kFontRegular, kFontBold, kFontItalic, kFontBoldItalic. The
  // forms taking a non-const BaseFont hand back the name as written (LoadFont:
  // upper case without spaces; LoadFontStandard: without spaces); the
  // ...ReturningBaseFont forms answer it.
  void LoadFontStandard(const std::string& Name, std::string& BaseFont,
                        int32_t Options = kFontRegular);
  void LoadFontStandard(const std::string& Name, const std::string& BaseFont,
                        int32_t Options = kFontRegular);
  std::string LoadFontStandardReturningBaseFont(const std::string& Name,
                                                const std::string& BaseFont,
                                                int32_t Options = kFontRegular);
  void LoadFont(const std::string& Name, std::string& BaseFont, int32_t Options = kFontRegular);
  void LoadFont(const std::string& Name, const std::string& BaseFont,
                int32_t Options = kFontRegular);
  std::string LoadFontReturningBaseFont(const std::string& Name, const std::string& BaseFont,
                                        int32_t Options = kFontRegular);

  // Form objects. Options: the kForm flags (even pages, odd pages, not on the
  // first page, every page); 0 only where DrawObject places it.
  void StartObject(const std::string& Name, int32_t Options = 0);
  void EndObject();
  void DrawObject(const std::string& Name);

  // Width of Phrase in the current unit (0 for fonts without metrics).
  float Length(const std::string& Phrase, const std::string& FontName, float Fontsize) const;

  // Environment of the writer (defaults: messages to standard error, local time
  // now, a random digit, the current directory).
  void SetMessageHandler(MessageHandler handler);
  void SetClock(Clock clock);
  void SetRandomDigit(RandomDigit source);
  void ProgramFolder(std::string folder);

  // Why the last InitPDFFile answered false (the message it showed says the
  // same in words); Ok after a successful one.
  const FileResult& OpenFailure() const { return openFailure_; }
  // What InitPDFFile tells the user when `failure` keeps it from making the
  // file; empty for the failures it does not explain.
  static std::string OpenFailureText(const FileResult& failure);

 private:
  struct FormEntry {
    std::string name;
    int32_t options = 0;
  };
  struct FontIndexEntry {
    std::string upperName;  // resource name, upper case, for the case-blind lookup
    size_t position = 0;    // index into fonts_
  };
  enum class OpenStream { None, Page, Form };

  int16_t OpenIndirectObject(int32_t number = 0);
  void CloseIndirectObject();
  void WriteLine(std::string_view line);
  void PaintPath(int32_t Options);
  // The path of an arc (ArcReturningPie without its checks and cache).
  void DrawArcPath(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio,
                   bool Pie, float Rotate, int16_t Quality, int32_t Options);
  float ToPoints(float v) const;
  float FromPoints(float v) const;
  void DrawPageObjects();

  void WriteRaw(std::string_view bytes);
  void Flush();
  void WriteToFile(std::string_view bytes);
  void ResetDocument();
  // The parts of ClosePDFFile, in the order it writes them.
  void WriteResources();
  void WritePageTree();
  void WriteXrefAndTrailer();
  void CommitFile();
  int64_t Offset() const;
  void CheckObjectRoom(int32_t count) const;
  float MeasureBytes(std::string_view bytes, const std::string& FontName, float Fontsize) const;
  void RequireFile() const;
  void RequireStream() const;
  void RequireNoStream(const char* operation) const;
  void EndStream();
  // The object after a stream that holds its length.
  void WriteLengthObject(int64_t length);
  void WriteImageDictionary(const std::string& name, int32_t width, int32_t height, uint8_t bpp,
                            int32_t ColorSpace, int32_t number);
  size_t WriteSampleStream(std::span<const uint8_t> data);
  void WritePalette(std::span<const uint8_t> palette);
  void WriteHead(const std::tm& now);
  std::string MakeFileName(const std::tm& now) const;
  void ShowMessage(const std::string& text) const;
  void WriteColor(int32_t rgb, const char* grey_op, const char* rgb_op);
  void LoadFontRecord(const std::string& Name, const FontMetrics& metrics);
  // Appends a number (three decimals, point separator) to the scratch line.
  void Num(double value);
  void WriteTextPosition(float X, float Y, float Rotate);
  // Writes lengths in points, separated by spaces, and their operator.
  void WriteLengths(std::initializer_list<float> lengths, const char* op);
  // Writes one operand and its operator (op starts with a space), as a line.
  void WriteOperator(double operand, const char* op);
  void WriteIntOperator(int64_t operand, const char* op);
  // Appends the page inset by the margin, "M M W-M H-M" (crop box, form box).
  void InsetPageBox();

  // Output: bytes are kept in out_ and counted as they are written.
  std::unique_ptr<AtomicFile> file_;  // the document until ClosePDFFile commits it
  ByteSink sink_;                     // where the bytes go: file_, or the caller's file
  FileResult openFailure_;            // why the last InitPDFFile failed
  std::string out_;
  int64_t flushed_ = 0;  // bytes already handed to the file
  std::string line_;     // scratch line under construction
  ArcCache arcs_;        // the arcs drawn so far, for the pages that repeat them

  std::string title_ = "(senza titolo)";
  int32_t paperSize_ = 0;
  float paperWidth_ = 595.2f;
  float paperHeight_ = 842.0f;
  int32_t scaleMode_ = 0;
  int32_t orientation_ = 0;
  float margin_ = 0.0f;
  bool encodeAscii85_ = false;
  int16_t pages_ = 0;
  int32_t objectCount_ = 0;
  std::vector<int64_t> xrefTable_;  // byte offset of each object, index = number
  int64_t streamStart_ = 0;
  OpenStream openStream_ = OpenStream::None;
  std::string pageList_;
  std::string fontList_;
  std::vector<FontIndexEntry> fontIndex_;
  std::vector<FontMetrics> fonts_;
  std::string imageList_;
  std::vector<std::string> topDownImages_;  // encoded images, whose first row is the top
  std::string formList_;
  std::vector<FormEntry> forms_;
  float charSpacing_ = 0.0f;
  float wordSpacing_ = 0.0f;
  float horizScaling_ = 100.0f;

  MessageHandler messageHandler_;
  Clock clock_;
  RandomDigit randomDigit_;
  std::string programFolder_;
};

}  // namespace orvanta
