// Texts of the report: labels made ready for print, numbers, fitting a text into a width.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MdlDeclarations.h"

namespace lamivex::report {

// A label as the language file gives it, without its double quotes and surrounding blanks
// (" oui" prints as "oui").
std::string PrintableLabel(const std::string& raw);

// A label without a final colon, for a title: "Vitrages :" gives "Vitrages".
std::string WithoutColon(const std::string& label);

// The labels the report prints, made printable. Every one of them appears in the report.
struct ReportTexts {
  std::string SuiteTitle, ReportTitle, DateVersion, Date, Time, Page, ReportOf, Pages;
  std::string ProjectDescription, ProjectReference, Glazings, NewGlassName, NewThickness;
  std::string Glass, Film, PVB, Yes, No;
  std::string EnergyCharacteristics, LightCharacteristics, NewCharacteristics, ResultColumns;
  std::string IntegratedCalculation, SpectralCalculation;
  std::string ClosePdf;  // printed only when the PDF file cannot be created
  // Labels only the report reads from the language file, beside the run's 37.
  std::string DeclaredValues, SolarFactor, SecondaryHeatTransfer, ShadingCoefficient, Selectivity,
      UvTransmittance, ColourRendering, ColourCaption, Transmitted, ReflectedFace1, ReflectedFace2,
      Swatch, ImportedFrom;
  // Labels of a glazing unit's report.
  std::string UnitReportTitle, UnitComposition, Unit, Pane, Panes, Gap, Air, Argon, Krypton, Xenon,
      Thickness, ThermalTransmittance;
};
ReportTexts MakeReportTexts(const ReportLabels& labels);

// Fills the report's own labels from the language file, each the value of its key (the
// French text of the label), made printable; a missing key gives the empty text.
void ReadReportOnlyLabels(const KeyedFile& languageFile, ReportTexts& texts);

// The kind of a layer as the report names it: 1 glass, 2 film, any other kind PVB.
const std::string& KindText(const ReportTexts& texts, int16_t kind);

// A value to one decimal with a point, whatever the locale; -0.0 prints as 0.0.
std::string OneDecimal(double value);
// The same with the given number of decimals.
std::string Decimals(double value, int decimals);

// A number as short as it can be written: 8.76, 84, 0.5 (a point, at most 6 decimals).
std::string ShortNumber(double value);

// The column titles of a header such as "Te(%)      Re1(%) ...": the words between blanks.
std::vector<std::string> SplitColumnTitles(const std::string& header);

// The text, cut and ended by an ellipsis when it is wider than maxWidth; the width of a
// text is measured by `width`. Whole UTF-8 characters are kept.
std::string FitText(const std::string& text, double maxWidth,
                    const std::function<double(const std::string&)>& width);

// The text broken into lines no wider than maxWidth: at blanks where it can, inside a word
// (between whole UTF-8 characters) only where a word alone is wider; nothing is left out.
// An empty text gives no line.
std::vector<std::string> WrapText(const std::string& text, double maxWidth,
                                  const std::function<double(const std::string&)>& width);

}  // namespace lamivex::report
