// Entry point of lamivex: runs the job once and turns the run's errors into
// messages and exit statuses.
#include <cstring>
#include <exception>
#include <iostream>

#include "Main_modul6.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/RunError.h"

int main(int argc, char** argv) {
  if (argc > 1) {
    std::cerr << "usage: lamivex\n";
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
    lamivex::ShowMessage("SM5.2", std::string("Erreur inattendue: ") + e.what());
    return lamivex::kExitFault;
  }
}
