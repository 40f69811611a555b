#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Calculate_Modul6.h"
#include "Interpolation.h"
#include "Main_modul6.h"
#include "OpticsTestSupport.h"
#include "Result_Common_Modul6.h"
#include "Result_Energy_Modul6.h"
#include "Result_Light_Modul6.h"
#include "platform/MessageBox.h"

namespace lamivex {
namespace {

TEST(Integration, WeightedMeansOrPlainSumsWithoutWeight) {
  const IntegratedValues means = IntegrateSpectrum({{300, 1, 80, 10, 6}, {305, 3, 40, 2, 2}});
  EXPECT_DOUBLE_EQ(means.T, 50);
  EXPECT_DOUBLE_EQ(means.R1, 4);
  EXPECT_DOUBLE_EQ(means.R2, 3);
  EXPECT_DOUBLE_EQ(means.A1, 46);
  // A weight of 1 at 50 % and a thousand of 1e-16 at 100 %: T = (50 + 1e-11) / (1 + 1e-13)
  // = 50.000000000005 to 1e-24. A plain sum loses or rounds up every small term (T came
  // out as 50.000000000007105).
  std::vector<SpectrumRecord> records{{300, 1, 50, 0, 0}};
  records.insert(records.end(), 1000, SpectrumRecord{305, 1e-16, 100, 0, 0});
  const IntegratedValues mixed = IntegrateSpectrum(records);
  EXPECT_NEAR(mixed.T, 50.000000000005, 1e-13);
  EXPECT_NEAR(mixed.A1, 49.999999999995, 1e-13);
  const IntegratedValues unweighted = IntegrateSpectrum({{380, 0, 80, 10, 6}});
  EXPECT_EQ(unweighted.T, 0.0);
  EXPECT_EQ(IntegrateSpectrum({}).R1, 0.0);
}

class ResultFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { run.ProfilePath = profile.Path(); }
  void WriteSpectrum(const std::string& name, double t, double r1, double r2) {
    testing::WriteBytes(profile.Temp(name), "header\r\n" + SpectrumLine(300, 0.25, t, r1, r2) +
                                                "\r\n" + SpectrumLine(305, 0.75, t, r1, r2) +
                                                "\r\n");
  }
  testing::TempProfile profile;
  LamivexRun run;
};

TEST_F(ResultFilesTest, EnergyAndLightResultFilesHoldHeaderAndOneDataLine) {
  run.NumberGlass = 1;
  WriteSpectrum("Energy_1.out", 84.5, 7.5, 7.25);
  WriteEnergyResultHeader(run, "Result_Energy_1_Lamivex.out");
  IntegrateEnergyResult(run, "Energy_1.out", "Result_Energy_1_Lamivex.out");
  EXPECT_EQ(testing::ReadBytes(profile.Temp("Result_Energy_1_Lamivex.out")),
            "Lamda               Te            Re1           Ae1           Re2           Ae2"
            "\r\n300 - 2500    84.5          7.5           8             7.25          8.25\r\n");
  WriteSpectrum("Light_1.out", 90, 8, 8);
  WriteLightResultHeader(run, "Result_Light_1_Lamivex.out");
  IntegrateLightResult(run, "Light_1.out", "Result_Light_1_Lamivex.out");
  const auto lines =
      testing::CrLfLines(testing::ReadBytes(profile.Temp("Result_Light_1_Lamivex.out")));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            ResultHeaderLine({"      Tl ", "      Rl1", "      Al1", "      Rl2", "      Al2"}));
  EXPECT_EQ(lines[1].substr(0, 14), "380 - 780     ");
  EXPECT_EQ(testing::Fields(lines[1]).back(), "2");
}

TEST_F(ResultFilesTest, OneLayerSummaryCarriesTheLayersOwnValues) {
  run.NumberGlass = 1;
  WriteSpectrum(kFinalEnergyFile, 80, 8, 8);
  WriteSpectrum("Energy_1.out", 84.5, 7.5, 6.5);
  IntegrateEnergyResult(run, kFinalEnergyFile, "a.out");
  IntegrateEnergyResult(run, "Energy_1.out", "b.out");
  EXPECT_EQ(run.SummaryTe, 84.5);
  EXPECT_EQ(run.SummaryRe2, 6.5);
}

