// Tests of the progress registry: the platform's progress bar by default, a library control
// driven through its own published properties, precedence and removal of registrations.
#include "components/system/Vtprgrss.h"

#include "components/edits/CurrEdit.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

#include <gtest/gtest.h>

// A progress bar of its own kind that counts steps under other names.
class TStepBar : public TProgressBar {
public:
    using TProgressBar::TProgressBar;
    int Total() const { return Max(); }
    void SetTotal(int v) { SetMax(v); }
    int Done() const { return Position(); }
    void SetDone(int v) { SetPosition(v); }
    String Note() const { return FNote; }
    void SetNote(const String& v) { FNote = v; }

private:
    String FNote;
};

class TTallStepBar : public TStepBar {
public:
    using TStepBar::TStepBar;
};

namespace {
const vt::ClassRegistration<TStepBar, TProgressBar> kStepBar{
    "TStepBar",
    {vt::Published("Total", &TStepBar::Total, &TStepBar::SetTotal),
     vt::Published("Done", &TStepBar::Done, &TStepBar::SetDone),
     vt::Published("Note", &TStepBar::Note, &TStepBar::SetNote)}};
const vt::ClassRegistration<TTallStepBar, TStepBar> kTallStepBar{"TTallStepBar", {}};

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        FForm = new TForm(nullptr);
    }
    void TearDown() override
    {
        delete FForm;
        UnRegisterProgressControl(vt::ClassOf<TStepBar>());
        UnRegisterProgressControl(vt::ClassOf<TCustomNumEdit>());
    }
    TForm* FForm = nullptr;
};
}  // namespace

TEST_F(ProgressTest, TheProgressBarIsDrivenByDefault)
{
    auto* bar = new TProgressBar(FForm);
    EXPECT_TRUE(SupportsProgressControl(bar));
    EXPECT_TRUE(SetProgressMax(bar, 400));
    EXPECT_TRUE(SetProgressMin(bar, 100));
    EXPECT_TRUE(SetProgressValue(bar, 250));
    EXPECT_EQ(bar->Max(), 400);
    EXPECT_EQ(bar->Min(), 100);
    EXPECT_EQ(bar->Position(), 250);
}

TEST_F(ProgressTest, AnUnregisteredControlIsLeftAlone)
{
    auto* edit = new TEdit(FForm);
    edit->SetWidth(90);
    EXPECT_FALSE(SupportsProgressControl(edit));
    EXPECT_FALSE(SupportsProgressControl(nullptr));
    EXPECT_FALSE(SetProgressValue(edit, 3));
    EXPECT_EQ(edit->Width(), 90);
}

TEST_F(ProgressTest, ALibraryEditShowsProgressThroughItsValueProperties)
{
    auto* edit = new TCurrencyEdit(FForm);
    RegisterProgressControl(vt::ClassOf<TCustomNumEdit>(), "MaxValue", "MinValue", "Value");
    EXPECT_TRUE(SupportsProgressControl(edit));
    EXPECT_TRUE(SetProgressMax(edit, 1000));
    EXPECT_TRUE(SetProgressValue(edit, 640));
    EXPECT_EQ(edit->MaxValue(), 1000);
    EXPECT_EQ(edit->Value(), 640);
}

TEST_F(ProgressTest, ALaterRegistrationTakesPrecedenceForItsDescendants)
{
    auto* plain = new TProgressBar(FForm);
    auto* tall = new TTallStepBar(FForm);
    RegisterProgressControl(vt::ClassOf<TStepBar>(), "Total", "Min", "Done");
    EXPECT_TRUE(SetProgressMax(tall, 77));
    EXPECT_EQ(tall->Total(), 77);
    EXPECT_TRUE(SetProgressMax(plain, 66)) << "the progress bar keeps its own record";
    EXPECT_EQ(plain->Max(), 66);

    // Names the control does not publish, or of another kind, are refused.
    RegisterProgressControl(vt::ClassOf<TStepBar>(), "Nothing", "Note", "Done");
    EXPECT_FALSE(SetProgressMax(tall, 5));
    EXPECT_FALSE(SetProgressMin(tall, 5));
    EXPECT_EQ(tall->Total(), 77);

    UnRegisterProgressControl(vt::ClassOf<TStepBar>());
    EXPECT_TRUE(SetProgressMax(tall, 88)) << "back to the progress bar's names";
    EXPECT_EQ(tall->Max(), 88);
    UnRegisterProgressControl(vt::ClassOf<TProgressBar>());
    EXPECT_FALSE(SupportsProgressControl(plain));
    RegisterProgressControl(vt::ClassOf<TProgressBar>(), "Max", "Min", "Position");
}
