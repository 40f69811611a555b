// $D holds glass 1, pvb 1 and film 2; $U holds 1000000.
#include <gtest/gtest.h>

#include <optional>

#include "DbTestSupport.h"

namespace lamivexdb {
namespace {

struct Refusal {
  std::string args;  // split at blanks; '' is an empty argument
  int status;
  std::string message;                   // after "lamivex-db COMMAND: "
  std::optional<std::string> file = {};  // the content of $F
};

std::string Optics(const std::string& rows, const std::string& units = "SI Nanometers") {
  return "{ Units, Wavelength Units } " + units + "\n{ Thickness } 4\n{ Product Name: X }\n" + rows;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

const std::string kFields = " fields; expected 4: wavelength (nm), T, R1, R2 (%)";
const std::string kCommas =
    "; decimal commas seen (\"80,5\"): they are read only when every row "
    "has four fields separated by semicolons";
const std::string kJson = R"({"spectral_data":{"spectral_data":[)";
const char* kImport = "import $U $F";
const std::string kNoDatabase = "no such database; make one with lamivex-db create";
const std::string kNoneOf2 =
    "; none of the 2 files was imported; give --skip-bad to import the others";

const Refusal kRefusals[] = {
    {"", 64, "missing command"},
    {"merge x", 64, "unknown command 'merge'"},
    {"list", 64, "expects one PATH"},
    {"import $U", 64, "expects PATH and at least one FILE"},
    {"import $U f --colour", 64, "unknown option --colour"},
    {"import $U f --id", 64, "option --id needs a value"},
    {"import $U f --kind=pvb --kind film", 64, "option --kind given twice"},
    {"import $U f --duplicate=yes", 64, "option --duplicate takes no value"},
    {"import $D $S/CLEAR_6.DAT --id 12x", 64,
     "--id must be a whole number from 1 to 2147483647, not '12x'"},
    {"import $D $S/CLEAR_6.DAT --kind gas", 64, "--kind must be glass, film or pvb, not 'gas'"},
    {"import $D a b --name X", 64, "--id and --name take one FILE"},
    {"create $D --user", 2, "$D: exists; create never overwrites a file"},
    {"create $T/x.db", 64, "give one of --suite or --user"},
    {"check $T/none.db", 2, "$T/none.db: " + kNoDatabase},
    {"list $T", 2, "$T: " + kNoDatabase},
    {"delete $T/none.db 1", 2, "$T/none.db: " + kNoDatabase},
    {"rename $T/none.db 1 X", 2, "$T/none.db: " + kNoDatabase},
    {"import $T/none.db $S/CLEAR_6.DAT", 2, "$T/none.db: " + kNoDatabase},
    {"import $O $S/CLEAR_3.json", 2,
     "$O: not a spectral database: no tables glass and spectral_energy"},
    {"import $U $S/CLEAR_6.DAT --id 999999", 2,
     "$U: id 999999 is out of range: a user database takes ids from 1000000 up"},
    {"import $D $S/CLEAR_6.DAT --id 0", 2,
     "$D: id 0 is out of range: a suite database takes ids from 1 to 999999"},
    {"import $U $S/CLEAR_6.DAT --id 1000000", 2, "$U: id 1000000 is taken in the glass tables"},
    {"import $U $S/CLEAR_6.DAT $S/CLEAR_3.DAT", 2,
     "$S/CLEAR_3.DAT: id 1000000 holds the same product (\"Generic Clear Glass\", the same 111 "
     "rows); give --duplicate to import it again" +
         kNoneOf2},
    {"rename $D 1 X", 64, "id 1 is in the glass and pvb tables; give --kind"},
    {"delete $D 7", 2, "$D: no product with id 7; lamivex-db list shows the products"},
    {"delete $D 2 --kind glass", 2, "$D: no product with id 2 in the glass tables"},
    {"delete $U 1000000 --kind pvb", 2,
     "$U: no product with id 1000000 in the pvb tables; a user database keeps every kind in its "
     "glass tables"},
    {"rename $D 2 ''", 64, "NAME must not be empty"},
    {"rename $D 2", 64, "expects PATH, ID and NAME"},
    {"delete $D two", 64, "ID must be a whole number from 1 to 2147483647, not 'two'"},
    {"import $U $S/nfrc_9223.json $F", 2, "$F:1: 3" + kFields + kNoneOf2, "300,80,8\n"},
    {"import $U $T/none.csv", 2, "$T/none.csv: cannot be read: No such file or directory"},
    {kImport, 2, "$F: no data rows", ""},
    {kImport, 2, "$F: no data rows", "wavelength,T,R1,R2\n"},
    {kImport, 2, "$F:2: field 3 \"x\" is not a number", "nm,T,R1,R2\n300,80,x,8\n"},
    {kImport, 2, "$F:1: 5" + kFields + kCommas, "300;80,5;8;8\n305;80,5;8\n"},
    {kImport, 2, "$F:2: field 1 \"1.000\" is not a number (the file writes decimals with commas)",
     "300;80,5;8;8\n1.000;80,5;8;8\n2500;80;8;8\n"},
    {kImport, 2, "$F:1: thickness \"four\" is not a number", "# thickness: four\n300,80,8,8\n"},
    {kImport, 2, "$F:1: emissivity 84 is outside 0 to 1 (a hemispherical fraction)",
     "# emissivity front: 84\n300,80,8,8\n"},
    {kImport, 2,
     "$F:4: emissivity line not understood: \"0.84\"; expected two numbers, front and back",
     Optics("{ Emissivity, front back } Emis= 0.84\n")},
    {kImport, 2,
     "$F:1: units line not understood: \"SI Angstroms\"; expected \"SI Microns\" or \"SI "
     "Nanometers\"",
     Optics("3000 0.8 0.08 0.08\n", "SI Angstroms")},
    {kImport, 2, "$F:2: data row before the units line", "{ Product Name: X }\n300 0 0 0\n"},
    {kImport, 2, "$F: no units line (\"{ Units, ... }\")", "{ Product Name: X }\n"},
    {kImport, 2, "$F: no data rows", Optics("")},
    {kImport, 2, "$F:4: thickness \"4 mm\" is not a number", Optics("{ Thickness } 4 mm\n")},
    {kImport, 2, "$F:4: 5 numbers; expected 4 or 9", Optics("300 0.8 0.08 0.08 0.1\n")},
    {kImport, 2, "$F:5: 9 numbers; expected 4", Optics("300 0 0 0\n305 0 0 0 0 0 0 0 0\n")},
    {kImport, 2, "$F:4: field 3 \"0,08\" is not a number", Optics("300 0.8 0,08 0.08\n")},
    {kImport, 2, "$F: no data rows at or below 2500 nm", Optics("5.0 0 0.1 0.1\n", "SI Microns")},
    {kImport, 2, "$F: key spectral_data: missing: the file holds no spectral data",
     R"({"name":"X","measured_data":{"thickness":3}})"},
    {kImport, 2, "$F: key spectral_data.spectral_data: no data rows", kJson + "]}}"},
    {kImport, 2, "$F: key spectral_data.spectral_data[1].Rf: missing",
     kJson +
         R"({"T":0.8,"Rb":0.1,"Rf":0.1,"wavelength":0.3},{"T":0.8,"Rb":0.1,"wavelength":2.5}]}})"},
    {kImport, 2, "$F: key spectral_data.spectral_data[0].T: not a number",
     kJson + R"({"T":"0.8","Rb":0,"Rf":0,"wavelength":0.3}]}})"},
    {kImport, 2, "$F: key spectral_data.spectral_data[0]: not an object", kJson + "7]}}"},
    {kImport, 2,
     "$F: not a valid JSON file: [json.exception.parse_error.101] parse error at line 1, column "
     "45: syntax error while parsing object key - unexpected end of input; expected string "
     "literal",
     kJson + R"({"T":0.8,)"},
    {kImport, 2,
     "$F:2: T 101 % at 305 nm is outside 0 to 100 %; T + R1 = 109 % at 305 nm is above 100 % "
     "by more than the tolerance of 1 point (and 1 more); covers 300 to 305 nm; 300 to 2500 nm "
     "must be covered",
     "300,80,8,8\n305,101,8,8\n"},
    {kImport, 2,
     "$F:2: T + R2 = 101.5 % at 305 nm is above 100 % by more than the tolerance of 1 point",
     "300,80,8,8\n305,80,8,21.5\n2500,80,8,8\n"},
    {kImport, 2, "$F:3: rows not strictly ascending: 1000 nm follows 2500 nm",
     "300,80,8,8\n2500,80,8,8\n1000,80,8,8\n"},
    {kImport, 2, "$F:2: rows not strictly ascending: 1000 nm follows 2500 nm (and 1 more)",
     "2500,80,8,8\n1000,80,8,8\n1500,80,8,8\n300,80,8,8\n"},  // descending but for one row
    {kImport, 2,  // a dense grid is checked as measured, before it is resampled
     "$F:703: T 101 % at 1001 nm is outside 0 to 100 %; T + R1 = 109 % at 1001 nm is above 100 % "
     "by more than the tolerance of 1 point (and 1 more)",
     Replaced(testing::FlatColumns(300, 2500, 1, 80, 8, 8), "\n1001,80", "\n1001,101")},
    {kImport, 2, "$F: no rows above 299 nm; 300 to 2500 nm must be covered",
     "250,80,8,8\n299,80,8,8\n"},
    {kImport, 2,
     "$F: every value is 1 or less: columns hold percent, not fractions; give --fractions to "
     "multiply them by 100",
     testing::FlatColumns(300, 2500, 5, 0.8, 0.08, 0.08)},
    {"import $U $F --fractions", 2,
     "$F:3: --fractions is given, but a value is above 1: the columns hold percent",
     "nm,T,R1,R2\n300,0.5,0.5,0.5\n305,80,8,8\n"},
    {"import $U $S/OpticsNanometers.txt", 2,
     "$S/OpticsNanometers.txt:15: R1 132.7 % at 305 nm is outside 0 to 100 % (and 4 more); "
     "T + R1 = 132.8 % at 305 nm is above 100 % by more than the tolerance of 1 point (and 4 "
     "more)"},
};

TEST(Refusals, ExactMessageAndStatusAndEveryDatabaseUnchanged) {
  const testing::Session session;
  for (const char* setup :
       {"create $D --suite", "import $D $S/CLEAR_3.DAT",
        "import $D $S/CLEAR_6.DAT --kind pvb --id 1", "import $D $S/nfrc_9223.json --kind film",
        "create $U --user", "import $U $S/CLEAR_3.DAT"}) {
    ASSERT_EQ(session.Run(setup).status, 0) << setup;
  }
  testing::ExecuteSql(session.At("$O"), "create table t (x);");
  const auto databases = [&] {
    return testing::ReadAll(session.At("$D")) + testing::ReadAll(session.At("$U")) +
           testing::ReadAll(session.At("$O"));
  };
  const std::string before = databases();

  for (const Refusal& refusal : kRefusals) {
    SCOPED_TRACE(refusal.args);
    if (refusal.file) testing::WriteAll(session.At("$F"), *refusal.file);
    const std::vector<std::string> args = session.Args(refusal.args);
    const testing::ToolResult result = testing::Tool(args);
    const bool named = !args.empty() && args[0] != "merge";
    const std::string who = named ? "lamivex-db " + args[0] : "lamivex-db";
    EXPECT_EQ(result.status, refusal.status);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, who + ": " + session.At(refusal.message) + "\n" +
                              (refusal.status == 64 ? "Try '" + who + " --help'.\n" : ""));
    EXPECT_TRUE(databases() == before) << "a database changed";
  }
}

}  // namespace
}  // namespace lamivexdb
