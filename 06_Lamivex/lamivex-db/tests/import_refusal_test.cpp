// Every malformed input is refused with the file, the line or key and the
// reason on standard error, and the database keeps every byte.
#include <gtest/gtest.h>

#include "DbTestSupport.h"

namespace lamivexdb {
namespace {

using testing::ReadAll;
using testing::Tool;
using testing::WriteAll;

struct RefusalCase {
  const char* title;
  std::string content;
  std::string expected;  // part of the message after the file name
  std::vector<std::string> options = {};
};

std::string ManyRows() {
  return testing::FlatColumns(300, 2500, 1, 80, 8, 8);
}

std::string OpticsHeader(const std::string& units) {
  return "{ Units, Wavelength Units } " + units + "\n{ Thickness } 4\n{ Product Name: X }\n";
}

std::vector<RefusalCase> RefusalCases() {
  return {
      {"empty file", "", ": no data rows"},
      {"header only", "wavelength,T,R1,R2\n", ": no data rows"},
      {"non-numeric field", "nm,T,R1,R2\n300,80,x,8\n", ":2: field 3 \"x\" is not a number"},
      {"decimal commas, a row of three", "300;80,5;8;8\n305;80,5;8\n",
       ":1: 5 fields; expected 4: wavelength (nm), T, R1, R2 (%); decimal commas seen (\"80,5\"): "
       "they are read only when every row has four fields separated by semicolons"},
      {"decimal commas and TABs", "300\t80,5\t8\t8\n", ":1: 5 fields; expected 4"},
      {"decimal commas, a thousands dot", "300;80,5;8;8\n1.000;80,5;8;8\n2500;80;8;8\n",
       ":2: field 1 \"1.000\" is not a number (the file writes decimals with commas)"},
      {"thickness not a number", "# thickness: four\n300,80,8,8\n",
       ":1: thickness \"four\" is not a number"},
      {"three columns", "300,80,8\n", ":1: 3 fields; expected 4"},
      {"units not understood", OpticsHeader("SI Angstroms") + "3000 0.8 0.08 0.08\n",
       ":1: units line not understood: \"SI Angstroms\""},
      {"no units line", "{ Product Name: X }\n300 0.8 0.08 0.08\n",
       ":2: data row before the units line"},
      {"optics five numbers", OpticsHeader("SI Nanometers") + "300 0.8 0.08 0.08 0.1\n",
       ":4: 5 numbers; expected 4 or 9"},
      {"optics non-numeric", OpticsHeader("SI Nanometers") + "300 0.8 0,08 0.08\n",
       ":4: field 3 \"0,08\" is not a number"},
      {"json without spectral data", R"({"name":"X","measured_data":{"thickness":3}})",
       ": key spectral_data: missing"},
      {"json point without Rf",
       R"({"spectral_data":{"spectral_data":[{"T":0.8,"Rb":0.1,"Rf":0.1,"wavelength":0.3},)"
       R"({"T":0.8,"Rb":0.1,"wavelength":2.5}]}})",
       ": key spectral_data.spectral_data[1].Rf: missing"},
      {"json text value",
       R"({"spectral_data":{"spectral_data":[{"T":"0.8","Rb":0.1,"Rf":0.1,"wavelength":0.3}]}})",
       ": key spectral_data.spectral_data[0].T: not a number"},
      {"truncated json", R"({"spectral_data":{"spectral_data":[{"T":0.8,)",
       ": not a valid JSON file"},
      {"value above 100 %", "300,80,8,8\n305,101,8,8\n", ":2: T 101 % at 305 nm"},
      {"negative value", "300,80,8,8\n305,80,-0.5,8\n2500,80,8,8\n",
       ":2: R1 -0.5 % at 305 nm is outside 0 to 100 %"},
      {"T + R 1.5 points above 100", "300,80,8,8\n305,80,8,21.5\n2500,80,8,8\n",
       ":2: T + R2 = 101.5 % at 305 nm is above 100 % by more than the tolerance of 1 point"},
      {"descending rows", "300,80,8,8\n2500,80,8,8\n1000,80,8,8\n",
       ":3: rows not strictly ascending: 1000 nm follows 2500 nm"},
      {"duplicate wavelength", "300,80,8,8\n300,81,8,8\n2500,80,8,8\n",
       ":2: duplicate wavelength 300 nm"},
      {"range too short", testing::FlatColumns(380, 780, 5, 80, 8, 8),
       ": covers 380 to 780 nm; 300 to 2500 nm must be covered"},
      {"more than 441 rows", ManyRows(), ": 2201 rows above 299 nm"},
      {"fractions without --fractions", testing::FlatColumns(300, 2500, 5, 0.8, 0.08, 0.08),
       ": every value is 1 or less: columns hold percent, not fractions; give --fractions"},
      {"percent with --fractions",
       "nm,T,R1,R2\n300,0.5,0.5,0.5\n305,80,8,8\n",
       ":3: --fractions is given, but a value is above 1: the columns hold percent",
       {"--fractions"}},
      {"only thermal infrared", OpticsHeader("SI Microns") + "5.0 0 0.1 0.1\n",
       ": no data rows at or below 2500 nm"},
  };
}

class ImportRefusal : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Tool({"create", db_, "--user"}).status, 0);
    ASSERT_EQ(Tool({"import", db_, testing::SpectrumFile("CLEAR_3.DAT")}).status, 0);
    before_ = ReadAll(db_);
  }
  void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
    const testing::ToolResult result = Tool(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    EXPECT_TRUE(ReadAll(db_) == before_) << "the database changed";
  }
  testing::ScratchFolder folder_;
  std::string db_ = folder_ / "SM_Spectral_User.db";
  std::string before_;
};

