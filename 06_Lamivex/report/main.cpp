// Entry point of lamivex-report: the printed report of the last lamivex run of the
// profile, as a PDF file.
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

#include "MdlDeclarations.h"
#include "MdlImpression.h"
#include "Report.h"
#include "ReportData.h"
#include "ReportExit.h"
#include "ReportFonts.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/RunError.h"

#ifndef LAMIVEX_VERSION
#define LAMIVEX_VERSION "unknown"
#endif

namespace {

constexpr std::string_view kUsage =
    "usage: lamivex-report [--output FILE] [--language NAME] [--help | --version]\n"
    "\n"
    "Writes the printed report (PDF, A4) of the last lamivex run of the profile:\n"
    "the job file <profile>/Temp/input_Lamivex.in and the files the run left in\n"
    "<profile>/Temp (Energy_k.out of every layer, Final_Energy_Lamivex.out,\n"
    "Lamivex.out, Lamivex_EN410.out). The profile and the program folder are found\n"
    "as lamivex finds them. The report goes to <profile>/Temp/Lamivex.pdf, or to FILE.\n"
    "Its labels are in the job's language (\"Langue\"), or in NAME: Français,\n"
    "Anglais, Allemand, Espagnol, French, English, German, Spanish, fr, en, de, es.\n"
    "\n"
    "Exit statuses:\n"
    "  0   the report was written\n"
    "  1   a language file or the font metrics missing, or an unexpected fault\n"
    "  2   the profile folder is missing\n"
    "  4   the job file is missing or malformed, or the job has no layers\n"
    "  5   a file of the run is missing, unreadable or older than the job file\n"
    "      (run lamivex first)\n"
    "  6   the PDF file cannot be created\n"
    "  64  a command-line argument the program does not take\n";

struct Options {
  std::string output;
  std::string language;
  bool help = false;
  bool version = false;
};

bool KnownLanguage(const std::string& language) {
  if (lamivex::LanguageFolderOf(language)) return true;
  std::cerr << "lamivex-report: unknown language '" << language << "'; the languages are "
            << lamivex::kLanguageNames << "\n"
            << kUsage;
  return false;
}

// False with a message when an argument is not understood.
bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--output" && i + 1 < argc && argv[i + 1][0] != '\0') {
      options.output = argv[++i];
    } else if (argument.starts_with("--output=") && argument.size() > 9) {
      options.output = std::string(argument.substr(9));
    } else if (argument == "--language" && i + 1 < argc) {
      options.language = argv[++i];
      if (!KnownLanguage(options.language)) return false;
    } else if (argument.starts_with("--language=")) {
      options.language = std::string(argument.substr(11));
      if (!KnownLanguage(options.language)) return false;
    } else {
      std::cerr << "lamivex-report: unknown or incomplete argument '" << argument << "'\n"
                << kUsage;
      return false;
    }
  }
  return true;
}

int WriteReportOfLastRun(const Options& options) {
  lamivex::LamivexRun run;
  run.ProfilePath = lamivex::ProfileFolder();
  run.ProgramFolder = lamivex::ProgramFolder();
  if (!lamivex::FolderExists(run.ProfilePath)) {
    throw lamivex::RunError(
        lamivex::kExitMissingProfile, "SM5.2",
        "Error: PATHTEMP=" + run.ProfilePath + " is not found!\n" + lamivex::ProfileFolderLookup());
  }
  const lamivex::report::ReportData data = lamivex::report::LoadReportData(run, options.language);
  const std::string fonts = lamivex::report::FontMetricsFolder(run.ProgramFolder);
  if (data.language.empty()) {
    std::cerr << "lamivex-report: warning: the report language \"" << data.info.Language
              << "\" (key \"Langue\" of the job file) is none of " << lamivex::kLanguageNames
              << "; the report is written without its labels.\n";
  }
  const std::string path =
      options.output.empty() ? run.TempFolder() + "Lamivex.pdf" : options.output;
  lamivex::report::WriteReport(data, fonts, path);
  std::cout << "lamivex-report: report written to " << path << '\n';
  return lamivex::kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) return lamivex::kExitUsage;
  if (options.help) {
    std::cout << kUsage;
    return lamivex::kExitOk;
  }
  if (options.version) {
    std::cout << "lamivex-report " << LAMIVEX_VERSION << '\n';
    return lamivex::kExitOk;
  }
  try {
    return WriteReportOfLastRun(options);
  } catch (const lamivex::RunError& e) {
    lamivex::ShowMessage(e.Title(), e.what());
    return e.Status();
  } catch (const std::exception& e) {
    lamivex::ShowMessage("SM5.2", std::string("Error: unexpected fault: ") + e.what());
    return lamivex::kExitFault;
  }
}
