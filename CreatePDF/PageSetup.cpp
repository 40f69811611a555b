// Page format and orientation of the current page-format slot, margins and the current
// position.
#include <algorithm>
#include <cmath>

#include "CreatePDF.h"
#include "Numbers.h"

namespace {

struct PageFormat {
  double width, height;
};

constexpr PageFormat kA4{595.28, 841.89};
constexpr PageFormat kPageFormats[] = {
    kA4, {841.89, 1190.55}, {420.94, 595.28}, {612, 792}, {612, 1008}};

const char* const kFormatTopic = "Format de Page - ";
const char* const kFormatLabel = "Code format de page incorrect : ";

std::string ArrayText(const std::vector<double>& values) {
  std::string text = "(";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += ", ";
    text += std::isfinite(values[i]) ? createpdf::FormatGeneralNumber(values[i]) : "NaN";
  }
  return text + ")";
}

}  // namespace

void CreatePDF::PDFGrowPageSlots() {
  const std::size_t slots = static_cast<std::size_t>(CurrentPageIndex) + 1;
  while (PageWidths.size() < slots) {
    const std::size_t last = PageWidths.size() - 1;
    PageWidths.push_back(PageWidths[last]);
    PageHeights.push_back(PageHeights[last]);
    PageOrientations.push_back(PageOrientations[last]);
  }
}

double CreatePDF::PDFCurrentPageHeight() const {
  return PageHeights.at(CurrentPageIndex);
}

// Code 0 makes the page landscape, code 1 portrait, whatever shape it had: the two sizes,
// rounded to whole points, are ordered rather than swapped, so asking twice changes nothing.
void CreatePDF::PDFOrientation(int32_t str_Orientation) {
  PDFGrowPageSlots();
  if (str_Orientation != 0 && str_Orientation != 1) {
    PDFRejectedSetting("Type d'Orientation de Page - ",
                       "Code orientation de page incorrect : ", std::to_string(str_Orientation),
                       "L'Orientation de la page sera le mode portrait.");
    str_Orientation = 1;
  }
  const double width = createpdf::RoundHalfEven(PageWidths[CurrentPageIndex]);
  const double height = createpdf::RoundHalfEven(PageHeights[CurrentPageIndex]);
  const bool landscape = str_Orientation == 0;
  PageWidths[CurrentPageIndex] = landscape ? std::max(width, height) : std::min(width, height);
  PageHeights[CurrentPageIndex] = landscape ? std::min(width, height) : std::max(width, height);
  PageOrientations[CurrentPageIndex].assign(1, landscape ? 'l' : 'p');
}

void CreatePDF::PDFFormatPage(int32_t str_FormatPage) {
  PDFGrowPageSlots();
  PageFormat format = kA4;
  if (str_FormatPage >= 0 && str_FormatPage <= 4) {
    format = kPageFormats[str_FormatPage];
  } else {
    PDFRejectedSetting(kFormatTopic, kFormatLabel, std::to_string(str_FormatPage),
                       "Le Format de page utilisé sera le format A4.");
  }
  PageWidths[CurrentPageIndex] = format.width;
  PageHeights[CurrentPageIndex] = format.height;
}

// {width, height} in points. An array without two finite, positive sizes would give a
// page no reader can show; it is refused like any other unknown format.
void CreatePDF::PDFFormatPage(const std::vector<double>& str_FormatPage) {
  PDFGrowPageSlots();
  const bool usable = str_FormatPage.size() >= 2 &&
                      std::all_of(str_FormatPage.begin(), str_FormatPage.begin() + 2,
                                  [](double size) { return std::isfinite(size) && size > 0; });
  if (!usable) {
    PDFRejectedSetting(kFormatTopic, kFormatLabel, ArrayText(str_FormatPage),
                       "Le Format de page utilisé sera le format A4");
    PageWidths[CurrentPageIndex] = kA4.width;
    PageHeights[CurrentPageIndex] = kA4.height;
    return;
  }
  PageWidths[CurrentPageIndex] = str_FormatPage[0];
  PageHeights[CurrentPageIndex] = str_FormatPage[1];
}

void CreatePDF::PDFFormatPage(const std::string& str_FormatPage) {
  PDFGrowPageSlots();
  PDFRejectedSetting(kFormatTopic, kFormatLabel, str_FormatPage,
                     "Le Format de page utilisé sera le format A4");
  PageWidths[CurrentPageIndex] = kA4.width;
  PageHeights[CurrentPageIndex] = kA4.height;
}

void CreatePDF::PDFPageHeight(double in_PageHeight) {
  PDFGrowPageSlots();
  PageHeights[CurrentPageIndex] = in_PageHeight;
}

double CreatePDF::PDFGetPageHeight() const {
  return PageHeights.at(CurrentPageIndex);
}

void CreatePDF::PDFPageWidth(double in_PageWidth) {
  PDFGrowPageSlots();
  PageWidths[CurrentPageIndex] = in_PageWidth;
}

double CreatePDF::PDFGetPageWidth() const {
  return PageWidths.at(CurrentPageIndex);
}

// The page number shown to callers is 16-bit; past 32767 pages it stays at 32767.
int16_t CreatePDF::PDFPageNumber() const {
  return static_cast<int16_t>(std::min<int32_t>(PageNumber, INT16_MAX));
}

// The number of page objects written: 0 until PDFEndDoc has written the page tree.
int32_t CreatePDF::PDFNbPage() const {
  return static_cast<int32_t>(PageObjectList.size()) - 1;
}

void CreatePDF::PDFSetLeftMargin(double in_left) {
  LeftMargin = createpdf::ToInt16HalfEven(in_left);
}
double CreatePDF::PDFGetLeftMargin() const {
  return LeftMargin;
}
void CreatePDF::PDFSetRightMargin(double in_right) {
  RightMargin = createpdf::ToInt16HalfEven(in_right);
}
double CreatePDF::PDFGetRightMargin() const {
  return RightMargin;
}
void CreatePDF::PDFSetTopMargin(double in_top) {
  TopMargin = createpdf::ToInt16HalfEven(in_top);
}
double CreatePDF::PDFGetTopMargin() const {
  return TopMargin;
}
void CreatePDF::PDFSetBottomMargin(double in_bottom) {
  BottomMargin = createpdf::ToInt16HalfEven(in_bottom);
}
double CreatePDF::PDFGetBottomMargin() const {
  return BottomMargin;
}
void CreatePDF::PDFSetCellMargin(double in_cell) {
  CellMargin = createpdf::ToInt16HalfEven(in_cell);
}
double CreatePDF::PDFGetCellMargin() const {
  return CellMargin;
}

void CreatePDF::PDFSetMargins(int16_t in_left, int16_t in_top, int16_t in_right,
                              int16_t in_bottom) {
  LeftMargin = in_left;
  TopMargin = in_top;
  RightMargin = in_right == -1 ? in_left : in_right;
  BottomMargin = in_bottom == -1 ? in_top : in_bottom;
}

int16_t CreatePDF::PDFGetX() const {
  return createpdf::ToInt16HalfEven(CurrentX);
}
int16_t CreatePDF::PDFGetY() const {
  return createpdf::ToInt16HalfEven(CurrentY);
}
