// Where the run finds its folders on this platform.
#pragma once

#include <string>

namespace lamivex {

// The application-data folder: $AppData, else $XDG_DATA_HOME, else $HOME/.local/share.
std::string ApplicationDataFolder();

// The profile folder under the application-data folder: <appdata>/Solmerac/v5.2/Profile.
std::string ProfileFolder();

// The line that follows "Error: PATHTEMP=... is not found!": how the profile folder is
// found, which variable gave it here, and that it must exist.
std::string ProfileFolderLookup();

// The program folder: $LAMIVEX_PROGRAM_DIR when set, else the folder holding the executable.
std::string ProgramFolder();

bool FolderExists(const std::string& path);

}  // namespace lamivex
