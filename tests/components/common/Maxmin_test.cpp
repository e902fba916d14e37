// Tests of the minimum and maximum routines over lists.
#include "components/common/Maxmin.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(Maxmin, ListsStartFromTheFirstElement)
{
  EXPECT_EQ(MaxInteger({3, -7, 9, 2}), 9);
  EXPECT_EQ(MinInteger({3, -7, 9, 2}), -7);
  EXPECT_EQ(MaxInt64({int64_t(1) << 40, 5}), int64_t(1) << 40);
  EXPECT_EQ(MinFloat({2.5L, -0.25L}), -0.25L);
  EXPECT_EQ(MaxOf({Variant(3), Variant(11), Variant(7)}).AsInteger(), 11);
  EXPECT_EQ(MinOf({Variant(3), Variant(11), Variant(7)}).AsInteger(), 3);
}

TEST(Maxmin, DatesOfOneAndOfSeveralElements)
{
  const TDateTime may1 = EncodeDate(2003, 5, 1), may2 = EncodeDate(2003, 5, 2),
                  may3 = EncodeDate(2003, 5, 3);
  EXPECT_EQ(MaxDateTime({may2}), may2);
  EXPECT_EQ(MinDateTime({may2}), may2);
  EXPECT_EQ(MaxDateTime({may1, may3, may2}), may3);
  EXPECT_EQ(MinDateTime({may1, may3, may2}), may1);
}

TEST(Maxmin, EmptyListRaisesInsteadOfReadingPastTheEnd)
{
  EXPECT_THROW(MaxInteger({}), ERangeError);
  EXPECT_THROW(MinOf({}), ERangeError);
}
