// Numbers (also under a decimal-comma locale), UTF-8 to Windows-1252, escaping, text widths.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "Encoding.h"
#include "FontMetrics.h"
#include "Numbers.h"
#include "PdfTestSupport.h"

namespace {

void ExpectNumberTexts() {
  // clang-format off
  const std::tuple<double, int, const char*> fixed[] = {{12.5, 2, "12.50"}, {-3, 2, "-3.00"},
      {85.03937007874016, 2, "85.04"}, {0.125, 2, "0.13"}, {2.675, 2, "2.68"}, {-2.675, 2, "-2.68"},
      {0.03, 2, "0.03"}, {-0.001, 2, "0.00"}, {0, 2, "0.00"}, {999.995, 2, "1000.00"}, {0.5, 0, "1"},
      {-2.5, 0, "-3"}, {1234567.891, 3, "1234567.891"}, {1e-7, 2, "0.00"}, {0.00051, 3, "0.001"},
      {6.123e-17, 5, "0.00000"}, {0.70711, 5, "0.70711"}, {123456789012.345, 2, "123456789012.35"},
      {1e16, 2, "10000000000000000.00"},
      {1e16, 1, "10000000000000000.0"}, {0.25, 1, "0.3"}, {-2.25, 1, "-2.3"}};
  const std::pair<double, const char*> general[] = {{595.28, "595.28"}, {612, "612"},
      {0.1 + 0.2, "0.3"}, {-12.5, "-12.5"}, {-0.0, "0"}, {1e20, "100000000000000000000"},
      {1.5e-7, "0.00000015"}, {123456789.123456789, "123456789.123457"},
      {85.03937007874016, "85.0393700787402"}};
  // clang-format on
  for (const auto& [number, decimals, text] : fixed)
    EXPECT_EQ(CreatePDF::PDFFormatNumber(number, decimals), text) << number << " " << decimals;
  for (const auto& [number, text] : general)
    EXPECT_EQ(createpdf::FormatGeneralNumber(number), text);
}

TEST(Numbers, FixedAndGeneralFormsAlsoUnderADecimalCommaLocale) {
  ExpectNumberTexts();
  pdftest::FrenchLocale french;
  EXPECT_TRUE(!french.active() || std::to_string(1.5) == "1,500000");  // printf's comma
  ExpectNumberTexts();
  for (double bad : {NAN, INFINITY})
    EXPECT_THROW(CreatePDF::PDFFormatNumber(bad), std::invalid_argument);
  EXPECT_THROW(createpdf::FormatGeneralNumber(-INFINITY), std::invalid_argument);
}

TEST(Encoding, Utf8BecomesWindows1252AndStringsAreEscaped) {
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {{"\xC2\xA0\xC3\xBF", "\xA0\xFF"},
      {"€ ‚ ƒ „ …", "\x80 \x82 \x83 \x84 \x85"}, {"Ž ž š Š", "\x8E \x9E \x9A \x8A"},
      {"Œuvre – “x” — ™ Ÿ", "\x8Cuvre \x96 \x93x\x94 \x97 \x99 \x9F"}, {"中", "?"},
      {"\xF0\x9F\x98\x80!", "?!"}, {"\xC2\x81", "?"}, {"caf\xE9", "caf?"}, {"a\xC3", "a?"},
      {"\xC0\xAF", "??"}, {"\xED\xA0\x80", "???"}, {"\xE2\x82x", "??x"},
      {std::string("a\0b", 3), std::string("a\0b", 3)}, {"0123456789abcdefé", "0123456789abcdef\xE9"}};
  // clang-format on
  for (const auto& [utf8, bytes] : cases) EXPECT_EQ(createpdf::ToWindows1252(utf8), bytes) << utf8;
  EXPECT_EQ(createpdf::EscapePdfString("a\\b(c)(("), "a\\\\b\\(c\\)\\(\\(");
  EXPECT_EQ(createpdf::PdfStringText("(été)"), "\\(\xE9t\xE9\\)");
}

std::string Folder(const std::string& name, const std::string& ini) {
  const std::string folder = pdftest::TestFilePath(name, "");
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/gPDFFonts.ini", std::ios::binary) << ini;
  return folder;
}

// Helvetica: the blank at `blank`, the digits at `digit`, the rest at 500, 20 to a key.
std::string HelveticaSection(int blank, int digit) {
  std::string section = "; widths\r\n[Helvetica]\r\n";
  for (int code = 0; code < 256; ++code) {
    if (code % 20 == 0) section += (code ? "\r\nL" : "L") + std::to_string(code / 20 + 1) + "=";
    section += (code % 20 ? "," : "") + std::to_string(code == 32                 ? blank
                                                       : code >= 48 && code <= 57 ? digit
                                                                                  : 500);
  }
  return section + "\r\n";
}

TEST(Metrics, WidthsOfTheMetricsFileReadOncePerConfigurationFolder) {
  const std::string first = Folder("a", HelveticaSection(278, 556));
  const std::string second = Folder("b", HelveticaSection(300, 600));
  CreatePDF pdf;
  pdf.PDFPathConfiguration(first);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("10 0", "Helvetica", 10), 19.46);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("0", "NoSuchFont", 10), 0);
  std::filesystem::remove_all(first);  // measured from memory from now on
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("0 ", "Helvetica", 10), 8.34);
  pdf.PDFPathConfiguration(second);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("0 ", "helvetica", 10), 9);
  std::filesystem::remove_all(second);
  pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
  const std::string printable = " !\"#$%&'()*+,-./0123456789:;<=>?@AZaz{|}~";
  // clang-format off
  const std::tuple<std::string, const char*, double> widths[] = {{"A", "Helvetica", 667},
      {"A", "HelveticaBold", 722}, {" ", "TimesRoman", 250}, {"é€", "TimesRoman", 944},
      {printable, "CourierBoldOblique", 600 * printable.size()}, {"→", "Helvetica", 556},
      {"a", "Symbol", 631}, {"!€", "ZapfDingbats", 974 + 390}, {"A", "", 667}};  // "": Helvetica
  // clang-format on
  for (const auto& [text, font, width] : widths)
    EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth(text, font, 1000), width) << font;
  pdf.PDFSetFont(2, 12);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("A", "", 10), 7.22);
}

TEST(Metrics, KeyedTextRules) {
  std::string value = "\"";  // a value is cut at 254 characters
  for (int i = 0; i < 50; ++i) value += "1234,";
  const std::string folder =
      Folder("c", "[F]\nl1 = 10,x,12.9,,-4\nL3=30\n[G]\nL1=" + value + "567890\"\n");
  const auto fonts = createpdf::PDFReadMetricsFile(folder + "/gPDFFonts.ini");
  const createpdf::FontWidths& f = fonts.at("F");
  // Not a number, empty or past the list: 0; the missing L2 reads as one empty element.
  EXPECT_EQ(std::vector<int32_t>(f.begin(), f.begin() + 8),
            (std::vector<int32_t>{10, 0, 12, 0, -4, 0, 30, 0}));
  EXPECT_EQ(fonts.at("G")[49] * 10000 + fonts.at("G")[50], 12345678);
  EXPECT_EQ(createpdf::PDFWidthElement("nan") + createpdf::PDFWidthElement("1e300") +
                createpdf::PDFWidthElement(" 556 "),
            556);
  EXPECT_TRUE(createpdf::PDFReadMetricsFile("/nonexistent/gPDFFonts.ini").empty());
  std::filesystem::remove_all(folder);
}

}  // namespace
