// Where a new writer looks for its font metrics when the caller names no configuration
// folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace createpdf {

// The default configuration folder: the running program's folder when it holds the
// metrics file (the build tree, a program shipped with its metrics); else the installed
// metrics folder relative to the program (a program installed beside the library); else
// the metrics folder of the library's install prefix.
std::string DefaultConfigurationFolder();

// The folders DefaultConfigurationFolder chooses among, in its order, for a caller that
// looks for the metrics file itself or names the folders searched.
std::vector<std::filesystem::path> DefaultConfigurationFolders();

// The same choice among given folders: the first of `programFolder`,
// `programFolder / installedRelative` and `installedAbsolute` that holds the metrics
// file, else `programFolder`, so that a missing file is looked for where a user expects.
std::string DefaultConfigurationFolderAmong(const std::filesystem::path& programFolder,
                                            const std::filesystem::path& installedRelative,
                                            const std::filesystem::path& installedAbsolute);

}  // namespace createpdf
