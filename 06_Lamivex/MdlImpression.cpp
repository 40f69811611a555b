// Report labels: the 37 texts of the printed report, read from the language file
// installed beside the program.
#include "MdlImpression.h"

#include "Main_modul6.h"

namespace lamivex {
namespace {

// In loading order; the key is the French text of the label.
const std::array<ReportLabelKey, 37> kLabelKeys = {{
    {&ReportLabels::LblSuiteTitle, "Solmerac 4.0"},
    {&ReportLabels::LblDateVersion, "DateVersion"},
    {&ReportLabels::LblReportTitle,
     "Modification de l'épaisseur d' un verre monolithique sans couche"},
    {&ReportLabels::LblProjectDescription, "Description du projet:"},
    {&ReportLabels::LblProjectReference, "Projet/Référence:"},
    {&ReportLabels::LblPage, "Page"},
    {&ReportLabels::LblYes, " oui"},
    {&ReportLabels::LblNo, " non"},
    {&ReportLabels::LblSection1, "1 - Description du verre support initial"},
    {&ReportLabels::LblInitialGlassName, "Nom du verre initial"},
    {&ReportLabels::LblGlass, "verre"},
    {&ReportLabels::LblFilm, "film"},
    {&ReportLabels::LblCoating, "couche"},
    {&ReportLabels::LblPVB, "PVB"},
    {&ReportLabels::LblInitialThickness, "Epaisseur du verre initial :"},
    {&ReportLabels::LblInitialCharacteristics,
     "Caractéristiques énergétiques et lumineuses du verre initial"},
    {&ReportLabels::LblResultColumns,
     "Te(%)      Re1(%)      Ab1(%)      Emn1(%)      Re2(%)      Ab2(%)      Emn2(%)      "
     "Trl(%)      Rl1(%)      Abl1(%)      Rl2(%)      Abl2(%)"},
    {&ReportLabels::LblSection2, "2 - Résultats"},
    {&ReportLabels::LblNewGlassName, "Nom du nouveau verre"},
    {&ReportLabels::LblNewThickness, "Epaisseur du nouveau verre:"},
    {&ReportLabels::LblNewCharacteristics,
     "Caractéristiques énergétiques et lumineuses du nouveau verre "},
    {&ReportLabels::LblDate, "Date:"},
    {&ReportLabels::LblTime, "Heure:"},
    {&ReportLabels::LblEnergyCharacteristics, "Caractéristiques énergétiques"},
    {&ReportLabels::LblLightCharacteristics, "Caractéristiques lumineuses"},
    {&ReportLabels::LblGlazings, "Vitrages:"},
    {&ReportLabels::LblReportOf, "Ce document fait l'objet d'un rapport de"},
    {&ReportLabels::LblPages, "Page(s)"},
    {&ReportLabels::LblUserName, "Nom de l'utilisateur:"},
    {&ReportLabels::LblCompany, "Entreprise:"},
    {&ReportLabels::LblPhone, "Tel:"},
    {&ReportLabels::LblFax, "Fax:"},
    {&ReportLabels::LblEmail, "email:"},
    {&ReportLabels::LblLicenceNumber, "Numbre de Licence:"},
    {&ReportLabels::LblClosePdf, "S'il vous plaît fermez le fichier pdf avant de faire le calcul!"},
    {&ReportLabels::LblSpectralCalculation, "Calcul spectral"},
    {&ReportLabels::LblIntegratedCalculation, "Calcul integre"},
}};

struct LanguageAliases {
  const char* folder;
  const char* english;
  const char* code;
};
const std::array<LanguageAliases, 4> kLanguages = {{{"Français", "french", "fr"},
                                                    {"Anglais", "english", "en"},
                                                    {"Allemand", "german", "de"},
                                                    {"Espagnol", "spanish", "es"}}};

// Lower-cases ASCII letters only: "FRANÇAIS" keeps its "Ç" and matches nothing.
std::string AsciiLowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace

std::optional<std::string> LanguageFolderOf(std::string_view language) {
  const std::string name = AsciiLowerCase(language);
  for (const LanguageAliases& aliases : kLanguages) {
    if (name == AsciiLowerCase(aliases.folder) || name == aliases.english || name == aliases.code) {
      return std::string(aliases.folder);
    }
  }
  return std::nullopt;
}

const std::array<ReportLabelKey, 37>& ReportLabelKeys() {
  return kLabelKeys;
}

std::string LanguageFile(const LamivexRun& run, const std::string& language) {
  const std::string folder = run.ProgramFolder + "/Langages/";
  if (language == "Français") return folder + "Français/Impression_FR_Lamivex.txt";
  if (language == "Anglais") return folder + "Anglais/Impression_EN_Lamivex.txt";
  if (language == "Allemand") return folder + "Allemand/Impression_DE_Lamivex.txt";
  if (language == "Espagnol") return folder + "Espagnol/Impression_ES_Lamivex.txt";
  return std::string();
}

// An unknown language names no file, so every label stays empty; the values keep their
// quotes for the report to remove.
void LoadReportLabels(LamivexRun& run, const std::string& language) {
  const KeyedFile file = ReadKeyedFile(LanguageFile(run, language));
  for (const auto& [label, key] : kLabelKeys) {
    run.Labels.*label = std::get<std::string>(ReadKeyText(file, key));
  }
}

}  // namespace lamivex
