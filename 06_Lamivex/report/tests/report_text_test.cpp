// Labels made printable, the report's numbers, fitted texts and the summary line.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"
#include "ReportData.h"
#include "ReportText.h"
#include "platform/RunError.h"

namespace lamivex::report {
namespace {

TEST(ReportText, LabelsLoseQuotesAndOuterBlanks) {
  EXPECT_EQ(PrintableLabel("\" oui\""), "oui");
  EXPECT_EQ(PrintableLabel("\"Projet/Référence :\""), "Projet/Référence :");
  EXPECT_EQ(PrintableLabel(""), "");
  EXPECT_EQ(WithoutColon("Vitrages :"), "Vitrages");
  EXPECT_EQ(WithoutColon("Glazings:"), "Glazings");
  EXPECT_EQ(WithoutColon(""), "");
}

TEST(ReportText, KindsOfLayers) {
  ReportLabels labels;
  labels.LblGlass = "\"verre\"";
  labels.LblFilm = "\"film\"";
  labels.LblPVB = "\"PVB\"";
  const ReportTexts texts = MakeReportTexts(labels);
  EXPECT_EQ(KindText(texts, 1), "verre");
  EXPECT_EQ(KindText(texts, 2), "film");
  EXPECT_EQ(KindText(texts, 3), "PVB");
  EXPECT_EQ(KindText(texts, 4), "PVB");  // any other kind loads as an interlayer
}

TEST(ReportText, NumbersUseAPointUnderACommaLocale) {
  pdftest::FrenchLocale french;
  EXPECT_EQ(OneDecimal(72.649), "72.6");
  EXPECT_EQ(OneDecimal(7.05), "7.0");  // 7.05 is stored just below 7.05
  EXPECT_EQ(OneDecimal(-0.04), "0.0");
  EXPECT_EQ(OneDecimal(100.0), "100.0");
  EXPECT_EQ(ShortNumber(8.76), "8.76");
  EXPECT_EQ(ShortNumber(84.0), "84");
  EXPECT_EQ(ShortNumber(2500.0), "2500");
  EXPECT_EQ(ShortNumber(0.5), "0.5");
}

TEST(ReportText, ColumnTitlesOfTheSummaryHeader) {
  const std::vector<std::string> titles = SplitColumnTitles(
      "Te(%)      Re1(%)      Ab1(%)      Emn1(%)      Re2(%)      Ab2(%)      Emn2(%)      "
      "Trl(%)      Rl1(%)      Abl1(%)      Rl2(%)      Abl2(%)");
  ASSERT_EQ(titles.size(), 12u);
  EXPECT_EQ(titles.front(), "Te(%)");
  EXPECT_EQ(titles[3], "Emn1(%)");
  EXPECT_EQ(titles.back(), "Abl2(%)");
  EXPECT_TRUE(SplitColumnTitles("").empty());
  EXPECT_EQ(SplitColumnTitles("  a  b ").size(), 2u);
}

TEST(ReportText, FittedAndWrappedTextsKeepWholeCharacters) {
  // One unit of width per byte: "é" counts two, the ellipsis three.
  const auto bytes = [](const std::string& t) { return static_cast<double>(t.size()); };
  EXPECT_EQ(FitText("Démo 44.2", 20, bytes), "Démo 44.2");
  EXPECT_EQ(FitText("Démo 44.2", 7, bytes), "Dém\xE2\x80\xA6");
  EXPECT_EQ(FitText("Démo 44.2", 9, bytes), "Démo\xE2\x80\xA6");  // no blank before the ellipsis
  EXPECT_EQ(FitText("éééé", 5, bytes), "é\xE2\x80\xA6");
  EXPECT_EQ(FitText("éééé", 4, bytes), "\xE2\x80\xA6");
  EXPECT_EQ(FitText("abc", 1, bytes), "");

  using Lines = std::vector<std::string>;
  EXPECT_EQ(WrapText("ab  cd ef", 5, bytes), (Lines{"ab cd", "ef"}));
  EXPECT_EQ(WrapText("abcdefg h", 3, bytes), (Lines{"abc", "def", "g h"}));  // a word too wide
  EXPECT_EQ(WrapText("éé", 2, bytes), (Lines{"é", "é"}));
  EXPECT_TRUE(WrapText(" ", 5, bytes).empty());
}

TEST(SummaryLine, TwelveValuesAfterTheTitle) {
  const std::vector<std::string> values = SummaryValues(
      "\"Caractéristiques de l'élément sortant\",73,7,20,84,7,20,84,81,8,11,8,11", "Lamivex.out");
  ASSERT_EQ(values.size(), 12u);
  EXPECT_EQ(values[0], "73");
  EXPECT_EQ(values[3], "84");
  EXPECT_EQ(values[11], "11");
  EXPECT_EQ(SummaryValues("\"a, b\", 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0.5", "x")[11], "0.5");
  for (const char* bad :
       {"", "73,7", "\"title\",1,2,3", "\"title\",1,2,3,4,5,6,7,8,9,10,11,12,13"}) {
    try {
      SummaryValues(bad, "/t/Lamivex.out");
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const RunError& e) {
      EXPECT_NE(std::string(e.what()).find("/t/Lamivex.out"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace lamivex::report
