// The writer object's defaults (PDFInit) and its document-wide settings: configuration
// folder, document information, viewer preferences, unit, line width and drawing mode.
#include <stdexcept>

#include "ConfigurationFolder.h"
#include "CreatePDF.h"
#include "Numbers.h"

namespace {

constexpr double kPointsPerCentimetre = 72.0 / 2.54;
constexpr double kPointsPerMillimetre = 72.0 / 25.4;

}  // namespace

CreatePDF::CreatePDF() {
  PDFSetMessageHandler(nullptr);
  PDFInit();
}

void CreatePDF::PDFInit() {
  if (docState_ == DocState::PageOpen) {
    throw std::logic_error("PDFInit: a document is being written; finish it with PDFEndDoc first");
  }
  if (PathConfig.empty()) PathConfig = createpdf::DefaultConfigurationFolder();
  PageLinkCount = 0;
  PageLinks.assign(1, {});
  PageHasLinks.assign(1, false);
  PageLinkTotals.assign(1, 0);
  ObjectOffsets.assign(1, 0);
  FontObjects.assign(1, 0);
  PageObjectList.assign(1, 0);
  ContentObjects.assign(1, 0);
  PageWidthCopies.assign(1, 0.0);
  PageHeightCopies.assign(1, 0.0);
  FontNames = {"Helvetica",  "HelveticaBold", "HelveticaOblique", "HelveticaBoldOblique",
               "Courier",    "CourierBold",   "CourierOblique",   "CourierBoldOblique",
               "TimesRoman", "TimesBold",     "TimesItalic",      "TimesBoldItalic",
               "Symbol",     "ZapfDingbats"};
  Scale = kPointsPerCentimetre;
  const int16_t margin = createpdf::ToInt16HalfEven(Scale / 28.35);
  CurrentPageIndex = 1;
  FontUnderline = FontItalic = FontBold = false;
  PDFSetMargins(margin, margin);
  CellMargin = createpdf::ToInt16HalfEven(margin / 10.0 * Scale);
  CurrentX = LeftMargin;
  CurrentY = TopMargin;
  LineWidth = 0.567;
  OutBuffer.clear();
  PageContent.clear();
  LineColorOp = "0 G";
  DrawColorOp = "0 g";
  TextColorOp = "0 g";
  PageWidths.resize(2);
  PageHeights.resize(2);
  PageOrientations.resize(2);
  PageWidths[1] = 595.28;
  PageHeights[1] = 841.89;
  PageOrientations[1] = "p";
  Author.clear(), Creator.clear(), Keywords.clear(), Subject.clear(), Producer.clear();
}

void CreatePDF::PDFPathConfiguration(const std::string& sPathConfig) {
  PathConfig = sPathConfig;
}

void CreatePDF::PDFProducer(const std::string& str_Producer) {
  Producer = str_Producer;
}
void CreatePDF::PDFSubject(const std::string& str_Subject) {
  Subject = str_Subject;
}
void CreatePDF::PDFKeywords(const std::string& str_Keywords) {
  Keywords = str_Keywords;
}
void CreatePDF::PDFCreator(const std::string& str_Creator) {
  Creator = str_Creator;
}
void CreatePDF::PDFAuthor(const std::string& str_Author) {
  Author = str_Author;
}
void CreatePDF::PDFTitle(const std::string& str_Title) {
  Title = str_Title;
}
void CreatePDF::PDFConfirm(bool boConfirm) {
  ConfirmEnd = boConfirm;
}

void CreatePDF::PDFSetZoomMode(int32_t pZoomMode) {
  ZoomMode = pZoomMode;
}
int32_t CreatePDF::PDFGetZoomMode() const {
  return ZoomMode;
}
void CreatePDF::PDFUseThumbs(bool boThumbs) {
  UseThumbs = boThumbs;
}
void CreatePDF::PDFUseOutlines(bool boOutlines) {
  UseOutlines = boOutlines;
}

void CreatePDF::PDFSetLayoutMode(int32_t pLayoutMode) {
  if (pLayoutMode >= 0 && pLayoutMode <= 3) {
    LayoutMode = pLayoutMode;
    return;
  }
  PDFRejectedSetting("Layout Mode - ", "Layout incorrect : ", std::to_string(pLayoutMode),
                     "Le Layout utilisé sera le layout simple.");
  LayoutMode = 0;
}

int32_t CreatePDF::PDFGetLayoutMode() const {
  return LayoutMode;
}

void CreatePDF::PDFSetUnit(int32_t str_Unite) {
  switch (str_Unite) {
    case 0:
      Scale = 1.0;
      return;
    case 1:
      Scale = kPointsPerMillimetre;
      return;
    case 2:
      Scale = kPointsPerCentimetre;
      return;
    default:
      break;
  }
  PDFRejectedSetting("Code Unité de Mesure - ",
                     "Code unité de mesure incorrect : ", std::to_string(str_Unite),
                     "L'Unité de Mesure utilisée sera le centimètre.");
  Scale = kPointsPerCentimetre;
}

std::string CreatePDF::PDFGetUnit() const {
  if (Scale == 1.0) return "pt";
  if (Scale == kPointsPerMillimetre) return "mm";
  if (Scale == kPointsPerCentimetre) return "cm";
  return "";
}

void CreatePDF::PDFSetLineWidth(double pLineWidth) {
  LineWidth = pLineWidth;
}

void CreatePDF::PDFSetDrawMode(int32_t pDrawMode) {
  switch (pDrawMode) {
    case 0:
      DrawMode = "";
      return;
    case 1:
      DrawMode = "D";
      return;
    case 2:
      DrawMode = "DB";
      return;
    default:
      break;
  }
  PDFRejectedSetting("Objet Rectangle - ",
                     "Code type de traçage incorrect : ", std::to_string(pDrawMode),
                     "Le type de traçage utilisé sera bordure et remplissage.");
  DrawMode = "DB";
}
