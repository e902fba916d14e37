// The string table: registered texts come back by number, unknown numbers give "".
#include "rtl/ResStrings.h"

#include <gtest/gtest.h>

TEST(ResStrings, RegisteredTextsByNumber)
{
    vt::RegisterResString(64000, "Value must be between %d and %d");
    EXPECT_EQ(LoadStr(64000), "Value must be between %d and %d");
    EXPECT_EQ(ResStr(64000), LoadStr(64000));
    vt::RegisterResString(64000, "replaced");
    EXPECT_EQ(LoadStr(64000), "replaced");
    EXPECT_EQ(LoadStr(64001), "");
}
