// Whole documents: the one-page file byte for byte, one rich document checked by exact
// fragments and by the real readers, large documents and calls out of order.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "PdfTestSupport.h"

namespace {

using pdftest::Lines;
using pdftest::TestDocument;

std::string Between(const std::string& text, const std::string& from, const std::string& to) {
  const std::size_t start = text.find(from);
  if (start == std::string::npos) return "<missing " + from + ">";
  const std::size_t stop = text.find(to, start + from.size());
  return text.substr(start + from.size(), stop - start - from.size());
}

TEST(Document, OnePageIsLaidOutByteForByte) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  const std::string bytes = doc.Finish(), date = Between(bytes, "/CreationDate (D:", ")");
  ASSERT_TRUE(date.size() == 14 && date.find_first_not_of("0123456789") == std::string::npos);
  std::istringstream names(
      "Helvetica Helvetica-Bold Helvetica-Oblique Helvetica-BoldOblique Courier Courier-Bold "
      "Courier-Oblique Courier-BoldOblique Times-Roman Times-Bold Times-Italic Times-BoldItalic "
      "Symbol ZapfDingbats");
  std::string fonts, refs, name;
  for (int k = 1; names >> name; ++k) {  // Symbol and ZapfDingbats keep their own encoding
    const std::string n = std::to_string(k), object = std::to_string(k + 3);
    fonts += object + " 0 obj|<< /Type /Font|/Subtype /Type1|/Name /F" + n + "|/BaseFont /" + name +
             (k <= 12 ? "|/Encoding /WinAnsiEncoding" : "") + "|>>|endobj||";
    refs += "/F" + n + " " + object + " 0 R |";
  }
  const std::string file =
      Lines("%PDF-1.0|1 0 obj|<<|/Producer ()|/Author ()|/CreationDate (D:" + date +
            ")|/Creator ()|/Keywords ()|/Subject ()|/Title ()|/ModDate ()|>>|endobj||2 0 obj|<< "
            "/Length 3 0 R| >>|stream|endstream|endobj||3 0 obj|0|endobj||" +
            fonts +
            "18 0 obj|<< /Type /Pages|/Kids [|20 0 R|]|/Count 1|>>|endobj||19 0 obj|<< /ProcSet [ "
            "/PDF /Text /ImageC]|/XObject << |>>|/Font << |" +
            refs +
            ">>|>>|endobj||20 0 obj|<< /Type /Page|/Parent 18 0 R|/MediaBox [ 0 0 595.28 841.89]|"
            "/Resources 19 0 R|/Contents 2 0 R|>>|endobj||21 0 obj|<<|/Type /Catalog|/Pages 18 0 R|"
            "/OpenAction [20 0 R /Fit]|/PageLayout /SinglePage|>>|endobj||");
  std::string xref = Lines("xref|0 22|0000000000 65535 f|");
  for (int k = 1; k <= 21; ++k) {
    const std::string offset = std::to_string(file.find("\n" + std::to_string(k) + " 0 obj") + 1);
    xref += std::string(10 - offset.size(), '0') + offset + " 00000 n\r\n";
  }
  EXPECT_EQ(bytes, file + xref +
                       Lines("trailer|<< /Size 22|/Root 21 0 R|/Info 1 0 R|>>|startxref|") +
                       std::to_string(file.size()) + Lines("||%%EOF|"));
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
  TestDocument other;  // outlines asked for without a bookmark: no /Outlines
  other.pdf.PDFSetZoomMode(1), other.pdf.PDFSetLayoutMode(2), other.pdf.PDFUseThumbs(true);
  other.pdf.PDFUseOutlines(true), other.pdf.PDFBeginDoc();
  EXPECT_EQ(Between(other.Finish(), "/OpenAction [20 0 R ", ">>"),
            Lines("/FitH null]|/PageLayout /TwoColumnLeft|/PageMode /UseOutlines|"));
}

