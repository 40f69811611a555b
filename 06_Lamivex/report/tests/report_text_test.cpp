// Labels made printable, the report's numbers, fitted and wrapped texts, the summary line.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"
#include "ReportData.h"
#include "ReportText.h"
#include "platform/RunError.h"

namespace lamivex::report {
namespace {

TEST(ReportText, LabelsNumbersAndFittedTexts) {
  pdftest::FrenchLocale french;  // the numbers keep their point under a decimal comma
  ReportLabels labels;
  labels.LblPVB = "\"PVB\"";
  // One unit of width per byte: "é" counts two, the ellipsis three.
  const auto bytes = [](const std::string& t) { return static_cast<double>(t.size()); };
  const auto lines = [](const std::vector<std::string>& all) {
    std::string text;
    for (const std::string& line : all) text += line + "|";
    return text;
  };
  const std::pair<std::string, std::string> cases[] = {
      {PrintableLabel("\"Projet/Référence :\""), "Projet/Référence :"},
      {WithoutColon("Vitrages :"), "Vitrages"},
      {KindText(MakeReportTexts(labels), 4), "PVB"},  // any other kind loads as an interlayer
      {OneDecimal(72.649), "72.6"},
      {OneDecimal(7.05), "7.0"},  // 7.05 is stored just below 7.05
      {OneDecimal(-0.04), "0.0"},
      {OneDecimal(100.0), "100.0"},
      {ShortNumber(8.76), "8.76"},
      {lines(SplitColumnTitles("  Te(%)   Re1(%)  Ab1(%) ")), "Te(%)|Re1(%)|Ab1(%)|"},
      {FitText("Démo 44.2", 20, bytes), "Démo 44.2"},
      {FitText("Démo 44.2", 7, bytes), "Dém\xE2\x80\xA6"},
      {FitText("Démo 44.2", 9, bytes), "Démo\xE2\x80\xA6"},  // no blank before the ellipsis
      {FitText("éééé", 5, bytes), "é\xE2\x80\xA6"},
      {FitText("abc", 1, bytes), ""},
      {lines(WrapText("ab  cd ef", 5, bytes)), "ab cd|ef|"},
      {lines(WrapText("abcdefg h", 3, bytes)), "abc|def|g h|"},  // a word too wide
      {lines(WrapText("éé", 2, bytes)), "é|é|"},
      {lines(WrapText(" ", 5, bytes)), ""},
      {lines(SummaryValues("\"Caract\xE9ristiques, sortant\",73, 7 ,20,84,7,20,84,81,8,11,8,0.5",
                           "x")),
       "73|7|20|84|7|20|84|81|8|11|8|0.5|"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
  }
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
