// Entry point of lamivex-batch: reads the table of stacks, runs them, prints the results.
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <thread>

#include "BatchOutput.h"
#include "BatchRows.h"
#include "BatchRunner.h"
#include "CommandLine.h"
#include "CsvInput.h"
#include "ProductCatalogue.h"
#include "ProductSpectra.h"
#include "Stacks.h"
#include "platform/Folders.h"
#include "platform/RunError.h"

#ifndef LAMIVEX_VERSION
#define LAMIVEX_VERSION "unknown"
#endif

namespace {

using namespace lamivex::batch;
namespace fs = std::filesystem;

std::vector<CsvRecord> ReadRecords(const BatchSettings& settings) {
  if (settings.inputPath.empty() || settings.inputPath == "-") return ReadCsvRecords(std::cin);
  std::ifstream file(settings.inputPath, std::ios::binary);
  if (!file || fs::is_directory(settings.inputPath)) {
    throw InputRefused("the file " + settings.inputPath + " cannot be read");
  }
  return ReadCsvRecords(file);
}

std::shared_ptr<const ProductCatalogue> ReadCatalogue(const BatchSettings& settings) {
  return std::make_shared<const ProductCatalogue>(
      settings.programFolder + "/" + lamivex::kSuiteDatabaseInProgramFolder,
      UserDatabaseOf(settings));
}

std::string InputName(const BatchSettings& settings) {
  return settings.inputPath.empty() || settings.inputPath == "-" ? "<stdin>" : settings.inputPath;
}

int WriteJobOfStack(const std::vector<Stack>& stacks, const BatchSettings& settings) {
  for (const Stack& stack : stacks) {
    if (stack.name != settings.writeJobStack) continue;
    if (!stack.problem.empty()) break;
    if (!stack.panes.empty()) {
      std::cerr << "lamivex-batch: stack \"" << stack.name << "\" is a glazing unit of "
                << stack.panes.size() << " panes; a job holds one pane\n";
      return kBatchInputRefused;
    }
    if (!lamivex::FolderExists(settings.userProfile)) {
      throw lamivex::RunError(lamivex::kExitMissingProfile, "SM5.2",
                              "Error: PATHTEMP=" + settings.userProfile + " is not found!\n" +
                                  lamivex::ProfileFolderLookup());
    }
    fs::create_directories(settings.userProfile + "/Temp");
    const std::string path = settings.userProfile + "/Temp/input_Lamivex.in";
    lamivex::WriteJobFile(path, StackJob(stack, settings));
    std::cout << "lamivex-batch: the job of stack \"" << stack.name << "\" is written to " << path
              << '\n';
    return kBatchAllRan;
  }
  std::cerr << "lamivex-batch: no stack named \"" << settings.writeJobStack
            << "\" that could be read in " << InputName(settings) << '\n';
  return kBatchInputRefused;
}

void SetLaunchTime(BatchSettings& settings) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[16], time[16];
  std::strftime(date, sizeof date, "%Y-%m-%d", &local);
  std::strftime(time, sizeof time, "%H:%M:%S", &local);
  settings.launchDate = date;
  settings.launchTime = time;
}

// Where the temporary folder goes: $TMPDIR when set, else the memory file system
// /dev/shm when it can be written. A stack's files live only while it runs, and creating
// and deleting them on a disk file system costs more kernel time than the calculation,
// in a way that two threads barely share.
fs::path TemporaryParent() {
  std::error_code error;
  if (std::getenv("TMPDIR") == nullptr && fs::is_directory("/dev/shm", error) &&
      access("/dev/shm", W_OK | X_OK) == 0) {
    return "/dev/shm";
  }
  return fs::temp_directory_path();
}

// The folder of --keep or --reports, made when missing. A folder that cannot be made is
// most often an argument in the wrong place (--keep stacks.csv stacks.csv).
void MakeOptionFolder(const char* option, const std::string& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (!error && fs::is_directory(folder, error)) return;
  const std::string reason = fs::exists(folder) ? "it is a file" : error.message();
  throw UsageError(std::string(option) + " DIR: '" + folder +
                   "' is not a folder that can be made (" + reason +
                   "); give the folder after the option, then the input FILE");
}

