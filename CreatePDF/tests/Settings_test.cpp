// The writer's defaults, its setters with their validation messages and fallbacks, the
// page format and orientation, margins and the output file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "PdfTestSupport.h"

namespace {

using pdftest::CapturedMessage;
using Access = CreatePDFTestAccess;

class Settings : public ::testing::Test {
 protected:
  Settings() { pdf.PDFSetMessageHandler(pdftest::CaptureInto(messages)); }

  // Exactly one critical message with this title and text since the last check.
  void ExpectOneMessage(const std::string& title, const std::string& text) {
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, title);
    EXPECT_EQ(messages[0].text, text);
    EXPECT_EQ(messages[0].icon, PDFMessageIcon::Critical);
    messages.clear();
  }

  std::vector<CapturedMessage> messages;
  CreatePDF pdf;
};

TEST_F(Settings, NewWriterHasTheDefaults) {
  EXPECT_EQ(pdf.PDFGetUnit(), "cm");
  EXPECT_EQ(pdf.PDFGetLeftMargin(), 1);
  EXPECT_EQ(pdf.PDFGetTopMargin(), 1);
  EXPECT_EQ(pdf.PDFGetRightMargin(), 1);
  EXPECT_EQ(pdf.PDFGetBottomMargin(), 1);
  EXPECT_EQ(pdf.PDFGetCellMargin(), 3);
  EXPECT_EQ(pdf.PDFGetPageWidth(), 595.28);
  EXPECT_EQ(pdf.PDFGetPageHeight(), 841.89);
  EXPECT_EQ(Access::PageOrientations(pdf).at(1), "p");
  EXPECT_EQ(pdf.PDFGetX(), 1);
  EXPECT_EQ(pdf.PDFGetY(), 1);
  EXPECT_EQ(pdf.PDFGetZoomMode(), 0);
  EXPECT_EQ(pdf.PDFGetLayoutMode(), 0);
  EXPECT_EQ(pdf.PDFPageNumber(), 0);
  EXPECT_EQ(pdf.PDFNbPage(), 0);
  EXPECT_FALSE(pdf.PDFFileCreated());
  EXPECT_EQ(Access::LineWidth(pdf), 0.567);
  EXPECT_EQ(Access::DrawMode(pdf), "");
  EXPECT_EQ(Access::TextColorOp(pdf), "0 g");
  EXPECT_EQ(Access::LineColorOp(pdf), "0 G");
  EXPECT_EQ(Access::DrawColorOp(pdf), "0 g");
  EXPECT_EQ(Access::FontNames(pdf).size(), 14u);
  EXPECT_FALSE(Access::PathConfig(pdf).empty());
  EXPECT_TRUE(messages.empty());
}

TEST_F(Settings, CodesAreAcceptedOrRejectedWithTheirMessageAndFallback) {
  for (int32_t code = 0; code <= 3; ++code) {
    pdf.PDFSetLayoutMode(code);
    EXPECT_EQ(pdf.PDFGetLayoutMode(), code);
  }
  pdf.PDFSetZoomMode(150);
  EXPECT_EQ(pdf.PDFGetZoomMode(), 150);
  const char* units[] = {"pt", "mm", "cm"};
  for (int32_t code = 0; code <= 2; ++code) {
    pdf.PDFSetUnit(code);
    EXPECT_EQ(pdf.PDFGetUnit(), units[code]);
  }
  const char* modes[] = {"", "D", "DB"};
  for (int32_t code = 0; code <= 2; ++code) {
    pdf.PDFSetDrawMode(code);
    EXPECT_EQ(Access::DrawMode(pdf), modes[code]);
  }
  EXPECT_TRUE(messages.empty());

  pdf.PDFSetLayoutMode(4);
  ExpectOneMessage("Layout Mode - CreatePDF 1.0",
                   "Layout incorrect : 4.\r\nLe Layout utilisé sera le layout simple.");
  EXPECT_EQ(pdf.PDFGetLayoutMode(), 0);

  pdf.PDFSetUnit(0);
  pdf.PDFSetUnit(7);
  ExpectOneMessage("Code Unité de Mesure - CreatePDF 1.0",
                   "Code unité de mesure incorrect : 7.\r\n"
                   "L'Unité de Mesure utilisée sera le centimètre.");
  EXPECT_EQ(pdf.PDFGetUnit(), "cm");

  pdf.PDFSetDrawMode(0);
  pdf.PDFSetDrawMode(-1);
  ExpectOneMessage("Objet Rectangle - CreatePDF 1.0",
                   "Code type de traçage incorrect : -1.\r\n"
                   "Le type de traçage utilisé sera bordure et remplissage.");
  EXPECT_EQ(Access::DrawMode(pdf), "DB");

  pdf.PDFOrientation(0);
  pdf.PDFOrientation(5);
  ExpectOneMessage("Type d'Orientation de Page - CreatePDF 1.0",
                   "Code orientation de page incorrect : 5.\r\n"
                   "L'Orientation de la page sera le mode portrait.");
  EXPECT_EQ(Access::PageOrientations(pdf).at(1), "p");
}

