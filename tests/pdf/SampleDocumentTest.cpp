// One document using every public operation of the writer, checked with
// qpdf, and rendered with pdftoppm and mutool without a word on stderr.

#include "PdfTestSupport.h"
#include "tests/support/RunProgram.h"

namespace orvanta::test {
namespace {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kGreen = 0x00A000;
constexpr int32_t kBlue = 0xC00000;
constexpr int32_t kOrange = 0x0080FF;

std::string GradientBmp() {
  return Bmp24(64, 48, [](int x, int y) {
    return uint32_t(x * 4) | uint32_t(y * 5) << 8 | uint32_t(255 - x * 4) << 16;
  });
}

// 8 bits: a rainbow palette, each column its own entry.
std::string RainbowBmp() {
  BmpLayout layout;
  layout.bpp = 8;
  layout.width = 30;
  layout.height = 10;
  for (int e = 0; e < 256; ++e) {
    layout.palette.insert(layout.palette.end(),
                          {uint8_t(e * 7), uint8_t(255 - e * 3), uint8_t(e * 13), 0});
  }
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 32; ++x) layout.pixels.push_back(uint8_t(x < 30 ? x * 8 + y : 0));
  }
  return BuildBmp(layout);
}

// 4 bits: sixteen vertical stripes.
std::string StripesBmp() {
  BmpLayout layout;
  layout.bpp = 4;
  layout.width = 16;
  layout.height = 4;
  for (int e = 0; e < 16; ++e) {
    layout.palette.insert(layout.palette.end(),
                          {uint8_t(e * 16), uint8_t(128), uint8_t(255 - e * 16), 0});
  }
  for (int y = 0; y < 4; ++y) {
    for (int b = 0; b < 8; ++b) layout.pixels.push_back(uint8_t((2 * b) << 4 | (2 * b + 1)));
  }
  return BuildBmp(layout);
}

// 1 bit: a checkerboard, 10 pixels wide (padding in every row).
std::string CheckerBmp() {
  BmpLayout layout;
  layout.bpp = 1;
  layout.width = 10;
  layout.height = 10;
  layout.palette = {0, 0, 0, 0, 0, 200, 255, 0};
  for (int y = 0; y < 10; ++y) {
    const uint16_t bits = (y % 2 == 0) ? 0xAA80 : 0x5540;
    layout.pixels.insert(layout.pixels.end(), {uint8_t(bits >> 8), uint8_t(bits & 0xFF), 0, 0});
  }
  return BuildBmp(layout);
}

void TextPage(clsPDFCreator& pdf) {
  pdf.SetColorFill(0);
  pdf.DrawText(1.5f, 27, "Arial normale, a sinistra", "Fn1", 14);
  pdf.DrawText(19.5f, 27, "Arial grassetto, a destra", "Fn3", 14, 1);
  pdf.DrawText(10.5f, 26, "Corsivo centrato: è così (1/2) \\ €", "Fn4", 14, 2);
  const float width = pdf.Length("Sottolineato su misura", "Fn3", 12);
  pdf.DrawText(1.5f, 24.7f, "Sottolineato su misura", "Fn3", 12);
  pdf.SetLineWidth(0.03f);
  pdf.MoveTo(1.5f, 24.55f);
  pdf.LineTo(1.5f + width, 24.55f, 1);
  pdf.DrawText(1.5f, 23.5f, "abgdpW", "Sy", 16);  // Greek letters from the Symbol font
  pdf.DrawText(8, 23.5f, "Helvetica standard", "Hv", 12);
  pdf.DrawText(11, 15, "Testo ruotato di 30 gradi", "Fn1", 12, 0, 30);
  pdf.SetCharSpacing(1.5f);
  pdf.DrawText(1.5f, 22, "Spaziatura dei caratteri", "Fn1", 12);
  pdf.SetCharSpacing(0);
  pdf.SetWordSpacing(6);
  pdf.DrawText(1.5f, 21, "Spaziatura delle parole", "Fn1", 12);
  pdf.SetWordSpacing(0);
  pdf.SetTextHorizontalScaling(60);
  pdf.DrawText(1.5f, 20, "Scala orizzontale al 60 per cento", "Fn1", 12);
  pdf.SetTextHorizontalScaling(100);
  pdf.SetColorStroke(kBlue);
  pdf.SetTextRenderingMode(1);
  pdf.DrawText(1.5f, 18.5f, "Contorno", "Fn3", 28);
  pdf.SetTextRenderingMode(0);
}

