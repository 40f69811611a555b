// JPEG pictures: file-name checks and messages, placement, the image objects and
// their bytes, links over pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <stdexcept>

#include "JpegMaker.h"
#include "PdfTestSupport.h"

namespace {

using pdftest::TestDocument;
using Access = CreatePDFTestAccess;

const std::string kTitle = "Fichier Image - CreatePDF 1.0";
const std::string kCannot = "\r\nImpossible d'inclure l'image dans le fichier PDF.";

// A folder of pictures for one test, removed at its end.
class Pictures {
 public:
  Pictures() : folder_(pdftest::TestFilePath("", ".pictures")) {
    std::filesystem::create_directories(folder_);
  }
  ~Pictures() { std::filesystem::remove_all(folder_); }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string path = folder_ + "/" + name;
    WriteBytes(path, bytes);
    return path;
  }
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

 private:
  std::string folder_;
};

class Images : public ::testing::Test {
 protected:
  void SetUp() override { doc.pdf.PDFBeginDoc(); }
  // Draws and returns what was appended to the page.
  std::string Draw(const std::string& file, double x, double y, double w, double h,
                   const std::string& link = "") {
    const std::string before = Access::PageContent(pdf);
    pdf.PDFImage(file, x, y, w, h, link);
    return Access::PageContent(pdf).substr(before.size());
  }
  Pictures pictures;
  TestDocument doc;
  CreatePDF& pdf = doc.pdf;
};

TEST_F(Images, RefusedFilesShowTheirMessageAndDrawNothing) {
  auto bad = MakeJpeg({});
  bad[0] = 0x00;
  struct Case {
    std::string file;
    std::string text;
  };
  const std::string m2 =
      "Format d'image non supportée.\r\nSeule les images de types JPG sont supportées." + kCannot;
  const std::string m3 = "Fichier image non JPEG." + kCannot;
  const Case cases[] = {
      {"picture", "Le fichier image picture ne possède pas d'extension." + kCannot},
      {pictures.Write("upper.JPG", MakeJpeg({})), m2},
      {pictures.Path("folder.d") + "/picture", m2},
      {pictures.Write("short.jpg", JpegFile({JpegSegment(0xC0, FramePayload(8, 8, 3))}, 249)), m3},
      {pictures.Path("missing.jpg"), m3},
      {pictures.Path("folder.jpg"), m3},  // a folder, not a file
      {pictures.Write("bad.jpg", bad),
       "Marqueur de début JPEG ou marqueur de fin JPEG non valide." + kCannot},
      {pictures.Write("unit.jpeg", JpegFile({JpegSegment(0xE0, JfifPayload(3)),
                                             JpegSegment(0xC0, FramePayload(8, 8, 3))})),
       "Erreur de résolution d'image , l'Opcode est 3Les Opcodes valides sont  0, 1, 2." + kCannot},
  };
  std::filesystem::create_directories(pictures.Path("folder.d"));
  std::filesystem::create_directories(pictures.Path("folder.jpg"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    doc.messages.clear();
    EXPECT_EQ(Draw(c.file, 1, 1, 2, 2, "https://example.org"), "");
    EXPECT_EQ(pdf.PDFImageWidth(c.file), 0);
    EXPECT_EQ(pdf.PDFImageHeight(c.file), 0);
    ASSERT_EQ(doc.messages.size(), 3u);
    EXPECT_EQ(doc.messages[0].text, c.text);
    EXPECT_EQ(doc.messages[0].title, kTitle);
    EXPECT_EQ(doc.messages[0].icon, PDFMessageIcon::Critical);
  }
  EXPECT_EQ(Access::ImageCount(pdf), 0);
  EXPECT_EQ(Access::PageLinkCount(pdf), 0);
  doc.Finish();
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

TEST_F(Images, SizeOfAPictureWithoutCountingIt) {
  const std::string file = pictures.Write("p.jpeg", MakeJpeg({.width = 400, .height = 300}));
  EXPECT_EQ(pdf.PDFImageWidth(file), 400);
  EXPECT_EQ(pdf.PDFImageHeight(file), 300);
  EXPECT_EQ(Access::ImageCount(pdf), 0);
  EXPECT_TRUE(doc.messages.empty());
  const std::string noExtensionCheck = pictures.Write("a.bjpg", MakeJpeg({.width = 7}));
  EXPECT_EQ(pdf.PDFImageWidth(noExtensionCheck), 7);  // only the last characters count
}

TEST_F(Images, PlacementExampleInMillimetres) {
  pdf.PDFSetUnit(1);
  const std::string file = pictures.Write("p.jpg", MakeJpeg({.width = 400, .height = 300}));
  double x = 20, y = 30, w = 100, h = 0;
  const std::string before = Access::PageContent(pdf);
  pdf.PDFImage(file, x, y, w, h);
  EXPECT_EQ(Access::PageContent(pdf).substr(before.size()),
            "q\r\n283.46 0 0 212.60 56.69 544.25 cm /ImgJPEG1 Do Q\r\n");
  EXPECT_EQ(x, 20);
  EXPECT_EQ(y, 30);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 75);
  EXPECT_EQ(Access::CurrentX(pdf), 120);
  EXPECT_EQ(Access::CurrentY(pdf), 105);
  EXPECT_EQ(Access::ImageCount(pdf), 1);
}

TEST_F(Images, PictureFitsInsideItsBox) {
  pdf.PDFSetUnit(0);
  const std::string square = pictures.Write("s.jpg", MakeJpeg({.width = 64, .height = 64}));
  const std::string wide = pictures.Write("w.jpg", MakeJpeg({.width = 400, .height = 100}));
  struct Case {
    std::string file;
    double w, h;                    // the box asked for, at (10, 20)
    double fitX, fitY, fitW, fitH;  // where the picture goes
  };
  const Case cases[] = {
      {square, 100, 50, 35, 20, 50, 50},   // full height, centred across
      {square, 50, 100, 10, 45, 50, 50},   // full width, centred down
      {wide, 100, 50, 10, 32.5, 100, 25},  // full width
      {wide, 400, 50, 110, 20, 200, 50},   // full height
      {wide, 0, 50, 10, 20, 200, 50},      // width from the height
      {wide, 0, 0, 10, 20, 400, 100},      // one point per pixel
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + " " + std::to_string(c.w) + " x " + std::to_string(c.h));
    double x = 10, y = 20, w = c.w, h = c.h;
    pdf.PDFImage(c.file, x, y, w, h);
    EXPECT_DOUBLE_EQ(x, c.fitX);
    EXPECT_DOUBLE_EQ(y, c.fitY);
    EXPECT_DOUBLE_EQ(w, c.fitW);
    EXPECT_DOUBLE_EQ(h, c.fitH);
  }
}

