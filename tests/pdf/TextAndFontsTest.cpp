// Font resources, text objects, text state and measuring.
#include "PdfTestSupport.h"

namespace orvanta::test {
namespace {

void LoadArial(clsPDFCreator& pdf) {
  pdf.LoadFont("Fn1", "Arial", 0);
}

TEST(Fonts, ArialObjectsLineByLine) {
  TempFolder dir;
  const std::string file = OnePage(dir / "arial.pdf", 0, LoadArial, Nothing);
  const std::string expected =
      "5 0 obj\r\n"
      "<< /Type /Font \r/Subtype /TrueType\r/Name /Fn1\r/BaseFont /Arial\r/FirstChar 32\r"
      "/LastChar 255\r/FontDescriptor 6 0 R\r/Encoding /WinAnsiEncoding\r/Widths [\r\n"
      "278 278 355 556 556 889 667 191 333 333 389 584 278 333 278 278 \r\n"
      "556 556 556 556 556 556 556 556 556 556 278 278 584 584 584 556 \r\n"
      "1015 667 667 722 722 667 611 778 722 278 500 667 556 833 722 778 \r\n"
      "667 778 722 667 611 722 667 944 667 667 611 278 278 278 469 556 \r\n"
      "333 556 556 500 556 556 278 556 556 222 222 500 222 833 556 556 \r\n"
      "556 556 333 500 278 556 500 722 500 500 500 334 260 334 584 750 \r\n"
      "556 750 222 556 333 1000 556 556 333 1000 667 333 1000 750 611 750 \r\n"
      "750 222 222 333 333 350 556 1000 333 1000 500 333 944 750 500 667 \r\n"
      "278 333 556 556 556 556 260 556 333 737 370 556 584 333 737 552 \r\n"
      "400 549 333 333 333 576 537 278 333 333 365 556 834 834 834 611 \r\n"
      "667 667 667 667 667 667 1000 722 667 667 667 667 278 278 278 278 \r\n"
      "722 722 778 778 778 778 778 584 778 722 722 722 722 667 667 611 \r\n"
      "556 556 556 556 556 556 889 500 556 556 556 556 278 278 278 278 \r\n"
      "556 556 556 556 556 556 556 549 611 556 556 556 556 500 556 500 \r\n"
      "] >>\r\n"
      "endobj\r\n"
      "6 0 obj\r\n"
      "<<\r/Type /FontDescriptor\r/FontName /Arial\r/Flags 32 /FontBBox [-250 -221 1190 1000] "
      "/MissingWidth 272 /StemV 80 /StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 "
      "/Ascent 905 /Descent -212 /Leading 150 /MaxWidth 992 /AvgWidth 441\r>>\r\n"
      "endobj\r\n";
  EXPECT_NE(file.find("endobj\r\n" + expected), std::string::npos);
  EXPECT_NE(file.find("/Font <<\r/Fn1 5 0 R \r>>\r/ProcSet [/PDF /Text ]\r>>"), std::string::npos);
}

TEST(Fonts, SymbolHasAFifteenthWidthLineOfTwo) {
  TempFolder dir;
  const std::string file = OnePage(
      dir / "symbol.pdf", 0, [](clsPDFCreator& pdf) { pdf.LoadFont("S", "symbol", 1); }, Nothing);
  EXPECT_NE(file.find("/BaseFont /Symbol,Bold\r/FirstChar 30\r/LastChar 255\r"), std::string::npos);
  EXPECT_NE(file.find("/Widths [\r\n600 600 250 333 713 500 549 833 778 439 333 333 500 549 250 "
                      "549 \r\n"),
            std::string::npos);
  EXPECT_NE(file.find("\r\n494 494 600 329 274 686 686 686 384 384 384 384 384 384 494 494 \r\n"
                      "494 600 \r\n] >>"),
            std::string::npos);
  EXPECT_NE(file.find("/Flags 16390 /FontBBox"), std::string::npos);
}

TEST(Fonts, OtherFamiliesUseArialAndHandBackTheName) {
  TempFolder dir;
  std::string family = "Times New Roman";
  const std::string file = OnePage(
      dir / "times.pdf", 0, [&](clsPDFCreator& pdf) { pdf.LoadFont("Fx", family, 3); }, Nothing);
  EXPECT_EQ(family, "TIMESNEWROMAN");
  EXPECT_NE(file.find("/BaseFont /Arial,BoldItalic\r"), std::string::npos);
  EXPECT_NE(file.find("/FontName /Arial,BoldItalic\r/Flags 16480 "), std::string::npos);
  // Bold italic takes the bold widths: "!" is 333.
  EXPECT_NE(file.find("/Widths [\r\n278 333 474 "), std::string::npos);
}

TEST(Fonts, UnknownStyleWritesNothing) {
  TempFolder dir;
  Writer w(dir / "style.pdf");
  ASSERT_TRUE(w.Open());
  try {
    w.pdf.LoadFont("Fn1", "Arial", 4);
    FAIL();
  } catch (const PdfError& error) {
    EXPECT_EQ(error.code(), PdfErrorCode::InvalidArgument);
  }
  w.pdf.LoadFont("Fn1", "Arial", 0);
  w.pdf.ClosePDFFile();
  const std::string file = ReadFile(w.file);
  EXPECT_NE(file.find("endobj\r\n5 0 obj\r\n<< /Type /Font \r"), std::string::npos);
  EXPECT_EQ(w.pdf.Length("W", "Fn1", 1000), 944.0f);
}

TEST(Fonts, StandardFontObject) {
  TempFolder dir;
  std::string base = "Times New Roman";
  const std::string file = OnePage(
      dir / "standard.pdf", 0,
      [&](clsPDFCreator& pdf) {
        pdf.LoadFont("Fn1", "Arial", 0);
        pdf.LoadFontStandard("F9", base, 1);
        pdf.LoadFontStandard("F8", "Courier", 7);
      },
      Nothing);
  EXPECT_EQ(base, "TimesNewRoman");
  EXPECT_NE(file.find("7 0 obj\r\n<< /Type /Font /Subtype /Type1 /Name /F9 /BaseFont "
                      "/TimesNewRoman,Bold /Encoding /WinAnsiEncoding >>\r\nendobj\r\n"
                      "8 0 obj\r\n<< /Type /Font /Subtype /Type1 /Name /F8 /BaseFont /Courier "
                      "/Encoding /WinAnsiEncoding >>\r\nendobj\r\n"),
            std::string::npos);
  EXPECT_NE(file.find("/Font <<\r/Fn1 5 0 R \r/F9 7 0 R \r/F8 8 0 R \r>>\r"), std::string::npos);
}

TEST(Text, AlignmentRotationAndEscaping) {
  TempFolder dir;
  const std::string content = PageStream(OnePage(dir / "text.pdf", 0, LoadArial, [](auto& pdf) {
    pdf.DrawText(50, 700, "—", "Fn1", 10, 2);  // the dash is 1000 wide: 10 points
    pdf.DrawText(50, 680, "——", "Fn1", 10, 1);
    pdf.DrawText(100, 200, "a\\(b)", "Fn1", 12.5f, 0, 90);
    pdf.DrawText(1, 2, "x", "Nowhere", 8);
  }));
  EXPECT_EQ(content,
            "BT\r\n/Fn1 10 Tf\r\n45 700 Td\r\n(\x97) Tj\r\nET\r\n"
            "BT\r\n/Fn1 10 Tf\r\n30 680 Td\r\n(\x97\x97) Tj\r\nET\r\n"
            "BT\r\n/Fn1 12.5 Tf\r\n0 1 -1 0 100 200 Tm\r\n(a\\\\\\(b\\)) Tj\r\nET\r\n"
            "BT\r\n/Nowhere 8 Tf\r\n1 2 Td\r\n(x) Tj\r\nET\r\n");
}

TEST(Text, RightAlignedInCentimetres) {
  TempFolder dir;
  const std::string content = PageStream(OnePage(dir / "cm.pdf", 3, LoadArial, [](auto& pdf) {
    pdf.DrawText(10, 20, "W", "Fn1", 10, 1);  // 283.465 - 9.44 points
    pdf.DrawText(1, 1, "x", "Fn1", 10, 0, 30);
  }));
  EXPECT_EQ(content,
            "BT\r\n/Fn1 10 Tf\r\n274.025 566.929 Td\r\n(W) Tj\r\nET\r\n"
            "BT\r\n/Fn1 10 Tf\r\n0.866 0.5 -0.5 0.866 28.346 28.346 Tm\r\n(x) Tj\r\nET\r\n");
}

TEST(Text, StateOperators) {
  TempFolder dir;
  const std::string content = PageStream(OnePage(dir / "state.pdf", 3, Nothing, [](auto& pdf) {
    pdf.SetWordSpacing(1.5f);
    pdf.SetCharSpacing(-0.25f);
    pdf.SetTextHorizontalScaling(80);
    pdf.SetTextRenderingMode(2);
    pdf.SetTextRenderingMode(3);
    pdf.SetTextRenderingMode(-1);
  }));
  EXPECT_EQ(content, "1.5 Tw\r\n-0.25 Tc\r\n80 Tz\r\n2 Tr\r\n");
}

TEST(Length, WidthsAndTextState) {
  TempFolder dir;
  Writer w(dir / "length.pdf");
  w.pdf.ScaleMode(3);
  ASSERT_TRUE(w.Open());
  w.pdf.LoadFont("Fn1", "Arial", 0);
  w.pdf.LoadFont("Fn3", "Arial", 1);
  w.pdf.LoadFontStandard("Std", "Helvetica", 0);
  EXPECT_FLOAT_EQ(w.pdf.Length("W", "Fn1", 10), 9.44f / 72.0f * 2.54f);
  EXPECT_NEAR(w.pdf.Length("W", "fn1", 10), 0.333f, 0.0005f);
  EXPECT_EQ(w.pdf.Length("", "Fn1", 10), 0.0f);
  EXPECT_EQ(w.pdf.Length("abc", "Std", 10), 0.0f);
  EXPECT_EQ(w.pdf.Length("abc", "Unknown", 10), 0.0f);
  w.pdf.ScaleMode(0);
  // "!" differs between regular (278) and bold (333); "è" is code 232 (556).
  EXPECT_FLOAT_EQ(w.pdf.Length("!", "Fn3", 1000), 333.0f);
  EXPECT_FLOAT_EQ(w.pdf.Length("è", "Fn1", 1000), 556.0f);
  // A character outside the code page is measured as "?" (556).
  EXPECT_FLOAT_EQ(w.pdf.Length("→", "Fn1", 1000), 556.0f);
  w.pdf.BeginPage();
  w.pdf.SetCharSpacing(1);
  w.pdf.SetWordSpacing(2);
  w.pdf.SetTextHorizontalScaling(50);
  // (1390 x 10 / 1000 + 1 space x 2 + 3 characters x 1) x 50 %.
  EXPECT_FLOAT_EQ(w.pdf.Length("a b", "Fn1", 10), 9.45f);
  w.pdf.EndPage();
  w.pdf.BeginPage();
  EXPECT_FLOAT_EQ(w.pdf.Length("a b", "Fn1", 10), 13.9f);
  w.pdf.EndPage();
  w.pdf.ClosePDFFile();
}

TEST(Length, MissingWidthBelowFirstChar) {
  TempFolder dir;
  Writer w(dir / "missing.pdf");
  ASSERT_TRUE(w.Open());
  w.pdf.LoadFont("Fn4", "Arial", 2);
  w.pdf.LoadFont("Sy", "Symbol", 0);
  EXPECT_FLOAT_EQ(w.pdf.Length("\t", "Fn4", 1000), 259.0f);
  EXPECT_FLOAT_EQ(w.pdf.Length("\x1e", "Sy", 1000), 600.0f);
  EXPECT_FLOAT_EQ(w.pdf.Length("\x1d", "Sy", 1000), 332.0f);
  w.pdf.ClosePDFFile();
}

TEST(Text, InfoTitleIsEscapedAndWindows1252) {
  TempFolder dir;
  Writer w(dir / "title.pdf");
  w.pdf.Title("Calendario (prova) è €");
  ASSERT_TRUE(w.Open());
  w.pdf.ClosePDFFile();
  EXPECT_NE(ReadFile(w.file).find("/Title (Calendario \\(prova\\) \xE8 \x80)\r"),
            std::string::npos);
}

}  // namespace
}  // namespace orvanta::test
