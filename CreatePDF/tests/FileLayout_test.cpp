// The file's exact layout: objects, their order, references, offsets and trailer.
#include <gtest/gtest.h>

#include "JpegMaker.h"
#include "PdfTestSupport.h"

namespace {

using pdftest::ObjectText;
using pdftest::TestDocument;
using Access = CreatePDFTestAccess;

const char* const kBaseFonts[] = {
    "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Courier",     "Courier-Bold",   "Courier-Oblique",   "Courier-BoldOblique",
    "Times-Roman", "Times-Bold",     "Times-Italic",      "Times-BoldItalic",
    "Symbol",      "ZapfDingbats"};

std::string CreationDateOf(const std::string& bytes) {
  const std::string key = "/CreationDate (D:";
  const std::size_t at = bytes.find(key);
  if (at == std::string::npos) return "";
  const std::string date = bytes.substr(at + key.size(), 14);
  const bool digits = date.find_first_not_of("0123456789") == std::string::npos;
  return digits && bytes.compare(at + key.size() + 14, 1, ")") == 0 ? date : "";
}

std::string PadOffset(std::size_t offset) {
  std::string text = std::to_string(offset);
  return std::string(10 - text.size(), '0') + text;
}

// The one-page A4 document with default settings, built line by line from the layout
// rules, with its cross-reference table computed from the objects' lengths.
std::string ExpectedOnePageFile(const std::string& creationDate) {
  std::vector<std::string> objects;
  objects.push_back(
      "1 0 obj\r\n<<\r\n/Producer ()\r\n/Author ()\r\n/CreationDate (D:" + creationDate +
      ")\r\n/Creator ()\r\n/Keywords ()\r\n/Subject ()\r\n/Title ()\r\n/ModDate ()\r\n>>\r\n"
      "endobj\r\n\r\n");
  objects.push_back("2 0 obj\r\n<< /Length 3 0 R\r\n >>\r\nstream\r\nendstream\r\nendobj\r\n\r\n");
  objects.push_back("3 0 obj\r\n0\r\nendobj\r\n\r\n");
  std::string fontRefs;
  for (int k = 1; k <= 14; ++k) {
    const int object = 3 + k;
    // Symbol (/F13) and ZapfDingbats (/F14) keep their built-in encoding.
    const std::string encoding = k <= 12 ? "/Encoding /WinAnsiEncoding\r\n" : "";
    objects.push_back(std::to_string(object) + " 0 obj\r\n<< /Type /Font\r\n/Subtype /Type1\r\n" +
                      "/Name /F" + std::to_string(k) + "\r\n/BaseFont /" + kBaseFonts[k - 1] +
                      "\r\n" + encoding + ">>\r\nendobj\r\n\r\n");
    fontRefs += "/F" + std::to_string(k) + " " + std::to_string(object) + " 0 R \r\n";
  }
  objects.push_back(
      "18 0 obj\r\n<< /Type /Pages\r\n/Kids [\r\n20 0 R\r\n]\r\n/Count 1\r\n>>\r\n"
      "endobj\r\n\r\n");
  objects.push_back(
      "19 0 obj\r\n<< /ProcSet [ /PDF /Text /ImageC]\r\n/XObject << \r\n>>\r\n"
      "/Font << \r\n" +
      fontRefs + ">>\r\n>>\r\nendobj\r\n\r\n");
  objects.push_back(
      "20 0 obj\r\n<< /Type /Page\r\n/Parent 18 0 R\r\n"
      "/MediaBox [ 0 0 595.28 841.89]\r\n/Resources 19 0 R\r\n/Contents 2 0 R\r\n"
      ">>\r\nendobj\r\n\r\n");
  objects.push_back(
      "21 0 obj\r\n<<\r\n/Type /Catalog\r\n/Pages 18 0 R\r\n"
      "/OpenAction [20 0 R /Fit]\r\n/PageLayout /SinglePage\r\n>>\r\nendobj\r\n\r\n");
  std::string file = "%PDF-1.0\r\n";
  std::string xref = "xref\r\n0 22\r\n0000000000 65535 f\r\n";
  for (const std::string& object : objects) {
    xref += PadOffset(file.size()) + " 00000 n\r\n";
    file += object;
  }
  const std::size_t xrefOffset = file.size();
  return file + xref + "trailer\r\n<< /Size 22\r\n/Root 21 0 R\r\n/Info 1 0 R\r\n>>\r\n" +
         "startxref\r\n" + std::to_string(xrefOffset) + "\r\n\r\n%%EOF\r\n";
}

TEST(FileLayout, OnePageDocumentIsLaidOutByteForByte) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  const std::string bytes = doc.Finish();
  const std::string date = CreationDateOf(bytes);
  ASSERT_EQ(date.size(), 14u);
  EXPECT_EQ(bytes, ExpectedOnePageFile(date));
  EXPECT_EQ(bytes.find("1 0 obj"), 10u);
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

// Three pages with 1, 2 and 3 content lines: streams 2, 4, 6 with their lengths in 3, 5,
// 7, each length the exact byte count of the page's content.
TEST(FileLayout, ThreePagesGiveStreamsTwoFourSixWithTheirLengths) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  std::vector<std::string> contents;
  for (int page = 1; page <= 3; ++page) {
    if (page > 1) {
      doc.pdf.PDFEndPage();
      doc.pdf.PDFNewPage();
    }
    std::string& content = Access::PageContent(doc.pdf);
    for (int line = 1; line <= page; ++line) {
      Access::AddLine(doc.pdf, content, "0 0 m " + std::to_string(line * 10) + " 0 l S");
    }
    contents.push_back(content);
  }
  const std::string bytes = doc.Finish();
  for (int page = 1; page <= 3; ++page) {
    const std::string& content = contents[page - 1];
    EXPECT_EQ(pdftest::PageStream(bytes, page), content);
    const int stream = 2 * page;
    EXPECT_EQ(ObjectText(bytes, stream),
              std::to_string(stream) + " 0 obj\r\n<< /Length " + std::to_string(stream + 1) +
                  " 0 R\r\n >>\r\nstream\r\n" + content + "endstream\r\nendobj\r\n");
    EXPECT_EQ(ObjectText(bytes, stream + 1), std::to_string(stream + 1) + " 0 obj\r\n" +
                                                 std::to_string(content.size()) + "\r\nendobj\r\n");
  }
  // 3 pages: fonts 8..21, pages 22, resources 23, page objects 24..26, catalog 27.
  EXPECT_NE(ObjectText(bytes, 22).find("/Kids [\r\n24 0 R\r\n25 0 R\r\n26 0 R\r\n]\r\n/Count 3"),
            std::string::npos);
  for (int page = 1; page <= 3; ++page) {
    EXPECT_NE(ObjectText(bytes, 23 + page).find("/Contents " + std::to_string(2 * page) + " 0 R"),
              std::string::npos);
  }
  EXPECT_NE(bytes.find("/Root 27 0 R"), std::string::npos);
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

// The offset check itself: one byte more in object 2 moves every later object.
TEST(FileLayout, OffsetCheckFindsAnObjectThatMoved) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  std::string bytes = doc.Finish();
  ASSERT_TRUE(pdftest::CrossReferenceIsExact(bytes));
  bytes.insert(bytes.find("<< /Length 3 0 R"), " ");
  EXPECT_FALSE(pdftest::CrossReferenceIsExact(bytes));
}

