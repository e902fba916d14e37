// The check-list box: radio, toggle, key and mouse rules, the form stream (current and older
// formats, ancestors) read back by a second box, and the states saved in an ini file or the
// registry.
#include "components/lists/VtCheckListBox.h"

#include <gtest/gtest.h>

#include "tests/components/storage/StorageFixture.h"
#include "components/storage/Apputils.h"
#include "components/storage/Placemnt.h"
#include "ItemInk.h"
#include "rtl/Exceptions.h"
#include "rtl/Locale.h"
#include "rtl/Filer.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

using vt::testing::StorageKind;

class CheckListTest : public vt::testing::StorageTest {
protected:
    void SetUp() override
    {
        StorageTest::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 300, 300);
        box = NewBox("Checks");
        box->OnStateChange = [this](TObject*, int index) { changes.push_back(index); };
        box->OnClickCheck = [this](TObject*) { ++clickChecks; };
    }
    void TearDown() override
    {
        delete form;
        StorageTest::TearDown();
    }
    TVtCheckListBox* NewBox(const String& name)
    {
        auto* b = new TVtCheckListBox(form);
        b->SetName(name);
        b->SetParent(form);
        b->SetBounds(10, 10, 200, 200);
        return b;
    }
    void Fill(TVtCheckListBox* b, int count)
    {
        for (int i = 0; i < count; ++i)
            b->Items()->Add("item " + IntToStr(i));
    }
    static String States(TVtCheckListBox* b)
    {
        String s;
        for (int i = 0; i < b->Items()->Count(); ++i)
            s += static_cast<char>((b->GetItemEnabled(i) ? '0' : 'a') + b->State(i));
        return s;
    }

    TForm* form = nullptr;
    TVtCheckListBox* box = nullptr;
    std::vector<int> changes;
    int clickChecks = 0;
};

TEST_F(CheckListTest, RadioButtonsKeepExactlyOneItemChecked)
{
    Fill(box, 3);
    box->SetChecked(2, true);
    box->SetCheckKind(ckRadioButtons);
    EXPECT_EQ(States(box), "001");
    box->ToggleClickCheck(2);
    EXPECT_EQ(States(box), "001");
    box->ToggleClickCheck(0);
    EXPECT_EQ(States(box), "100");
    EXPECT_EQ(box->CheckedIndex(), 0);
    box->SetCheckedIndex(-5);
    EXPECT_EQ(box->CheckedIndex(), 0);

    box->SetCheckKind(ckCheckBoxes);
    box->SetChecked(0, false);
    box->SetCheckKind(ckRadioButtons);
    EXPECT_EQ(States(box), "100");  // none checked: the first one is
    box->SetAllowGrayed(true);
    EXPECT_FALSE(box->AllowGrayed());
}

TEST_F(CheckListTest, TogglingCyclesThroughGrayedOnlyWhenAllowedAndSkipsDisabledItems)
{
    Fill(box, 2);
    box->SetItemEnabled(1, false);
    const std::vector<TCheckBoxState> plain{cbChecked, cbUnchecked, cbChecked};
    for (TCheckBoxState expected : plain) {
        box->ToggleClickCheck(0);
        EXPECT_EQ(box->State(0), expected);
    }
    box->SetState(0, cbUnchecked);
    box->SetAllowGrayed(true);
    for (TCheckBoxState expected : {cbGrayed, cbChecked, cbUnchecked}) {
        box->ToggleClickCheck(0);
        EXPECT_EQ(box->State(0), expected);
    }
    box->ToggleClickCheck(1);
    box->ToggleClickCheck(7);
    EXPECT_EQ(box->State(1), cbUnchecked);
    EXPECT_EQ(clickChecks, 6);
    EXPECT_EQ(changes.size(), 7u);  // each change of item 0, none for item 1
}

