// A page with every shape in every drawing mode, a picture in each colour space and
// links on them: it must pass the PDF tools and render. Set CREATEPDF_SHOWCASE to a
// file name to keep a copy of the document for a look at the rendered page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "JpegMaker.h"
#include "PdfTestSupport.h"

namespace {

using pdftest::TestDocument;

void DrawShapesRow(CreatePDF& pdf, double top, int drawMode) {
  pdf.PDFSetDrawMode(drawMode);
  pdf.PDFDrawRectangle(40, top, 150, top + 80, "https://example.org/rectangle");
  pdf.PDFDrawTriangle(180, top + 80, 290, top + 80, 235, top);
  pdf.PDFDrawEllipse(320, top, 110, 80, "https://example.org/ellipse");
  pdf.PDFDrawEllipse(460, top, 80, 80);
}

void DrawLines(CreatePDF& pdf, double top) {
  pdf.PDFDrawLine(40, top, 250, top + 60);
  pdf.PDFSetLineColor(std::array<double, 3>{200, 0, 0});
  pdf.PDFDrawLineHor(280, top, 260);
  pdf.PDFDrawLineVer(410, top + 10, 50);
  pdf.PDFSetLineColor(std::array<double, 3>{0, 60, 160});
}

TEST(DrawingDocument, EveryShapeModeAndColourSpaceRenders) {
  const std::string folder = pdftest::TestFilePath("", ".pictures");
  std::filesystem::create_directories(folder);
  const char* names[] = {"grey.jpg", "rgb.jpg", "cmyk.jpg"};
  const int components[] = {1, 3, 4};
  TestDocument doc;
  CreatePDF& pdf = doc.pdf;
  pdf.PDFSetUnit(0);
  pdf.PDFBeginDoc();
  pdf.PDFSetLineWidth(3);
  pdf.PDFSetLineColor(std::array<double, 3>{0, 60, 160});
  pdf.PDFSetDrawColor(std::array<double, 3>{255, 160, 0});
  DrawLines(pdf, 30);  // the horizontal and vertical lines make the fill red
  pdf.PDFSetDrawColor(std::array<double, 3>{255, 160, 0});
  for (int mode = 0; mode <= 2; ++mode) DrawShapesRow(pdf, 120 + 120 * mode, mode);
  for (int i = 0; i < 3; ++i) {
    const std::string file = folder + "/" + names[i];
    WriteBytes(file, MakeJpeg({.width = 160, .height = 120, .components = components[i]}));
    double x = 40 + 180 * i, y = 500, w = 150, h = 150;  // landscape pictures in square boxes
    pdf.PDFImage(file, x, y, w, h, i == 1 ? "https://example.org/picture" : "");
  }
  EXPECT_TRUE(doc.messages.empty());
  doc.Finish();
  std::filesystem::remove_all(folder);
  ASSERT_TRUE(pdftest::IsValidPdfFile(doc.path));

  const std::string png = pdftest::TestFilePath("", "");
  const auto render =
      pdftest::RunCommand("pdftoppm -r 40 -png -singlefile '" + doc.path + "' '" + png + "'");
  EXPECT_EQ(render.status, 0) << render.output;
  EXPECT_FALSE(pdftest::HasDiagnostic(render.output)) << render.output;
  EXPECT_TRUE(std::filesystem::exists(png + ".png"));
  std::filesystem::remove(png + ".png");
  const auto draw = pdftest::RunCommand("mutool draw -q -N -o /dev/null -F png '" + doc.path + "'");
  EXPECT_EQ(draw.status, 0) << draw.output;
  EXPECT_FALSE(pdftest::HasDiagnostic(draw.output)) << draw.output;

  const auto urls = pdftest::RunCommand("pdfinfo -url '" + doc.path + "'");
  for (const char* target : {"/rectangle", "/ellipse", "/picture"}) {
    EXPECT_NE(urls.output.find(std::string("https://example.org") + target), std::string::npos)
        << urls.output;
  }

  if (const char* keep = std::getenv("CREATEPDF_SHOWCASE")) {
    std::filesystem::copy_file(doc.path, keep, std::filesystem::copy_options::overwrite_existing);
  }
}

}  // namespace