// Recorded images and links, as the drawing and link operations leave them, become image
// objects after the resources and link annotations on their page; the page objects move
// up by the number of images.
TEST(FileLayout, ImagesAndLinksBecomeObjectsAndAnnotations) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  CreatePDF& pdf = doc.pdf;
  const std::vector<uint8_t> rgb = MakeJpeg({});
  const std::vector<uint8_t> grey = MakeJpeg({.width = 20, .height = 50, .components = 1});
  auto& images = Access::Images(pdf);
  images.resize(3);
  images[1].Width = 40, images[1].Height = 30, images[1].ColorSpace = "DeviceRGB";
  images[1].Data.assign(rgb.begin(), rgb.end());
  images[2].Width = 20, images[2].Height = 50, images[2].ColorSpace = "DeviceGray";
  images[2].Data.assign(grey.begin(), grey.end());
  Access::ImageCount(pdf) = 2;
  std::string& content = Access::PageContent(pdf);
  Access::AddLine(pdf, content, "q");
  Access::AddLine(pdf, content, "113.39 0 0 85.04 56.69 700.00 cm /ImgJPEG1 Do Q");
  Access::AddLine(pdf, content, "q");
  Access::AddLine(pdf, content, "56.69 0 0 141.73 200.00 600.00 cm /ImgJPEG2 Do Q");
  Access::PageLinks(pdf).resize(2);
  Access::PageLinks(pdf)[1].push_back({56.69, 785.2, 100, 12.5, "http://a\\b(c)"});
  Access::PageLinks(pdf)[1].push_back({10, 20, 30, 40, "é"});
  Access::PageHasLinks(pdf).assign(2, true);
  Access::PageLinkTotals(pdf).assign(2, 2);
  const std::string bytes = doc.Finish();

  // 1 page, 2 images: fonts 4..17, pages 18, resources 19, images 20 and 21, page 22.
  EXPECT_NE(ObjectText(bytes, 18).find("/Kids [\r\n22 0 R\r\n]"), std::string::npos);
  EXPECT_NE(
      ObjectText(bytes, 19).find("/XObject << \r\n/ImgJPEG1 20 0 R\r\n/ImgJPEG2 21 0 R\r\n>>"),
      std::string::npos);
  EXPECT_EQ(ObjectText(bytes, 20),
            "20 0 obj\r\n<</Type /XObject\r\n/Subtype /Image\r\n/Filter [/DCTDecode ]\r\n"
            "/Width 40\r\n/Height 30\r\n/ColorSpace /DeviceRGB\r\n/BitsPerComponent 8\r\n"
            "/Length " +
                std::to_string(rgb.size()) + "\r\n/Name /ImgJPEG1>>\r\nstream\r\n" +
                std::string(rgb.begin(), rgb.end()) + "\r\nendstream\r\nendobj\r\n");
  EXPECT_EQ(pdftest::StreamData(bytes, 20), std::string(rgb.begin(), rgb.end()) + "\r\n");
  EXPECT_EQ(pdftest::StreamData(bytes, 21), std::string(grey.begin(), grey.end()) + "\r\n");
  EXPECT_NE(ObjectText(bytes, 21).find("/ColorSpace /DeviceGray"), std::string::npos);
  EXPECT_EQ(ObjectText(bytes, 22),
            "22 0 obj\r\n<< /Type /Page\r\n/Parent 18 0 R\r\n/MediaBox [ 0 0 595.28 841.89]\r\n"
            "/Resources 19 0 R\r\n"
            "/Annots [<</Type /Annot /Subtype /Link /Rect [56.69 785.2 156.69 772.7] "
            "/Border [0 0 0] /A <</S /URI /URI (http://a\\\\b\\(c\\))>>>>\r\n"
            "<</Type /Annot /Subtype /Link /Rect [10 20 40 -20] "
            "/Border [0 0 0] /A <</S /URI /URI (\xE9)>>>>\r\n]\r\n"
            "/Contents 2 0 R\r\n>>\r\nendobj\r\n");
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

}  // namespace
