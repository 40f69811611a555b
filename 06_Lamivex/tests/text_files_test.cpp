// Text files: line ends, the UTF-8 / Windows-1252 reading rule, Windows-1252 writing.
#include "platform/TextFiles.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/RunError.h"

namespace lamivex {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(TextFiles, FileExistsOnlyForAReadableRegularFile) {
  TempFolder temp;
  WriteBytes(temp / "a.txt", "");
  EXPECT_TRUE(FileExists(temp / "a.txt"));  // an empty file has a length too
  EXPECT_FALSE(FileExists(temp / "missing.txt"));
  EXPECT_FALSE(FileExists(temp.Path().string()));  // a folder is no file
  EXPECT_FALSE(FileExists(""));
}

TEST(TextFiles, LinesEndAtCrLfLfOrALoneCr) {
  TempFolder temp;
  WriteBytes(temp / "a.txt", "one\r\ntwo\nthree\rfour\r\n\r\nlast");
  EXPECT_EQ(ReadTextLines(temp / "a.txt"),
            (std::vector<std::string>{"one", "two", "three", "four", "", "last"}));
  WriteBytes(temp / "b.txt", "");
  EXPECT_TRUE(ReadTextLines(temp / "b.txt").empty());
  WriteBytes(temp / "c.txt", "\xEF\xBB\xBF\"Langue\", x\r\n");
  EXPECT_EQ(ReadTextLines(temp / "c.txt"), (std::vector<std::string>{"\"Langue\", x"}));
}

TEST(TextFiles, AFileThatIsNotUtf8IsReadAsWindows1252) {
  EXPECT_EQ(ToUtf8("Projet/R\xC3\xA9"
                   "f\xC3\xA9rence"),
            "Projet/Référence");
  EXPECT_EQ(ToUtf8("Projet/R\xE9"
                   "f\xE9rence"),
            "Projet/Référence");
  EXPECT_EQ(ToUtf8("\x80 \x9C \x81"), "€ œ \xC2\x81");
  // An overlong form and a lone continuation byte are not UTF-8.
  EXPECT_EQ(ToUtf8("\xC0\xAF"), "À¯");
  EXPECT_EQ(ToUtf8("a\xA9"), "a©");
}

TEST(TextFiles, WritingUsesWindows1252AndCrLf) {
  TempFolder temp;
  const std::string path = temp / "out.txt";
  WriteTextLines(path, {"Caractéristiques de l'élément sortant", "€ 日"});
  EXPECT_EQ(ReadBytes(path), "Caract\xE9ristiques de l'\xE9l\xE9ment sortant\r\n\x80 ?\r\n");
  WriteTextLines(path, {"more"}, true);
  EXPECT_EQ(ReadTextLines(path).back(), "more");
  WriteTextLines(path, {"new"});
  EXPECT_EQ(ReadBytes(path), "new\r\n");
  EXPECT_EQ(ToUtf8(ToWindows1252("àéîõü ÀÉ € ‘’ “” …")), "àéîõü ÀÉ € ‘’ “” …");
}

TEST(TextFiles, FailuresNameTheFile) {
  TempFolder temp;
  const std::string inMissingFolder = temp / "no/such/folder/out.txt";
  try {
    WriteTextLines(inMissingFolder, {"x"});
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(e.Status(), kExitFault);
    EXPECT_NE(std::string(e.what()).find(inMissingFolder), std::string::npos);
  }
  EXPECT_THROW(ReadTextLines(temp / "missing.txt"), RunError);
  EXPECT_NO_THROW(DeleteIfPresent(temp / "missing.txt"));
  WriteBytes(temp / "gone.txt", "x");
  DeleteIfPresent(temp / "gone.txt");
  EXPECT_FALSE(FileExists(temp / "gone.txt"));
}

}  // namespace
}  // namespace lamivex
