// What one batch works with, set from the command line and the environment.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RowFilter.h"
#include "platform/Folders.h"

namespace lamivex::batch {

class ProductSpectra;

struct BatchSettings {
  std::string inputPath;      // "-" or empty: standard input
  std::string programFolder;  // the suite database and the language files
  std::string userProfile;    // the user's profile: its user database, the --write-job target
  std::string workFolder;     // each stack runs in a folder of its own under it
  bool keep = false;          // work folder given by --keep: left in place at the end
  std::string reportsFolder;  // --reports: a PDF per stack; empty for none
  std::string writeJobStack;  // --write-job: the stack whose job is written
  unsigned jobs = 1;          // stacks run at the same time
  bool json = false;
  bool combine = false;              // --combine: a row's alternatives stand for every combination
  std::vector<Condition> where;      // --where: the conditions of the rows printed
  uint64_t limit = 0;                // --limit: the most rows printed; 0: every row
  std::string language = "Anglais";  // --language: the language folder of jobs and reports
  std::string launchDate, launchTime;  // written into every job, for the reports
  // The products' spectra, read once for the whole batch and shared by its stacks.
  std::shared_ptr<ProductSpectra> spectra;
};

// The user's own spectral database, where lamivex looks for it in the user's profile.
inline std::string UserDatabaseOf(const BatchSettings& settings) {
  return settings.userProfile + "/" + kUserDatabaseInProfileFolder;
}

}  // namespace lamivex::batch
