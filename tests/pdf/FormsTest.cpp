// Form objects: their streams, bounding box and automatic drawing on pages.
#include "PdfTestSupport.h"

namespace orvanta::test {
namespace {

TEST(Forms, ObjectBytesWithMargin) {
  TempFolder dir;
  Writer w(dir / "form.pdf");
  w.pdf.ScaleMode(3);
  w.pdf.Margin(1);
  ASSERT_TRUE(w.Open());
  w.pdf.StartObject("F0", 0);
  w.pdf.MoveTo(0, 0);
  w.pdf.EndObject();
  w.pdf.BeginPage();
  w.pdf.DrawObject("F0");
  w.pdf.EndPage();
  w.pdf.ClosePDFFile();
  const std::string file = ReadFile(w.file);
  EXPECT_NE(file.find("endobj\r\n5 0 obj\r\n<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r"
                      "/Name /F0\r/BBox [28.346 28.346 566.854 813.654]\r"
                      "/Matrix [1 0 0 1 0 0]\r/Length 6 0 R >>\rstream\r\n"
                      "0 0 m\r\nendstream\r\nendobj\r\n6 0 obj\r\n7\r\nendobj\r\n7 0 obj\r\n"),
            std::string::npos);
  EXPECT_EQ(PageStream(file), "/F0 Do\r\n");
  EXPECT_NE(file.find("/ProcSet [/PDF /Text ]\r/XObject <<\r\r/F0 5 0 R \r>>\r>>"),
            std::string::npos);
}

TEST(Forms, AutomaticDrawingByPage) {
  TempFolder dir;
  Writer w(dir / "auto.pdf");
  ASSERT_TRUE(w.Open());
  const int32_t options[] = {0, 2, 4, 6, 7, 12, 14, 15};
  for (int32_t o : options) {
    w.pdf.StartObject("F" + std::to_string(o), o);
    w.pdf.EndObject();
  }
  for (int page = 1; page <= 4; ++page) {
    w.pdf.BeginPage();
    w.pdf.MoveTo(1, 1);  // the page's own content comes after the forms
    w.pdf.EndPage();
  }
  w.pdf.ClosePDFFile();
  const std::string file = ReadFile(w.file);
  EXPECT_EQ(PageStream(file, 1), "/F4 Do\r\n/F6 Do\r\n/F7 Do\r\n/F15 Do\r\n1 1 m\r\n");
  EXPECT_EQ(PageStream(file, 2), "/F2 Do\r\n/F6 Do\r\n/F7 Do\r\n/F14 Do\r\n/F15 Do\r\n1 1 m\r\n");
  EXPECT_EQ(PageStream(file, 3),
            "/F4 Do\r\n/F6 Do\r\n/F7 Do\r\n/F12 Do\r\n/F14 Do\r\n/F15 Do\r\n1 1 m\r\n");
  EXPECT_EQ(PageStream(file, 4), PageStream(file, 2));
}

TEST(Forms, ImagesAndFormsShareTheXObjectEntry) {
  TempFolder dir;
  const std::string file = OnePage(
      dir / "both.pdf", 0,
      [](clsPDFCreator& pdf) {
        pdf.LoadImgFromArray("Pic", {1, 2, 3}, {}, 1, 1, 24, 0);
        pdf.StartObject("Frame", 7);
        pdf.DrawImg("Pic", 0, 10, 10, 10);
        pdf.EndObject();
      },
      Nothing);
  EXPECT_NE(file.find("/XObject <<\r/Pic 5 0 R \r\r/Frame 7 0 R \r>>\r"), std::string::npos);
  EXPECT_EQ(PageStream(file), "/Frame Do\r\n");
}

}  // namespace
}  // namespace orvanta::test
