// Entry point of lamivex: runs the job once and turns the run's errors into
// messages and exit statuses.
#include <cstring>
#include <exception>
#include <iostream>
#include <string_view>

#include "Main_modul6.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/RunError.h"

#ifndef LAMIVEX_VERSION
#define LAMIVEX_VERSION "unknown"
#endif

namespace {

constexpr std::string_view kUsage =
    "usage: lamivex [--help | --version]\n"
    "\n"
    "Calculates the glazing assembly of the job file\n"
    "  <profile>/Temp/input_Lamivex.in\n"
    "where <profile> is $AppData/Solmerac/v5.2/Profile (without AppData:\n"
    "$XDG_DATA_HOME, else $HOME/.local/share, in place of $AppData), and writes\n"
    "its spectrum files, the summary Lamivex.out and the declared values\n"
    "Lamivex_EN410.out (g, SC, Tuv, Ra, colours) into the same Temp folder.\n"
    "The suite's spectral database and the language files are read from the\n"
    "program folder: $LAMIVEX_PROGRAM_DIR when set; else the folder of this\n"
    "program when it holds Base SM_Vitrages/SpectralDB/SM_Spectral.db (a build\n"
    "tree); else the installed data folder, <prefix>/share/lamivex for\n"
    "<prefix>/bin/lamivex.\n"
    "\n"
    "Exit statuses:\n"
    "  0   the run ended normally (also for a job of no layers)\n"
    "  1   an unexpected fault (unreadable or unwritable file, database fault)\n"
    "  2   the profile folder is missing\n"
    "  3   a layer's product has no spectrum (\"Please, select the glass!\")\n"
    "  4   the job file is missing or malformed\n"
    "  64  a command-line argument the program does not take\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::cout << kUsage;
    return lamivex::kExitOk;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "lamivex " << LAMIVEX_VERSION << '\n';
    return lamivex::kExitOk;
  }
  if (argc > 1) {
    std::cerr << "lamivex: unknown argument '" << argv[1] << "'\n" << kUsage;
    return lamivex::kExitUsage;
  }
  try {
    lamivex::LamivexRun run;
    lamivex::Main(run);
    return lamivex::kExitOk;
  } catch (const lamivex::RunError& e) {
    lamivex::ShowMessage(e.Title(), e.what());
    return e.Status();
  } catch (const std::exception& e) {
    lamivex::ShowMessage("SM5.2", std::string("Error: unexpected fault: ") + e.what());
    return lamivex::kExitFault;
  }
}
