// JPEG pictures: the header reader on libjpeg pictures and on malformed files, the
// messages of refused files, and where PDFImage puts a picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "JpegHeader.h"
#include "JpegMaker.h"
#include "PdfTestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;
using P = CreatePDF;

std::string Read(const Bytes& bytes) {
  JpegHeader h;
  const JpegVerdict verdict = PDFReadJpegHeader(bytes, h);
  if (verdict == JpegVerdict::BadDensityUnit)
    return "unit " + std::to_string(h.RejectedDensityUnit);
  if (verdict != JpegVerdict::Accepted) return verdict == JpegVerdict::NotJpeg ? "not" : "ends";
  return std::to_string(h.Width) + "x" + std::to_string(h.Height) + " " + h.ColorSpace + " " +
         std::to_string(h.BitsPerComponent) + " " + h.DensityUnit;
}

TEST(JpegHeader, AcceptedAndRefusedFiles) {
  const Bytes frame = JpegSegment(0xC0, FramePayload(8, 8, 3));
  Bytes noEnd = JpegFile({frame}), noStart = JpegFile({frame}), pastEnd{0xFF, 0xD8};
  noEnd.back() = 0xD8;
  noStart[1] = 0xD9;
  pastEnd.insert(pastEnd.end(), frame.begin(), frame.end());
  pastEnd.insert(pastEnd.end(), {0xFF, 0xE1, 0x7F, 0xFF});
  pastEnd.resize(300, 0);
  pastEnd.insert(pastEnd.end(), {0xFF, 0xD9});
  // Scan bytes that read like a frame header and a bad JFIF header are not markers.
  Bytes scan = JpegFile({JpegSegment(0xC0, FramePayload(64, 48, 3))}, 0);
  scan.resize(scan.size() - 2);
  for (const Bytes& s :
       {JpegSegment(0xC0, FramePayload(9999, 1, 1)), JpegSegment(0xE0, JfifPayload(7))})
    scan.insert(scan.end(), s.begin(), s.end());
  scan.resize(400, 0x55);
  scan.insert(scan.end(), {0xFF, 0xD9});
  Bytes fill{0xFF, 0xFF}, progressiveFrame = JpegSegment(0xC2, FramePayload(21, 13, 1));
  fill.insert(fill.end(), progressiveFrame.begin(), progressiveFrame.end());
  const std::pair<Bytes, std::string> cases[] = {
      {MakeJpeg({.width = 400, .height = 300, .components = 1, .densityUnit = 0}),
       "400x300 DeviceGray 8 Dots"},
      {MakeJpeg({.width = 33, .height = 17, .progressive = true}),
       "33x17 DeviceRGB 8 Dots/inch (DPI)"},
      {MakeJpeg({.components = 3, .densityUnit = 2}), "40x30 DeviceRGB 8 Dots/cm"},
      {MakeJpeg({.components = 4}), "40x30 DeviceCMYK 8 "},  // no JFIF header for CMYK
      {JpegFile({JpegSegment(0xE0, JfifPayload(3)), frame}), "unit 3"},
      {JpegFile({JpegSegment(0xE0, JfifPayload(1)),
                 JpegSegment(0xE0, {'J', 'F', 'X', 'X', 0, 0x10}),
                 JpegSegment(0xC0, FramePayload(8, 9, 3))}),
       "8x9 DeviceRGB 8 Dots/inch (DPI)"},
      {scan, "64x48 DeviceRGB 8 "},
      {JpegFile({JpegSegment(0xE0, JfifPayload(0)), fill}), "21x13 DeviceGray 8 Dots"},
      {JpegFile({frame}, 250), "8x8 DeviceRGB 8 "},
      {JpegFile({frame}, 249), "not"},
      {JpegFile({frame}, 0), "not"},
      {noEnd, "ends"},
      {noStart, "ends"},
      {JpegFile({JpegSegment(0xE0, JfifPayload(1))}), "not"},  // no frame header
      {JpegFile({JpegSegment(0xC4, {0, 1, 2, 3})}), "not"},
      {JpegFile({JpegSegment(0xC0, FramePayload(8, 8, 2))}), "not"},
      {JpegFile({JpegSegment(0xC0, FramePayload(0, 8, 3))}), "not"},
      {JpegFile({JpegSegment(0xC0, FramePayload(8, 0, 1))}), "not"},
      {JpegFile({JpegSegment(0xC0, {8, 0, 8, 0, 8})}), "not"},  // frame header cut short
      {JpegFile({{0xFF, 0xE1, 0x00, 0x00}, frame}), "not"},     // segment lengths 0 and 1
      {JpegFile({{0xFF, 0xE1, 0x00, 0x01}, frame}), "not"},
      {pastEnd, "not"},
  };
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(Read(bytes), expected);
  const Bytes b{0xFF, 0xD8, 0x0A, 0xC0, 0x01};
  EXPECT_EQ(P::PDFJpegMarker(b, 1) + P::PDFJpegMarker(b, 3) + P::PDFJpegMarker(b, 5) +
                P::PDFJpegMarker(b, 0) + P::PDFJpegMarker(b, INT32_MAX),
            "FFD80AC0");
  EXPECT_EQ(std::to_string(P::PDFJpegWord(b, 1)) + std::to_string(P::PDFJpegWord(b, 4)) +
                std::to_string(P::PDFJpegWord(b, 5)) + std::to_string(P::PDFJpegWord(b, -3)),
            "6549649153-1-1");
}

