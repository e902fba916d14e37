// Kept statements: a use in progress goes on reading whatever the cache lets go of meanwhile.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "db/SqliteStatement.h"

namespace {

class StatementCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db_, "CREATE TABLE t (x INTEGER); INSERT INTO t VALUES (1), (2), (3);", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
  }
  void TearDown() override {
    cache_.Clear();
    sqlite3_close(db_);
  }

  // Runs texts the cache has not seen, enough to fill it more than once.
  void RunManyOtherStatements() {
    for (int i = 0; i < 600; ++i) {
      vt::StatementUse other = cache_.Use(db_, "SELECT " + std::to_string(i));
      ASSERT_TRUE(other->Step());
    }
  }

  sqlite3* db_ = nullptr;
  vt::StatementCache cache_;
};

TEST_F(StatementCacheTest, AUseReadsOnWhileTheCacheFillsOrIsCleared) {
  for (const bool clear : {false, true}) {
    SCOPED_TRACE(clear ? "cleared" : "filled");
    vt::StatementUse rows = cache_.Use(db_, "SELECT x FROM t ORDER BY x");
    ASSERT_TRUE(rows->Step());
    EXPECT_EQ(sqlite3_column_int(rows->Handle(), 0), 1);
    if (clear)
      cache_.Clear();
    else
      RunManyOtherStatements();
    ASSERT_TRUE(rows->Step());
    EXPECT_EQ(sqlite3_column_int(rows->Handle(), 0), 2);
    ASSERT_TRUE(rows->Step());
    EXPECT_EQ(sqlite3_column_int(rows->Handle(), 0), 3);
    EXPECT_FALSE(rows->Step());
  }
}

}  // namespace
