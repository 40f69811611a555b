// JPEG pictures: the header reader, the messages of refused files, where a picture goes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

#include "JpegHeader.h"
#include "PdfTestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;
const std::string kPictures = CREATEPDF_SOURCE_DIR "/fuzz/seeds/jpeg/";  // made by libjpeg

// A marker segment: FF, the code, the big-endian length (counting itself), the payload.
Bytes Segment(uint8_t code, const Bytes& payload) {
  Bytes s(4 + payload.size());  // sized once: appending makes GCC 12 -O3 warn falsely
  s[0] = 0xFF, s[1] = code, s[2] = static_cast<uint8_t>((payload.size() + 2) >> 8);
  s[3] = static_cast<uint8_t>(payload.size() + 2);
  std::copy(payload.begin(), payload.end(), s.begin() + 4);
  return s;
}

// A baseline frame header: precision 8, height, width, components.
Bytes Frame(int width, int height, int components, uint8_t code = 0xC0) {
  Bytes p{8, uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8), uint8_t(width)};
  p.push_back(uint8_t(components));
  for (uint8_t c = 1; c <= components; ++c) p.insert(p.end(), {c, 0x11, 0});
  return Segment(code, p);
}

Bytes Jfif(int unit) {
  return Segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, uint8_t(unit), 0, 72, 0, 72, 0, 0});
}

