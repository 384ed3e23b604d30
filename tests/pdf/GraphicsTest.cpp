// Colours, line style, paths and their painting.
#include <algorithm>
#include <limits>

#include "PdfTestSupport.h"

namespace orvanta::test {
namespace {

template <typename Draw>
std::string Drawn(const TempFolder& dir, int32_t scaleMode, Draw draw) {
  return PageStream(OnePage(dir / "page.pdf", scaleMode, Nothing, draw));
}

TEST(Graphics, GreysAndColours) {
  TempFolder dir;
  EXPECT_EQ(Drawn(dir, 0,
                  [](auto& pdf) {
                    pdf.SetColorFill(0);
                    pdf.SetColorFill(-255);
                    pdf.SetColorFill(-128);
                    pdf.SetColorStroke(255);
                    pdf.SetColorStroke(128);
                    pdf.SetColorStroke(0x7F00FF00);  // the fourth byte is ignored
                    pdf.SetColorFill(0x00FF8000);
                    pdf.SetColorStroke(-1);
                  }),
            "0 g\r\n1 g\r\n0.502 g\r\n1 0 0 RG\r\n0.502 0 0 RG\r\n0 1 0 RG\r\n0 0.502 1 rg\r\n"
            "0.004 G\r\n");
}

TEST(Graphics, ColourBelowGreyRangeIsAnErrorAndWritesNothing) {
  TempFolder dir;
  EXPECT_EQ(Drawn(dir, 0,
                  [](auto& pdf) {
                    try {
                      pdf.SetColorFill(-256);
                      ADD_FAILURE();
                    } catch (const PdfError& error) {
                      EXPECT_EQ(error.code(), PdfErrorCode::Overflow);
                    }
                    EXPECT_THROW(pdf.SetColorStroke(-1000000), PdfError);
                  }),
            "");
}

TEST(Graphics, LineStyle) {
  TempFolder dir;
  EXPECT_EQ(Drawn(dir, 3,
                  [](auto& pdf) {
                    pdf.SetDash(0, 0);
                    pdf.SetDash(1, 0);
                    pdf.SetDash(0.1f, 0.2f);
                    pdf.SetLineWidth(0.005f);
                    for (int v : {-1, 0, 2, 3}) pdf.SetLineCap(static_cast<int16_t>(v));
                    for (int v : {-1, 1, 3}) pdf.SetLineJoin(static_cast<int16_t>(v));
                    for (float v : {0.5f, 1.0f, 10.25f}) pdf.SetMiterLimit(v);
                  }),
            "[ ] 0 d\r\n[28.346 0] 0 d\r\n[2.835 5.669] 0 d\r\n0.142 w\r\n0 J\r\n2 J\r\n"
            "1 j\r\n1 M\r\n10.25 M\r\n");
}

TEST(Graphics, PaintingOptions) {
  TempFolder dir;
  const std::string content = Drawn(dir, 0, [](auto& pdf) {
    for (int32_t o : {0, 1, 2, 3, 4, 5, 6, 7, 9, 15}) pdf.LineTo(1, 2, o);
  });
  EXPECT_EQ(content,
            "1 2 l\r\n"
            "1 2 l\r\nS\r\n"
            "1 2 l\r\nh\r\n"
            "1 2 l\r\nh\r\nS\r\n"
            "1 2 l\r\nf\r\n"
            "1 2 l\r\nB\r\n"
            "1 2 l\r\nf\r\n"
            "1 2 l\r\nb\r\n"
            "1 2 l\r\nS\r\n"
            "1 2 l\r\nb\r\n");
}

TEST(Graphics, OpenPathStrokedByTheLastSegment) {
  TempFolder dir;
  EXPECT_EQ(Drawn(dir, 3,
                  [](auto& pdf) {
                    pdf.MoveTo(1, 1);
                    pdf.LineTo(2, 1, 0);
                    pdf.LineTo(2, 2, 1);
                    pdf.Curve(1, 2, 3, 4, 5, 6, 2);
                  }),
            "28.346 28.346 m\r\n56.693 28.346 l\r\n56.693 56.693 l\r\nS\r\n"
            "28.346 56.693 85.039 113.386 141.732 170.079 c\r\nh\r\n");
}

TEST(Graphics, Rectangles) {
  TempFolder dir;
  float ray = 40;
  EXPECT_EQ(Drawn(dir, 0,
                  [&](auto& pdf) {
                    pdf.Rectangle(10, 20, 30, 40, 5);
                    pdf.Rectangle(0, 0, 100, 50, 1, ray);
                  }),
            "n\r\n10 20 30 40 re\r\nB\r\n"
            "n\r\n25 0 m\r\n75 0 l\r\n88.75 0 100 11.25 100 25 c\r\n100 25 l\r\n"
            "100 38.75 88.75 50 75 50 c\r\n25 50 l\r\n11.25 50 0 38.75 0 25 c\r\n0 25 l\r\n"
            "0 11.25 11.25 0 25 0 c\r\nS\r\n");
  EXPECT_EQ(ray, 25.0f);  // limited to half the height and handed back
}

TEST(Graphics, Circle) {
  TempFolder dir;
  EXPECT_EQ(Drawn(dir, 0, [](auto& pdf) { pdf.DrawCircle(100, 100, 10, 4); }),
            "100 90 m\r\n105.5 90 110 94.5 110 100 c\r\n110 105.5 105.5 110 100 110 c\r\n"
            "94.5 110 90 105.5 90 100 c\r\n90 94.5 94.5 90 100 90 c\r\nf\r\n");
}

TEST(Graphics, FullEllipseInTenDegreeSteps) {
  TempFolder dir;
  const std::string content =
      Drawn(dir, 0, [](auto& pdf) { pdf.Arc(0, 0, 10, 0, 360, 1, false, 0, 10, 1); });
  EXPECT_EQ(content.rfind("n\r\n0 0 m\r\n10 0 m\r\n10 0 l\r\n9.848 1.736 l\r\n", 0), 0u);
  EXPECT_EQ(Count(content, " m\r\n"), 2u);
  EXPECT_EQ(Count(content, " l\r\n"), 37u);
  const std::string tail = "9.848 -1.736 l\r\n10 0 l\r\nS\r\n";
  EXPECT_EQ(content.substr(content.size() - tail.size()), tail);
}

TEST(Graphics, ArcStopsAtTheLastWholeStep) {
  TempFolder dir;
  EXPECT_EQ(Drawn(dir, 0, [](auto& pdf) { pdf.Arc(0, 0, 10, 0, 90, 1, false, 0, 40, 1); }),
            "n\r\n0 0 m\r\n10 0 m\r\n10 0 l\r\n7.66 6.428 l\r\n1.736 9.848 l\r\nS\r\n");
}

TEST(Graphics, PieRotationAndBackwardSteps) {
  TempFolder dir;
  bool pie = false;
  EXPECT_EQ(Drawn(dir, 0,
                  [&](auto& pdf) {
                    pdf.Arc(0, 0, 10, 0, 90, 1, pie, 0, 45, 4);
                    pdf.Arc(0, 0, 10, 0, 0, 0.5f, false, 90, 1, 1);
                    pdf.Arc(0, 0, 10, 90, 0, 1, false, 0, -45, 1);
                  }),
            "n\r\n0 0 m\r\n10 0 l\r\n7.071 7.071 l\r\n0 10 l\r\n0 0 l\r\nf\r\n"
            "n\r\n0 0 m\r\n0 10 m\r\n0 10 l\r\nS\r\n"
            "n\r\n0 0 m\r\n0 10 m\r\n0 10 l\r\n7.071 7.071 l\r\n10 0 l\r\nS\r\n");
  EXPECT_TRUE(pie);  // a fill turns the pie on in the caller's variable
}

// The pages repeat arcs (the legend's suns and moons): a repeat writes what
// the first drawing wrote and answers its pie again; an arc that fails
// halfway leaves the page as an uncached drawing would.
TEST(Graphics, RepeatedArcsWriteTheFirstDrawingAgain) {
  TempFolder dir;
  const std::string once =
      Drawn(dir, 0, [](auto& pdf) { pdf.Arc(5, 5, 10, 0, 90, 1, false, 0, 45, 4); });
  bool pies[2] = {};
  const std::string content = Drawn(dir, 0, [&](auto& pdf) {
    pdf.MoveTo(1, 1);
    try {
      pdf.Arc(5, 5, std::numeric_limits<float>::infinity(), 0, 90, 1, false, 0, 45, 4);
      ADD_FAILURE();
    } catch (const PdfError&) {
    }
    pies[0] = pdf.ArcReturningPie(5, 5, 10, 0, 90, 1, false, 0, 45, 4);
    pies[1] = pdf.ArcReturningPie(5, 5, 10, 0, 90, 1, false, 0, 45, 4);
  });
  EXPECT_EQ(content, "1 1 m\r\nn\r\n5 5 m\r\n" + once + once);
  EXPECT_TRUE(pies[0] && pies[1]);
}

TEST(Graphics, ArcWithoutStepIsRefused) {
  TempFolder dir;
  EXPECT_EQ(Drawn(dir, 0,
                  [](auto& pdf) {
                    try {
                      pdf.Arc(0, 0, 10, 0, 90, 1, false, 0, 0, 1);
                      ADD_FAILURE();
                    } catch (const PdfError& error) {
                      EXPECT_EQ(error.code(), PdfErrorCode::InvalidArgument);
                    }
                  }),
            "");
}

TEST(Graphics, UnknownUnitWritesZeros) {
  TempFolder dir;
  EXPECT_EQ(Drawn(dir, 7, [](auto& pdf) { pdf.MoveTo(5, 6); }), "0 0 m\r\n");
  EXPECT_EQ(Drawn(dir, 1, [](auto& pdf) { pdf.MoveTo(1, 0.5f); }), "72 36 m\r\n");
}

}  // namespace
}  // namespace orvanta::test
