// Reading gPDFFonts.ini: the keyed-text rules and the shipped widths of the 14 fonts.
#include "FontMetrics.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

using createpdf::FontWidths;
using createpdf::PDFReadMetricsFile;

namespace {

std::string WriteTempFile(const std::string& name, const std::string& content) {
  auto path = std::filesystem::temp_directory_path() /
              ("createpdf_metrics_" + std::to_string(getpid()) + "_" + name);
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

// "L1=..." to "L13=..." holding the widths 0..255 as 1000 + code, 20 to a key.
std::string CountingSection(const std::string& name) {
  std::string text = "[" + name + "]\r\n";
  for (int key = 0; key < 13; ++key) {
    text += "L" + std::to_string(key + 1) + "=";
    for (int code = key * 20; code < std::min(256, key * 20 + 20); ++code) {
      text += (code > key * 20 ? "," : "") + std::to_string(1000 + code);
    }
    text += "\r\n";
  }
  return text;
}

TEST(FontMetricsFile, KeysJoinInOrderIntoTheWidthsOfCodes0To255) {
  auto path = WriteTempFile("order.ini", "; comment\r\n" + CountingSection("Helvetica"));
  auto fonts = PDFReadMetricsFile(path);
  ASSERT_EQ(fonts.count("HELVETICA"), 1u);
  const FontWidths& w = fonts.at("HELVETICA");
  EXPECT_EQ(w[0], 1000);
  EXPECT_EQ(w[19], 1019);
  EXPECT_EQ(w[20], 1020);  // first element of L2
  EXPECT_EQ(w[255], 1255);
  std::filesystem::remove(path);
}

TEST(FontMetricsFile, SectionsAndKeysMatchWithoutRegardToCase) {
  auto path = WriteTempFile("case.ini", "[courier]\nl1 = 600 , 601\n");
  auto fonts = PDFReadMetricsFile(path);
  ASSERT_EQ(fonts.count(createpdf::PDFMetricsSectionKey("Courier")), 1u);
  EXPECT_EQ(fonts.at("COURIER")[0], 600);
  EXPECT_EQ(fonts.at("COURIER")[1], 601);
  std::filesystem::remove(path);
}

TEST(FontMetricsFile, MissingOrShortOrBadWidthsMeasureZero) {
  // L2 is missing: it reads as empty, so one empty element stands where its widths were.
  auto path = WriteTempFile("short.ini", "[F]\nL1=10,x,12.9,,-4\nL3=30\n");
  const FontWidths w = PDFReadMetricsFile(path).at("F");
  EXPECT_EQ(w[0], 10);
  EXPECT_EQ(w[1], 0);   // not a number
  EXPECT_EQ(w[2], 12);  // whole-number part
  EXPECT_EQ(w[3], 0);   // empty element
  EXPECT_EQ(w[4], -4);
  EXPECT_EQ(w[5], 0);   // the empty L2
  EXPECT_EQ(w[6], 30);  // L3 follows it
  EXPECT_EQ(w[7], 0);   // past the end of the list
  EXPECT_EQ(w[255], 0);
  std::filesystem::remove(path);

  EXPECT_TRUE(PDFReadMetricsFile("/nonexistent/gPDFFonts.ini").empty());
}

TEST(FontMetricsFile, AValueIsCutAt254Characters) {
  // 50 elements "1234," (250 characters) then "567890": the value ends after "5678".
  std::string value;
  for (int i = 0; i < 50; ++i) value += "1234,";
  value += "567890";
  auto path = WriteTempFile("long.ini", "[F]\nL1=\"" + value + "\"\n");
  const FontWidths w = PDFReadMetricsFile(path).at("F");
  EXPECT_EQ(w[49], 1234);
  EXPECT_EQ(w[50], 5678);
  std::filesystem::remove(path);
}

TEST(FontMetricsFile, WidthElementsAreWholeNumbersOrZero) {
  EXPECT_EQ(createpdf::PDFWidthElement(" 556 "), 556);
  EXPECT_EQ(createpdf::PDFWidthElement("556.9"), 556);
  EXPECT_EQ(createpdf::PDFWidthElement("5x"), 0);
  EXPECT_EQ(createpdf::PDFWidthElement("nan"), 0);
  EXPECT_EQ(createpdf::PDFWidthElement("1e300"), 0);
  EXPECT_EQ(createpdf::PDFWidthElement(""), 0);
}

class ShippedMetrics : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fonts_ = PDFReadMetricsFile(std::string(CREATEPDF_SOURCE_DIR) + "/config/gPDFFonts.ini");
  }
  static const FontWidths& Font(const std::string& name) {
    return fonts_.at(createpdf::PDFMetricsSectionKey(name));
  }
  static std::map<std::string, FontWidths> fonts_;
};
std::map<std::string, FontWidths> ShippedMetrics::fonts_;

TEST_F(ShippedMetrics, HoldTheFourteenFontsWithTheirStandardWidths) {
  for (const char* name :
       {"Helvetica", "HelveticaBold", "HelveticaOblique", "HelveticaBoldOblique", "Courier",
        "CourierBold", "CourierOblique", "CourierBoldOblique", "TimesRoman", "TimesBold",
        "TimesItalic", "TimesBoldItalic", "Symbol", "ZapfDingbats"}) {
    EXPECT_EQ(fonts_.count(createpdf::PDFMetricsSectionKey(name)), 1u) << name;
  }
  EXPECT_EQ(Font("Helvetica")['A'], 667);
  EXPECT_EQ(Font("Helvetica")[' '], 278);
  EXPECT_EQ(Font("Helvetica")['0'], 556);
  EXPECT_EQ(Font("HelveticaBold")['A'], 722);
  EXPECT_EQ(Font("TimesRoman")[' '], 250);
  EXPECT_EQ(Font("TimesRoman")[0xE9], 444);  // é in Windows-1252
  EXPECT_EQ(Font("TimesRoman")[0x80], 500);  // the euro sign
  for (int code = 32; code < 256; ++code) {
    EXPECT_EQ(Font("Courier")[code], 600) << code;
    EXPECT_EQ(Font("CourierBoldOblique")[code], 600) << code;
  }
}

TEST_F(ShippedMetrics, SymbolAndZapfDingbatsUseTheirOwnCodes) {
  EXPECT_EQ(Font("Symbol")['a'], 631);  // alpha
  EXPECT_EQ(Font("Symbol")[' '], 250);
  EXPECT_EQ(Font("ZapfDingbats")[' '], 278);
  EXPECT_EQ(Font("ZapfDingbats")['!'], 974);   // a1
  EXPECT_EQ(Font("ZapfDingbats")[0x80], 390);  // a89
}

}  // namespace
