// Collections own their items, keep them in order and copy item by item.
#include "rtl/Collection.h"

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"

namespace {
class TNumberItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    int Number = 0;
    void Assign(TPersistent* Source) override { Number = dynamic_cast<TNumberItem&>(*Source).Number; }
};

TCollection::TItemFactory NumberItems()
{
    return [](TCollection* c) { return new TNumberItem(c); };
}

int NumberAt(const TCollection& c, int i) { return static_cast<TNumberItem*>(c.Items(i))->Number; }
}  // namespace

TEST(Collection, ItemsKeepTheirOrderAndLeaveWhenFreed)
{
    TCollection c(NumberItems());
    for (int i = 0; i < 3; ++i)
        static_cast<TNumberItem*>(c.Add())->Number = i * 10;
    EXPECT_EQ(c.Items(2)->Index(), 2);
    c.Items(2)->SetIndex(0);
    EXPECT_EQ(NumberAt(c, 0), 20);
    EXPECT_EQ(NumberAt(c, 1), 0);
    delete c.Items(1);
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(NumberAt(c, 1), 10);
    EXPECT_THROW(c.Items(2), EListError);

    TCollection copy(NumberItems());
    copy.Add();
    copy.Assign(&c);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(NumberAt(copy, 0), 20);
    EXPECT_EQ(copy.Items(0)->Collection(), &copy);
}