TEST_F(ImportRefusal, EachMalformedFileLeavesTheDatabaseUnchanged) {
  for (const RefusalCase& refusal : RefusalCases()) {
    SCOPED_TRACE(refusal.title);
    const std::string file = folder_ / "product.txt";
    WriteAll(file, refusal.content);
    std::vector<std::string> args{"import", db_, file};
    args.insert(args.end(), refusal.options.begin(), refusal.options.end());
    ExpectRefused(args, file + refusal.expected);
  }
}

TEST_F(ImportRefusal, PublishedFileWithReflectanceAboveOne) {
  const std::string file = testing::SpectrumFile("OpticsNanometers.txt");
  ExpectRefused({"import", db_, file}, file + ":15: R1 132.7 % at 305 nm is outside 0 to 100 %");
}

TEST_F(ImportRefusal, OneBadFileAmongSeveralStoresNone) {
  const std::string bad = folder_ / "bad.csv";
  WriteAll(bad, "300,80,8\n");
  ExpectRefused({"import", db_, testing::SpectrumFile("CLEAR_6.DAT"), bad}, bad + ":1:");
}

TEST_F(ImportRefusal, IdsOutsideTheRangeOrTakenAndDuplicates) {
  const std::string clear6 = testing::SpectrumFile("CLEAR_6.DAT");
  ExpectRefused({"import", db_, clear6, "--id", "999999"},
                "id 999999 is out of range: a user database takes ids from 1000000 up");
  ExpectRefused({"import", db_, clear6, "--id", "1000000"}, "id 1000000 is taken");
  ExpectRefused({"import", db_, folder_ / "missing.csv"}, "missing.csv: cannot be read");
  ExpectRefused(
      {"import", db_, testing::SpectrumFile("CLEAR_6.DAT"), testing::SpectrumFile("CLEAR_3.DAT")},
      "CLEAR_3.DAT: id 1000000 holds the same product (\"Generic Clear Glass\", the same "
      "111 rows); give --duplicate to import it again");
  ExpectRefused({"import", folder_ / "none.db", clear6}, "none.db: no such database");
}

}  // namespace
}  // namespace lamivexdb