// Four pages (A4; US Letter; Letter landscape; one more without PDFEndPage), fonts,
// colours, text, cells, links, lines, shapes, four pictures and six bookmarks.
void WriteRichDocument(CreatePDF& pdf) {
  const std::string pictures = CREATEPDF_SOURCE_DIR "/fuzz/seeds/jpeg/";  // made by libjpeg
  pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
  // clang-format off
  pdf.PDFTitle("a) b"); pdf.PDFAuthor("Café (essai"); pdf.PDFSubject("C:\\temp");
  pdf.PDFKeywords("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"); pdf.PDFCreator("Feuilleté (™, €)");
  pdf.PDFProducer("Lamivex"); pdf.PDFSetZoomMode(150); pdf.PDFSetLayoutMode(3);
  pdf.PDFUseThumbs(true); pdf.PDFUseOutlines(true); pdf.PDFConfirm(true); pdf.PDFBeginDoc();
  // clang-format on
  pdf.PDFTextOut("Sans police", 1, 1);  // no font selected: Helvetica 10
  pdf.PDFSetBookmark("A) début \\ fin", 0, 1), pdf.PDFSetBookmark("B", 1, 2);
  pdf.PDFSetBookmark("B1", 2, 3);
  for (int32_t family = 0; family <= 4; ++family) {
    double x = -2.5;
    for (int32_t style : {0, 1, 2, 12}) {
      pdf.PDFSetFont(family, 11, style);
      pdf.PDFTextOut(pdf.PDFGetAlignement() + " police " + std::to_string(family * 100 + style) +
                         (family < 3 ? " : àéèçô" : " abg"),
                     x += 4.5, 3 + family);
    }
  }
  // clang-format off
  pdf.PDFSetUnit(0); pdf.PDFSetFont(2, 10); pdf.PDFSetTextColor("#C00000");
  pdf.PDFSetLineColor(std::array<double, 3>{64, 64, 64}); pdf.PDFSetDrawColor(16773360.0);
  pdf.PDFSetFill(true); pdf.PDFSetBorder(2345); pdf.PDFSetAlignement(3);
  // clang-format on
  pdf.PDFCell(
      "Le vitrage feuilleté associe deux verres et un intercalaire ; son émissivité "
      "est calculée couche par couche.\nDeuxième ligne",
      40, 250, 300, 13);
  pdf.PDFSetTextColor(16711680.0), pdf.PDFSetFont(0, 11);
  pdf.PDFLink(40, 330, "Site Solmerac", "a\\b(c)"),
      pdf.PDFLink(40, 350, "https://example.org/page1");
  for (int32_t mode = 0; mode <= 2; ++mode) {
    pdf.PDFSetDrawMode(mode);
    pdf.PDFDrawRectangle(40, 480 + 100 * mode, 150, 560 + 100 * mode, "https://example.org/r");
    pdf.PDFDrawEllipse(320, 480 + 100 * mode, 110, 40, "https://example.org/e");
  }
  pdf.PDFEndPage(), pdf.PDFFormatPage(3), pdf.PDFSetUnit(1), pdf.PDFNewPage();
  pdf.PDFSetBookmark("C", 1), pdf.PDFSetBookmark("C1", 2), pdf.PDFSetBookmark("D", 0, 40);
  pdf.PDFSetBookmark("deep", 3, 0), pdf.PDFSetBookmark("deeper", 5, 0);  // to levels 1, 2
  pdf.PDFSetBookmark("negative", -2, 0);                                 // to level 0
  const char* names[] = {"grey", "rgb_progressive", "cmyk", "rgb_progressive"};
  for (int i = 0; i < 4; ++i) {
    const std::string file = pictures + names[i] + ".jpg";
    double x = 20 + 60 * (i % 3), y = 30 + 60 * (i / 3), w = i == 3 ? 0 : 100, h = i == 3 ? 40 : 0;
    pdf.PDFImage(file, x, y, w, h, i == 1 ? "https://example.org/picture" : "");
  }
  pdf.PDFEndPage(), pdf.PDFOrientation(0), pdf.PDFNewPage();
  pdf.PDFLink(20, 20, "https://example.org/page3");
  pdf.PDFNewPage();  // no PDFEndPage: repeats the last format
}

