// Colours in their three forms, dash patterns and cell alignment, with their messages.
#include <gtest/gtest.h>

#include <cmath>

#include "PdfTestSupport.h"

namespace {

using Access = CreatePDFTestAccess;
using pdftest::CapturedMessage;

class Settings : public ::testing::Test {
 protected:
  Settings() { pdf.PDFSetMessageHandler(pdftest::CaptureInto(messages)); }
  std::vector<CapturedMessage> messages;
  CreatePDF pdf;
};

using Colours = Settings;

TEST_F(Colours, CodesBecomeDeviceRgbOperatorsWithTheSetterSuffix) {
  EXPECT_EQ(pdf.PDFGetTextColor(), "0 g");  // defaults
  EXPECT_EQ(pdf.PDFGetLineColor(), "0 G");
  EXPECT_EQ(pdf.PDFGetDrawColor(), "0 g");
  pdf.PDFSetTextColor("#000000");
  EXPECT_EQ(Access::TextColorOp(pdf), "0.000 0.000 0.000 rg");
  pdf.PDFSetLineColor("#FFFFFF");
  EXPECT_EQ(Access::LineColorOp(pdf), "1.000 1.000 1.000 RG");
  pdf.PDFSetDrawColor("#ff8000");
  EXPECT_EQ(Access::DrawColorOp(pdf), "1.000 0.502 0.000 rg");
  pdf.PDFSetTextColor("#0000FF");
  EXPECT_EQ(pdf.PDFGetTextColor(), "0.000 0.000 1.000 rg");
  EXPECT_TRUE(messages.empty());
}

TEST_F(Colours, PackedNumbersHoldRedInTheLowestByte) {
  pdf.PDFSetTextColor(255.0);
  EXPECT_EQ(Access::TextColorOp(pdf), "1.000 0.000 0.000 rg");
  pdf.PDFSetTextColor(16711680.0);
  EXPECT_EQ(Access::TextColorOp(pdf), "0.000 0.000 1.000 rg");
  pdf.PDFSetLineColor(32768.9);  // the whole part: green 128
  EXPECT_EQ(Access::LineColorOp(pdf), "0.000 0.502 0.000 RG");
  pdf.PDFSetDrawColor(16777215.0);
  EXPECT_EQ(Access::DrawColorOp(pdf), "1.000 1.000 1.000 rg");
  EXPECT_TRUE(messages.empty());
}

TEST_F(Colours, ArrayComponentsAreRoundedHalvesToEvenAndNotClipped) {
  pdf.PDFSetDrawColor(std::array<double, 3>{0, 128, 255});
  EXPECT_EQ(Access::DrawColorOp(pdf), "0.000 0.502 1.000 rg");
  pdf.PDFSetTextColor(std::array<double, 3>{300, 0.5, 1.5});
  EXPECT_EQ(Access::TextColorOp(pdf), "1.176 0.000 0.008 rg");
  pdf.PDFSetLineColor(std::array<double, 3>{255, 255, 0});
  EXPECT_EQ(Access::LineColorOp(pdf), "1.000 1.000 0.000 RG");
  EXPECT_TRUE(messages.empty());
}

TEST_F(Colours, InvalidValuesShowTheColourMessageAndGiveBlack) {
  pdf.PDFSetTextColor("red");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Couleur HTMl - CreatePDF 1.0");
  EXPECT_EQ(messages[0].text,
            "Code couleur HTMl invalide red.\r\nLa couleur utilisée sera le noir.");
  EXPECT_EQ(messages[0].icon, PDFMessageIcon::Critical);
  EXPECT_EQ(Access::TextColorOp(pdf), "0.000 0.000 0.000 rg");

  for (const char* code : {"#F80", "#GG0000", "#FF80000", "#", ""}) {
    pdf.PDFSetLineColor("#FFFFFF");
    pdf.PDFSetLineColor(code);
    EXPECT_EQ(Access::LineColorOp(pdf), "0.000 0.000 0.000 RG") << code;
  }
  pdf.PDFSetDrawColor(-1.0);
  EXPECT_EQ(Access::DrawColorOp(pdf), "0.000 0.000 0.000 rg");
  pdf.PDFSetDrawColor(16777216.0);
  EXPECT_EQ(messages.back().text,
            "Code couleur HTMl invalide 16777216.\r\nLa couleur utilisée sera le noir.");
  pdf.PDFSetDrawColor(std::array<double, 3>{0, std::nan(""), 0});
  EXPECT_EQ(Access::DrawColorOp(pdf), "0.000 0.000 0.000 rg");
  EXPECT_EQ(messages.size(), 1u + 5 + 3);
}

TEST_F(Colours, NumbersKeepTheirPeriodUnderACommaLocale) {
  pdftest::FrenchLocale french;
  pdf.PDFSetTextColor("#FF8000");
  EXPECT_EQ(Access::TextColorOp(pdf), "1.000 0.502 0.000 rg");
}

using LineStyles = Settings;

TEST_F(LineStyles, DashLengthsAreWholePointsOfTheUnitInForce) {
  pdf.PDFSetLineStyle(1);  // centimetre
  EXPECT_EQ(Access::LineDash(pdf), "[453 226 ] 0 d");
  pdf.PDFSetUnit(1);  // millimetre
  pdf.PDFSetLineStyle(1);
  EXPECT_EQ(Access::LineDash(pdf), "[45 22 ] 0 d");
  pdf.PDFSetUnit(0);  // point
  pdf.PDFSetLineStyle(1);
  EXPECT_EQ(Access::LineDash(pdf), "[16 8 ] 0 d");
  pdf.PDFSetLineStyle(2);
  EXPECT_EQ(Access::LineDash(pdf), "[8 7 2 7 ] 0 d");
  pdf.PDFSetLineStyle(3);
  EXPECT_EQ(Access::LineDash(pdf), "[8 4 2 4 2 4 ] 0 d");
  pdf.PDFSetLineStyle(0);
  EXPECT_EQ(Access::LineDash(pdf), "[] 0 d");
  EXPECT_TRUE(messages.empty());
}

TEST_F(LineStyles, AnUnknownCodeShowsTheMessageAndGivesSolid) {
  pdf.PDFSetLineStyle(2);
  pdf.PDFSetLineStyle(9);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Style de Ligne - CreatePDF 1.0");
  EXPECT_EQ(messages[0].text,
            "Code style de ligne incorrect : 9.\r\nLe style de ligne utilisé sera pSolid.");
  EXPECT_EQ(Access::LineDash(pdf), "[] 0 d");
}

using Alignments = Settings;

TEST_F(Alignments, CodesAndTheirNames) {
  EXPECT_EQ(pdf.PDFGetAlignement(), "Left");  // unset
  struct Case {
    int32_t code;
    const char* stored;
    const char* name;
  };
  for (const Case& c : {Case{0, "C", "Center"}, Case{1, "L", "Left"}, Case{2, "R", "Right"},
                        Case{3, "FJ", "Left"}}) {
    pdf.PDFSetAlignement(c.code);
    EXPECT_EQ(Access::Alignment(pdf), c.stored);
    EXPECT_EQ(pdf.PDFGetAlignement(), c.name);
  }
  EXPECT_TRUE(messages.empty());
  pdf.PDFSetAlignement(0);
  pdf.PDFSetAlignement(4);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Code Alignement de Cellule - CreatePDF 1.0");
  EXPECT_EQ(messages[0].text,
            "Code alignement incorrect : 4.\r\nL'alignement utilisé sera l'alignement à gauche.");
  EXPECT_EQ(Access::Alignment(pdf), "L");
}

}  // namespace
