// Texts of the report: printable labels, numbers and fitted texts.
#include "ReportText.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "Main_modul6.h"

namespace lamivex::report {
namespace {

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string FixedDecimals(double value, int decimals) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

// Position where the UTF-8 character before `end` starts.
size_t PreviousCharacter(const std::string& text, size_t end) {
  size_t start = end - 1;
  while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
  return start;
}

size_t CharacterLength(const std::string& text, size_t start) {
  size_t end = start + 1;
  while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  return end - start;
}

// Appends a word wider than the width as pieces that fit, the last one left in `line`.
void BreakWord(const std::string& word, double maxWidth,
               const std::function<double(const std::string&)>& width,
               std::vector<std::string>& lines, std::string& line) {
  line.clear();
  for (size_t i = 0; i < word.size();) {
    const std::string character = word.substr(i, CharacterLength(word, i));
    if (!line.empty() && width(line + character) > maxWidth) {
      lines.push_back(line);
      line.clear();
    }
    line += character;
    i += character.size();
  }
}

}  // namespace

std::string PrintableLabel(const std::string& raw) {
  std::string text = raw;
  std::erase(text, '"');
  return TrimBlanks(text);
}

std::string WithoutColon(const std::string& label) {
  std::string text = TrimBlanks(label);
  if (!text.empty() && text.back() == ':') text.pop_back();
  return TrimBlanks(text);
}

ReportTexts MakeReportTexts(const ReportLabels& labels) {
  const auto p = PrintableLabel;
  ReportTexts texts;
  texts.SuiteTitle = p(labels.LblSuiteTitle);
  texts.ReportTitle = p(labels.LblReportTitle);
  texts.DateVersion = p(labels.LblDateVersion);
  texts.Date = p(labels.LblDate);
  texts.Time = p(labels.LblTime);
  texts.Page = p(labels.LblPage);
  texts.ReportOf = p(labels.LblReportOf);
  texts.Pages = p(labels.LblPages);
  texts.ProjectDescription = p(labels.LblProjectDescription);
  texts.ProjectReference = p(labels.LblProjectReference);
  texts.Glazings = p(labels.LblGlazings);
  texts.NewGlassName = p(labels.LblNewGlassName);
  texts.NewThickness = p(labels.LblNewThickness);
  texts.Glass = p(labels.LblGlass);
  texts.Film = p(labels.LblFilm);
  texts.PVB = p(labels.LblPVB);
  texts.Yes = p(labels.LblYes);
  texts.No = p(labels.LblNo);
  texts.EnergyCharacteristics = p(labels.LblEnergyCharacteristics);
  texts.LightCharacteristics = p(labels.LblLightCharacteristics);
  texts.NewCharacteristics = p(labels.LblNewCharacteristics);
  texts.ResultColumns = p(labels.LblResultColumns);
  texts.IntegratedCalculation = p(labels.LblIntegratedCalculation);
  texts.SpectralCalculation = p(labels.LblSpectralCalculation);
  texts.ClosePdf = p(labels.LblClosePdf);
  return texts;
}

void ReadReportOnlyLabels(const KeyedFile& languageFile, ReportTexts& texts) {
  const std::pair<std::string ReportTexts::*, const char*> kKeys[] = {
      {&ReportTexts::DeclaredValues, "Valeurs déclarées (EN 410)"},
      {&ReportTexts::SolarFactor, "Facteur solaire"},
      {&ReportTexts::SecondaryHeatTransfer, "Facteur de réémission thermique vers l'intérieur"},
      {&ReportTexts::ShadingCoefficient, "Coefficient d'ombrage"},
      {&ReportTexts::Selectivity, "Sélectivité"},
      {&ReportTexts::UvTransmittance, "Transmission des ultraviolets"},
      {&ReportTexts::ColourRendering, "Indice général de rendu des couleurs"},
      {&ReportTexts::ColourCaption, "Couleur (CIE L*a*b*, D65, 2°)"},
      {&ReportTexts::Transmitted, "Lumière transmise"},
      {&ReportTexts::ReflectedFace1, "Lumière réfléchie par la face 1"},
      {&ReportTexts::ReflectedFace2, "Lumière réfléchie par la face 2"},
      {&ReportTexts::Swatch, "Teinte"},
      {&ReportTexts::ImportedFrom, "Fichier importé"},
      {&ReportTexts::UnitReportTitle,
       "Caractéristiques optiques et thermiques d'un vitrage isolant"},
      {&ReportTexts::UnitComposition, "Composition du vitrage isolant"},
      {&ReportTexts::Unit, "Vitrage isolant"},
      {&ReportTexts::Pane, "Vitre"},
      {&ReportTexts::Panes, "Vitres"},
      {&ReportTexts::Gap, "Lame de gaz"},
      {&ReportTexts::Air, "Air"},
      {&ReportTexts::Argon, "Argon"},
      {&ReportTexts::Krypton, "Krypton"},
      {&ReportTexts::Xenon, "Xénon"},
      {&ReportTexts::Thickness, "Épaisseur (mm)"},
      {&ReportTexts::ThermalTransmittance, "Coefficient de transmission thermique (EN 673)"}};
  for (const auto& [text, key] : kKeys) {
    texts.*text = PrintableLabel(std::get<std::string>(ReadKeyText(languageFile, key)));
  }
}

const std::string& KindText(const ReportTexts& texts, int16_t kind) {
  if (kind == 1) return texts.Glass;
  if (kind == 2) return texts.Film;
  return texts.PVB;
}

std::string OneDecimal(double value) {
  return Decimals(value, 1);
}

std::string Decimals(double value, int decimals) {
  std::string text = FixedDecimals(value, decimals);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string ShortNumber(double value) {
  std::string text = FixedDecimals(value, 6);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

std::vector<std::string> SplitColumnTitles(const std::string& header) {
  std::vector<std::string> titles;
  size_t start = header.find_first_not_of(' ');
  while (start != std::string::npos) {
    const size_t end = header.find(' ', start);
    titles.push_back(header.substr(start, end == std::string::npos ? end : end - start));
    start = header.find_first_not_of(' ', end == std::string::npos ? header.size() : end);
  }
  return titles;
}

std::string FitText(const std::string& text, double maxWidth,
                    const std::function<double(const std::string&)>& width) {
  if (width(text) <= maxWidth) return text;
  static const std::string kEllipsis = "\xE2\x80\xA6";  // U+2026, a character of the fonts
  std::string kept = text;
  while (!kept.empty()) {
    kept.erase(PreviousCharacter(kept, kept.size()));
    while (!kept.empty() && kept.back() == ' ') kept.pop_back();
    if (width(kept + kEllipsis) <= maxWidth) return kept + kEllipsis;
  }
  return std::string();
}

std::vector<std::string> WrapText(const std::string& text, double maxWidth,
                                  const std::function<double(const std::string&)>& width) {
  std::vector<std::string> lines;
  std::string line;
  for (const std::string& word : SplitColumnTitles(text)) {
    const std::string longer = line.empty() ? word : line + ' ' + word;
    if (width(longer) <= maxWidth) {
      line = longer;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line = word;
    if (width(word) > maxWidth) BreakWord(word, maxWidth, width, lines, line);
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace lamivex::report