TEST(Document, RichDocumentHoldsEveryCallsOperatorsAndObjectsAndReadsBack) {
  pdftest::FrenchLocale french;  // numbers must keep their period
  TestDocument doc;
  WriteRichDocument(doc.pdf);
  const std::string bytes = doc.Finish();
  const std::string rgb =
      pdftest::ReadFileBytes(CREATEPDF_SOURCE_DIR "/fuzz/seeds/jpeg/rgb_progressive.jpg");
  for (const char* n : {"2", "4"})
    EXPECT_NE(bytes.find("/ImgJPEG" + std::string(n) + ">>\r\nstream\r\n" + rgb + "\r\nendstream"),
              std::string::npos);
  // Exact fragments, separated by "~".
  const std::string fragments =
      "/Title (a\\) b)|/ModDate~/Author (Caf\xE9 \\(essai)|~/Subject (C:\\\\temp)|~/Creator (Fe"
      "uillet\xE9 \\(\x92, \xA0\\))|~/BaseFont /Times-Roman|/Encoding /WinAnsiEncoding|>>~/Base"
      "Font /Symbol|>>~/Kids [|30 0 R|31 0 R|32 0 R|33 0 R|]|/Count 4|~/XObject << |/ImgJPEG1 2"
      "6 0 R|/ImgJPEG2 27 0 R|/ImgJPEG3 28 0 R|/ImgJPEG4 29 0 R|>>~/Width 16|/Height 16|/ColorS"
      "pace /DeviceGray|/BitsPerComponent 8|/Length 346|~/ColorSpace /DeviceRGB|~/ColorSpace /D"
      "eviceCMYK|~33 0 obj|<< /Type /Page|/Parent 24 0 R|/MediaBox [ 0 0 792 612]|~/MediaBox [ "
      "0 0 595.28 841.89]~/MediaBox [ 0 0 612 792]~/MediaBox [ 0 0 792 612]~|q 0 g |BT|56.69 81"
      "3.54 Td|/F1 10.00 Tf|(Sans police) Tj|~/F13 11.00 Tf|(Left police 300 abg) Tj~/F14 11.00"
      " Tf~/F12 11.00 Tf|(Left police 212 : \xE0\xE9\xE8\xE7\xF4) Tj~/Rect [40 511.89 108 500.8"
      "9] /Border [0 0 0] /A <</S /URI /URI (a\\\\b\\(c\\))>>>>|<</Type /Annot /Subtype /Link /"
      "Rect [40 491.89 167 480.89] /Border [0 0 0] /A <</S /URI /URI (https:~/Rect [45 321.89 1"
      "55 310.89] /Border [0 0 0] /A <</S /URI /URI (https://example.org/r)>>>>|<</Type /Annot "
      "/Subtype /Link /Rect [265 352.89 289 341.89]~34 0 obj|<</Title (A\\) d\xE9"
      "but \\\\ fin)|/Parent 43 0 R|/Next 39 0 R|/First 35 0 R|/Last 37 0 R|/Dest [30 0 R /XYZ "
      "0 813.54 null]|/Count 0>>|endobj||35 0 obj|<</Title (B)|/Parent 34 0 R|/Next 37 0 R|/Fir"
      "st 36 0 R|/Last 36 0 R|/Dest [30 0 R /XYZ 0 785.20 null]|/Count 0>>|endobj||36 0 obj|<</"
      "Title (B1)|/Parent 35 0 R|/Dest [30 0 R /XYZ 0 756.85 null]|/Count 0>>|endobj||37 0 obj|"
      "<</Title (C)|/Parent 34 0 R|/Prev 35 0 R|/First 38 0 R|/Last 38 0 R|/Dest [31 0 R /XYZ 0"
      " 789.17 null]|/Count 0>>|endobj||38 0 obj|<</Title (C1)|/Parent 37 0 R|/Dest [31 0 R /XY"
      "Z 0 789.17 null]|/Count 0>>|endobj||39 0 obj|<</Title (D)|/Parent 43 0 R|/Prev 34 0 R|/N"
      "ext 42 0 R|/First 40 0 R|/Last 40 0 R|/Dest [31 0 R /XYZ 0 678.61 null]|/Count 0>>|endob"
      "j||40 0 obj|<</Title (deep)|/Parent 39 0 R|/First 41 0 R|/Last 41 0 R|/Dest [31 0 R /XYZ"
      " 0 792.00 null]|/Count 0>>|endobj||41 0 obj|<</Title (deeper)|/Parent 40 0 R|/Dest [31 0"
      " R /XYZ 0 792.00 null]|/Count 0>>|endobj||42 0 obj|<</Title (negative)|/Parent 43 0 R|/P"
      "rev 39 0 R|/Dest [31 0 R /XYZ 0 792.00 null]|/Count 0>>|endobj||43 0 obj|<</Type /Outlin"
      "es /First 34 0 R|/Last 42 0 R>>|endobj||44 0 obj|<<|/Type /Catalog|/Pages 24 0 R|/OpenAc"
      "tion [30 0 R /XYZ null null 1.50]|/Outlines 43 0 R|/PageMode /UseOutlines|>>";
  std::istringstream split(fragments);
  for (std::string fragment; std::getline(split, fragment, '~');)
    EXPECT_NE(bytes.find(Lines(fragment)), std::string::npos) << fragment;
  ASSERT_EQ(doc.messages.size(), 1u);
  EXPECT_EQ(doc.messages[0].text + doc.messages[0].title + char(doc.messages[0].icon),
            "La génération du fichier PDF '" + doc.path +
                "' est terminée.Génération du Fichier PDF - CreatePDF 1.0" +
                char(PDFMessageIcon::None));

  ASSERT_TRUE(pdftest::IsValidPdfFile(doc.path));
  const std::string quoted = " '" + doc.path + "'";
  const std::string read = pdftest::RunCommand("pdftotext -enc UTF-8" + quoted + " -").output +
                           pdftest::RunCommand("pdfinfo -enc UTF-8 -url" + quoted).output +
                           pdftest::RunCommand("pdfinfo -enc UTF-8" + quoted).output;
  for (const char* expected :
       {"Left police 12 : àéèçô", "Left police 101 : àéèçô", "αβγ", "Sans police", "feuilleté",
        "émissivité", "Deuxième", "Site Solmerac", "a\\b(c)", "https://example.org/picture",
        "https://example.org/r", "https://example.org/e", "https://example.org/page3",
        "Title:           a) b", "Author:          Café (essai",
        "Creator:         Feuilleté (™, €)", "Keywords:        €‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"}) {
    EXPECT_NE(read.find(expected), std::string::npos) << expected << "\n" << read;
  }
  // The outline tree as a reader walks it: "+" an item with children, "|" one without.
  std::string tree;
  std::istringstream outline(pdftest::RunCommand("mutool show" + quoted + " outline").output);
  for (std::string line; std::getline(outline, line);) tree += line.substr(0, line.find('&')) + "~";
  EXPECT_EQ(tree,
            "+\t\"A) début \\\\ fin\"\t#page=1~+\t\t\"B\"\t#page=1~|\t\t\t\"B1\"\t#page=1~"
            "+\t\t\"C\"\t#page=2~|\t\t\t\"C1\"\t#page=2~+\t\"D\"\t#page=2~+\t\t\"deep\"\t#page=2~"
            "|\t\t\t\"deeper\"\t#page=2~|\t\"negative\"\t#page=2~");
}