Bytes Join(const std::vector<Bytes>& parts) {
  Bytes joined;
  for (const Bytes& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

// Start of image, the parts, a scan header and zeros up to `minimumSize`, end of image.
Bytes JpegFile(const std::vector<Bytes>& parts, std::size_t minimumSize = 300) {
  Bytes b = Join({{0xFF, 0xD8}, Join(parts), Segment(0xDA, {1, 1, 0x00, 0, 63, 0})});
  b.resize(std::max(b.size(), minimumSize - std::min<std::size_t>(minimumSize, 2)), 0);
  return Join({b, {0xFF, 0xD9}});
}

Bytes Picture(const std::string& name) {
  const std::string bytes = pdftest::ReadFileBytes(kPictures + name);
  return Bytes(bytes.begin(), bytes.end());
}

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
  const Bytes frame = Frame(8, 8, 3), end{0xFF, 0xD9};
  Bytes noEnd = JpegFile({frame}), noStart = JpegFile({frame});
  noEnd.back() = 0xD8;
  noStart[1] = 0xD9;
  const Bytes pastEnd = Join({{0xFF, 0xD8}, frame, {0xFF, 0xE1, 0x7F, 0xFF}, Bytes(300, 0), end});
  // Scan bytes that read like a frame header and a bad JFIF header are not markers.
  const Bytes scan =
      Join({JpegFile({Frame(64, 48, 3)}, 0), Frame(9999, 1, 1), Jfif(7), Bytes(400, 0x55), end});
  const Bytes fill = Join({{0xFF, 0xFF}, Frame(21, 13, 1, 0xC2)});
  // clang-format off
  const std::pair<Bytes, std::string> cases[] = {
      {Picture("grey.jpg"), "16x16 DeviceGray 8 Dots"}, {Picture("cmyk.jpg"), "8x8 DeviceCMYK 8 "},
      {Picture("rgb_progressive.jpg"), "16x8 DeviceRGB 8 Dots/cm"},
      {JpegFile({Jfif(1), Segment(0xE0, {'J', 'F', 'X', 'X', 0, 0x10}), Frame(8, 9, 3)}),
       "8x9 DeviceRGB 8 Dots/inch (DPI)"},  // a JFXX segment has no density
      {JpegFile({Jfif(3), frame}), "unit 3"}, {scan, "64x48 DeviceRGB 8 "},
      {JpegFile({Jfif(0), fill}), "21x13 DeviceGray 8 Dots"},
      {JpegFile({frame}, 250), "8x8 DeviceRGB 8 "}, {JpegFile({frame}, 249), "not"},
      {JpegFile({frame}, 0), "not"}, {noEnd, "ends"}, {noStart, "ends"},
      {JpegFile({Frame(7, 5, 1, 0xC3)}), "7x5 DeviceGray 8 "},  // lossless and differential frames
      {JpegFile({Frame(6, 4, 3, 0xC5)}), "6x4 DeviceRGB 8 "},
      {JpegFile({Jfif(1)}), "not"}, {JpegFile({Segment(0xC4, {0, 1, 2, 3})}), "not"},
      {JpegFile({Frame(8, 8, 2)}), "not"}, {JpegFile({Frame(0, 8, 3)}), "not"},
      {JpegFile({Frame(8, 0, 1)}), "not"}, {JpegFile({Segment(0xC0, {8, 0, 8, 0, 8})}), "not"},
      {JpegFile({{0xFF, 0xE1, 0x00, 0x00}, frame}), "not"},  // segment lengths 0 and 1
      {JpegFile({{0xFF, 0xE1, 0x00, 0x01}, frame}), "not"}, {pastEnd, "not"}};
  // clang-format on
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(Read(bytes), expected);
}

// Pictures fit a box whole and centred, and leave the position, the link and the text colour.
TEST(Images, RefusedFilesShowTheirMessagePicturesFitTheirBox) {
  const std::string folder = pdftest::TestFilePath("", ".pictures");
  std::filesystem::create_directories(folder + "/folder.d");
  std::filesystem::create_directories(folder + "/folder.jpg");
  const auto Write = [&](const std::string& name, const Bytes& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return folder + "/" + name;
  };
  pdftest::TestDocument doc;
  doc.pdf.PDFSetUnit(0), doc.pdf.PDFBeginDoc();
  const Bytes good = JpegFile({Frame(8, 8, 3)});
  const std::string m2 =
      "Format d'image non supportée.\r\nSeule les images de types JPG sont supportées.";
  const std::string m3 = "Fichier image non JPEG.";
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {"picture", "Le fichier image picture ne possède pas d'extension."},
      {Write("upper.JPG", good), m2}, {folder + "/folder.d/picture", m2},
      {Write("short.jpg", JpegFile({Frame(8, 8, 3)}, 249)), m3},
      {folder + "/missing.jpg", m3}, {folder + "/folder.jpg", m3},
      {Write("bad.jpg", Bytes(good.begin() + 1, good.end())),
       "Marqueur de début JPEG ou marqueur de fin JPEG non valide."},
      {Write("unit.jpeg", JpegFile({Jfif(3), Frame(8, 8, 3)})),
       "Erreur de résolution d'image , l'Opcode est 3Les Opcodes valides sont  0, 1, 2."},
  };
  // clang-format on
  for (const auto& [file, text] : cases) {
    SCOPED_TRACE(file);
    doc.messages.clear();
    double x = 1, y = 1, w = 2, h = 2;
    doc.pdf.PDFImage(file, x, y, w, h, "https://example.org");
    EXPECT_EQ(doc.pdf.PDFImageWidth(file) + doc.pdf.PDFImageHeight(file), 0);
    ASSERT_EQ(doc.messages.size(), 3u);
    EXPECT_EQ(doc.messages[0].title + ": " + doc.messages[0].text,
              "Fichier Image - CreatePDF 1.0: " + text +
                  "\r\nImpossible d'inclure l'image dans le fichier PDF.");
  }
  EXPECT_EQ(CreatePDFTestAccess::PageContent(doc.pdf) + "links " +
                std::to_string(CreatePDFTestAccess::PageLinkCount(doc.pdf)),
            "links 0");
  const std::string square = Write("s.jpg", JpegFile({Frame(64, 64, 3)}));
  const std::string wide = Write("w.jpg", JpegFile({Frame(400, 100, 1)}));
  EXPECT_EQ(doc.pdf.PDFImageWidth(wide) * 1000 + doc.pdf.PDFImageHeight(wide), 400100);
  EXPECT_EQ(doc.pdf.PDFImageWidth(Write("a.bjpg", JpegFile({Frame(7, 1, 1)}))), 7);
  double x = std::numeric_limits<double>::infinity(), y = 20, w = 100, h = 50;
  EXPECT_THROW(doc.pdf.PDFImage(square, x, y, w, h), std::invalid_argument);
  EXPECT_EQ(CreatePDFTestAccess::ImageCount(doc.pdf), 0);
  const std::tuple<std::string, double, double, const char*> placements[] = {
      // x y w h @ x y
      {square, 100, 50, "35.00 20.00 50.00 50.00 @ 85.00 70.00"},  // full height, centred across
      {square, 50, 100, "10.00 45.00 50.00 50.00 @ 60.00 95.00"},  // full width, centred down
      {wide, 100, 50, "10.00 32.50 100.00 25.00 @ 110.00 57.50"},
      {wide, 400, 50, "110.00 20.00 200.00 50.00 @ 310.00 70.00"},
      {wide, 0, 50.5, "10.00 20.00 202.00 50.50 @ 212.00 70.50"},
      {wide, 0, 0, "10.00 20.00 400.00 100.00 @ 410.00 120.00"},
  };
  const auto N = [](double n) { return CreatePDF::PDFFormatNumber(n); };
  doc.pdf.PDFSetTextColor("#008000");
  for (const auto& [file, boxW, boxH, placed] : placements) {
    x = 10, y = 20, w = boxW, h = boxH;
    doc.pdf.PDFImage(file, x, y, w, h, "https://example.org/picture");
    EXPECT_EQ(N(x) + " " + N(y) + " " + N(w) + " " + N(h) + " @ " +
                  N(CreatePDFTestAccess::CurrentX(doc.pdf)) + " " +
                  N(CreatePDFTestAccess::CurrentY(doc.pdf)),
              placed);
  }
  EXPECT_EQ(CreatePDFTestAccess::ImageCount(doc.pdf), 6);
  doc.pdf.PDFSetUnit(1);  // the worked example, in millimetres
  x = 20, y = 30, w = 100, h = 0;
  doc.pdf.PDFImage(Write("p.jpg", JpegFile({Frame(400, 300, 3)})), x, y, w, h);
  EXPECT_TRUE(CreatePDFTestAccess::PageContent(doc.pdf).ends_with(
      "\r\nq\r\n283.46 0 0 212.60 56.69 544.25 cm /ImgJPEG7 Do Q\r\n"));
  w = 0, h = 0;  // no size: one point per pixel, whatever the unit
  doc.pdf.PDFImage(Write("p.jpg", JpegFile({Frame(400, 300, 3)})), x, y, w, h);
  EXPECT_NE(CreatePDFTestAccess::PageContent(doc.pdf).rfind("\r\nq\r\n400.00 0 0 300.00 56.69 "),
            std::string::npos);
  EXPECT_EQ(doc.pdf.PDFGetTextColor(), "0.000 0.502 0.000 rg");
  const auto& link = CreatePDFTestAccess::PageLinks(doc.pdf).at(1).at(4);  // whole units
  EXPECT_EQ(N(link.x) + N(link.y) + N(link.width) + N(link.height), "10.00821.89202.0050.00");
  std::filesystem::remove_all(folder);
}

}  // namespace