TEST_F(ResultFilesTest, TwoLayerSummaryCarriesTheAssemblysValues) {
  run.NumberGlass = 2;
  WriteSpectrum(kFinalEnergyFile, 72, 9, 8.5);
  WriteSpectrum(kFinalLightFile, 86, 8, 8.5);
  WriteSpectrum("Energy_1.out", 84.5, 7.5, 6.5);
  IntegrateEnergyResult(run, kFinalEnergyFile, "a.out");
  IntegrateLightResult(run, kFinalLightFile, "b.out");
  IntegrateEnergyResult(run, "Energy_1.out", "c.out");
  IntegrateLightResult(run, "Energy_1.out", "d.out");
  EXPECT_EQ(run.SummaryTe, 72);
  EXPECT_EQ(run.SummaryRe2, 8.5);
  EXPECT_EQ(run.SummaryTl, 86);
  EXPECT_EQ(run.SummaryRl2, 8.5);
}

TEST(SummaryRecord, RoundsHalvesToEvenAndTakesAbsorptionsFromTheIntegers) {
  LamivexRun run;
  run.NumberGlass = 2;
  run.SummaryTe = 84.5;
  run.SummaryRe1 = 7.5;
  run.SummaryRe2 = 6.4;
  run.SummaryTl = 89.6;
  run.SummaryRl1 = 8.49;
  run.SummaryRl2 = 8.5;
  run.GlassEmn1[1] = 84;
  run.GlassEmn1[2] = 3;
  run.GlassEmn2[1] = 2;
  run.GlassEmn2[2] = 0.5;
  EXPECT_EQ(RecordLine(SummaryValues(run), 13),
            "\"Caractéristiques de l'élément sortant\",84,8,8,84,6,10,0.5,90,8,2,8,2");
}

TEST_F(ResultFilesTest, SummaryReplacesAnEarlierFileWithOneWindows1252Line) {
  testing::WriteBytes(profile.Temp("Lamivex.out"), "old\r\n");
  run.NumberGlass = 1;
  run.SummaryTe = 84;
  WriteSummary(run, "Lamivex.out");
  const std::string bytes = testing::ReadBytes(profile.Temp("Lamivex.out"));
  EXPECT_EQ(bytes.substr(0, 7), "\"Caract");
  EXPECT_EQ(bytes[7], '\xE9');
  EXPECT_EQ(testing::CrLfLines(bytes).size(), 1u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST_F(ResultFilesTest, RecordWriterRefusesABadCountWithoutWriting) {
  std::vector<std::string> messages;
  const MessageSink previous =
      SetMessageSink([&](const std::string& title, const std::string& text) {
        messages.push_back(title + "|" + text);
      });
  const std::vector<RecordValue> values{std::string("a"), 1.5};
  EXPECT_FALSE(WriteRecord(profile.Temp("r.out"), values, 0));
  EXPECT_FALSE(WriteRecord(profile.Temp("r.out"), values, 14));
  EXPECT_FALSE(profile.Exists("r.out"));
  EXPECT_TRUE(WriteRecord(profile.Temp("r.out"), values, 2));
  EXPECT_TRUE(WriteRecord(profile.Temp("r.out"), values, 1));
  SetMessageSink(previous);
  EXPECT_EQ(messages, std::vector<std::string>(2, "SM5.2|PROBLEME D'ECRITURE DU FICHIER"));
  EXPECT_EQ(testing::ReadBytes(profile.Temp("r.out")), "\"a\",1.5\r\n\"a\"\r\n");
}

TEST_F(ResultFilesTest, RecordWriterReportsAFailingWriteAsFalse) {
  EXPECT_FALSE(WriteRecord(profile.Temp("no_such_folder/r.out"), {1.0}, 1));
  run.ProfilePath = profile.Path() + "/no_such_profile";
  EXPECT_THROW(WriteSummary(run, "Lamivex.out"), std::exception);
}

}  // namespace
}  // namespace lamivex
