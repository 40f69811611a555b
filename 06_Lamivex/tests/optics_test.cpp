#include <clocale>
#include <cmath>
#include <locale>
#include <numeric>
#include <tuple>

#include <gtest/gtest.h>

#include "Calculate_Modul6.h"
#include "Interpolation.h"
#include "Main_modul6.h"
#include "Result_Common_Modul6.h"
#include "Result_Energy_Modul6.h"
#include "Result_Light_Modul6.h"
#include "RunLamivex.h"
#include "platform/MessageBox.h"
#include "platform/RunError.h"

namespace lamivex {
namespace {

using namespace testing;

struct Layer {
  int16_t kind;
  double t, r1, r2;
};

AssemblyLayers Stack(const std::vector<Layer>& stack) {
  AssemblyLayers layers(static_cast<int>(stack.size()));
  for (size_t k = 1; k <= stack.size(); ++k) {
    layers.Kind(k) = stack[k - 1].kind;
    for (int i = 1; i <= kSolarPoints; ++i) {
      layers.Set(i, k, stack[k - 1].t, stack[k - 1].r1, stack[k - 1].r2);
    }
  }
  return layers;
}

const Layer kClear{1, 0.83, 0.075, 0.075}, kTinted{1, 0.55, 0.06, 0.05};
const Layer kPvb{3, 0.88, 0.05, 0.05}, kFilm{2, 0.7, 0.12, 0.09};

double Rho(const Layer& glass) {
  return glass.r1 / (1 + glass.t * glass.t);
}
double RhoBack(const Layer& glass) {
  return glass.r2 / (1 + glass.t * glass.t);
}

// Positive root of t rho^2 tau^2 + a tau - t = 0 (a = (1 - rho)^2) by Newton's method in
// long double, from t / a, which lies above the root.
long double ReferenceTau(long double t, long double rho) {
  const long double a = (1 - rho) * (1 - rho);
  long double tau = t / a;
  for (int step = 0; step < 200; ++step) {
    const long double next =
        tau - (t * rho * rho * tau * tau + a * tau - t) / (2 * t * rho * rho * tau + a);
    if (next == tau) break;
    tau = next;
  }
  return tau;
}

TEST(InternalTransmittance, AllDigitsRightDownToTinyTransmittances) {
  for (double t = 1e-9; t <= 1.0 + 1e-12; t *= std::sqrt(std::sqrt(10.0))) {
    for (double rho : {1e-3, 0.004, 0.04, 0.08, 0.15, 0.3}) {
      SCOPED_TRACE(::testing::Message() << "t=" << t << " rho=" << rho);
      const double expected = static_cast<double>(std::min(ReferenceTau(t, rho), 1.0L));
      EXPECT_NEAR(InternalTransmittance(t, rho), expected, 1e-13 * expected);
    }
  }
  EXPECT_EQ(InternalTransmittance(0.5, 0.0), 0.0);
  EXPECT_EQ(InternalTransmittance(-1e-3, 0.04), 0.0);
}

TEST(LaminatedModel, TwoGlassesAndAnOpaqueOuterGlass) {
  const double rho1 = Rho(kClear), rhon = RhoBack(kTinted);
  const double t =
      static_cast<double>(ReferenceTau(kClear.t, rho1) * ReferenceTau(kTinted.t, rhon));
  const double d = 1 - rho1 * rhon * t * t;
  const AssemblyPoint p = LaminatedPoint(Stack({kClear, kTinted}), 1);
  EXPECT_NEAR(p.T, (1 - rho1) * (1 - rhon) * t / d, 1e-15);
  EXPECT_NEAR(p.R1, rho1 + (1 - rho1) * (1 - rho1) * rhon * t * t / d, 1e-15);
  EXPECT_NEAR(p.R2, rhon + (1 - rhon) * (1 - rhon) * rho1 * t * t / d, 1e-15);
  AssemblyLayers layers = Stack({kClear, kPvb, kTinted});
  layers.Set(200, 1, 0.0, 0.08, 0.08);
  const AssemblyPoint opaque = LaminatedPoint(layers, 200);
  EXPECT_EQ(opaque.T, 0.0);
  EXPECT_DOUBLE_EQ(opaque.R1, 0.08);
  EXPECT_DOUBLE_EQ(opaque.R2, RhoBack(kTinted));
  EXPECT_GT(LaminatedPoint(layers, 199).T, 0.0);
}

TEST(LayerByLayerModel, ReflectancesSeenThroughTheLayersBefore) {
  const double c2 = kClear.t * kClear.t, t2 = kTinted.t * kTinted.t, f2 = kFilm.t * kFilm.t;
  AssemblyPoint p = LayerByLayerPoint(Stack({kClear, kFilm, kTinted}), 50);
  EXPECT_DOUBLE_EQ(p.T, kClear.t * kFilm.t * kTinted.t);
  EXPECT_DOUBLE_EQ(p.R1, Rho(kClear) + c2 * kFilm.r1 + c2 * f2 * t2 * Rho(kTinted));
  EXPECT_DOUBLE_EQ(p.R2, RhoBack(kTinted) + t2 * kFilm.r2 + t2 * f2 * c2 * Rho(kClear));
  const AssemblyPoint loose = LayerByLayerPoint(Stack({kClear, {4, 0.7, 0.12, 0.09}, kTinted}), 1);
  EXPECT_DOUBLE_EQ(loose.T, p.T);
  EXPECT_DOUBLE_EQ(loose.R1 - p.R1, c2 * Rho(kClear) + c2 * f2 * Rho(kTinted));
  EXPECT_DOUBLE_EQ(loose.R2 - p.R2, t2 * RhoBack(kTinted) + t2 * f2 * Rho(kClear));
  p = LayerByLayerPoint(Stack({kClear, kTinted, kFilm}), 1);
  EXPECT_DOUBLE_EQ(p.R1,
                   Rho(kClear) * (1 + c2) + Rho(kTinted) * (c2 + c2 * t2) + c2 * t2 * kFilm.r1);
  const double b2 = t2 * f2;
  EXPECT_DOUBLE_EQ(p.R2, kFilm.r2 + b2 * RhoBack(kTinted) + (b2 * c2 + b2) * Rho(kClear));
  p = LayerByLayerPoint(Stack({kFilm}), 1);
  EXPECT_EQ(std::vector({p.T, p.R1, p.R2}), std::vector({kFilm.t, kFilm.r1, kFilm.r2}));
  p = LayerByLayerPoint(Stack({{1, 0.8, 0.07, 0.065}}), 1);
  EXPECT_EQ(std::vector({p.T, p.R1, p.R2}), std::vector({0.8, 0.07, 0.065}));
}

// Light crossing a stack does not depend on the side the stack is written from: its mirror
// (layers in reverse order, each turned) has the same T and R1, R2 exchanged.
TEST(AssemblyModels, AStackAndItsMirrorAgree) {
  const Layer coated{1, 0.62, 0.21, 0.07}, film{2, 0.7, 0.12, 0.09}, loose{4, 0.8, 0.1, 0.03};
  const Layer pvb{3, 0.86, 0.02, 0.01};
  const std::vector<std::vector<Layer>> stacks{{coated, pvb, kTinted},
                                               {coated, kTinted},
                                               {kTinted, pvb, pvb, coated},
                                               {coated, film, kTinted, loose, coated},
                                               {loose, coated, kTinted, film},
                                               {coated, kTinted, coated},
                                               {coated}};
  for (const std::vector<Layer>& stack : stacks) {
    std::vector<Layer> mirror(stack.rbegin(), stack.rend());
    for (Layer& layer : mirror) std::swap(layer.r1, layer.r2);
    const AssemblyLayers layers = Stack(stack), mirrored = Stack(mirror);
    const auto point = [&](const AssemblyLayers& l) {
      if (l.Count() == 1) return SingleLayerPoint(l, 7);
      return UsesLaminatedModel(l) ? LaminatedPoint(l, 7) : LayerByLayerPoint(l, 7);
    };
    const AssemblyPoint p = point(layers), q = point(mirrored);
    SCOPED_TRACE(::testing::Message()
                 << stack.size() << " layers, laminated " << UsesLaminatedModel(layers));
    EXPECT_NEAR(p.T, q.T, 1e-12);
    EXPECT_NEAR(p.R1, q.R2, 1e-12);
    EXPECT_NEAR(p.R2, q.R1, 1e-12);
    EXPECT_GT(std::fabs(p.R1 - p.R2), 1e-3);  // the faces do differ
  }
}

TEST(Weights, TablesOnTheFiveNanometreGrids) {
  const auto& solarWeights = SolarWeightTable();
  const auto& lightWeights = LightWeightTable();
  // clang-format off
  const std::pair<int, double> solar[] = {{300, 0.000125}, {305, 0.000525}, {780, 0.005275}, {785, 0.005134821},
      {790, 0.004994643}, {795, 0.004854464}, {800, 0.004714286}, {805, 0.004695857}, {845, 0.004548429},
      {850, 0.00453}, {2100, 0.00038}, {2150, 0.000355}, {2200, 0.00033}, {2500, 0.00006}};
  // clang-format on
  for (const auto& [lambda, weight] : solar)
    EXPECT_NEAR(solarWeights[(lambda - 300) / 5 + 1], weight, 1e-15) << lambda;
  for (const auto& [lambda, weight] :
       {std::pair{380, 0.0}, {385, 0.00000125}, {545, 0.048126}, {550, 0.0490385}, {780, 0.0}})
    EXPECT_NEAR(lightWeights[(lambda - 380) / 5 + 1], weight, 1e-15) << lambda;
}

TEST(RunNumberText, FifteenDigitsAPointAndExponentsBelowOneTenThousandth) {
  // clang-format off
  const std::pair<double, const char*> cases[] = {{300.0, "300"}, {0.000125, "0.000125"}, {0.0001, "0.0001"},
      {-0.5, "-0.5"}, {0.0, "0"}, {-0.0, "0"}, {1.0 / 3.0, "0.333333333333333"}, {200.0 / 3.0, "66.6666666666667"},
      {0.1 + 0.2, "0.3"}, {1000.0, "1000"}, {123456789012345.0, "123456789012345"}, {1e15, "1E+15"},
      {1234567890123456.0, "1.23456789012346E+15"}, {1e100, "1E+100"}, {5e-324, "4.94065645841247E-324"},
      {0.00000125, "1.25E-06"}, {0.00009999, "9.999E-05"}, {-0.00006, "-6E-05"}};
  // clang-format on
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatRunNumber(value), text) << text;
  EXPECT_EQ(PrintZones({"Reflection(1)", "x"}), "Reflection(1) x");
  EXPECT_EQ(PrintZones({"12345678901234", "x", "y"}),
            "12345678901234" + std::string(14, ' ') + "x             y");
  EXPECT_EQ(LightSpectrumHeader(),
            "Lamda         DLamda        Trasmission   Reflection(1) Reflection(2) "
            "*** INTERPOLATION - 0 Vitrage ***");
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) GTEST_SKIP() << "fr_FR.UTF-8 missing";
  const std::locale previousGlobal = std::locale::global(std::locale("fr_FR.UTF-8"));
  const std::string line = SpectrumLine(302.5, 0.000125, 88.25, 7.5, 1.25e-6);
  std::locale::global(previousGlobal);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(line, "302.5         0.000125      88.25         7.5           1.25E-06");
}

