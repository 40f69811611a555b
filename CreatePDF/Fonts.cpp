// Selecting the current font among the 14 standard fonts, and its resource name /Fn.
#include <algorithm>
#include <array>

#include "CreatePDF.h"

namespace {

// Families by code of PDFSetFont; "Arial" is asked for as code 0 and written as Helvetica.
constexpr std::array<const char*, 5> kFamilies = {"Helvetica", "Courier", "Times", "Symbol",
                                                  "ZapfDingbats"};

// Internal font name of a family in a style, as gPDFFonts.ini and the font list name it.
std::string ComposedFontName(const std::string& family, bool bold, bool italic) {
  // Symbol and ZapfDingbats come in one style only.
  if (family == "Symbol" || family == "ZapfDingbats") return family;
  if (family == "Times") {
    if (bold && italic) return "TimesBoldItalic";
    if (bold) return "TimesBold";
    if (italic) return "TimesItalic";
    return "TimesRoman";
  }
  if (bold && italic) return family + "BoldOblique";
  if (bold) return family + "Bold";
  if (italic) return family + "Oblique";
  return family;
}

}  // namespace

void CreatePDF::PDFSetFont(int32_t str_Fontname, int16_t in_FontSize, int32_t str_Style) {
  if (str_Fontname < 0 || str_Fontname >= static_cast<int32_t>(kFamilies.size())) {
    PDFRejectedSetting("Nom de Font - ", "Nom de font incorrecte : ", std::to_string(str_Fontname),
                       "La font utilisée sera Times New Roman non gras , non italique.");
    FontName = "TimesRoman";
    FontItalic = false;
    FontBold = false;
    FontSize = in_FontSize;
    return;
  }
  // Each digit of the style switches one attribute on: 1 italic, 2 bold, 3 underline.
  const std::string style = std::to_string(str_Style);
  const std::string family = kFamilies[static_cast<std::size_t>(str_Fontname)];
  const bool singleStyle = family == "Symbol" || family == "ZapfDingbats";
  FontItalic = !singleStyle && style.find('1') != std::string::npos;
  FontBold = !singleStyle && style.find('2') != std::string::npos;
  if (style.find('3') != std::string::npos) FontUnderline = true;
  FontName = ComposedFontName(family, FontBold, FontItalic);
  FontSize = in_FontSize;
}

int32_t CreatePDF::PDFFontResource() const {
  auto found = std::find(FontNames.begin(), FontNames.end(), FontName);
  if (FontName.empty() || found == FontNames.end()) return 1;  // Helvetica
  return static_cast<int32_t>(found - FontNames.begin()) + 1;
}