TEST_F(CheckListTest, KeysToggleTheCurrentItemAndPlusMinusLeaveDisabledItems)
{
    Fill(box, 3);
    box->SetItemEnabled(2, false);
    form->Show();
    box->SetFocus();
    box->SetItemIndex(1);
    vt::SendKey(box, VK_SPACE);
    EXPECT_EQ(States(box), "01a");
    vt::TypeText(box, "+");
    EXPECT_EQ(States(box), "11a");
    vt::TypeText(box, "-");
    EXPECT_EQ(States(box), "00a");
    EXPECT_EQ(clickChecks, 3);
}

TEST_F(CheckListTest, AClickTogglesOnlyInTheCheckArea)
{
    Fill(box, 2);
    form->Show();
    const TRect r = box->ItemRect(1);
    vt::ClickControl(box, r.Left + 3, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(States(box), "01");
    vt::ClickControl(box, r.Right - 10, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(States(box), "01");
}

// In a language read right to left the check of a right-to-left box stands at the item's right
// end, where a click toggles it, and the text ends beside it; ctest runs this once more with such
// a language in the environment (rtl.VtCheckListBox).
TEST_F(CheckListTest, RightToLeftReadingPutsTheCheckAtTheRightEnd)
{
    ResetLocaleFromSystem();
    const bool rightToLeft = Locale().MiddleEast;
    Fill(box, 2);
    box->SetBiDiMode(bdRightToLeft);
    form->Show();
    const TRect r = box->ItemRect(1);
    const int y = (r.Top + r.Bottom) / 2;
    vt::ClickControl(box, rightToLeft ? r.Left + 3 : r.Right - 3, y);
    EXPECT_EQ(States(box), "00");
    vt::ClickControl(box, rightToLeft ? r.Right - 3 : r.Left + 3, y);
    EXPECT_EQ(States(box), "01");
    const vt::testing::Ink ink = vt::testing::ItemInk(box, 1);
    ASSERT_FALSE(ink.Empty());
    if (rightToLeft) {
        EXPECT_GT(ink.Left, r.Left + r.Width() / 2);
        EXPECT_GT(ink.Right, r.Right - 20);  // the check
    } else {
        EXPECT_LT(ink.Left, r.Left + 20);
        EXPECT_LT(ink.Right, r.Left + r.Width() / 2);
    }
}

TEST_F(CheckListTest, ItemDataStaysTheUsersBesideTheStatesAndMovesWithTheItem)
{
    TObject data;
    box->Items()->AddObject("a", &data);
    box->Items()->Add("b");
    box->SetState(0, cbGrayed);
    EXPECT_EQ(box->Items()->Objects(0), &data);
    box->Items()->Move(0, 1);
    EXPECT_EQ(box->State(1), cbGrayed);
    EXPECT_EQ(box->Items()->Objects(1), &data);
    box->Items()->Delete(1);
    EXPECT_EQ(States(box), "0");
    EXPECT_THROW(box->State(3), EListError);
}

// What a box writes into a form stream.
TMemoryStream* Written(TPersistent* instance, TPersistent* ancestor = nullptr)
{
    auto* stream = new TMemoryStream;
    TWriter writer(stream);
    writer.SetAncestor(ancestor);
    writer.WriteProperties(instance);
    stream->SetPosition(0);
    return stream;
}

TEST_F(CheckListTest, TheStreamReadsBackEveryTextStateAndEnabledFlag)
{
    Fill(box, 3);
    box->SetState(0, cbGrayed);
    box->SetState(2, cbChecked);
    box->SetItemEnabled(1, false);
    std::unique_ptr<TMemoryStream> stream(Written(box));

    TVtCheckListBox* copy = NewBox("Copy");
    copy->Items()->Add("to be replaced");
    int copyChanges = 0;
    copy->OnStateChange = [&](TObject*, int) { ++copyChanges; };
    TReader(stream.get()).ReadProperties(copy);
    EXPECT_EQ(copy->Items()->Text(), box->Items()->Text());
    EXPECT_EQ(States(copy), "2a1");
    EXPECT_EQ(States(copy), States(box));
    EXPECT_EQ(copyChanges, 0);
}

// A list as older versions wrote it: per item a text, checked and enabled flags and, from
// version 1, a state.
class OldCheckList : public TPersistent {
public:
    OldCheckList(int version, bool withState) : FVersion(version), FWithState(withState) {}
    void DefineProperties(TFiler* Filer) override
    {
        Filer->DefineProperty("InternalVersion", nullptr, [this](TWriter* w) { w->WriteInteger(FVersion); },
                              FVersion > 0);
        Filer->DefineProperty("Strings", nullptr, [this](TWriter* w) {
            w->WriteListBegin();
            const bool checked[] = {true, false, true};
            const bool enabled[] = {true, true, false};
            for (int i = 0; i < 3; ++i) {
                w->WriteString("old " + IntToStr(i));
                w->WriteBoolean(checked[i]);
                w->WriteBoolean(enabled[i]);
                if (FWithState)
                    w->WriteInteger(i == 1 ? cbGrayed : checked[i]);
            }
            w->WriteListEnd();
        }, true);
    }

private:
    int FVersion;
    bool FWithState;
};

TEST_F(CheckListTest, OlderStreamsReadAsCheckedOrUncheckedItemsOrWithTheirStates)
{
    struct Case {
        int Version;
        bool WithState;
        const char* States;
    } cases[] = {{0, false, "10b"}, {1, true, "12b"}};
    for (const Case& c : cases) {
        OldCheckList old(c.Version, c.WithState);
        std::unique_ptr<TMemoryStream> stream(Written(&old));
        TVtCheckListBox* copy = NewBox("Old" + IntToStr(c.Version));
        TReader(stream.get()).ReadProperties(copy);
        EXPECT_EQ(copy->Items()->Text(), "old 0\nold 1\nold 2\n");
        EXPECT_EQ(States(copy), c.States) << c.Version;
    }
}

TEST_F(CheckListTest, AgainstAnAncestorTheListIsWrittenOnlyWhenAnItemDiffers)
{
    TVtCheckListBox* ancestor = NewBox("Ancestor");
    Fill(ancestor, 2);
    Fill(box, 2);
    TVtCheckListBox* copy = NewBox("Copy");
    std::unique_ptr<TMemoryStream> same(Written(box, ancestor));
    TReader(same.get()).ReadProperties(copy);
    EXPECT_EQ(copy->Items()->Count(), 0);

    box->SetItemEnabled(1, false);
    std::unique_ptr<TMemoryStream> differs(Written(box, ancestor));
    TReader(differs.get()).ReadProperties(copy);
    EXPECT_EQ(States(copy), "0a");
}

TEST_F(CheckListTest, ABrokenStreamRaisesAReadError)
{
    Fill(box, 1);
    std::unique_ptr<TMemoryStream> stream(Written(box));
    stream->SetSize(stream->Size() - 3);
    EXPECT_THROW(TReader(stream.get()).ReadProperties(NewBox("Copy")), EReadError);
}

TEST_F(CheckListTest, StatesAreSavedUnderTheControlsSection)
{
    Fill(box, 3);
    box->SetState(1, cbChecked);
    box->SetState(2, cbGrayed);
    TIniFile ini(FIniPath);
    box->SaveStates(&ini);
    const String section = GetDefaultSection(box);
    EXPECT_NE(IniText().find("[" + section + "]"), String::npos);
    EXPECT_NE(IniText().find("Count=3"), String::npos);
    EXPECT_NE(IniText().find("Item2=2"), String::npos);
}

class CheckListStorageTest : public CheckListTest, public ::testing::WithParamInterface<StorageKind> {
protected:
    void Save(TVtCheckListBox* b)
    {
        auto storage = OpenStorage(GetParam());
        if (auto* ini = dynamic_cast<TIniFile*>(storage.get()))
            b->SaveStates(ini);
        else
            b->SaveStatesReg(static_cast<TRegIniFile*>(storage.get()));
    }
    void Restore(TVtCheckListBox* b)
    {
        auto storage = OpenStorage(GetParam());
        if (auto* ini = dynamic_cast<TIniFile*>(storage.get()))
            b->RestoreStates(ini);
        else
            b->RestoreStatesReg(static_cast<TRegIniFile*>(storage.get()));
    }
};

TEST_P(CheckListStorageTest, RestoringAppliesOnlyAsManyStatesAsThereAreItems)
{
    Fill(box, 4);
    box->SetState(1, cbGrayed);
    box->SetState(3, cbChecked);
    Save(box);

    for (int i = 0; i < 4; ++i)
        box->SetState(i, cbChecked);
    box->Items()->Delete(3);
    Restore(box);
    EXPECT_EQ(States(box), "020");
}

TEST_P(CheckListStorageTest, RadioButtonsStopAtTheFirstCheckedItem)
{
    Fill(box, 3);
    box->SetState(1, cbChecked);
    box->SetState(2, cbChecked);
    Save(box);
    box->SetCheckKind(ckRadioButtons);
    Restore(box);
    EXPECT_EQ(States(box), "010");
}

// The box as a form shows it again: radio buttons always hold one checked item (the first) before
// the stored states come in, and the stored choice replaces it.
TEST_P(CheckListStorageTest, AStoredRadioChoiceIsRestored)
{
    Fill(box, 3);
    box->SetCheckKind(ckRadioButtons);
    box->SetCheckedIndex(2);
    Save(box);

    delete box;
    TVtCheckListBox* shown = NewBox("Checks");  // the same section
    Fill(shown, 3);
    shown->SetCheckKind(ckRadioButtons);
    EXPECT_EQ(States(shown), "100");
    Restore(shown);
    EXPECT_EQ(States(shown), "001");
    EXPECT_EQ(shown->CheckedIndex(), 2);
}

// A form whose placement also keeps its check-list box's states: the session a user leaves is the
// one the next form shows.
class PlacedCheckListTest : public CheckListStorageTest {
protected:
    void MakePlacedForm()
    {
        placed = new TForm(nullptr);
        placed->SetName("RosterForm");
        placement = new TFormPlacement(placed);
        placement->SetName("FormPlacement1");
        placement->SetIniFileName(StorageName(GetParam()));
        placement->SetUseRegistry(GetParam() == StorageKind::Registry);
        placement->SetIniSection("Roster");
        days = new TVtCheckListBox(placed);
        days->SetName("Days");
        days->SetParent(placed);
        days->SetIniStorage(placement);
        Fill(days, 4);
        placement->Loaded();
    }
    String Stored(const String& section, const String& key) const
    {
        auto storage = OpenStorage(GetParam());
        return IniReadString(storage.get(), section, key, "(missing)");
    }

    TForm* placed = nullptr;
    TFormPlacement* placement = nullptr;
    TVtCheckListBox* days = nullptr;
};

TEST_P(PlacedCheckListTest, StatesLeftAtCloseComeBackOnTheNextFormsShow)
{
    MakePlacedForm();
    placed->Show();
    days->SetState(1, cbChecked);
    days->SetState(3, cbGrayed);
    placed->Close();
    const String section = "Roster\\" + GetDefaultSection(days);
    EXPECT_EQ(Stored(section, "Count"), "4");
    EXPECT_EQ(Stored(section, "Item3"), "2");
    delete placed;

    MakePlacedForm();
    EXPECT_EQ(States(days), "0000");
    placed->Show();
    EXPECT_EQ(States(days), "0102");
    delete placed;
}

TEST_P(PlacedCheckListTest, EitherMayBeFreedFirst)
{
    MakePlacedForm();
    placed->Show();
    delete placement;
    EXPECT_EQ(days->IniStorage(), nullptr);
    placed->Close();
    delete placed;

    // The box gone first: the placement saves at close without it.
    MakePlacedForm();
    placed->Show();
    delete days;
    placed->Close();
    EXPECT_EQ(Stored("Roster", "FormVersion"), "0");
    delete placed;
}

INSTANTIATE_TEST_SUITE_P(Storage, PlacedCheckListTest, ::testing::Values(StorageKind::IniFile, StorageKind::Registry),
                         vt::testing::StorageKindName);

INSTANTIATE_TEST_SUITE_P(Storage, CheckListStorageTest,
                         ::testing::Values(StorageKind::IniFile, StorageKind::Registry),
                         vt::testing::StorageKindName);

}  // namespace
