// Temporary bodies so the library links while the writer is written.
#include "pdf/clsPDFCreator.h"

namespace orvanta {

class OutputFile {};

namespace {
[[noreturn]] void Todo() {
  throw PdfError(PdfErrorCode::CallOrder, "not written yet");
}
}  // namespace

FontMetrics ArialMetrics(int32_t) {
  Todo();
}
FontMetrics SymbolMetrics(int32_t) {
  Todo();
}

clsPDFCreator::clsPDFCreator() = default;
clsPDFCreator::~clsPDFCreator() = default;
void clsPDFCreator::EncodeASCII85(bool) {
  Todo();
}
void clsPDFCreator::Margin(float) {
  Todo();
}
void clsPDFCreator::PaperWidth(float) {
  Todo();
}
void clsPDFCreator::PaperHeight(float) {
  Todo();
}
int16_t clsPDFCreator::Pages() const {
  Todo();
}
void clsPDFCreator::ScaleMode(int32_t) {
  Todo();
}
void clsPDFCreator::PaperSize(int32_t) {
  Todo();
}
void clsPDFCreator::Orientation(int32_t) {
  Todo();
}
void clsPDFCreator::Title(std::string) {
  Todo();
}
bool clsPDFCreator::InitPDFFile(std::string&) {
  Todo();
}
void clsPDFCreator::ClosePDFFile() {
  Todo();
}
int16_t clsPDFCreator::BeginPage() {
  Todo();
}
void clsPDFCreator::EndPage() {
  Todo();
}
void clsPDFCreator::SetWordSpacing(float) {
  Todo();
}
void clsPDFCreator::SetCharSpacing(float) {
  Todo();
}
void clsPDFCreator::SetTextHorizontalScaling(float) {
  Todo();
}
void clsPDFCreator::SetTextRenderingMode(float) {
  Todo();
}
void clsPDFCreator::DrawText(float, float, const std::string&, const std::string&, float, int32_t,
                             float) {
  Todo();
}
void clsPDFCreator::SetColorStroke(int32_t) {
  Todo();
}
void clsPDFCreator::SetColorFill(int32_t) {
  Todo();
}
void clsPDFCreator::SetDash(float, float) {
  Todo();
}
void clsPDFCreator::SetLineWidth(float) {
  Todo();
}
void clsPDFCreator::SetLineCap(int16_t) {
  Todo();
}
void clsPDFCreator::SetLineJoin(int16_t) {
  Todo();
}
void clsPDFCreator::SetMiterLimit(float) {
  Todo();
}
void clsPDFCreator::MoveTo(float, float) {
  Todo();
}
void clsPDFCreator::LineTo(float, float, int32_t) {
  Todo();
}
void clsPDFCreator::Rectangle(float, float, float, float, int32_t, float&) {
  Todo();
}
void clsPDFCreator::Rectangle(float, float, float, float, int32_t, const float&) {
  Todo();
}
void clsPDFCreator::Curve(float, float, float, float, float, float, int32_t) {
  Todo();
}
void clsPDFCreator::DrawCircle(float, float, float, int32_t) {
  Todo();
}
void clsPDFCreator::Arc(float, float, float, float, float, float, bool&, float, int16_t, int32_t) {
  Todo();
}
void clsPDFCreator::Arc(float, float, float, float, float, float, const bool&, float, int16_t,
                        int32_t) {
  Todo();
}
bool clsPDFCreator::LoadImgFromBMPFile(const std::string&, const std::string&, int32_t) {
  Todo();
}
void clsPDFCreator::LoadImgFromArray(const std::string&, const std::vector<uint8_t>&,
                                     const std::vector<uint8_t>&, int32_t, int32_t, uint8_t,
                                     int32_t) {
  Todo();
}
void clsPDFCreator::DrawImg(const std::string&, float, float, float, float) {
  Todo();
}
void clsPDFCreator::LoadFontStandard(const std::string&, std::string&, int32_t) {
  Todo();
}
void clsPDFCreator::LoadFontStandard(const std::string&, const std::string&, int32_t) {
  Todo();
}
void clsPDFCreator::LoadFont(const std::string&, std::string&, int32_t) {
  Todo();
}
void clsPDFCreator::LoadFont(const std::string&, const std::string&, int32_t) {
  Todo();
}
void clsPDFCreator::StartObject(const std::string&, int32_t) {
  Todo();
}
void clsPDFCreator::EndObject() {
  Todo();
}
void clsPDFCreator::DrawObject(const std::string&) {
  Todo();
}
float clsPDFCreator::Length(const std::string&, const std::string&, float) const {
  Todo();
}
void clsPDFCreator::SetMessageHandler(MessageHandler) {
  Todo();
}
void clsPDFCreator::SetClock(Clock) {
  Todo();
}
void clsPDFCreator::SetRandomDigit(RandomDigit) {
  Todo();
}
void clsPDFCreator::ProgramFolder(std::string) {
  Todo();
}

}  // namespace orvanta