void GraphicsPage(clsPDFCreator& pdf) {
  pdf.SetColorStroke(kRed);
  pdf.SetLineWidth(0.1f);
  pdf.SetDash(0.3f, 0.15f);
  pdf.MoveTo(1.5f, 27);
  pdf.LineTo(9, 27, 1);
  pdf.SetDash(0, 0);
  pdf.SetLineCap(1);
  pdf.SetLineJoin(1);
  pdf.SetMiterLimit(4);
  pdf.SetColorStroke(-128);
  pdf.SetLineWidth(0.3f);
  pdf.MoveTo(1.5f, 24);
  pdf.LineTo(3.5f, 25.5f, 0);
  pdf.LineTo(5.5f, 24, 0);
  pdf.LineTo(7.5f, 25.5f, 1);
  pdf.SetLineCap(0);
  pdf.SetLineJoin(0);
  pdf.SetLineWidth(0.05f);
  pdf.SetColorStroke(0);
  pdf.SetColorFill(kGreen);
  pdf.MoveTo(10, 24);
  pdf.Curve(11, 27, 13, 21, 14, 24, 1);
  pdf.Rectangle(15, 23, 4, 3, 5);
  float ray = 5;
  pdf.SetColorFill(kOrange);
  pdf.Rectangle(2, 17, 5, 3, 7, ray);
  EXPECT_EQ(ray, 1.5f);
  pdf.SetColorFill(-230);
  pdf.DrawCircle(4, 13, 2, 5);
  pdf.SetColorFill(kBlue);
  bool pie = false;
  pdf.Arc(10, 13, 2, 30, 330, 1, pie, 0, 5, 4);
  pdf.Arc(16, 13, 2.5f, 0, 360, 0.5f, false, 30, 10, 1);
  pdf.SetColorFill(kRed);
  pdf.Arc(8, 7, 2, 0, 90, 1, false, 0, 15, 7);
  pdf.Rectangle(2, 3, 6, 2, 3, 0.5f);
}

void ImagePage(clsPDFCreator& pdf) {
  pdf.DrawImg("Grad", 1.5f, 27, 6.4f, 4.8f);
  pdf.DrawImg("GradGrey", 8.5f, 27, 6.4f, 4.8f);
  pdf.DrawImg("Rainbow", 15, 27, 4.5f, 1.5f);
  pdf.DrawImg("RainbowGrey", 15, 25, 4.5f, 1.5f);
  pdf.DrawImg("Stripes", 1.5f, 21, 6.4f, 1.6f);
  pdf.DrawImg("StripesGrey", 8.5f, 21, 6.4f, 1.6f);
  pdf.DrawImg("Checker", 1.5f, 18, 3, 3);
  pdf.DrawImg("CheckerA85", 5, 18, 3, 3);
  pdf.DrawImg("Array", 8.5f, 18, 3, 3);
  pdf.DrawObject("Stamp");
}

