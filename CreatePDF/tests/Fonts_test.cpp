// Font selection (PDFSetFont, the resource /Fn text refers to) and text measurement.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ConfigurationFolder.h"
#include "PdfTestSupport.h"

namespace {

using Access = CreatePDFTestAccess;
using pdftest::TestDocument;

// The resource a text drawn now refers to, read from the operator PDFTextOut writes.
std::string ResourceOfNextText(CreatePDF& pdf) {
  std::string& content = Access::PageContent(pdf);
  content.clear();
  pdf.PDFTextOut("x", 1, 1);
  const std::size_t at = content.find("/F");
  return content.substr(at, content.find(' ', at) - at);
}

TEST(PDFSetFont, ComposesTheInternalNameFromFamilyAndStyleDigits) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  struct Case {
    int32_t family, style;
    const char* name;
    const char* resource;
  };
  for (const Case& c :
       {Case{0, 0, "Helvetica", "/F1"}, Case{0, 2, "HelveticaBold", "/F2"},
        Case{0, 1, "HelveticaOblique", "/F3"}, Case{0, 21, "HelveticaBoldOblique", "/F4"},
        Case{1, 0, "Courier", "/F5"}, Case{1, 12, "CourierBoldOblique", "/F8"},
        Case{2, 0, "TimesRoman", "/F9"}, Case{2, 2, "TimesBold", "/F10"},
        Case{2, 1, "TimesItalic", "/F11"}, Case{2, 21, "TimesBoldItalic", "/F12"},
        Case{2, 9870, "TimesRoman", "/F9"},  // digits other than 1 to 3
        Case{3, 0, "Symbol", "/F13"}, Case{4, 0, "ZapfDingbats", "/F14"},
        // Symbol and ZapfDingbats have one style: a style selects the plain font
        Case{3, 12, "Symbol", "/F13"}, Case{4, 2, "ZapfDingbats", "/F14"}}) {
    doc.pdf.PDFSetFont(c.family, 10, c.style);
    EXPECT_EQ(Access::FontName(doc.pdf), c.name) << c.family << " " << c.style;
    EXPECT_EQ(ResourceOfNextText(doc.pdf), c.resource) << c.name;
  }
  doc.pdf.PDFSetFont(2, 10, 21);
  EXPECT_TRUE(Access::FontBold(doc.pdf));
  EXPECT_TRUE(Access::FontItalic(doc.pdf));
  EXPECT_TRUE(doc.messages.empty());
}

TEST(PDFSetFont, StyleDigitThreeAsksForUnderlineOfTheNextTextOnly) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  doc.pdf.PDFSetFont(1, 9, 13);
  EXPECT_EQ(Access::FontName(doc.pdf), "CourierOblique");
  EXPECT_EQ(Access::FontSize(doc.pdf), 9);
  EXPECT_TRUE(Access::FontUnderline(doc.pdf));
  doc.pdf.PDFSetFont(0, 9);  // a later regular font does not cancel the request
  EXPECT_TRUE(Access::FontUnderline(doc.pdf));
  doc.pdf.PDFTextOut("a", 1, 1);
  EXPECT_FALSE(Access::FontUnderline(doc.pdf));
}

TEST(PDFSetFont, AnInvalidFamilyShowsTheMessageAndSelectsTimesRoman) {
  TestDocument doc;
  doc.pdf.PDFSetFont(2, 10, 21);
  doc.pdf.PDFSetFont(7, 11, 2);
  ASSERT_EQ(doc.messages.size(), 1u);
  EXPECT_EQ(doc.messages[0].title, "Nom de Font - CreatePDF 1.0");
  EXPECT_EQ(doc.messages[0].text,
            "Nom de font incorrecte : 7.\r\n"
            "La font utilisée sera Times New Roman non gras , non italique.");
  EXPECT_EQ(doc.messages[0].icon, PDFMessageIcon::Critical);
  EXPECT_EQ(Access::FontName(doc.pdf), "TimesRoman");
  EXPECT_EQ(Access::FontSize(doc.pdf), 11);
  EXPECT_FALSE(Access::FontBold(doc.pdf));
  EXPECT_FALSE(Access::FontItalic(doc.pdf));
  doc.pdf.PDFSetFont(-1, 11);
  EXPECT_EQ(doc.messages.size(), 2u);
}

// A configuration folder of its own holding the given metrics file.
std::string ConfigFolderWith(const std::string& name, const std::string& ini) {
  auto folder = std::filesystem::path(pdftest::TestFilePath(name, ""));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "gPDFFonts.ini", std::ios::binary) << ini;
  return folder.string();
}

