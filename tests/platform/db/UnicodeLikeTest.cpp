// LIKE as the database compares text in searches: letter case ignored for every letter, not only
// A to Z, with "%" and "_" as the wildcards and an optional escape character.
#include "db/UnicodeLike.h"

#include <gtest/gtest.h>

#include "DbFixture.h"
#include "rtl/Exceptions.h"

namespace {

TEST(UnicodeLike, LetterCaseIsIgnoredForEveryLetterAndTheWildcardsKeepTheirMeaning) {
  struct Case {
    const char* pattern;
    const char* text;
    bool matches;
  };
  const Case cases[] = {
      {"émile", "Émile", true},       {"ÉMILE%", "émile Zola", true}, {"%ZOLA", "Émile zola", true},
      {"ωmega", "ΩMEGA", true},        {"жанна", "Жанна", true},       {"e%", "Émile", false},
      {"_mile", "Émile", true},        {"__mile", "Émile", false},     {"o'b%", "O'Brien", true},
      {"%", "", true},                 {"_", "", false},               {"a%c", "abbbc", true},
      {"a%c", "abbbd", false},         {"%b%b%", "abcb", true},        {"\xC3", "\xC3", true},
      {"Spring%", "Springfield", true}, {"1 OR 1=1%", "Adams", false}};
  for (const Case& c : cases) EXPECT_EQ(vt::LikeMatches(c.pattern, c.text), c.matches) << c.pattern << " / " << c.text;

  EXPECT_TRUE(vt::LikeMatches("100!%", "100%", U'!'));
  EXPECT_FALSE(vt::LikeMatches("100!%", "1000", U'!'));
  EXPECT_TRUE(vt::LikeMatches("a!_c", "a_c", U'!'));
  EXPECT_FALSE(vt::LikeMatches("a!_c", "abc", U'!'));
}

using UnicodeLikeInSql = DbFixture;

TEST_F(UnicodeLikeInSql, TheConnectionsLikeFoldsCaseAndRefusesALongEscape) {
  connection_->Execute("INSERT INTO People (LastName, FirstName) VALUES ('Zola', 'Émile')");
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM People WHERE FirstName LIKE 'émile'").AsInteger(), 1);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM People WHERE FirstName LIKE '_MILE'").AsInteger(), 1);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM People WHERE LastName LIKE 'a%' ESCAPE '!'").AsInteger(), 1);
  EXPECT_TRUE(Scalar("SELECT NULL LIKE 'a'").IsNull());
  EXPECT_THROW(Scalar("SELECT 'a' LIKE 'a' ESCAPE '!!'"), EDatabaseError);
}

}  // namespace