TEST(Integration, CompensatedWeightedMeans) {
  const IntegratedValues means = IntegrateSpectrum({{300, 1, 80, 10, 6}, {305, 3, 40, 2, 2}});
  EXPECT_EQ(std::vector({means.T, means.R1, means.R2, means.A1, means.A2}),
            std::vector<double>({50, 4, 3, 46, 47}));
  // A weight of 1 at 50 % and a thousand of 1e-16 at 100 %: T = (50 + 1e-11) / (1 + 1e-13)
  // = 50.000000000005 to 1e-24. A plain sum gave 50.000000000007105.
  std::vector<SpectrumRecord> records{{300, 1, 50, 0, 0}};
  records.insert(records.end(), 1000, SpectrumRecord{305, 1e-16, 100, 0, 0});
  const IntegratedValues mixed = IntegrateSpectrum(records);
  EXPECT_NEAR(mixed.T, 50.000000000005, 1e-13);
  EXPECT_NEAR(mixed.A1, 49.999999999995, 1e-13);
  EXPECT_EQ(IntegrateSpectrum({{380, 0, 80, 10, 6}}).T, 0.0);
}

TEST(SummaryRecord, RoundsHalvesToEvenAndTakesAbsorptionsFromTheIntegers) {
  LamivexRun run;
  run.NumberGlass = 2, run.SummaryTe = 84.5, run.SummaryRe1 = 7.5, run.SummaryRe2 = 6.4;
  run.SummaryTl = 89.6, run.SummaryRl1 = 8.49, run.SummaryRl2 = 8.5;
  run.GlassEmn1[1] = 84, run.GlassEmn1[2] = 3, run.GlassEmn2[1] = 2, run.GlassEmn2[2] = 0.5;
  EXPECT_EQ(RecordLine(SummaryValues(run), 13),
            "\"Caractéristiques de l'élément sortant\",84,8,8,84,6,10,0.5,90,8,2,8,2");
}

