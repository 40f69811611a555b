// Dash patterns of lines and borders, in whole points of the unit in force when set.
#include <cmath>
#include <initializer_list>

#include "CreatePDF.h"

namespace {

// "[" lengths, each followed by a blank, "] 0 d": each length is n units of Scale, rounded down.
std::string DashOperator(std::initializer_list<int> units, double scale) {
  std::string dash = "[";
  for (int n : units) {
    dash += std::to_string(static_cast<int64_t>(std::floor(n * scale))) + " ";
  }
  return dash + "] 0 d";
}

}  // namespace

void CreatePDF::PDFSetLineStyle(int32_t pLineStyle) {
  switch (pLineStyle) {
    case 0:  // pSolid
      LineDash = "[] 0 d";
      return;
    case 1:  // dash
      LineDash = DashOperator({16, 8}, Scale);
      return;
    case 2:  // dash-dot
      LineDash = DashOperator({8, 7, 2, 7}, Scale);
      return;
    case 3:  // dash-dot-dot
      LineDash = DashOperator({8, 4, 2, 4, 2, 4}, Scale);
      return;
    default:
      PDFRejectedSetting("Style de Ligne - ",
                         "Code style de ligne incorrect : ", std::to_string(pLineStyle),
                         "Le style de ligne utilisé sera pSolid.");
      LineDash = "[] 0 d";
  }
}
