// The component model: ownership frees children last-first, names are unique per owner,
// and free notification reaches partners outside the owner tree.
#include "rtl/Classes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "rtl/Exceptions.h"

namespace {

std::vector<String> destroyed;

class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* owner, const String& name = "") : TComponent(owner)
    {
        SetName(name);
    }
    ~TProbe() override { destroyed.push_back(Name()); }

    TComponent* Watched = nullptr;
    std::vector<std::pair<TComponent*, TOperation>> Heard;

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        Heard.emplace_back(c, op);
        if (op == opRemove && c == Watched)
            Watched = nullptr;
        TComponent::Notification(c, op);
    }
};

}  // namespace

TEST(Component, OwnerFreesChildrenInReverseOrder)
{
    destroyed.clear();
    auto* form = new TProbe(nullptr, "Form");
    new TProbe(form, "Edit1");
    auto* panel = new TProbe(form, "Panel1");
    new TProbe(panel, "Button1");
    new TProbe(form, "Label1");
    EXPECT_EQ(form->ComponentCount(), 3);
    EXPECT_EQ(form->FindComponent("panel1"), panel);
    EXPECT_EQ(form->FindComponent("Button1"), nullptr);
    delete form;
    EXPECT_EQ(destroyed, (std::vector<String>{"Form", "Label1", "Panel1", "Button1", "Edit1"}));
}

TEST(Component, DeletingAChildUnlinksItAndTellsTheOwner)
{
    TProbe form(nullptr, "Form");
    auto* edit = new TProbe(&form, "Edit1");
    ASSERT_EQ(form.Heard.size(), 1u);
    EXPECT_EQ(form.Heard[0], std::make_pair<TComponent*>(edit, opInsert));
    auto address = reinterpret_cast<std::uintptr_t>(edit);
    delete edit;
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(form.Heard.back().first), address);
    EXPECT_EQ(form.Heard.back().second, opRemove);
}

TEST(Component, NamesAreValidatedAndUniquePerOwner)
{
    TComponent form(nullptr);
    auto* a = new TComponent(&form);
    a->SetName("Edit1");
    auto* b = new TComponent(&form);
    EXPECT_THROW(b->SetName("EDIT1"), EComponentError);
    EXPECT_THROW(b->SetName("1Edit"), EComponentError);
    EXPECT_THROW(b->SetName("Ed it"), EComponentError);
    b->SetName("Edit2");
    EXPECT_EQ(b->Name(), "Edit2");
    EXPECT_THROW(form.Components(2), EListError);
}

TEST(Component, FreeNotificationReachesPartnerInAnotherTree)
{
    TProbe dataModule(nullptr, "DataModule");
    TProbe form(nullptr, "Form");
    auto* source = new TProbe(&dataModule, "dsSessions");
    auto* grid = new TProbe(&form, "DBGrid1");
    grid->Watched = source;
    source->FreeNotification(grid);
    delete source;
    EXPECT_EQ(grid->Watched, nullptr);

    // Once removed, the partner hears nothing further.
    auto* other = new TProbe(&dataModule, "dsOther");
    other->FreeNotification(grid);
    other->RemoveFreeNotification(grid);
    grid->Watched = other;
    delete other;
    EXPECT_EQ(grid->Watched, other);
}

TEST(Component, DestroyingStateAndLoaded)
{
    struct TStateProbe : TComponent {
        using TComponent::TComponent;
        TComponentState* Seen = nullptr;
        ~TStateProbe() override { *Seen = ComponentState(); }
    };
    TComponentState seen;
    auto* owner = new TComponent(nullptr);
    auto* child = new TStateProbe(owner);
    child->Seen = &seen;
    child->SetComponentStateFlag(csLoading, true);
    EXPECT_TRUE(child->ComponentState().Contains(csLoading));
    child->Loaded();
    EXPECT_FALSE(child->ComponentState().Contains(csLoading));
    delete owner;
    EXPECT_TRUE(seen.Contains(csDestroying));
}

TEST(Classes, ClassNameAndGeometry)
{
    TComponent c(nullptr);
    EXPECT_EQ(c.ClassName(), "TComponent");
    TRect r = Bounds(10, 20, 30, 40);
    EXPECT_EQ(r, Rect(10, 20, 40, 60));
    EXPECT_EQ(r.Width(), 30);
    EXPECT_TRUE(PtInRect(r, Point(10, 20)));
    EXPECT_FALSE(PtInRect(r, Point(40, 20)));
    TShiftState shift{ssShift, ssCtrl};
    EXPECT_TRUE(shift.Contains(ssCtrl));
    EXPECT_EQ(shift - TShiftState{ssCtrl}, TShiftState{ssShift});
    EXPECT_EQ(shift * TShiftState{ssAlt}, TShiftState{});
}
