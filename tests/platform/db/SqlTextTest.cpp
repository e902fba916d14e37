// The Jet dialect rewrite, the quoting routine and the number check.
#include "db/SqlText.h"

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"

namespace {

struct Rewrite {
  const char* jet;
  const char* sqlite;
};

TEST(SqlText, RewritesJetDialectOutsideLiterals) {
  const Rewrite cases[] = {
      {"WHERE SessionActive = true", "WHERE SessionActive = -1"},
      {"WHERE TeamCamp=FALSE AND x = True", "WHERE TeamCamp=0 AND x = -1"},
      {"WHERE Name = 'true' OR Note = \"false\"", "WHERE Name = 'true' OR Note = \"false\""},
      {"WHERE IsTrue = 1 AND T.true = 2", "WHERE IsTrue = 1 AND T.true = 2"},
      {"WHERE BeginDate >= #5/28/2003#", "WHERE BeginDate >= 37769"},
      {"WHERE d = #05/28/2003 12:00:00 PM#", "WHERE d = 37769.5"},
      {"WHERE d = #13/45/2003#", "WHERE d = #13/45/2003#"},
      {"WHERE Sessions.EndDate <= '05/28/2003'", "WHERE Sessions.EndDate <= 37769"},
      {"WHERE '5/28/2003'<>EndDate", "WHERE 37769<>EndDate"},
      {"WHERE (DOB) > '5/28/2003'", "WHERE (DOB) > 37769"},
      // Not compared, or not exactly m/d/yyyy: left as text.
      {"VALUES ('5/28/2003')", "VALUES ('5/28/2003')"},
      {"WHERE Note = '5/28/03'", "WHERE Note = '5/28/03'"},
      {"WHERE Note = '5/28/2003 '", "WHERE Note = '5/28/2003 '"},
      {"WHERE Note LIKE '5/28/2003'", "WHERE Note LIKE '5/28/2003'"},
      {"WHERE 5 = '5/28/2003'", "WHERE 5 = '5/28/2003'"},
      {"WHERE Name = 'O''Brien' AND x = true", "WHERE Name = 'O''Brien' AND x = -1"},
  };
  for (const Rewrite& c : cases) EXPECT_EQ(vt::RewriteJetDialect(c.jet), c.sqlite) << c.jet;
}

TEST(SqlText, QuotesAndChecksNumbers) {
  EXPECT_EQ(vt::SqlQuote("O'Brien"), "'O''Brien'");
  EXPECT_EQ(vt::SqlQuote(""), "''");
  EXPECT_EQ(vt::SqlQuoteIdentifier("Rooms"), "\"Rooms\"");
  EXPECT_EQ(vt::SqlQuoteIdentifier("a\"b"), "\"a\"\"b\"");
  EXPECT_EQ(vt::SqlQuote("''"), "''''''");
  EXPECT_EQ(vt::SqlNumber(" 42 "), "42");
  EXPECT_EQ(vt::SqlNumber("-3.5"), "-3.5");
  for (const char* bad : {"", "abc", "1; DROP TABLE x", "1.2.3", "-", "4e"})
    EXPECT_THROW(vt::SqlNumber(bad), EDatabaseError) << bad;
}

TEST(SqlText, TextWithANulCharacterIsRefused) {
  const String text("a\0b", 3);
  for (auto quote : {vt::SqlQuote, vt::SqlQuoteIdentifier}) {
    try {
      quote(text);
      ADD_FAILURE() << "no exception";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message(), "A text with a NUL character cannot be stored in a text column");
    }
  }
}

}  // namespace
