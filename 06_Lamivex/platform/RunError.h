// Errors that end a run. They travel to main(), which reports them in the
// message-box form ("title: text" on standard error) and sets the exit status.
#pragma once

#include <stdexcept>
#include <string>

namespace lamivex {

enum ExitStatus : int {
  kExitOk = 0,
  kExitFault = 1,           // an unexpected fault: unreadable file, failing database, failed write
  kExitMissingProfile = 2,  // "Error: PATHTEMP=... is not found!"
  kExitMissingProduct = 3,  // "Please, select the glass!"
  kExitBadJob = 4,          // the job file breaks the table limits or is unreadable
  kExitUsage = 64,          // a command-line argument the program does not take
};

class RunError : public std::runtime_error {
 public:
  RunError(ExitStatus status, std::string title, const std::string& text)
      : std::runtime_error(text), status_(status), title_(std::move(title)) {}
  ExitStatus Status() const { return status_; }
  const std::string& Title() const { return title_; }

 private:
  ExitStatus status_;
  std::string title_;
};

}  // namespace lamivex