TEST(Document, ObjectNumbersGoPast32767) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  for (int page = 2; page <= 11000; ++page) doc.pdf.PDFEndPage(), doc.pdf.PDFNewPage();
  EXPECT_EQ(doc.pdf.PDFNbPage(), 0);  // page objects are counted as they are written
  const std::string bytes = doc.Finish();
  EXPECT_EQ(doc.pdf.PDFNbPage() + doc.pdf.PDFPageNumber(), 22000);
  EXPECT_EQ(Between(bytes, "/Count ", "\r\n") + Between(bytes, "/Root ", " 0 R"), "1100033018");
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path, "1,N"));
}

TEST(Document, CallsOutOfOrderAreRefusedAndWriteNothing) {
  TestDocument doc;
  CreatePDF& pdf = doc.pdf;
  double one = 1;
  // clang-format off
  const std::function<void()> calls[] = {[&] { pdf.PDFNewPage(); }, [&] { pdf.PDFEndPage(); },
      [&] { pdf.PDFEndDoc(); }, [&] { pdf.PDFSetBookmark("x"); }, [&] { pdf.PDFTextOut("x", 1, 1); },
      [&] { pdf.PDFCell("x", 1, 1, 5, 1); }, [&] { pdf.PDFLink(1, 1, "x"); },
      [&] { pdf.PDFDrawLine(1, 1, 2, 2); }, [&] { pdf.PDFDrawEllipse(1, 1, 2, 2); },
      [&] { pdf.PDFImage("p.jpg", one, one, one, one); }};
  // clang-format on
  for (const auto& call : calls) EXPECT_THROW(call(), std::logic_error);
  EXPECT_EQ(std::filesystem::file_size(doc.path), 0u);
  pdf.PDFBeginDoc();
  EXPECT_THROW(pdf.PDFBeginDoc(), std::logic_error);
  EXPECT_THROW(pdf.PDFFileName(doc.path + ".other"), std::logic_error);
  EXPECT_THROW(pdf.PDFInit(), std::logic_error);  // would wipe the open page
  const std::string bytes = doc.Finish();
  for (const auto& call : calls) EXPECT_THROW(call(), std::logic_error);
  EXPECT_THROW(pdf.PDFBeginDoc(), std::logic_error);
  EXPECT_THROW(pdf.PDFFileName(doc.path), std::logic_error);
  EXPECT_EQ(pdftest::ReadFileBytes(doc.path), bytes);
}

}  // namespace