TEST_F(Settings, MarginsRoundHalvesToEven) {
  pdf.PDFSetRightMargin(2.5);
  EXPECT_EQ(pdf.PDFGetRightMargin(), 2);
  pdf.PDFSetRightMargin(3.5);
  EXPECT_EQ(pdf.PDFGetRightMargin(), 4);
  pdf.PDFSetLeftMargin(-0.5);
  EXPECT_EQ(pdf.PDFGetLeftMargin(), 0);
  pdf.PDFSetCellMargin(1e9);  // beyond the 16-bit field: kept at its largest value
  EXPECT_EQ(pdf.PDFGetCellMargin(), 32767);
  pdf.PDFSetMargins(2, 3);
  EXPECT_EQ(pdf.PDFGetRightMargin(), 2);
  EXPECT_EQ(pdf.PDFGetBottomMargin(), 3);
  pdf.PDFSetMargins(2, 3, 0, 0);
  EXPECT_EQ(pdf.PDFGetRightMargin(), 0);
  EXPECT_EQ(pdf.PDFGetBottomMargin(), 0);
  Access::CurrentX(pdf) = 2.5;
  Access::CurrentY(pdf) = 5.5;
  EXPECT_EQ(pdf.PDFGetX(), 2);
  EXPECT_EQ(pdf.PDFGetY(), 6);
}

TEST_F(Settings, OrientationOrdersTheRoundedSizes) {
  pdf.PDFOrientation(0);
  EXPECT_EQ(pdf.PDFGetPageWidth(), 842);
  EXPECT_EQ(pdf.PDFGetPageHeight(), 595);
  EXPECT_EQ(Access::PageOrientations(pdf).at(1), "l");
  pdf.PDFOrientation(0);  // landscape twice stays landscape
  EXPECT_EQ(pdf.PDFGetPageWidth(), 842);
  EXPECT_EQ(pdf.PDFGetPageHeight(), 595);
  pdf.PDFOrientation(1);
  EXPECT_EQ(pdf.PDFGetPageWidth(), 595);
  EXPECT_EQ(pdf.PDFGetPageHeight(), 842);
  EXPECT_EQ(Access::PageOrientations(pdf).at(1), "p");
  pdf.PDFOrientation(1);
  EXPECT_EQ(pdf.PDFGetPageWidth(), 595);
  EXPECT_TRUE(messages.empty());
}