class RunFiles : public ::testing::Test, protected RunFolders {
 protected:
  void SetUp() override { run.ProfilePath = profile_; }
  void LoadRamp(double first, double step, int count) {
    for (int k = 1; k <= count; ++k) {
      const double lambda = run.SpectrumLambda[k] = first + step * (k - 1);
      std::tie(run.SpectrumT[k], run.SpectrumR1[k], run.SpectrumR2[k]) =
          std::tuple(lambda / 30, lambda / 300, lambda / 400);
    }
    run.SpectrumCount = static_cast<int16_t>(count);
  }
  LamivexRun run;
};

TEST_F(RunFiles, ResultMeansAndTheRecordWriter) {
  const std::vector<SpectrumRecord> spectrum = {
      {300, 0.25, 84.5, 7.5, 7.25}, {550, 0.75, 84.5, 7.5, 7.25}, {555, 0.75, 84.5, 7.5, 7.25}};
  const IntegratedValues energy = IntegrateEnergyResult(spectrum);
  EXPECT_EQ(std::vector({energy.T, energy.R1, energy.A1, energy.R2, energy.A2}),
            std::vector({84.5, 7.5, 8.0, 7.25, 8.25}));
  // Light: only 380 to 780 nm count, with the light weights (550 nm: 0.0490385).
  std::vector<SpectrumRecord> light = spectrum;
  light[0].t = 0, light[2].t = 100, light[1].weight = light[2].weight = 1e9;
  const auto& weights = LightWeightsAsText();
  EXPECT_NEAR(IntegrateLightResult(light).T,
              (84.5 * weights[35] + 100 * weights[36]) / (weights[35] + weights[36]), 1e-12);
  EXPECT_EQ(weights[35], 0.0490385);
  std::vector<std::string> messages;
  const MessageSink previous =
      SetMessageSink([&](const std::string& title, const std::string& text) {
        messages.push_back(title + "|" + text);
      });
  const std::vector<RecordValue> values{std::string("a"), 1.5};
  EXPECT_EQ(
      std::vector({WriteRecord(Temp("r.out"), values, 0), WriteRecord(Temp("r.out"), values, 14),
                   std::filesystem::exists(Temp("r.out")), WriteRecord(Temp("r.out"), values, 2),
                   WriteRecord(Temp("r.out"), values, 1), WriteRecord(Temp("no/r.out"), {1.0}, 1)}),
      std::vector({false, false, false, true, true, false}));
  SetMessageSink(previous);
  EXPECT_EQ(messages, std::vector<std::string>(2, "SM5.2|PROBLEME D'ECRITURE DU FICHIER"));
  EXPECT_EQ(ReadBytes(Temp("r.out")), "\"a\",1.5\r\n\"a\"\r\n");
  run.ProfilePath = profile_ + "/no_such_profile";  // a summary that cannot be written stops
  EXPECT_THROW(WriteSummary(run, "Lamivex.out"), RunError);
}

