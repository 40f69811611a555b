// Platform substitutes: where the folders are, and the message box on standard error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "TempFolder.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"

namespace lamivex {
namespace {

// Sets or unsets environment variables for one test and restores them afterwards.
class Environment {
 public:
  ~Environment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  void Set(const std::string& name, const char* value) {
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    if (value) {
      setenv(name.c_str(), value, 1);
    } else {
      unsetenv(name.c_str());
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(Folders, TheProfileLiesUnderAppDataElseTheXdgDataFolders) {
  Environment env;
  env.Set("AppData", "/data/roaming/");
  env.Set("XDG_DATA_HOME", "/xdg");
  env.Set("HOME", "/home/u");
  EXPECT_EQ(ProfileFolder(), "/data/roaming/Solmerac/v5.2/Profile");
  EXPECT_NE(ProfileFolderLookup().find("here it comes from $AppData. The folder must exist"),
            std::string::npos);
  env.Set("AppData", nullptr);
  EXPECT_EQ(ProfileFolder(), "/xdg/Solmerac/v5.2/Profile");
  EXPECT_NE(ProfileFolderLookup().find("from $XDG_DATA_HOME (AppData is not set)."),
            std::string::npos);
  env.Set("XDG_DATA_HOME", "");
  EXPECT_EQ(ApplicationDataFolder(), "/home/u/.local/share");
  EXPECT_NE(ProfileFolderLookup().find(
                "from $HOME/.local/share (neither AppData nor XDG_DATA_HOME is set)."),
            std::string::npos);
}

TEST(Folders, TheProgramFolderIsTheExecutablesUnlessNamed) {
  Environment env;
  env.Set("LAMIVEX_PROGRAM_DIR", nullptr);
  EXPECT_EQ(std::filesystem::path(ProgramFolder()), std::filesystem::path(LAMIVEX_PROGRAM_DIR));
  env.Set("LAMIVEX_PROGRAM_DIR", "/opt/solmerac/");
  EXPECT_EQ(ProgramFolder(), "/opt/solmerac");
  EXPECT_TRUE(FolderExists(LAMIVEX_PROGRAM_DIR));
  EXPECT_FALSE(FolderExists(LAMIVEX_EXECUTABLE));
  EXPECT_FALSE(FolderExists(""));
}

// An installed tree <prefix>/bin and <prefix>/share/lamivex; which folders hold the suite
// database varies from case to case.
TEST(Folders, TheProgramFolderIsNamedElseTheExecutablesElseTheInstalledDataFolder) {
  struct Case {
    const char* name;
    const char* chosen;
    bool databaseInBin;
    bool databaseInShare;
    const char* expected;  // relative to the prefix, or absolute
  };
  const Case kCases[] = {
      {"named wins", "/opt/solmerac/", true, true, "/opt/solmerac"},
      {"build tree", "", true, true, "bin"},
      {"installed", "", false, true, "share/lamivex"},
      {"no database anywhere", "", false, false, "bin"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder prefix;
    for (const auto& [folder, holds] :
         {std::pair{"bin", c.databaseInBin}, std::pair{"share/lamivex", c.databaseInShare}}) {
      const auto database = prefix.Path() / folder / kSuiteDatabaseInProgramFolder;
      std::filesystem::create_directories(database.parent_path());
      if (holds) std::ofstream(database) << "db";
    }
    const std::filesystem::path expected = c.expected;
    EXPECT_EQ(ProgramFolderFor(c.chosen, prefix.Path() / "bin"),
              expected.is_absolute() ? expected : prefix.Path() / expected);
  }
}

TEST(MessageBox, TitleColonTextOnStandardErrorOrToASink) {
  ::testing::internal::CaptureStderr();
  ShowMessage("SM5.2", "Please, select the glass!");
  ShowMessage("SM5.2", "two\nlines");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "SM5.2: Please, select the glass!\nSM5.2: two\nlines\n");
  std::vector<std::string> shown;
  SetMessageSink([&](const std::string& title, const std::string& text) {
    shown.push_back(title + "|" + text);
  });
  ShowMessage("CreatePDF", "x");
  SetMessageSink(nullptr);
  EXPECT_EQ(shown, std::vector<std::string>{"CreatePDF|x"});
}

}  // namespace
}  // namespace lamivex