TEST(SampleDocument, EveryOperationReadsCleanly) {
  TempFolder dir;
  WriteFile(dir / "grad.bmp", GradientBmp());
  WriteFile(dir / "rainbow.bmp", RainbowBmp());
  WriteFile(dir / "stripes.bmp", StripesBmp());
  WriteFile(dir / "checker.bmp", CheckerBmp());

  const std::string path = std::string(ORVANTA_BINARY_DIR) + "/pdf_sample_document.pdf";
  Writer w(path);
  clsPDFCreator& pdf = w.pdf;
  pdf.Title("Documento di prova (tutte le operazioni)");
  pdf.ScaleMode(3);
  pdf.PaperSize(2);
  pdf.PaperWidth(21);
  pdf.PaperHeight(29.7f);
  pdf.Margin(0.5f);
  pdf.Orientation(1);  // shown turned: the drawing keeps the portrait coordinates
  ASSERT_TRUE(w.Open());
  pdf.LoadFont("Fn1", "Arial", 0);
  pdf.LoadFont("Fn3", "Arial", 1);
  pdf.LoadFont("Fn4", "Arial", 2);
  pdf.LoadFont("Sy", "Symbol", 0);
  pdf.LoadFontStandard("Hv", "Helvetica", 0);
  auto bmp = [&](const char* file) { return (dir / file).string(); };
  ASSERT_TRUE(pdf.LoadImgFromBMPFile("Grad", bmp("grad.bmp"), 0));
  ASSERT_TRUE(pdf.LoadImgFromBMPFile("GradGrey", bmp("grad.bmp"), 1));
  ASSERT_TRUE(pdf.LoadImgFromBMPFile("Rainbow", bmp("rainbow.bmp"), 0));
  pdf.EncodeASCII85(true);
  ASSERT_TRUE(pdf.LoadImgFromBMPFile("RainbowGrey", bmp("rainbow.bmp"), 1));
  ASSERT_TRUE(pdf.LoadImgFromBMPFile("Stripes", bmp("stripes.bmp"), 0));
  pdf.EncodeASCII85(false);
  ASSERT_TRUE(pdf.LoadImgFromBMPFile("StripesGrey", bmp("stripes.bmp"), 1));
  ASSERT_TRUE(pdf.LoadImgFromBMPFile("Checker", bmp("checker.bmp"), 0));
  pdf.EncodeASCII85(true);
  ASSERT_TRUE(pdf.LoadImgFromBMPFile("CheckerA85", bmp("checker.bmp"), 1));
  pdf.LoadImgFromArray("Array", {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0}, {}, 2, 2, 24, 0);
  pdf.EncodeASCII85(false);

  // A frame on every page, and a stamp drawn by name.
  pdf.StartObject("Frame", 7);
  pdf.SetColorStroke(kBlue);
  pdf.SetLineWidth(0.05f);
  pdf.Rectangle(1, 1, 19, 27.7f, 1);
  pdf.SetColorFill(kBlue);
  pdf.DrawText(10.5f, 1.3f, "Cornice disegnata su ogni pagina", "Fn4", 9, 2);
  pdf.EndObject();
  pdf.StartObject("Stamp", 0);
  pdf.SetColorFill(kRed);
  pdf.DrawText(5, 8, "TIMBRO", "Fn3", 30, 0, 15);
  pdf.EndObject();

  const std::function<void(clsPDFCreator&)> pages[] = {TextPage, GraphicsPage, ImagePage};
  for (const auto& draw : pages) {
    pdf.BeginPage();
    draw(pdf);
    pdf.EndPage();
  }
  EXPECT_EQ(pdf.Pages(), 3);
  pdf.ClosePDFFile();

  // A tool that is not installed exits with 127: run scripts/install-deps.
  const auto run = [&](const std::string& tool, const std::vector<std::string>& args) {
    const RunResult result = RunProgram(dir.path(), tool, args);
    EXPECT_EQ(result.exitCode, 0) << tool << ": " << result.out << result.err;
    EXPECT_EQ(result.err, "") << tool;
    return result.out;
  };
  const std::string qpdf = run("qpdf", {"--check", path});
  EXPECT_TRUE(Contains(qpdf, "No syntax or stream encoding errors")) << qpdf;
  EXPECT_FALSE(Contains(qpdf, "WARNING")) << qpdf;

  const std::string out = (dir / "tool").string();
  run("pdftoppm", {"-png", "-r", "40", path, out});
  EXPECT_TRUE(std::filesystem::exists(out + "-3.png"));
  // -N: this mutool build has no colour management and says so on stderr otherwise.
  run("mutool", {"draw", "-q", "-N", "-r", "40", "-o", out + "-mu%d.png", path});
  EXPECT_TRUE(std::filesystem::exists(out + "-mu3.png"));

  const std::string text = run("pdftotext", {"-layout", path, "-"});
  for (const char* words :
       {"Arial normale", "Arial grassetto", "è così (1/2) \\ €", "Helvetica standard"}) {
    EXPECT_TRUE(Contains(text, words)) << words;
  }
  // The frame form on each of the three pages, the stamp by name on the last.
  EXPECT_EQ(Count(text, "Cornice disegnata"), 3u);
  const std::string file = ReadFile(path);
  EXPECT_EQ(PageStream(file, 3).substr(0, 10), "/Frame Do\r");
  EXPECT_NE(PageStream(file, 3).find("/Stamp Do\r\n"), std::string::npos);
}

}  // namespace
}  // namespace orvanta::test
