// No half-stored product and no journal left when the database cannot grow.
#include <gtest/gtest.h>

#include "DbTestSupport.h"

namespace lamivexdb {
namespace {

TEST(WriteFaults, AnImportOnAFullFileSystemLeavesTheDatabaseAsItWas) {
  const testing::Session session;
  const std::string db = session.At("$T/db/suite.db");
  ASSERT_EQ(testing::Tool({"create", db, "--suite"}).status, 0);
  ASSERT_EQ(testing::Tool({"import", db, session.At("$S/CLEAR_3.DAT")}).status, 0);
  const std::string before = testing::ReadAll(db);

  // The program's files may not grow by a single byte (SIGXFSZ ignored, so that the write
  // fails instead of killing the program): the next product does not fit.
  const int status =
      testing::Shell("bash -c \"trap '' XFSZ; ulimit -f " + std::to_string(before.size() / 1024) +
                     "; exec '" + LAMIVEX_DB_EXECUTABLE + "' import '" + db + "' '" +
                     session.At("$S/CLEAR_6.DAT") + "'\" 2>'" + session.At("$T/err") + "'");
  const std::string err = testing::ReadAll(session.At("$T/err"));
  EXPECT_EQ(status, 2);
  EXPECT_TRUE(err.starts_with("lamivex-db import: " + db + ": ")) << err;
  EXPECT_TRUE(testing::ReadAll(db) == before) << "the database changed";
  for (const auto& entry : std::filesystem::directory_iterator(session.At("$T/db"))) {
    EXPECT_EQ(entry.path().filename(), "suite.db") << "left behind: " << entry.path();
  }
}

}  // namespace
}  // namespace lamivexdb