// The folder the stacks run in: --keep's (made before anything runs), else a new
// temporary folder for the reports' runs; none when the stacks are only calculated in
// memory.
void PrepareWorkFolder(BatchSettings& settings) {
  if (settings.keep || settings.reportsFolder.empty()) return;
  std::string pattern = (TemporaryParent() / "lamivex-batch-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  settings.workFolder = pattern;
}

void ReportProblems(const std::vector<Stack>& stacks, const BatchSettings& settings) {
  for (const Stack& stack : stacks) {
    if (!stack.problem.empty()) {
      std::cerr << "lamivex-batch: " << InputName(settings) << ":" << stack.line << ": "
                << stack.problem << '\n';
    }
  }
}

// A row that did not run: a table's rows that cannot be read were told about before the
// batch ran, a combination's are told about here.
void ReportFailure(const Stack& stack, const StackResult& result, const BatchSettings& settings) {
  if (!stack.problem.empty()) {
    if (settings.combine) {
      std::cerr << "lamivex-batch: " << InputName(settings) << ":" << stack.line << ": \""
                << stack.name << "\": " << stack.problem << '\n';
    }
    return;
  }
  std::cerr << "lamivex-batch: stack \"" << stack.name << "\" (line " << stack.line
            << ") failed with status " << result.status << ": " << result.message << '\n';
}

// Runs the rows and prints those kept, each as soon as the rows before it are done.
bool RunAndPrint(const BatchRows& rows, const BatchSettings& settings) {
  TableWriter table(std::cout, settings.json);
  bool allRan = true;
  uint64_t kept = 0;
  RunRows(
      rows, settings,
      [&](uint64_t, const Stack& stack, const StackResult& result) {
        if (result.status != 0) {
          allRan = false;
          ReportFailure(stack, result, settings);
        }
        if (MeetsAll(settings.where, PrintedValues(result))) {
          table.Row(stack, result);
          ++kept;
        }
        return settings.limit == 0 || kept < settings.limit;
      },
      isatty(STDOUT_FILENO) == 1);
  table.End();
  return allRan;
}

int RunBatch(BatchSettings& settings) {
  if (settings.writeJobStack.empty()) {
    if (settings.keep) MakeOptionFolder("--keep", settings.workFolder);
    if (!settings.reportsFolder.empty()) MakeOptionFolder("--reports", settings.reportsFolder);
  }
  std::vector<CsvRecord> records = ReadRecords(settings);
  const std::shared_ptr<const ProductCatalogue> catalogue = ReadCatalogue(settings);
  // A job written alone carries the time it was written, which its report prints.
  SetLaunchTime(settings);
  BatchRows rows;
  if (settings.combine) {
    rows = SearchRows(std::move(records), catalogue);
  } else {
    std::vector<Stack> stacks = ReadStacks(records, *catalogue);
    HintAtCombine(stacks);
    ReportProblems(stacks, settings);
    if (!settings.writeJobStack.empty()) return WriteJobOfStack(stacks, settings);
    rows = TableRows(std::move(stacks));
  }
  PrepareWorkFolder(settings);
  settings.spectra =
      std::make_shared<ProductSpectra>(settings.programFolder, UserDatabaseOf(settings));
  const bool allRan = RunAndPrint(rows, settings);
  if (!settings.keep && !settings.workFolder.empty()) fs::remove_all(settings.workFolder);
  return allRan ? kBatchAllRan : kBatchSomeFailed;
}

int UsageFailure(const UsageError& e) {
  std::cerr << "lamivex-batch: " << e.what() << "\nTry 'lamivex-batch --help'.\n";
  return kBatchUsage;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // Every stack allocates and frees the same few megabytes. Giving the freed memory back
  // to the system after each stack costs a cross-processor TLB flush per release, which
  // made two threads a third slower than they need be; the batch keeps it instead.
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  CommandLine line;
  try {
    line = ParseCommandLine(argc, argv, std::thread::hardware_concurrency());
  } catch (const UsageError& e) {
    return UsageFailure(e);
  }
  if (line.help) {
    std::cout << kBatchUsageText;
    return kBatchAllRan;
  }
  if (line.version) {
    std::cout << "lamivex-batch " << LAMIVEX_VERSION << '\n';
    return kBatchAllRan;
  }
  try {
    line.settings.programFolder = lamivex::ProgramFolder();
    line.settings.userProfile = lamivex::ProfileFolder();
    return RunBatch(line.settings);
  } catch (const UsageError& e) {
    return UsageFailure(e);
  } catch (const InputRefused& e) {
    std::cerr << "lamivex-batch: " << InputName(line.settings) << ": " << e.what() << '\n';
    return kBatchInputRefused;
  } catch (const lamivex::RunError& e) {
    std::cerr << "lamivex-batch: " << e.Title() << ": " << e.what() << '\n';
    return kBatchSomeFailed;
  } catch (const std::exception& e) {
    std::cerr << "lamivex-batch: " << e.what() << '\n';
    return kBatchSomeFailed;
  }
}
