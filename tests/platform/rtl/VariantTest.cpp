// Variant conversions (with their failures) and the ordering of mixed kinds.
#include "rtl/Variant.h"

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"
#include "rtl/Locale.h"

TEST(Variant, KindsFromConstructors)
{
    EXPECT_EQ(Variant().VarType(), varEmpty);
    EXPECT_EQ(Variant::Null().VarType(), varNull);
    EXPECT_EQ(Variant(5).VarType(), varInteger);
    EXPECT_EQ(Variant(INT64_C(5000000000)).VarType(), varInteger);
    EXPECT_EQ(Variant(2.5).VarType(), varDouble);
    EXPECT_EQ(Variant("x").VarType(), varString);
    EXPECT_EQ(Variant(String("x")).VarType(), varString);
    EXPECT_EQ(Variant(true).VarType(), varBoolean);
    EXPECT_EQ(Variant::FromDate(45000).VarType(), varDate);
    EXPECT_TRUE(VarIsNull(Null()));
    EXPECT_TRUE(VarIsEmpty(Variant()));
}

TEST(Variant, Conversions)
{
    EXPECT_EQ(Variant(2.5).AsInteger(), 2);  // half to even
    EXPECT_EQ(Variant(3.5).AsInteger(), 4);
    EXPECT_EQ(Variant(" 42").AsInteger(), 42);
    EXPECT_EQ(Variant("2.6").AsInteger(), 3);
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_EQ(Variant().AsInteger(), 0);
    EXPECT_EQ(Variant(INT64_C(5000000000)).AsInt64(), INT64_C(5000000000));
    EXPECT_DOUBLE_EQ(Variant("1.25").AsDouble(), 1.25);
    EXPECT_EQ(Variant(0.1).AsString(), "0.1");
    EXPECT_EQ(Variant(-7).AsString(), "-7");
    EXPECT_EQ(Variant(false).AsString(), "False");
    EXPECT_EQ(Variant::FromDate(EncodeDate(2024, 3, 5)).AsString(), "3/5/2024");
    EXPECT_TRUE(Variant("TRUE").AsBoolean());
    EXPECT_TRUE(Variant(-1).AsBoolean());
    EXPECT_FALSE(Variant("0").AsBoolean());
    EXPECT_EQ(Variant("3/5/2024").AsDateTime(), EncodeDate(2024, 3, 5));
    EXPECT_EQ(VarToStr(Null()), "");
}

TEST(Variant, ConversionFailuresRaise)
{
    try {
        Null().AsInteger();
        FAIL();
    } catch (const EVariantError& e) {
        EXPECT_EQ(e.Message(), "Could not convert variant of type (Null) into type (Int64)");
    }
    EXPECT_THROW(Variant("abc").AsInteger(), EVariantError);
    EXPECT_THROW(Variant("abc").AsDouble(), EVariantError);
    EXPECT_THROW(Variant("maybe").AsBoolean(), EVariantError);
    EXPECT_THROW(Variant("abc").AsDateTime(), EVariantError);
    EXPECT_THROW(Null().AsString(), EVariantError);
    EXPECT_THROW(Variant(INT64_C(5000000000)).AsInteger(), EVariantError);
}

TEST(Variant, Comparisons)
{
    EXPECT_EQ(Variant(2), Variant(2.0));
    EXPECT_LT(Variant(2), Variant(2.5));
    EXPECT_EQ(Variant("10"), Variant(10));
    EXPECT_LT(Variant("9"), Variant(10));   // as numbers
    EXPECT_GT(Variant("9"), Variant("10"));  // as text
    EXPECT_LT(Variant("B"), Variant("a"));
    EXPECT_EQ(Variant(true), Variant(-1));
    EXPECT_EQ(Null(), Null());
    EXPECT_NE(Null(), Variant(0));
    EXPECT_NE(Variant(), Null());
    EXPECT_LT(Null(), Variant(-100));
    EXPECT_THROW((void)(Variant("abc") == Variant(1)), EVariantError);
}

TEST(Variant, ArraysHoldLocateKeys)
{
    Variant keys = VarArrayOf({String("Smith"), 12, Null()});
    ASSERT_TRUE(VarIsArray(keys));
    EXPECT_EQ(VarArrayLowBound(keys, 1), 0);
    EXPECT_EQ(VarArrayHighBound(keys, 1), 2);
    EXPECT_EQ(keys[0].AsString(), "Smith");
    EXPECT_EQ(keys[1].AsInteger(), 12);
    EXPECT_TRUE(keys[2].IsNull());
    EXPECT_THROW(keys[3], EVariantError);
    Variant copy = keys;
    EXPECT_EQ(copy, keys);
    EXPECT_THROW(VarArrayHighBound(Variant(1), 1), EVariantError);
}
