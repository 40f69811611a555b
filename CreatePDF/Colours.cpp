// Colours: "#RRGGBB" codes, packed numbers and component arrays, kept as the device RGB
// operator text (rg for text and fills, RG for lines) that pages copy.
#include <charconv>
#include <cmath>

#include "CreatePDF.h"

namespace {

struct Rgb {
  double red = 0, green = 0, blue = 0;  // whole numbers, normally 0..255
};

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "#" and exactly six hexadecimal digits RRGGBB.
bool IsColourCode(const std::string& code) {
  if (code.size() != 7 || code[0] != '#') return false;
  for (std::size_t i = 1; i < code.size(); ++i) {
    if (!IsHexDigit(code[i])) return false;
  }
  return true;
}

Rgb FromColourCode(const std::string& code) {
  auto pair = [&code](std::size_t at) { return std::stoi(code.substr(at, 2), nullptr, 16); };
  return {static_cast<double>(pair(1)), static_cast<double>(pair(3)), static_cast<double>(pair(5))};
}

// The packed form has red in the lowest byte: 255 is red, 16711680 blue.
Rgb FromPacked(int32_t v) {
  return {static_cast<double>(v % 256), static_cast<double>((v / 256) % 256),
          static_cast<double>(v / 65536)};
}

std::string NumberText(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string CreatePDF::PDFColourOperator(double red, double green, double blue,
                                         const std::string& suffix) {
  return PDFFormatNumber(red / 255.0, 3) + " " + PDFFormatNumber(green / 255.0, 3) + " " +
         PDFFormatNumber(blue / 255.0, 3) + suffix;
}

std::string CreatePDF::PDFColourFromCode(const std::string& gColor, const std::string& suffix) {
  if (IsColourCode(gColor)) {
    Rgb c = FromColourCode(gColor);
    return PDFColourOperator(c.red, c.green, c.blue, suffix);
  }
  return PDFInvalidColour(gColor, suffix);
}

std::string CreatePDF::PDFColourFromPacked(double gColor, const std::string& suffix) {
  const double whole = std::floor(gColor);
  if (!(whole >= 0 && whole <= 16777215)) return PDFInvalidColour(NumberText(gColor), suffix);
  Rgb c = FromPacked(static_cast<int32_t>(whole));
  return PDFColourOperator(c.red, c.green, c.blue, suffix);
}

std::string CreatePDF::PDFColourFromArray(const std::array<double, 3>& gColor,
                                          const std::string& suffix) {
  for (double component : gColor) {
    if (!std::isfinite(component)) {
      return PDFInvalidColour(
          NumberText(gColor[0]) + " " + NumberText(gColor[1]) + " " + NumberText(gColor[2]),
          suffix);
    }
  }
  // Each component is rounded to a whole number, halves to even; values above 255 are kept.
  return PDFColourOperator(std::nearbyint(gColor[0]), std::nearbyint(gColor[1]),
                           std::nearbyint(gColor[2]), suffix);
}

std::string CreatePDF::PDFInvalidColour(const std::string& shown, const std::string& suffix) {
  PDFRejectedSetting("Couleur HTMl - ", "Code couleur HTMl invalide ", shown,
                     "La couleur utilisée sera le noir.");
  return PDFColourOperator(0, 0, 0, suffix);
}

void CreatePDF::PDFSetTextColor(const std::string& gColor) {
  TextColorOp = PDFColourFromCode(gColor, " rg");
}
void CreatePDF::PDFSetTextColor(double gColor) {
  TextColorOp = PDFColourFromPacked(gColor, " rg");
}
void CreatePDF::PDFSetTextColor(const std::array<double, 3>& gColor) {
  TextColorOp = PDFColourFromArray(gColor, " rg");
}

void CreatePDF::PDFSetLineColor(const std::string& gColor) {
  LineColorOp = PDFColourFromCode(gColor, " RG");
}
void CreatePDF::PDFSetLineColor(double gColor) {
  LineColorOp = PDFColourFromPacked(gColor, " RG");
}
void CreatePDF::PDFSetLineColor(const std::array<double, 3>& gColor) {
  LineColorOp = PDFColourFromArray(gColor, " RG");
}

void CreatePDF::PDFSetDrawColor(const std::string& gColor) {
  DrawColorOp = PDFColourFromCode(gColor, " rg");
}
void CreatePDF::PDFSetDrawColor(double gColor) {
  DrawColorOp = PDFColourFromPacked(gColor, " rg");
}
void CreatePDF::PDFSetDrawColor(const std::array<double, 3>& gColor) {
  DrawColorOp = PDFColourFromArray(gColor, " rg");
}

// The setters keep only the operator text, so that is what the getters give back.
std::string CreatePDF::PDFGetTextColor() const {
  return TextColorOp;
}
std::string CreatePDF::PDFGetLineColor() const {
  return LineColorOp;
}
std::string CreatePDF::PDFGetDrawColor() const {
  return DrawColorOp;
}