// Helvetica with the blank (code 32) at `blank`, the digits (48 to 57) at `digit` and
// every other code at 500, written 20 widths to a key as the shipped file is.
std::string HelveticaSection(int blank, int digit) {
  std::string section = "[Helvetica]\r\n";
  for (int key = 0; key < 13; ++key) {
    section += "L" + std::to_string(key + 1) + "=";
    for (int code = key * 20; code < std::min(256, key * 20 + 20); ++code) {
      const int w = code == 32 ? blank : (code >= 48 && code <= 57 ? digit : 500);
      section += (code > key * 20 ? "," : "") + std::to_string(w);
    }
    section += "\r\n";
  }
  return section;
}

TEST(PDFGetStringWidth, SumsTheWidthsOfTheMetricsFileAtTheSize) {
  const std::string folder = ConfigFolderWith("a", HelveticaSection(278, 556));
  CreatePDF pdf;
  pdf.PDFPathConfiguration(folder);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("10 0", "Helvetica", 10), 19.46);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("", "Helvetica", 10), 0);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("0", "NoSuchFont", 10), 0);
  std::filesystem::remove_all(folder);
}

// With no folder named, a writer looks for the metrics beside the program, then in the
// installed metrics folder relative to the program, then in the install prefix's.
TEST(DefaultConfigurationFolder, IsTheFirstFolderHoldingTheMetricsElseTheProgramsFolder) {
  struct Case {
    const char* name;
    bool inProgram, inRelative, inAbsolute;
    const char* expected;
  };
  const Case kCases[] = {
      {"program folder first", true, true, true, "prefix/bin"},
      {"installed beside the program", false, true, true, "prefix/share/CreatePDF"},
      {"install prefix", false, false, true, "usr/share/CreatePDF"},
      {"nowhere: the program folder", false, false, false, "prefix/bin"},
  };
  const std::filesystem::path root = pdftest::TestFilePath("", "");
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(root);
    for (const auto& [folder, holds] :
         {std::pair{"prefix/bin", c.inProgram}, std::pair{"prefix/share/CreatePDF", c.inRelative},
          std::pair{"usr/share/CreatePDF", c.inAbsolute}}) {
      std::filesystem::create_directories(root / folder);
      if (holds) std::ofstream(root / folder / "gPDFFonts.ini") << "[Helvetica]\r\n";
    }
    EXPECT_EQ(createpdf::DefaultConfigurationFolderAmong(root / "prefix/bin", "../share/CreatePDF",
                                                         root / "usr/share/CreatePDF"),
              (root / c.expected).string());
  }
  std::filesystem::remove_all(root);
}

TEST(PDFGetStringWidth, ReadsTheFileOncePerConfigurationFolder) {
  const std::string first = ConfigFolderWith("first", HelveticaSection(278, 556));
  const std::string second = ConfigFolderWith("second", HelveticaSection(300, 600));
  CreatePDF pdf;
  pdf.PDFPathConfiguration(first);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("0 ", "Helvetica", 10), 8.34);
  std::filesystem::remove_all(first);  // measured from memory from now on
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("0 ", "Helvetica", 10), 8.34);
  pdf.PDFPathConfiguration(second);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("0 ", "Helvetica", 10), 9);
  std::filesystem::remove_all(second);
}

TEST(PDFGetStringWidth, MeasuresWithTheShippedWidthsOfTheStandardFonts) {
  CreatePDF pdf;
  pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("A", "Helvetica", 1000), 667);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth(" ", "TimesRoman", 1000), 250);
  const std::string printable = " !\"#$%&'()*+,-./0123456789:;<=>?@AZaz{|}~";
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth(printable, "Courier", 10), 6.0 * printable.size());
  // Windows-1252 codes: é is 0xE9, the euro sign 0x80; an arrow has no code and is "?".
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("é€", "TimesRoman", 1000), 444 + 500);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("→", "Helvetica", 10),
                   pdf.PDFGetStringWidth("?", "Helvetica", 10));
  // An empty name means the current font; with none selected, text is Helvetica.
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("A", "", 10), 6.67);
  pdf.PDFSetFont(2, 12);
  EXPECT_DOUBLE_EQ(pdf.PDFGetStringWidth("A", "", 10), 7.22);
}

TEST(PDFGetStringWidth, CachedWidthsEqualAFreshReadForEveryFont) {
  std::string all;
  for (int c = 32; c < 127; ++c) all += static_cast<char>(c);
  all += "€éèàçôÿŒœ«»–—…";
  CreatePDF measuredOften;
  measuredOften.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
  for (const std::string& font : Access::FontNames(measuredOften)) {
    measuredOften.PDFGetStringWidth("warm", font, 10);
  }
  for (const std::string& font : Access::FontNames(measuredOften)) {
    CreatePDF fresh;
    fresh.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
    const double width = fresh.PDFGetStringWidth(all, font, 11);
    EXPECT_GT(width, 0) << font;
    EXPECT_DOUBLE_EQ(measuredOften.PDFGetStringWidth(all, font, 11), width) << font;
  }
}

}  // namespace