TEST_F(Settings, PageFormatsByCodeByArrayAndByAnotherKind) {
  const double formats[][2] = {
      {595.28, 841.89}, {841.89, 1190.55}, {420.94, 595.28}, {612, 792}, {612, 1008}};
  for (int32_t code = 4; code >= 0; --code) {
    pdf.PDFFormatPage(code);
    EXPECT_EQ(pdf.PDFGetPageWidth(), formats[code][0]);
    EXPECT_EQ(pdf.PDFGetPageHeight(), formats[code][1]);
  }
  pdf.PDFFormatPage(std::vector<double>{200.5, 300.25});
  EXPECT_EQ(pdf.PDFGetPageWidth(), 200.5);
  EXPECT_EQ(pdf.PDFGetPageHeight(), 300.25);
  EXPECT_TRUE(messages.empty());

  pdf.PDFFormatPage(9);
  ExpectOneMessage("Format de Page - CreatePDF 1.0",
                   "Code format de page incorrect : 9.\r\n"
                   "Le Format de page utilisé sera le format A4.");
  EXPECT_EQ(pdf.PDFGetPageWidth(), 595.28);

  pdf.PDFFormatPage(3);
  pdf.PDFFormatPage(std::string("A4"));
  ExpectOneMessage("Format de Page - CreatePDF 1.0",
                   "Code format de page incorrect : A4.\r\n"
                   "Le Format de page utilisé sera le format A4");
  EXPECT_EQ(pdf.PDFGetPageWidth(), 595.28);
  EXPECT_EQ(pdf.PDFGetPageHeight(), 841.89);

  pdf.PDFFormatPage(std::vector<double>{200.5});  // no height: refused like another kind
  ExpectOneMessage("Format de Page - CreatePDF 1.0",
                   "Code format de page incorrect : (200.5).\r\n"
                   "Le Format de page utilisé sera le format A4");
  pdf.PDFFormatPage(std::vector<double>{0, 300});
  ASSERT_EQ(messages.size(), 1u);
  messages.clear();
  EXPECT_EQ(pdf.PDFGetPageWidth(), 595.28);
}

TEST_F(Settings, InitResetsTheSettingsButKeepsTitleFileNameAndViewerPreferences) {
  pdf.PDFTitle("Rapport");
  pdf.PDFAuthor("Solmerac");
  pdf.PDFSetZoomMode(2);
  pdf.PDFSetUnit(0);
  pdf.PDFSetMargins(5, 5);
  pdf.PDFFormatPage(3);
  pdf.PDFInit();
  EXPECT_EQ(Access::Title(pdf), "Rapport");
  EXPECT_EQ(Access::Author(pdf), "");
  EXPECT_EQ(pdf.PDFGetZoomMode(), 2);
  EXPECT_EQ(pdf.PDFGetUnit(), "cm");
  EXPECT_EQ(pdf.PDFGetLeftMargin(), 1);
  EXPECT_EQ(pdf.PDFGetPageWidth(), 595.28);
}

TEST_F(Settings, DefaultHandlerPrintsTitleAndTextOnStandardError) {
  CreatePDF plain;
  ::testing::internal::CaptureStderr();
  plain.PDFSetUnit(9);
  const std::string printed = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(printed,
            "Code Unité de Mesure - CreatePDF 1.0: Code unité de mesure incorrect : 9.\r\n"
            "L'Unité de Mesure utilisée sera le centimètre.\n");
}

TEST_F(Settings, FileNameCreatesTheFileAtOnceOrReportsThatItCouldNot) {
  pdf.PDFFileName("");
  EXPECT_FALSE(pdf.PDFFileCreated());

  const std::string path = pdftest::TestFilePath();
  std::filesystem::remove(path);
  pdf.PDFFileName(path);
  EXPECT_TRUE(pdf.PDFFileCreated());
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);

  // A backslash separates folders too; the folder part keeps its separator.
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  CreatePDF second;
  second.PDFFileName(folder.string() + "\\second.pdf");
  EXPECT_EQ(Access::FilePath(second), folder.string() + "/second.pdf");
  EXPECT_EQ(Access::FileName(second), folder.string() + "\\second.pdf");
  EXPECT_TRUE(second.PDFFileCreated());

  CreatePDF missing;
  missing.PDFFileName(folder.string() + "/no such folder/x.pdf");
  EXPECT_FALSE(missing.PDFFileCreated());
  EXPECT_TRUE(messages.empty());
  std::filesystem::remove(path);
  std::filesystem::remove(folder / "second.pdf");
}

}  // namespace
