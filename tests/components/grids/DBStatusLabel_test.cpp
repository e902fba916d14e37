// The data-set status label over the fixture's people: what it shows (and what assistive
// technology reads) for each state, its own captions, the record number and count, and its name
// in parentheses while designed.
#include "components/grids/DBStatusLabel.h"

#include "rtl/StringList.h"
#include "tests/platform/ui/PeopleFormFixture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

namespace {

class DBStatusLabelTest : public PeopleFormFixture {
protected:
    void SetUp() override
    {
        SetUpPeopleForm("SELECT PersonID, LastName FROM People ORDER BY PersonID", 300, 100);
        people->SetName("qPeople");
        label = new TDBStatusLabel(form);
        label->SetName("StatusLabel");
        label->SetParent(form);
        label->SetDataSource(source);
        form->Show();
    }
    String Shown() const { return vt::Accessible(label).Name; }

    TDBStatusLabel* label = nullptr;
};

}  // namespace

TEST_F(DBStatusLabelTest, ShowsTheStateWithTheDataSetsName)
{
    EXPECT_EQ(Shown(), "qPeople: Closed");
    people->Open();
    EXPECT_EQ(Shown(), "qPeople: Browse");
    people->Edit();
    EXPECT_EQ(Shown(), "qPeople: Edit");
    people->Cancel();
    people->Insert();
    EXPECT_EQ(Shown(), "qPeople: Insert");
    people->Cancel();

    label->SetDatasetName("People");
    EXPECT_EQ(Shown(), "People: Browse");
    label->OnGetDataName = [](TObject*, String& Value) { Value.clear(); };
    label->SetDatasetName("Persons");
    EXPECT_EQ(Shown(), "Browse");
    label->SetShowOptions(doGlyph);
    EXPECT_EQ(Shown(), "StatusLabel");  // no text: the accessible name falls back to the name
    EXPECT_EQ(label->LeftMargin(), 12 + 4);  // one cell of the seven-state strip, and a gap
    label->SetGlyphAlign(glGlyphRight);
    EXPECT_EQ(label->LeftMargin(), 0);
    EXPECT_EQ(label->RightMargin(), 16);
}

TEST_F(DBStatusLabelTest, CaptionsReplaceTheDefaultsAndAreCutToSix)
{
    people->Open();
    label->SetDatasetName("");
    label->OnGetDataName = [](TObject*, String& Value) { Value = ""; };
    label->Captions()->SetText("Shut\n\nChanging\nNew\nFind\nSums\nSeventh\n");
    EXPECT_EQ(label->Captions()->Count(), 6);
    EXPECT_EQ(Shown(), "Browse");  // an empty line keeps the default
    people->Edit();
    EXPECT_EQ(Shown(), "Changing");
    people->Cancel();
    EXPECT_EQ(label->GetCaption(dsFilter), "Find");
    EXPECT_EQ(label->GetCaption(dsInactive), "Shut");
}

TEST_F(DBStatusLabelTest, RecordNumberAndCount)
{
    label->SetStyle(lsRecordNo);
    EXPECT_EQ(Shown(), "StatusLabel");  // closed: no text, so the name is read
    people->Open();
    EXPECT_EQ(Shown(), "1:3");
    people->Last();
    EXPECT_EQ(Shown(), "3:3");

    int recNo = 5, count = 20;
    label->OnGetRecNo = [&](TObject*, TDataSet*, int& Value) { Value = recNo; };
    label->OnGetRecordCount = [&](TObject*, TDataSet*, int& Value) { Value = count; };
    label->UpdateData();
    EXPECT_EQ(Shown(), "5:20");
    count = -1;
    label->UpdateData();
    EXPECT_EQ(Shown(), "5");
    recNo = -1;
    count = 20;
    label->UpdateData();
    EXPECT_EQ(Shown(), "( 20 )");
    count = -1;
    label->UpdateData();
    EXPECT_EQ(Shown(), "StatusLabel");
}

TEST_F(DBStatusLabelTest, DesignedItShowsItsNameAndTheEditColourWhileEditing)
{
    label->SetComponentStateFlag(csDesigning, true);
    label->UpdateStatus();
    EXPECT_EQ(Shown(), "(StatusLabel)");
    label->SetComponentStateFlag(csDesigning, false);

    people->Open();
    label->SetEditColor(clGreen);
    people->Edit();
    const QImage editing = label->Widget()->grab().toImage();
    bool green = false;
    for (int y = 0; y < editing.height() && !green; ++y)
        for (int x = 0; x < editing.width() && !green; ++x) {
            const QColor c = editing.pixelColor(x, y);
            green = c.green() > c.red() + 60 && c.green() > c.blue() + 60;
        }
    EXPECT_TRUE(green);
}
