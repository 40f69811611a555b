// The product check and the spectrum loader: database and tables by kind and id range,
// turned layers, rows below 300 nm, row order.
#include <gtest/gtest.h>

#include "Main_modul6.h"
#include "TempFolder.h"
#include "TestDatabase.h"
#include "platform/RunError.h"

namespace lamivex {
namespace {

using testing::TempFolder;
using testing::TestDatabase;
using testing::TestRow;

// A run with a suite database and, optionally, a user database.
class SpectrumLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    suite_ = std::make_unique<TestDatabase>(temp_ / "suite.db");
    user_ = std::make_unique<TestDatabase>(temp_ / "user.db");
  }

  // Opens the databases as the run does; the user database only when asked.
  void Open(bool withUserDatabase = true) {
    suite_.reset();
    user_.reset();
    run_.SpectralDb = std::make_unique<SpectralDatabase>();
    run_.SpectralDb->Open(temp_ / "suite.db");
    run_.UserSpectralDb = std::make_unique<SpectralDatabase>();
    if (withUserDatabase) run_.UserSpectralDb->Open(temp_ / "user.db");
  }

  // T at 300 nm after loading.
  double LoadedT(int32_t id, int16_t kind) {
    LoadSpectrum(run_, id, kind, 0);
    return run_.SpectrumT[1];
  }

  TempFolder temp_;
  std::unique_ptr<TestDatabase> suite_;
  std::unique_ptr<TestDatabase> user_;
  LamivexRun run_;
};

TEST_F(SpectrumLoader, TheKindChoosesTheSuiteTablesAndBigIdsGoToTheUserGlassTable) {
  // The same ids in every table, told apart by their transmittance.
  for (int id : {999999, 1000000}) {
    suite_->AddProduct("glass", id, TestDatabase::Flat(300, 310, 11, 0, 0));
    suite_->AddProduct("film", id, TestDatabase::Flat(300, 310, 22, 0, 0));
    suite_->AddProduct("PVB", id, TestDatabase::Flat(300, 310, 33, 0, 0));
  }
  user_->AddProduct("glass", 1000000, TestDatabase::Flat(300, 310, 44, 0, 0));
  user_->AddProduct("film", 1000001, TestDatabase::Flat(300, 310, 55, 0, 0));
  Open();
  EXPECT_EQ(LoadedT(999999, 1), 11);
  EXPECT_EQ(LoadedT(999999, 2), 22);
  EXPECT_EQ(LoadedT(999999, 3), 33);
  EXPECT_EQ(LoadedT(999999, 4), 33);  // any kind but 1 and 2 reads the PVB tables
  EXPECT_EQ(LoadedT(999999, 0), 33);
  EXPECT_EQ(LoadedT(1000000, 2), 44);  // user products: glass tables whatever the kind
  EXPECT_EQ(LoadedT(1000000, 3), 44);
  EXPECT_TRUE(GlassExists(run_, 999999, 2));
  EXPECT_TRUE(GlassExists(run_, 1000000, 2));
  EXPECT_FALSE(GlassExists(run_, 1000001, 2));  // the user's film table is never read
  EXPECT_FALSE(GlassExists(run_, 999998, 1));
}

TEST_F(SpectrumLoader, IdsBelowOneAndUserIdsWithoutAUserDatabaseMatchNothing) {
  suite_->AddProduct("glass", 0, TestDatabase::Flat(300, 310, 1, 1, 1));
  suite_->AddProduct("glass", -5, TestDatabase::Flat(300, 310, 1, 1, 1));
  user_->AddProduct("glass", 1000000, TestDatabase::Flat(300, 310, 1, 1, 1));
  Open(false);
  EXPECT_FALSE(GlassExists(run_, 0, 1));
  EXPECT_FALSE(GlassExists(run_, -5, 1));
  EXPECT_FALSE(GlassExists(run_, 1000000, 1));
  EXPECT_THROW(LoadSpectrum(run_, 1000000, 1, 0), RunError);
}

TEST_F(SpectrumLoader, ATurnedLayerSwapsItsFaceReflectances) {
  suite_->AddProduct("film", 7, TestDatabase::Flat(300, 2500, 60, 30, 10));
  Open();
  LoadSpectrum(run_, 7, 2, 0);
  EXPECT_EQ(run_.SpectrumR1[441], 30);
  EXPECT_EQ(run_.SpectrumR2[441], 10);
  LoadSpectrum(run_, 7, 2, 1);
  EXPECT_EQ(run_.SpectrumR1[1], 10);  // face 2 of the database
  EXPECT_EQ(run_.SpectrumR2[1], 30);
  EXPECT_EQ(run_.SpectrumT[1], 60);
  LoadSpectrum(run_, 7, 2, -1);  // any non-zero flag
  EXPECT_EQ(run_.SpectrumR1[1], 10);
}

TEST_F(SpectrumLoader, RowsAtOrBelow299nmAreDropped) {
  suite_->AddProduct("glass", 1, TestDatabase::Flat(250, 2500, 80, 8, 8));
  suite_->AddProduct("glass", 2, {{299, 1, 1, 1}, {299.5, 2, 2, 2}, {300, 3, 3, 3}});
  Open();
  LoadSpectrum(run_, 1, 1, 0);
  EXPECT_EQ(run_.SpectrumCount, 441);
  EXPECT_EQ(run_.SpectrumLambda[1], 300);
  EXPECT_EQ(run_.SpectrumLambda[441], 2500);
  LoadSpectrum(run_, 2, 1, 0);
  EXPECT_EQ(run_.SpectrumCount, 2);
  EXPECT_EQ(run_.SpectrumLambda[1], 299.5);
  // The arrays are not cleared: the rest of the earlier product stays, past SpectrumCount.
  EXPECT_EQ(run_.SpectrumLambda[3], 310);
  EXPECT_EQ(run_.SpectrumLambda[441], 2500);
}

TEST_F(SpectrumLoader, RowsAreSortedByWavelength) {
  std::vector<TestRow> rows = TestDatabase::Flat(300, 2500, 0, 0, 0);
  for (TestRow& row : rows) row.t = row.lambda / 100;
  std::reverse(rows.begin(), rows.end());
  std::swap(rows[10], rows[300]);
  suite_->AddProduct("PVB", 3, rows);
  Open();
  LoadSpectrum(run_, 3, 3, 0);
  ASSERT_EQ(run_.SpectrumCount, 441);
  for (int s = 1; s <= 441; ++s) {
    ASSERT_EQ(run_.SpectrumLambda[s], 300 + 5 * (s - 1)) << s;
    ASSERT_EQ(run_.SpectrumT[s], run_.SpectrumLambda[s] / 100) << s;
  }
}

TEST_F(SpectrumLoader, MoreRowsThanTheGridStopTheRunNamingTheProduct) {
  std::vector<TestRow> rows = TestDatabase::Flat(300, 2500, 1, 1, 1);
  rows.push_back({2502.5, 1, 1, 1});
  suite_->AddProduct("glass", 4242, rows);
  Open();
  EXPECT_TRUE(GlassExists(run_, 4242, 1));
  try {
    LoadSpectrum(run_, 4242, 1, 0);
    FAIL() << "442 rows loaded";
  } catch (const RunError& e) {
    EXPECT_NE(std::string(e.what()).find("product 4242"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace lamivex
