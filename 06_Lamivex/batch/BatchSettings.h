// What one batch works with, set from the command line and the environment.
#pragma once

#include <string>

namespace lamivex::batch {

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
  std::string launchDate, launchTime;  // written into every job, for the reports
};

}  // namespace lamivex::batch
