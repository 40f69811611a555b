// Horizontal alignment of cell text: "C", "L", "R" or "FJ" (justified).
#include "CreatePDF.h"

void CreatePDF::PDFSetAlignement(int32_t gAlignement) {
  switch (gAlignement) {
    case 0:
      Alignment = "C";
      return;
    case 1:
      Alignment = "L";
      return;
    case 2:
      Alignment = "R";
      return;
    case 3:
      Alignment = "FJ";
      return;
    default:
      PDFRejectedSetting("Code Alignement de Cellule - ",
                         "Code alignement incorrect : ", std::to_string(gAlignement),
                         "L'alignement utilisé sera l'alignement à gauche.");
      Alignment = "L";
  }
}

// Justified text has no name of its own here: it reads as "Left", like an unset alignment.
std::string CreatePDF::PDFGetAlignement() const {
  if (Alignment == "C") return "Center";
  if (Alignment == "R") return "Right";
  return "Left";
}
