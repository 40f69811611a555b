// The layer table and the face-inversion list of the job file.
#include <gtest/gtest.h>

#include "JobFile.h"
#include "Main_modul6.h"
#include "platform/RunError.h"

namespace lamivex {
namespace {

using testing::TempFolder;
using testing::WriteCrLfLines;

// Reads the layer table of a job holding the given lines; NumberGlass as given.
void ReadTable(LamivexRun& run, const TempFolder& temp, int16_t layers,
               const std::vector<std::string>& lines) {
  WriteCrLfLines(temp / "job.in", lines);
  run.NumberGlass = layers;
  ReadLayerTable(run, temp / "job.in");
}

void ExpectBadJob(const std::function<void()>& read, const std::string& named) {
  try {
    read();
    ADD_FAILURE() << "accepted a job that should name: " << named;
  } catch (const RunError& e) {
    EXPECT_EQ(e.Status(), kExitBadJob);
    EXPECT_NE(std::string(e.what()).find(named), std::string::npos) << e.what();
  }
}

TEST(LayerTable, SkipsTwoLinesThenReadsFourFieldsPerLayer) {
  TempFolder temp;
  LamivexRun run;
  ReadTable(run, temp, 3,
            {"1, 9, 9, 9", "\"Number glass\", 3", "1, 1234, 89, 89", "  2 ,999999,  0.5,84.25  ",
             "3,1000000,1e1,-0", "4, 5, 6, 7"});
  EXPECT_EQ(run.GlassKind[1], 1);
  EXPECT_EQ(run.GlassId[1], 1234);
  EXPECT_EQ(run.GlassEmn1[1], 89);
  EXPECT_EQ(run.GlassKind[2], 2);
  EXPECT_EQ(run.GlassId[2], 999999);
  EXPECT_EQ(run.GlassEmn1[2], 0.5);
  EXPECT_EQ(run.GlassEmn2[2], 84.25);
  EXPECT_EQ(run.GlassKind[3], 3);
  EXPECT_EQ(run.GlassId[3], 1000000);
  EXPECT_EQ(run.GlassEmn1[3], 10);
  EXPECT_EQ(run.GlassKind[4], 0);  // beyond NumberGlass nothing is read
}

TEST(LayerTable, WholeNumberFieldsRoundHalvesToEven) {
  TempFolder temp;
  LamivexRun run;
  ReadTable(run, temp, 2, {"", "", "2.5, 1234.5, 1, 1", "3.5, 1235.5, 1, 1"});
  EXPECT_EQ(run.GlassKind[1], 2);
  EXPECT_EQ(run.GlassId[1], 1234);
  EXPECT_EQ(run.GlassKind[2], 4);
  EXPECT_EQ(run.GlassId[2], 1236);
}

TEST(LayerTable, AMalformedLayerLineIsABadJobNamingTheLayer) {
  TempFolder temp;
  LamivexRun run;
  const auto table = [&](std::vector<std::string> lines, int16_t layers = 2) {
    return [&, lines, layers] { ReadTable(run, temp, layers, lines); };
  };
  ExpectBadJob(table({"", "", "1, 2, 3, 4", "1, 2, 3"}), "layer 2 (line 4");
  ExpectBadJob(table({"", "", "1, 2, 3, 4", "1, 2, 3, 4, 5"}), "four fields");
  ExpectBadJob(table({"", "", "1, 2, 3, 4", "1, x, 3, 4"}), "product id of layer 2");
  ExpectBadJob(table({"", "", "1, 2, 3, 4", "1, 2, , 4"}), "Emn1 of layer 2");
  ExpectBadJob(table({"", "", "1, 2, 3, 4", "1, 2, 3, 4 5"}), "Emn2 of layer 2");
  ExpectBadJob(table({"", "", "\"1\", 2, 3, 4"}, 1), "kind of layer 1");
  ExpectBadJob(table({"", "", "1, 2, 3, 4"}), "no line for layer 2");
  ExpectBadJob(table({"", "", "40000, 2, 3, 4"}, 1), "kind of layer 1");
  ExpectBadJob(table({"", "", "1, 3000000000, 3, 4"}, 1), "product id of layer 1");
}

TEST(InversionList, TenFlagsForTheFirstTenLayersOnly) {
  TempFolder temp;
  LamivexRun run;
  WriteCrLfLines(temp / "job.in",
                 {"\"Inverse the face glasses\", \"1, 0,2.5,0,0,0,0,0,0, -1 ,1,1\""});
  ReadInversionList(run, temp / "job.in");
  EXPECT_EQ(run.InverseFace[0], 1);
  EXPECT_EQ(run.InverseFace[1], 0);
  EXPECT_EQ(run.InverseFace[2], 2);   // halves to even
  EXPECT_EQ(run.InverseFace[9], -1);  // any non-zero flag turns the layer
  EXPECT_EQ(run.InverseFace[10], 0);  // layers 11 and 12 are never turned
  EXPECT_EQ(run.InverseFace[11], 0);
  WriteCrLfLines(temp / "job.in", {"\"Inverse the face glasses\", 0,0,0,1,0,0,0,0,0,0"});
  ReadInversionList(run, temp / "job.in");  // the quotes are optional
  EXPECT_EQ(run.InverseFace[3], 1);
  EXPECT_EQ(run.InverseFace[0], 0);
}

TEST(InversionList, AMissingShortOrNonNumericListIsABadJob) {
  TempFolder temp;
  LamivexRun run;
  const auto list = [&](const std::string& line) {
    return [&, line] {
      WriteCrLfLines(temp / "job.in", {"\"Number glass\", 1", line});
      ReadInversionList(run, temp / "job.in");
    };
  };
  ExpectBadJob(list("\"Inverse the face\", \"0,0,0,0,0,0,0,0,0,0\""), "is missing");
  ExpectBadJob(list("\"Inverse the face glasses\", \"0,0,0,0,0,0,0,0,0\""), "lists 9 flag(s)");
  ExpectBadJob(list("\"Inverse the face glasses\", \"\""), "lists 1 flag(s)");
  ExpectBadJob(list("\"Inverse the face glasses\", \"0,0,yes,0,0,0,0,0,0,0\""), "entry 3");
  ExpectBadJob(list("\"Inverse the face glasses\", \"0,0,0,,0,0,0,0,0,0\""), "entry 4");
  ExpectBadJob(list("\"Inverse the face glasses\", \"0,0,0,0,0,0,0,0,0,99999\""), "entry 10");
  EXPECT_NO_THROW(list("\"Inverse the face glasses\", \"0,0,0,0,0,0,0,0,0,0,junk\"")());
}

}  // namespace
}  // namespace lamivex