TEST(StackSpectra, AnAssemblyOfOneLayerIsThatLayer) {
  const std::vector<SpectrumRow> rows = {{300, 90, 8, 7}, {1000, 50, 20, 10}, {2500, 30, 8, 6}};
  for (const int16_t kind : {1, 2, 3, 4}) {
    SCOPED_TRACE(kind);
    const std::vector<GridSpectrum> layer = {InterpolateGlass(rows, kind == 2, true)};
    glazing::PaneSpectrum fractions;
    const GridSpectrum assembly =
        CalculateAssembly(AssemblyLayersOf({kind}, layer), fractions, true);
    const auto assemblyLines = CrLfLines(assembly.text), layerLines = CrLfLines(layer[0].text);
    ASSERT_EQ(assemblyLines.size(), layerLines.size());
    for (size_t i = 1; i < assemblyLines.size(); ++i) {
      EXPECT_EQ(Fields(assemblyLines[i]), Fields(layerLines[i]));
    }
  }
}

// What a spectrum holds in memory is what its file's text reads back as.
TEST(StackSpectra, NumbersAreRoundedAsTheirTextReadsBack) {
  std::string text;
  const SpectrumRecord record =
      AsSpectrumLine({300, 1.0 / 3, 200.0 / 3, 0.1 + 0.2, 1e-7 / 3}, &text);
  const std::vector<std::string> lines = CrLfLines(text);
  ASSERT_EQ(lines.size(), 1u);
  const std::vector<std::string> fields = Fields(lines[0]);
  ASSERT_EQ(fields.size(), 5u);
  EXPECT_EQ(std::vector({record.lambda, record.weight, record.t, record.r1, record.r2}),
            std::vector({std::stod(fields[0]), std::stod(fields[1]), std::stod(fields[2]),
                         std::stod(fields[3]), std::stod(fields[4])}));
  EXPECT_EQ(record.weight, 0.333333333333333);
  EXPECT_EQ(AsSpectrumLine({-0.0, 0, 0, 0, 0}, nullptr).lambda, 0.0);
}

