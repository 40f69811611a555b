// Where the run finds its folders on this platform.
#pragma once

#include <filesystem>
#include <string>

namespace lamivex {

// The application-data folder: $AppData, else $XDG_DATA_HOME, else $HOME/.local/share.
std::string ApplicationDataFolder();

// The profile folder under the application-data folder: <appdata>/Solmerac/v5.2/Profile.
std::string ProfileFolder();

// The line that follows "Error: PATHTEMP=... is not found!": how the profile folder is
// found, which variable gave it here, and that it must exist.
std::string ProfileFolderLookup();

// The suite database inside a program folder; the program folder is recognised by it.
inline constexpr const char* kSuiteDatabaseInProgramFolder =
    "Base SM_Vitrages/SpectralDB/SM_Spectral.db";

// The user's database inside the profile folder.
inline constexpr const char* kUserDatabaseInProfileFolder =
    "Base Utilisateur/Vitrages/SpectralDB/SM_Spectral_User.db";

// The program folder: $LAMIVEX_PROGRAM_DIR when set; else the folder holding the
// executable when it holds the suite database (the build tree); else the installed data
// folder relative to the executable (<prefix>/share/lamivex beside <prefix>/bin).
std::string ProgramFolder();

// The same choice for a given value of $LAMIVEX_PROGRAM_DIR and executable folder. When
// neither folder holds the suite database, the executable's folder is the answer, so
// that the run's error names the place a user expects.
std::string ProgramFolderFor(const std::string& chosen,
                             const std::filesystem::path& executableFolder);

bool FolderExists(const std::string& path);

}  // namespace lamivex
