// Settings, their fallbacks and the messages of rejected values; the default handler.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "PdfTestSupport.h"

namespace {

using Access = CreatePDFTestAccess;
using P = CreatePDF;
using RGB = std::array<double, 3>;
const auto N = [](double number) { return CreatePDF::PDFFormatNumber(number); };

struct SettingCase {
  std::function<std::string(CreatePDF&)> set;  // returns the setting as it then stands
  std::string expected;
  const char* topic = "";  // a rejected value: the message's topic and text
  const char* text = "";
};

// clang-format off
const SettingCase kCases[] = {
    {[](P& p) { return p.PDFGetUnit() + N(p.PDFGetPageWidth()) + N(p.PDFGetCellMargin()) +
      N(p.PDFGetX()) + p.PDFGetTextColor() + p.PDFGetLineColor() + p.PDFGetDrawColor() +
      N(p.PDFNbPage()) + N(p.PDFPageNumber()); },
     "cm595.283.001.000 g0 G0 g0.000.00"},
    {[](P& p) { std::string s; for (int c : {0, 1, 2, 3, 4}) p.PDFSetLayoutMode(c),
      s += N(p.PDFGetLayoutMode()); return s; }, "0.001.002.003.000.00",
     "Layout Mode", "Layout incorrect : 4.\r\nLe Layout utilisé sera le layout simple."},
    {[](P& p) { std::string s; for (int c : {1, 2, 0, 7}) p.PDFSetUnit(c), s += p.PDFGetUnit();
      return s; }, "mmcmptcm", "Code Unité de Mesure",
     "Code unité de mesure incorrect : 7.\r\nL'Unité de Mesure utilisée sera le centimètre."},
    {[](P& p) { std::string s; for (int c : {1, 2, 0, -1}) p.PDFSetDrawMode(c),
      s += Access::DrawMode(p) + ","; return s; }, "D,DB,,DB,", "Objet Rectangle",
     "Code type de traçage incorrect : -1.\r\nLe type de traçage utilisé sera bordure et "
     "remplissage."},
    {[](P& p) { std::string s; for (int c : {0, 0, 1, 1, 0, 5}) p.PDFOrientation(c),
      s += N(p.PDFGetPageWidth()); return s; },
      "842.00842.00595.00595.00842.00595.00", "Type d'Orientation de Page",
     "Code orientation de page incorrect : 5.\r\nL'Orientation de la page sera le mode portrait."},
    {[](P& p) { std::string s; for (int c : {4, 3, 2, 1, 0}) p.PDFFormatPage(c),
      s += N(p.PDFGetPageWidth()) + "x" + N(p.PDFGetPageHeight()) + " "; return s; },
     "612.00x1008.00 612.00x792.00 420.94x595.28 841.89x1190.55 595.28x841.89 "},
    {[](P& p) { p.PDFFormatPage(std::vector<double>{200.5, 300.25});
      return N(p.PDFGetPageWidth()) + N(p.PDFGetPageHeight()); }, "200.50300.25"},
    {[](P& p) { p.PDFFormatPage(3); p.PDFFormatPage(9); return N(p.PDFGetPageWidth()); },
      "595.28", "Format de Page",
     "Code format de page incorrect : 9.\r\nLe Format de page utilisé sera le format A4."},
    {[](P& p) { p.PDFFormatPage(3); p.PDFFormatPage(std::string("A4"));
      return N(p.PDFGetPageHeight()); }, "841.89", "Format de Page",
     "Code format de page incorrect : A4.\r\nLe Format de page utilisé sera le format A4"},
    {[](P& p) { p.PDFFormatPage(3); p.PDFFormatPage(std::vector<double>{200.5});
      return N(p.PDFGetPageWidth()); }, "595.28", "Format de Page",
     "Code format de page incorrect : (200.5).\r\nLe Format de page utilisé sera le format A4"},
    {[](P& p) { p.PDFFormatPage(std::vector<double>{0, 300}); return N(p.PDFGetPageWidth()); },
      "595.28", "Format de Page",
     "Code format de page incorrect : (0, 300).\r\nLe Format de page utilisé sera le format A4"},
    {[](P& p) { p.PDFSetRightMargin(2.5); p.PDFSetLeftMargin(3.5); p.PDFSetTopMargin(-0.5);
      p.PDFSetBottomMargin(7); p.PDFSetCellMargin(1e9);
       return N(p.PDFGetRightMargin()) + N(p.PDFGetLeftMargin()) + N(p.PDFGetTopMargin()) +
         N(p.PDFGetBottomMargin()) + N(p.PDFGetCellMargin()); }, "2.004.000.007.0032767.00"},
    {[](P& p) { p.PDFSetMargins(2, 3); std::string s = N(p.PDFGetRightMargin()) +
      N(p.PDFGetBottomMargin()); p.PDFSetMargins(2, 3, 0, 0);
       Access::CurrentX(p) = 2.5, Access::CurrentY(p) = 5.5; return s + N(p.PDFGetRightMargin()) +
         N(p.PDFGetX()) + N(p.PDFGetY()); }, "2.003.000.002.006.00"},
    {[](P& p) { p.PDFSetZoomMode(2); p.PDFSetUnit(0); p.PDFSetMargins(5, 5); p.PDFInit();
      return N(p.PDFGetZoomMode()) + p.PDFGetUnit() + N(p.PDFGetLeftMargin()); }, "2.00cm1.00"},
    {[](P& p) { std::string s; for (int f : {0, 1, 2}) { for (int st : {0, 2, 1, 21,
      13}) p.PDFSetFont(f, 10, st), s += Access::FontName(p) + " "; }
       for (int st : {0, 12}) { for (int f : {3, 4}) p.PDFSetFont(f, 10, st),
         s += Access::FontName(p) + " "; } p.PDFSetFont(2, 10, 9870); return s +
         Access::FontName(p); },
     "Helvetica HelveticaBold HelveticaOblique HelveticaBoldOblique HelveticaOblique Courier "
     "CourierBold CourierOblique CourierBoldOblique CourierOblique TimesRoman TimesBold "
     "TimesItalic TimesBoldItalic TimesItalic Symbol ZapfDingbats "
     "Symbol ZapfDingbats TimesRoman"},
    {[](P& p) { p.PDFSetFont(2, 10, 21); p.PDFSetFont(7, 11, 2); return Access::FontName(p) +
      N(p.PDFTextHeight()); }, "TimesRoman311.81",
     "Nom de Font", "Nom de font incorrecte : 7.\r\nLa font utilisée sera Times New Roman non "
     "gras , non italique."},
    {[](P& p) { p.PDFSetTextColor("#000000"); p.PDFSetLineColor("#AAfFFF");
      p.PDFSetDrawColor("#ff8000"); return p.PDFGetTextColor() + p.PDFGetLineColor() +
      p.PDFGetDrawColor(); }, "0.000 0.000 0.000 rg0.667 1.000 1.000 RG1.000 0.502 0.000 rg"},
    {[](P& p) { p.PDFSetTextColor(255.0); p.PDFSetLineColor(32768.9);
      p.PDFSetDrawColor(16711680.0); return p.PDFGetTextColor() + p.PDFGetLineColor() +
      p.PDFGetDrawColor(); }, "1.000 0.000 0.000 rg0.000 0.502 0.000 RG0.000 0.000 1.000 rg"},
    {[](P& p) { p.PDFSetTextColor(RGB{300, 0.5, 1.5}); p.PDFSetLineColor(RGB{255, 255, 0});
      p.PDFSetDrawColor(RGB{0, 128, 255}); return p.PDFGetTextColor() + p.PDFGetLineColor() +
      p.PDFGetDrawColor(); }, "1.176 0.000 0.008 rg1.000 1.000 0.000 RG0.000 0.502 1.000 rg"},
    {[](P& p) { p.PDFSetTextColor("#FFFFFF"); p.PDFSetTextColor("red");
      return p.PDFGetTextColor(); }, "0.000 0.000 0.000 rg", "Couleur HTMl",
     "Code couleur HTMl invalide red.\r\nLa couleur utilisée sera le noir."},
    {[](P& p) { p.PDFSetDrawColor(16777215.0); p.PDFSetDrawColor(16777216.0);
      return p.PDFGetDrawColor(); }, "0.000 0.000 0.000 rg", "Couleur HTMl",
     "Code couleur HTMl invalide 16777216.\r\nLa couleur utilisée sera le noir."},
    {[](P& p) { std::string s; p.PDFSetLineStyle(1); s += Access::LineDash(p); p.PDFSetUnit(1);
      p.PDFSetLineStyle(1); s += Access::LineDash(p); p.PDFSetUnit(0);
       for (int c : {1, 2, 3, 0, 2, 9}) { p.PDFSetLineStyle(c), s += Access::LineDash(p); } return s; },
     "[453 226 ] 0 d[45 22 ] 0 d[16 8 ] 0 d[8 7 2 7 ] 0 d[8 4 2 4 2 4 ] 0 d[] 0 d[8 7 2 7 ] 0 d"
     "[] 0 d", "Style de Ligne",
     "Code style de ligne incorrect : 9.\r\nLe style de ligne utilisé sera pSolid."},
    {[](P& p) { std::string s = p.PDFGetAlignement();
      for (int c : {0, 1, 3, 2, 4}) p.PDFSetAlignement(c), s += p.PDFGetAlignement();
      return s; }, "LeftCenterLeftLeftRightLeft", "Code Alignement de Cellule",
     "Code alignement incorrect : 4.\r\nL'alignement utilisé sera l'alignement à gauche."},
    {[](P& p) { std::string s; for (int c : {0, 1, 2, 3, 4, 5, 45, 2345, 32, 10}) {
      p.PDFSetBorder(c), s += Access::BorderSpec(p) + ","; } return s; }, "0,1,T,B,L,R,LR,LRTB,TB,,"},
};
// clang-format on

TEST(Settings, ValuesFallbacksAndMessages) {
  for (const SettingCase& c : kCases) {
    SCOPED_TRACE(c.expected);
    std::vector<pdftest::CapturedMessage> messages;
    CreatePDF pdf;
    pdf.PDFSetMessageHandler(pdftest::CaptureInto(messages));
    EXPECT_EQ(c.set(pdf), c.expected);
    ASSERT_EQ(messages.size(), *c.topic ? 1u : 0u);
    if (messages.empty()) continue;
    EXPECT_EQ(messages[0].title, std::string(c.topic) + " - CreatePDF 1.0");
    EXPECT_EQ(messages[0].text, c.text);
    EXPECT_EQ(messages[0].icon, PDFMessageIcon::Critical);
  }
}

TEST(Settings, InvalidColourCodesGiveBlackWithTheMessage) {
  pdftest::TestDocument doc;
  CreatePDF& pdf = doc.pdf;
  std::string colours;  // each after white: black, or the code that was not refused
  for (const char* code : {"#F80", "#GG0000", "#FF80000", "#", "", "#FF80 0"})
    pdf.PDFSetLineColor("#FFFFFF"), pdf.PDFSetLineColor(code),
        colours += pdf.PDFGetLineColor() == "0.000 0.000 0.000 RG" ? "" : code;
  pdf.PDFSetDrawColor("#FFFFFF"), pdf.PDFSetDrawColor(-1.0);
  pdf.PDFSetTextColor("#FFFFFF"), pdf.PDFSetTextColor(RGB{0, std::nan(""), 0});
  EXPECT_EQ(colours + pdf.PDFGetDrawColor() + pdf.PDFGetTextColor() + "," +
                std::to_string(doc.messages.size()),
            "0.000 0.000 0.000 rg0.000 0.000 0.000 rg,8");
}

// The default handler prints on standard error; a file name (either separator) makes the file.
TEST(Settings, DefaultHandlerAndFileName) {
  CreatePDF plain;
  ::testing::internal::CaptureStderr();
  plain.PDFSetUnit(9), plain.PDFFileName("");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Code Unité de Mesure - CreatePDF 1.0: Code unité de mesure incorrect : 9.\r\n"
            "L'Unité de Mesure utilisée sera le centimètre.\n");
  EXPECT_FALSE(plain.PDFFileCreated());
  const std::string folder = std::filesystem::path(pdftest::TestFilePath()).parent_path();
  plain.PDFFileName(folder + "\\second.pdf");
  EXPECT_TRUE(plain.PDFFileCreated() && std::filesystem::remove(folder + "/second.pdf"));
}

}  // namespace
