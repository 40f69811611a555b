// The default configuration folder of a new writer, found from the running program.
#include "ConfigurationFolder.h"

#include <system_error>

#include "FontMetrics.h"

// Where the library's install puts the metrics file: relative to the installed programs'
// folder and as an absolute folder. The build gives the values of its install layout.
#ifndef CREATEPDF_INSTALLED_CONFIG_FROM_BIN
#define CREATEPDF_INSTALLED_CONFIG_FROM_BIN "../share/CreatePDF"
#endif
#ifndef CREATEPDF_INSTALLED_CONFIG_DIR
#define CREATEPDF_INSTALLED_CONFIG_DIR "/usr/local/share/CreatePDF"
#endif

namespace createpdf {
namespace {

bool HoldsMetricsFile(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_regular_file(folder / kMetricsFileName, error);
}

// The folder of the running program, or the working folder when it cannot be read.
std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error && program.has_parent_path()) return program.parent_path();
  return std::filesystem::current_path(error);
}

std::vector<std::filesystem::path> FoldersAmong(const std::filesystem::path& programFolder,
                                                const std::filesystem::path& installedRelative,
                                                const std::filesystem::path& installedAbsolute) {
  return {programFolder, (programFolder / installedRelative).lexically_normal(), installedAbsolute};
}

}  // namespace

std::vector<std::filesystem::path> DefaultConfigurationFolders() {
  return FoldersAmong(ProgramFolder(), CREATEPDF_INSTALLED_CONFIG_FROM_BIN,
                      CREATEPDF_INSTALLED_CONFIG_DIR);
}

std::string DefaultConfigurationFolderAmong(const std::filesystem::path& programFolder,
                                            const std::filesystem::path& installedRelative,
                                            const std::filesystem::path& installedAbsolute) {
  for (const std::filesystem::path& folder :
       FoldersAmong(programFolder, installedRelative, installedAbsolute)) {
    if (!folder.empty() && HoldsMetricsFile(folder)) return folder.string();
  }
  return programFolder.string();
}

std::string DefaultConfigurationFolder() {
  return DefaultConfigurationFolderAmong(ProgramFolder(), CREATEPDF_INSTALLED_CONFIG_FROM_BIN,
                                         CREATEPDF_INSTALLED_CONFIG_DIR);
}

}  // namespace createpdf