TEST_F(RunFiles, InterpolationOntoTheGrid) {
  LoadRamp(300, 10, 171);  // every 10 nm up to 2000 nm: means, then the last record held
  run.SpectrumT[2] = 50.0;
  InterpolateAtWavelength(run, 305, 1, 0);
  EXPECT_DOUBLE_EQ(run.GlassT[1], (10.0 + 50.0) / 2);
  EXPECT_DOUBLE_EQ(run.GlassR1[1], 305.0 / 300);
  InterpolateAtWavelength(run, 1995, 2, 0);
  EXPECT_DOUBLE_EQ(run.GlassR2[2], 1995.0 / 400);
  for (double lambda : {2005.0, 2500.0}) {
    InterpolateAtWavelength(run, lambda, 1, 0);
    EXPECT_EQ(std::vector({run.GlassT[1], run.GlassR1[1], run.GlassR2[1]}),
              std::vector({2000.0 / 30, 2000.0 / 300, 2000.0 / 400}));
  }
  LoadRamp(350, 5, 431);  // below the first record: from zero
  InterpolateAtWavelength(run, 300, 1, 0);
  EXPECT_DOUBLE_EQ(run.GlassT[1], 10.0);
  EXPECT_DOUBLE_EQ(run.GlassR2[1], 0.75);
  for (const int16_t slot : {0, 4}) {  // the first and last slots
    InterpolateAtWavelength(run, 300, slot, 0);
    EXPECT_EQ(run.GlassT[slot], 10.0) << slot;
  }
  EXPECT_THROW(InterpolateAtWavelength(run, 300, 5, 0), RunError);
  EXPECT_THROW(InterpolateAtWavelength(run, 300, -1, 0), RunError);
  run.SpectrumCount = 0;
  EXPECT_THROW(InterpolateAtWavelength(run, 300, 1, 0), RunError);
}

TEST(StackSpectra, TheSolarSpectrumOfATurnedProduct) {
  std::vector<SpectrumRow> rows;
  for (const TestRow& row : TestDatabase::Flat(300, 2500, 80, 9, 4)) {
    rows.push_back({row.lambda, row.t, row.r1, row.r2});
  }
  const GridSpectrum energy = InterpolateGlass(rows, true, true);
  const std::vector<std::string> lines = CrLfLines(energy.text);
  ASSERT_EQ(std::pair(lines.size(), energy.records.size()), std::pair(size_t{442}, size_t{441}));
  EXPECT_EQ(
      std::vector({lines[0], lines[1], lines[441]}),
      std::vector<std::string>({EnergySpectrumHeader(),
                                "300           0.000125      80            4             9",
                                "2500          6E-05         80            4             9"}));
}

TEST_F(RunFiles, SpectrumFilesAreReadToTheLastDigitAndMalformedLinesRefused) {
  WriteBytes(Temp("a.out"),
             "header\r\n300   0.5   80 7,8\r\n305,1.25E-06,80.5,7.5,8\r\n\r\n"
             "310 0.333333333333333 1.23456789012346E+15 1E+23 -.5e1\r\n"
             "315\t+2 1.5e-3 -0.000125 0.30000000000000004441\r\n");
  const auto records = ReadSpectrumFile(Temp("a.out"));
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(std::vector({records[3].weight, records[3].t, records[3].r1, records[3].r2}),
            std::vector({2.0, 1.5e-3, -0.000125, 0.30000000000000004441}));
  EXPECT_EQ(
      std::vector({records[0].r1, records[1].lambda, records[1].weight, records[2].weight,
                   records[2].t, records[2].r1, records[2].r2}),
      std::vector({7.0, 305.0, 1.25e-6, 0.333333333333333, 1.23456789012346E+15, 1E+23, -.5e1}));
  for (const char* bad : {"300 0.5 80 7", "300 0.5 80 7,5 x", "300 0.5 80 7 5 6", "3x0 1 2 3 4",
                          "300 1e 2 3 4", "300 1e1234 2 3 4", "- 1 2 3 4", "300 . 2 3 4"}) {
    WriteBytes(Temp("b.out"), std::string("header\r\n") + bad + "\r\n");
    EXPECT_THROW(ReadSpectrumFile(Temp("b.out")), RunError) << bad;
  }
  EXPECT_THROW(ReadSpectrumFile(Temp("missing.out")), RunError);
}

}  // namespace
}  // namespace lamivex