// The three colour spaces, and one file drawn twice: each drawing is an image object
// of its own, named in order, holding the file's bytes unchanged.
TEST_F(Images, ImageObjectsCarryTheFileBytes) {
  const std::vector<uint8_t> grey = MakeJpeg({.width = 40, .height = 30, .components = 1});
  const std::vector<uint8_t> rgb = MakeJpeg({.width = 41, .height = 31, .components = 3});
  const std::vector<uint8_t> cmyk = MakeJpeg({.width = 42, .height = 32, .components = 4});
  const std::string rgbFile = pictures.Write("rgb.jpg", rgb);
  const std::vector<std::pair<std::string, const std::vector<uint8_t>*>> drawn{
      {pictures.Write("grey.jpg", grey), &grey},
      {rgbFile, &rgb},
      {pictures.Write("cmyk.jpg", cmyk), &cmyk},
      {rgbFile, &rgb}};
  std::string content;
  for (const auto& [file, bytes] : drawn) content += Draw(file, 1, 1, 3, 0);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_NE(content.find(" cm /ImgJPEG" + std::to_string(i) + " Do Q\r\n"), std::string::npos);
  }
  const std::string file = doc.Finish();
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));

  const int resources = 2 * 1 + 17;  // one page
  const std::string dictionary = pdftest::ObjectText(file, resources);
  const char* spaces[] = {"DeviceGray", "DeviceRGB", "DeviceCMYK", "DeviceRGB"};
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(i);
    const std::vector<uint8_t>& bytes = *drawn[static_cast<std::size_t>(i - 1)].second;
    const int object = resources + i;
    EXPECT_NE(
        dictionary.find("/ImgJPEG" + std::to_string(i) + " " + std::to_string(object) + " 0 R\r\n"),
        std::string::npos);
    const std::string text = pdftest::ObjectText(file, object);
    const int width = 39 + (i == 4 ? 2 : i);
    EXPECT_NE(text.find("/Width " + std::to_string(width) + "\r\n/Height " +
                        std::to_string(width - 10) + "\r\n/ColorSpace /" + spaces[i - 1] +
                        "\r\n/BitsPerComponent 8\r\n/Length " + std::to_string(bytes.size()) +
                        "\r\n/Name /ImgJPEG" + std::to_string(i) + ">>\r\nstream\r\n"),
              std::string::npos);
    EXPECT_EQ(pdftest::StreamData(file, object), std::string(bytes.begin(), bytes.end()) + "\r\n");
  }
}

TEST_F(Images, LinkOverAPicture) {
  pdf.PDFSetUnit(0);
  Access::TextColorOp(pdf) = "0.000 0.502 0.000 rg";
  const std::string file = pictures.Write("p.jpg", MakeJpeg({.width = 200, .height = 100}));
  double x = 50, y = 60, w = 0, h = 50.5;
  pdf.PDFImage(file, x, y, w, h, "https://example.org/picture");
  ASSERT_EQ(Access::PageLinkCount(pdf), 1);
  const auto& link = Access::PageLinks(pdf).at(1).at(0);
  EXPECT_EQ(link.x, 50);
  EXPECT_EQ(link.y, 841.89 - 60);
  EXPECT_EQ(link.width, 101);  // whole units of the picture's size
  EXPECT_EQ(link.height, 50);
  EXPECT_EQ(link.target, "https://example.org/picture");
  EXPECT_EQ(Access::TextColorOp(pdf), "0.000 0.502 0.000 rg");
  EXPECT_EQ(Access::CurrentX(pdf), 151);
  EXPECT_EQ(Access::CurrentY(pdf), 110.5);
  doc.Finish();
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

TEST_F(Images, APictureThatCannotBePlacedIsNeitherDrawnNorCounted) {
  const std::string file = pictures.Write("p.jpg", MakeJpeg({.width = 20, .height = 10}));
  const std::string before = Access::PageContent(pdf);
  double x = std::numeric_limits<double>::infinity(), y = 10, w = 20, h = 10;
  EXPECT_THROW(pdf.PDFImage(file, x, y, w, h), std::invalid_argument);
  EXPECT_EQ(Access::PageContent(pdf), before);
  x = 10;
  EXPECT_NE(Draw(file, x, y, w, h).find("/ImgJPEG1 Do"), std::string::npos);
  doc.Finish();
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

TEST(ImagesOutsideADocument, DrawingNeedsAnOpenPage) {
  CreatePDF pdf;
  double x = 1, y = 1, w = 1, h = 1;
  EXPECT_THROW(pdf.PDFImage("p.jpg", x, y, w, h), std::logic_error);
}

}  // namespace
