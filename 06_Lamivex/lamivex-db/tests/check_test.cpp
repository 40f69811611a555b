// check on a database built by hand with each problem a run would stumble on
// (status 1), and measuring noise a run goes through (a warning).
#include <gtest/gtest.h>

#include "DbTestSupport.h"

namespace lamivexdb {
namespace {

// A product row and a flat spectrum, in tables with no key, so that any order and
// duplicates can be stored.
std::string Product(std::string family, int id, std::string name, std::string first = "300",
                    std::string last = "2500", std::string step = "5") {
  const std::string spectral = family == "glass" ? "spectral_energy" : "spectral_energy_" + family;
  return "create table if not exists " + family + " (id, name); create table if not exists " +
         spectral + " (glass_id, lamda, transmission_energy, reflection_energy_face1, " +
         "reflection_energy_face2); insert into " + family + " values (" + std::to_string(id) +
         ", '" + name + "'); with recursive g(l) as (select " + first + " union all select l + " +
         step + " from g where l < " + last + ") insert into " + spectral + " select " +
         std::to_string(id) + ", l, 80, 8, 8 from g;";
}

TEST(Check, EachProblemIsReportedAndTheStatusIsOne) {
  const testing::Session session;
  const std::string db = session.At("$D");
  testing::ExecuteSql(  // in one transaction, which is quicker
      db,
      "begin;" + Product("glass", 1, "good") + Product("glass", 2, "unsorted") +
          Product("film", 2, "duplicate") + Product("PVB", 3, "short", "305", "2400") +
          Product("PVB", 4, "dense", "300", "2500", "2.5") + Product("glass", 5, "values") +
          Product("glass", 6, "empty", "0", "0") + Product("glass", 1000001, "user id") +
          "update spectral_energy set lamda = 705 - lamda where glass_id = 2 and lamda in (350, "
          "355); update spectral_energy_film set lamda = 325 where lamda = 330;"
          "update spectral_energy set transmission_energy = 100.5 where glass_id = 5 and lamda "
          "= 310; update spectral_energy set reflection_energy_face2 = -1 where glass_id = 5 and "
          "lamda = 315; update spectral_energy set reflection_energy_face1 = 21 where glass_id "
          "= 5 and lamda = 320;"  // T + R1 = 101: noise at the edge of the tolerance
          "delete from spectral_energy where glass_id = 6; update spectral_energy set "
          "transmission_energy = null where glass_id = 1000001 and lamda = 500; commit;");
  const testing::ToolResult check = testing::Tool({"check", db});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(
      check.out,
      "glass 2 \"unsorted\": rows not strictly ascending: 350 nm follows 355 nm\n"
      "glass 5 \"values\": T 100.5 % at 310 nm is outside 0 to 100 % (and 1 more)\n"
      "glass 5 \"values\": T + R1 = 108.5 % at 310 nm is above 100 % by more than the "
      "tolerance of 1 point (and 1 more)\n"
      "glass 5 \"values\": warning: T + R is above 100 % at 1 of 441 wavelengths, within the "
      "tolerance of 1 point for measuring noise; the largest: T + R1 = 101 % at 320 nm\n"
      "glass 6 \"empty\": no spectral rows: the run stops with \"Please, select the glass!\"\n"
      "glass 1000001 \"user id\": id outside 1 to 999999: the run never looks for it in the "
      "suite database\n"
      "glass 1000001 \"user id\": T at 500 nm is not a number\n"
      "film 2 \"duplicate\": duplicate wavelength 325 nm\n"
      "pvb 3 \"short\": covers 305 to 2400 nm; 300 to 2500 nm must be covered\n"
      "pvb 4 \"dense\": 881 rows above 299 nm; a spectrum holds at most 441\n"
      "9 problems in 7 of 8 products; 1 warnings in 1 products (a run goes through them)\n");
}

}  // namespace
}  // namespace lamivexdb