class Images : public ::testing::Test {
 protected:
  Images() : folder(pdftest::TestFilePath("", ".pictures")) {
    std::filesystem::create_directories(folder + "/folder.d");
    std::filesystem::create_directories(folder + "/folder.jpg");
    doc.pdf.PDFSetUnit(0);
    doc.pdf.PDFBeginDoc();
  }
  ~Images() override { std::filesystem::remove_all(folder); }
  std::string Write(const std::string& name, const Bytes& bytes) {
    WriteBytes(folder + "/" + name, bytes);
    return folder + "/" + name;
  }
  std::string folder;
  pdftest::TestDocument doc;
};

TEST_F(Images, RefusedFilesShowTheirMessageAndDrawNothing) {
  Bytes bad = MakeJpeg({});
  bad[0] = 0;
  const std::string cannot = "\r\nImpossible d'inclure l'image dans le fichier PDF.";
  const std::string m2 =
      "Format d'image non supportée.\r\nSeule les images de types JPG sont supportées.";
  const std::pair<std::string, std::string> cases[] = {
      {"picture", "Le fichier image picture ne possède pas d'extension."},
      {Write("upper.JPG", MakeJpeg({})), m2},
      {folder + "/folder.d/picture", m2},
      {Write("short.jpg", JpegFile({JpegSegment(0xC0, FramePayload(8, 8, 3))}, 249)),
       "Fichier image non JPEG."},
      {folder + "/missing.jpg", "Fichier image non JPEG."},
      {folder + "/folder.jpg", "Fichier image non JPEG."},
      {Write("bad.jpg", bad), "Marqueur de début JPEG ou marqueur de fin JPEG non valide."},
      {Write("unit.jpeg", JpegFile({JpegSegment(0xE0, JfifPayload(3)),
                                    JpegSegment(0xC0, FramePayload(8, 8, 3))})),
       "Erreur de résolution d'image , l'Opcode est 3Les Opcodes valides sont  0, 1, 2."},
  };
  for (const auto& [file, text] : cases) {
    SCOPED_TRACE(file);
    doc.messages.clear();
    double x = 1, y = 1, w = 2, h = 2;
    doc.pdf.PDFImage(file, x, y, w, h, "https://example.org");
    EXPECT_EQ(doc.pdf.PDFImageWidth(file) + doc.pdf.PDFImageHeight(file), 0);
    ASSERT_EQ(doc.messages.size(), 3u);
    EXPECT_EQ(doc.messages[0].text, text + cannot);
    EXPECT_EQ(doc.messages[0].title, "Fichier Image - CreatePDF 1.0");
  }
  EXPECT_EQ(CreatePDFTestAccess::PageContent(doc.pdf), "");
  EXPECT_EQ(CreatePDFTestAccess::PageLinkCount(doc.pdf), 0);
}

// Where the picture goes (fitted inside a box given whole, centred), the position it
// leaves, and the text colour after a linked picture.
TEST_F(Images, PicturesFitTheirBoxAndAreCountedOnlyWhenDrawn) {
  const std::string square = Write("s.jpg", MakeJpeg({.width = 64, .height = 64}));
  const std::string wide = Write("w.jpg", MakeJpeg({.width = 400, .height = 100}));
  EXPECT_EQ(doc.pdf.PDFImageWidth(wide) * 1000 + doc.pdf.PDFImageHeight(wide), 400100);
  EXPECT_EQ(doc.pdf.PDFImageWidth(Write("a.bjpg", MakeJpeg({.width = 7}))), 7);
  const double inf = std::numeric_limits<double>::infinity();
  double x = inf, y = 20, w = 100, h = 50;
  EXPECT_THROW(doc.pdf.PDFImage(square, x, y, w, h), std::invalid_argument);
  EXPECT_EQ(CreatePDFTestAccess::ImageCount(doc.pdf), 0);
  const struct {
    std::string file;
    double w, h;
    const char* placed;  // x y w h, then the position left
  } cases[] = {
      {square, 100, 50, "35.00 20.00 50.00 50.00 @ 85.00 70.00"},  // full height, centred across
      {square, 50, 100, "10.00 45.00 50.00 50.00 @ 60.00 95.00"},  // full width, centred down
      {wide, 100, 50, "10.00 32.50 100.00 25.00 @ 110.00 57.50"},
      {wide, 400, 50, "110.00 20.00 200.00 50.00 @ 310.00 70.00"},
      {wide, 0, 50, "10.00 20.00 200.00 50.00 @ 210.00 70.00"},
      {wide, 0, 0, "10.00 20.00 400.00 100.00 @ 410.00 120.00"},
  };
  const auto N = [](double n) { return CreatePDF::PDFFormatNumber(n); };
  doc.pdf.PDFSetTextColor("#008000");
  for (const auto& c : cases) {
    x = 10, y = 20, w = c.w, h = c.h;
    doc.pdf.PDFImage(c.file, x, y, w, h, "https://example.org/picture");
    EXPECT_EQ(N(x) + " " + N(y) + " " + N(w) + " " + N(h) + " @ " +
                  N(CreatePDFTestAccess::CurrentX(doc.pdf)) + " " +
                  N(CreatePDFTestAccess::CurrentY(doc.pdf)),
              c.placed);
  }
  EXPECT_EQ(CreatePDFTestAccess::ImageCount(doc.pdf), 6);
  EXPECT_EQ(doc.pdf.PDFGetTextColor(), "0.000 0.502 0.000 rg");
  const auto& link = CreatePDFTestAccess::PageLinks(doc.pdf).at(1).at(4);
  EXPECT_EQ(N(link.x) + N(link.y) + N(link.width) + N(link.height), "10.00821.89200.0050.00");
}

}  // namespace
