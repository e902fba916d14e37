// Tests of form placement and form storage: a form comes back where the user left it, with its
// chosen properties and named values, from an ini file and from the registry store.
#include "components/storage/Placemnt.h"

#include "StorageFixture.h"
#include "components/storage/Apputils.h"
#include "components/grids/DBStatusLabel.h"
#include "components/system/FileUtil.h"
#include "components/edits/PickDate.h"
#include "components/edits/ToolEditDate.h"
#include "components/edits/ToolEditFile.h"
#include "components/edits/VtCalc.h"
#include "components/lists/VtCheckListBox.h"
#include "components/edits/VtDBCtrl.h"
#include "components/edits/VtDBDateEdit.h"
#include "components/grids/VtDBGrid.h"
#include "components/edits/VtLabel.h"
#include "components/system/VtTimer.h"
#include "components/common/Vtstrutils.h"
#include "rtl/StringList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/kernel/WinApi.h"

#include <filesystem>
#include <fstream>

using vt::testing::StorageKind;
using vt::testing::StorageKindTest;

// A form as a design function makes it: controls, a form storage, then Loaded and OnCreate.
class TPlaceForm : public TForm {
public:
    TPlaceForm(TComponent* AOwner, const String& storageName, bool useRegistry, int version = 0) : TForm(AOwner)
    {
        SetName("PlaceForm");
        SetBounds(40, 50, 320, 240);
        Edit1 = new TEdit(this);
        Edit1->SetName("Edit1");
        Edit1->SetParent(this);
        Edit2 = new TEdit(this);
        Edit2->SetName("Edit2");
        Edit2->SetParent(this);
        Edit2->SetTop(40);
        Panel1 = new TPanel(this);
        Panel1->SetName("Panel1");
        Panel1->SetParent(this);
        Storage = new TFormStorage(this);
        Storage->SetName("FormStorage1");
        Storage->SetIniFileName(storageName);
        Storage->SetUseRegistry(useRegistry);
        Storage->SetIniSection("Main");
        Storage->SetVersion(version);
        Storage->SetOptions({fpState, fpPosition, fpActiveControl});
        for (const char* item : {"Edit1.Text", "Panel1.Width", "PlaceForm.Caption", "Edit1.Font"})
            Storage->StoredProps()->Add(item);
        Storage->SetStoredValue("LastFile", Variant(String("")));
        Storage->SetStoredValue("Secret", Variant(String("")));
        Storage->StoredValues()->StoredValue("Secret")->SetKeyString("camp");
        for (int i = 0; i < ComponentCount(); ++i)
            Components(i)->Loaded();
        DoCreate();
    }
    TEdit* Edit1;
    TEdit* Edit2;
    TPanel* Panel1;
    TFormStorage* Storage;
};

namespace {
class PlacementStorageTest : public StorageKindTest {
protected:
    TPlaceForm* NewForm(int version = 0)
    {
        return new TPlaceForm(nullptr, StorageName(GetParam()), GetParam() == StorageKind::Registry, version);
    }
    String Stored(const String& section, const String& key)
    {
        auto storage = OpenStorage(GetParam());
        return IniReadString(storage.get(), section, key, "(missing)");
    }
    void Store(const String& section, const String& key, const String& value)
    {
        auto storage = OpenStorage(GetParam());
        IniWriteString(storage.get(), section, key, value);
    }
    // The user's session: the form shown, moved, edited and closed.
    TRect LeaveForm(int version = 0)
    {
        TPlaceForm* form = NewForm(version);
        form->Show();
        form->SetBounds(150, 120, 500, 360);
        form->Edit1->SetText("Camp Lakeview");
        form->Panel1->SetWidth(222);
        form->SetCaption("Rosters");
        form->Edit1->Font()->SetStyle({fsBold});
        form->Storage->SetStoredValue("LastFile", Variant(String("/home/office/summer.mdb")));
        form->Storage->SetStoredValue("Secret", Variant(String("pa55")));
        form->SetActiveControl(form->Edit2);
        const TRect left = form->BoundsRect();
        form->Close();
        delete form;
        return left;
    }
};
}  // namespace

TEST_P(PlacementStorageTest, AFormComesBackAsTheUserLeftIt)
{
    const TRect left = LeaveForm();
    EXPECT_EQ(Stored("Main", "Edit1_Text"), "Camp Lakeview");
    EXPECT_EQ(Stored("Main", "FormVersion"), "0");
    EXPECT_NE(Stored("Main", "Secret"), "pa55") << "a keyed value is stored encoded";
    EXPECT_EQ(Stored("Main", "Secret"), XorEncode("camp", "pa55"));

    TPlaceForm* form = NewForm();
    form->Show();
    EXPECT_EQ(form->BoundsRect(), left);
    EXPECT_EQ(form->Edit1->Text(), "Camp Lakeview");
    EXPECT_EQ(form->Panel1->Width(), 222);
    EXPECT_EQ(form->Caption(), "Rosters");
    EXPECT_EQ(form->Edit1->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(form->Storage->GetStoredValue("lastfile").AsString(), "/home/office/summer.mdb");
    EXPECT_EQ(form->Storage->GetStoredValue("Secret").AsString(), "pa55");
    EXPECT_EQ(form->ActiveControl(), form->Edit2);
    delete form;
}

TEST_P(PlacementStorageTest, AnOlderStoredVersionLeavesTheDesignAndIsReplacedAtClose)
{
    LeaveForm(1);
    TPlaceForm* form = NewForm(2);
    form->Show();
    EXPECT_LT(form->Left(), 100) << "not at the stored place";
    EXPECT_EQ(form->Width(), 320);
    EXPECT_EQ(form->Edit1->Text(), "");
    form->Close();
    EXPECT_EQ(Stored("Main", "FormVersion"), "2");
    delete form;
}

TEST_P(PlacementStorageTest, AFormNeverShownDoesNotOverwriteThePlacement)
{
    LeaveForm();
    const String stored = Stored("Main", "NormPos");
    TPlaceForm* form = NewForm();
    form->SetBounds(1, 2, 303, 204);
    delete form;
    EXPECT_EQ(Stored("Main", "NormPos"), stored);
}

TEST_P(PlacementStorageTest, ValuesThatDoNotParseGiveTheDesign)
{
    Store("Main", "NormPos", "x,y,z");
    Store("Main", "ShowCmd", "max");
    Store("Main", "FormVersion", "new");
    Store("Main", "Panel1_Width", "wide");
    TPlaceForm* form = NewForm();
    const int width = form->Panel1->Width();
    form->Show();
    EXPECT_EQ(form->Panel1->Width(), width);
    EXPECT_EQ(form->WindowState(), wsNormal);
    delete form;
}

TEST_P(PlacementStorageTest, EraseSectionsTakesTheSectionAndThoseBelowIt)
{
    for (const char* section : {"Main", "Main.Grid", "Main\\Columns", "MainX"})
        Store(section, "Key", "v");
    TPlaceForm* form = NewForm();
    form->Storage->EraseSections();
    EXPECT_EQ(Stored("Main", "Key"), "(missing)");
    EXPECT_EQ(Stored("Main.Grid", "Key"), "(missing)");
    EXPECT_EQ(Stored("Main\\Columns", "Key"), "(missing)");
    EXPECT_EQ(Stored("MainX", "Key"), "v");
    delete form;
}

TEST_P(PlacementStorageTest, LinksStoreTheirLayoutInTheSamePlace)
{
    TPlaceForm* form = NewForm();
    TIniLink link;
    link.SetStorage(form->Storage);
    EXPECT_EQ(link.IniObject(), nullptr) << "no storage is open between operations";
    EXPECT_EQ(link.RootSection(), "Main\\");
    int loads = 0;
    link.OnSave = [&](TObject*) { IniWriteInteger(link.IniObject(), link.RootSection() + "Grid", "Item0", 77); };
    link.OnLoad = [&](TObject*) { loads += IniReadInteger(link.IniObject(), link.RootSection() + "Grid", "Item0", 0); };
    form->Show();
    form->Close();
    EXPECT_EQ(Stored("Main\\Grid", "Item0"), "77");
    form->Show();
    EXPECT_EQ(loads, 77);
    delete form;
    EXPECT_EQ(link.Storage(), nullptr) << "the placement lets its links go";
}

TEST_P(PlacementStorageTest, TheFormsOwnHandlersAreChained)
{
    String events;
    auto* form = new TForm(nullptr);
    form->OnShow = [&](TObject*) { events += "show "; };
    form->OnCloseQuery = [&](TObject*, bool& canClose) {
        events += "query ";
        canClose = events.size() > 12;  // the first close is refused
    };
    auto* placement = new TFormPlacement(form);
    placement->SetIniFileName(StorageName(GetParam()));
    placement->SetUseRegistry(GetParam() == StorageKind::Registry);
    placement->Loaded();
    form->DoCreate();
    form->Show();
    form->Close();
    EXPECT_EQ(Stored("TForm", "FormVersion"), "(missing)") << "a refused close saves nothing";
    form->Close();
    EXPECT_EQ(events, "show query query ");
    EXPECT_EQ(Stored("TForm", "FormVersion"), "0");
    delete form;
}

// The placement's own events and those of its stored values run at show and close; destroying
// the placement gives the form its own handlers back.
TEST_P(PlacementStorageTest, ItsEventsRunAndTheFormGetsItsHandlersBack)
{
    String events;
    auto* form = new TForm(nullptr);
    form->OnShow = [&](TObject*) { events += "show "; };
    form->OnCloseQuery = [&](TObject*, bool&) { events += "query "; };
    form->OnDestroy = [&](TObject*) { events += "destroy "; };
    auto* storage = new TFormStorage(form);
    storage->SetIniFileName(StorageName(GetParam()));
    storage->SetUseRegistry(GetParam() == StorageKind::Registry);
    storage->OnRestorePlacement = [&](TObject*) { events += "restored "; };
    storage->OnSavePlacement = [&](TObject*) { events += "saved "; };
    storage->SetStoredValue("Camp", Variant(String("Lakeview")));
    TStoredValue* camp = storage->StoredValues()->StoredValue("Camp");
    camp->OnSave = [&](TStoredValue*, Variant& v) { v = Variant(v.AsString() + " 2024"); };
    camp->OnRestore = [&](TStoredValue*, Variant& v) { events += "camp=" + v.AsString() + " "; };
    storage->Loaded();
    form->DoCreate();
    form->Show();
    form->Close();
    EXPECT_EQ(Stored("TForm", "Camp"), "Lakeview 2024");
    form->Show();
    EXPECT_EQ(events, "camp=Lakeview restored show query saved camp=Lakeview 2024 restored show ");

    events.clear();
    delete storage;
    form->Close();
    delete form;
    EXPECT_EQ(events, "query destroy ");
}

TEST_P(PlacementStorageTest, AFailedSaveAtCloseIsShownAndTheFormStillCloses)
{
    std::vector<String> shown;
    Application->OnException = [&](TObject*, Exception* e) { shown.push_back(e->Message()); };
    TPlaceForm* form = NewForm();
    form->Storage->OnSavePlacement = [](TObject*) { throw Exception("No space left on device"); };
    form->Show();
    form->Close();
    Application->OnException = nullptr;
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(shown, std::vector<String>{"No space left on device"});
    form->Storage->OnSavePlacement = nullptr;
    delete form;
}

// Destroyed without being closed, as the forms left open are at the program's end, a form saves
// to the section of its own class.
TEST_P(PlacementStorageTest, AFormDestroyedWithoutClosingSavesToItsOwnSection)
{
    TPlaceForm* form = NewForm();
    form->Storage->SetIniSection("");
    form->Show();
    form->SetBounds(150, 120, 500, 360);
    delete form;
    EXPECT_EQ(Stored("TPlaceForm", "NormPos"), "150,120,650,480");
    EXPECT_EQ(Stored("TCustomForm", "NormPos"), "(missing)");
}

// A stored text with a line break is kept escaped; one that cannot be kept (a text over the
// line limit) is reported once, and every other property and value is saved all the same.
TEST_P(PlacementStorageTest, ALineBreakInAStoredTextIsKeptAndAFailingTextSpoilsNothingElse)
{
    const bool registry = GetParam() == StorageKind::Registry;
    const String tooLong = String(5000, 'x') + "\n";
    struct Case {
        String Caption;
        std::vector<String> Shown;
        String Restored;
    } cases[] = {
        {"Rosters\nSummer", {}, registry ? "Rosters\nSummer" : "Rosters\r\nSummer"},
        {tooLong, registry ? std::vector<String>{} : std::vector<String>{"Line too long"},
         registry ? tooLong : String()},  // the design's caption
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Caption.substr(0, 12));
        std::remove(StorageName(GetParam()).c_str());
        std::vector<String> shown;
        Application->OnException = [&](TObject*, Exception* e) { shown.push_back(e->Message()); };
        TPlaceForm* form = NewForm();
        form->Show();
        form->SetCaption(c.Caption);
        form->Edit1->SetText("Camp Lakeview");
        form->Panel1->SetWidth(222);
        form->Storage->SetStoredValue("LastFile", Variant(String("/home/office/summer.mdb")));
        form->Close();
        delete form;
        Application->OnException = nullptr;
        EXPECT_EQ(shown, c.Shown);

        form = NewForm();
        form->Show();
        EXPECT_EQ(form->Caption(), c.Restored);
        EXPECT_EQ(form->Edit1->Text(), "Camp Lakeview");
        EXPECT_EQ(form->Panel1->Width(), 222);
        EXPECT_EQ(form->Storage->GetStoredValue("LastFile").AsString(), "/home/office/summer.mdb");
        delete form;
    }
}

// A form whose own window answers the size-limits query.
class TLimitedForm : public TForm {
public:
    using TForm::TForm;
    void WndProc(TMessage& Message) override
    {
        TForm::WndProc(Message);
        if (Message.Msg == WM_GETMINMAXINFO)
            reinterpret_cast<MINMAXINFO*>(Message.LParam)->ptMinTrackSize.X = 300;
    }
};

TEST(Placement, AFormKeepsToTheSizeLimitsItsWindowAnswers)
{
    vt::EnsureTestApplication();
    TLimitedForm form(nullptr);
    form.Show();
    form.SetBounds(10, 10, 200, 100);
    EXPECT_EQ(form.Width(), 300);
    form.SetBounds(10, 10, 900, 50);
    EXPECT_EQ(form.Width(), 900) << "other limits stay the system's";
    EXPECT_EQ(form.Height(), 50);
}

TEST(Placement, PreventResizeHoldsTheSizeAndTakesTheMaximiseButton)
{
    vt::EnsureTestApplication();
    TForm form(nullptr);
    form.SetBounds(10, 10, 400, 300);
    auto* placement = new TFormPlacement(&form);
    placement->SetActive(false);
    placement->SetPreventResize(true);
    placement->Loaded();
    EXPECT_FALSE(form.BorderIcons().Contains(biMaximize));
    form.Show();
    form.SetBounds(10, 10, 640, 480);
    EXPECT_EQ(form.Width(), 400);
    EXPECT_EQ(form.Height(), 300);
    placement->SetPreventResize(false);
    EXPECT_TRUE(form.BorderIcons().Contains(biMaximize));
    form.SetBounds(10, 10, 640, 480);
    EXPECT_EQ(form.Width(), 640);
}

TEST_P(PlacementStorageTest, DuplicateValueNamesAreRefused)
{
    TPlaceForm* form = NewForm();
    auto* item = static_cast<TStoredValue*>(form->Storage->StoredValues()->Add());
    EXPECT_THROW(item->SetName("LASTFILE"), Exception);
    EXPECT_TRUE(form->Storage->GetStoredValue("Unknown").IsEmpty());
    delete form;
}

TEST_P(PlacementStorageTest, ADamagedStoreLeavesTheFormAsDesignedAndSaysWhy)
{
    if (GetParam() == StorageKind::IniFile)
        std::filesystem::create_directories(FIniPath);  // a folder where the file should be
    else
        std::ofstream(vt::RegistryFile()) << "[HKEY_CURRENT_USER\\Software\n garbage\n";
    String shown;
    Application->OnException = [&](TObject*, Exception* e) { shown = e->Message(); };
    TPlaceForm* form = NewForm();
    form->Show();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->BoundsRect().Width(), 320);
    if (GetParam() == StorageKind::Registry)
        EXPECT_NE(shown.find("damaged"), String::npos) << shown;
    form->Close();
    delete form;
    Application->OnException = nullptr;
}

TEST_P(PlacementStorageTest, ControlsFindTheirFormsPlacementFile)
{
    TPlaceForm* form = NewForm();
    String file, section;
    GetDefaultIniData(form->Edit1, file, section, false);
    EXPECT_EQ(file, StorageName(GetParam()));
    EXPECT_EQ(section, "TPlaceFormEdit1");
    TEdit loose(nullptr);
    loose.SetName("Loose");
    GetDefaultIniData(&loose, file, section, true);
    EXPECT_EQ(file, GetDefaultIniRegKey());
    delete form;
}

INSTANTIATE_TEST_SUITE_P(Storage, PlacementStorageTest,
                         ::testing::Values(StorageKind::IniFile, StorageKind::Registry),
                         vt::testing::StorageKindName);

TEST(Placement, SizeLimitsKeepToTheMinMaxInfo)
{
    vt::EnsureTestApplication();
    TForm form(nullptr);
    form.SetBounds(10, 10, 400, 300);
    auto* placement = new TFormPlacement(&form);
    placement->SetActive(false);
    placement->Loaded();
    form.Show();
    placement->MinMaxInfo()->SetMinTrackWidth(300);
    form.SetWidth(200);
    EXPECT_EQ(form.Width(), 300);
    form.SetBounds(10, 10, 900, 50);
    EXPECT_EQ(form.Width(), 900) << "other limits stay the system's";
    EXPECT_EQ(form.Height(), 50);
    placement->MinMaxInfo()->SetMinTrackWidth(0);
    form.SetWidth(200);
    EXPECT_EQ(form.Width(), 200);
}

// ---- Published properties of the library's and the platform's controls, stored by name ----

namespace {

// One stored property: the component that has it, the user's change, and whether a component
// shows that change.
struct StoredPropCase {
    String ClassName;
    String Prop;
    std::function<TComponent*(TForm*)> Make;
    std::function<void(TComponent*)> Change;
    std::function<bool(TComponent*)> Changed;
};

template <class C>
TComponent* MakeOn(TForm* form)
{
    auto* component = new C(form);
    if (auto* control = dynamic_cast<TControl*>(component))
        control->SetParent(form);
    return component;
}

// A property changed through its own setter and read back through its own reader.
template <class C, class G, class R, class S, class A, class V>
StoredPropCase Prop(const String& className, const String& prop, R (G::*get)() const, void (S::*set)(A), V value)
{
    return {className, prop, MakeOn<C>, [=](TComponent* c) { (dynamic_cast<C*>(c)->*set)(value); },
            [=](TComponent* c) { return (dynamic_cast<C*>(c)->*get)() == value; }};
}

// A reference to the form's storage component.
template <class C>
StoredPropCase StorageRef(const String& className)
{
    auto storage = [](TComponent* c) { return dynamic_cast<TFormPlacement*>(c->Owner()->FindComponent("FormStorage1")); };
    return {className, "IniStorage", MakeOn<C>, [=](TComponent* c) { dynamic_cast<C*>(c)->SetIniStorage(storage(c)); },
            [=](TComponent* c) { return dynamic_cast<C*>(c)->IniStorage() == storage(c); }};
}

TComponent* MakePages(TForm* form)
{
    auto* pages = new TPageControl(form);
    pages->SetParent(form);
    for (const char* name : {"Sheet1", "Sheet2"}) {
        auto* sheet = new TTabSheet(form);
        sheet->SetName(name);
        sheet->SetPageControl(pages);
    }
    return pages;
}

const StoredPropCase kStoredProps[] = {
    Prop<TBevel>("TBevel", "Shape", &TBevel::Shape, &TBevel::SetShape, bsFrame),
    Prop<TImage>("TImage", "Stretch", &TImage::Stretch, &TImage::SetStretch, true),
    Prop<TGroupBox>("TGroupBox", "Caption", &TGroupBox::Caption, &TGroupBox::SetCaption, String("Cabins")),
    Prop<TRadioGroup>("TRadioGroup", "Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns, 2),
    Prop<TListBox>("TListBox", "Columns", &TListBox::Columns, &TListBox::SetColumns, 3),
    Prop<TBitBtn>("TBitBtn", "Layout", &TBitBtn::Layout, &TBitBtn::SetLayout, blGlyphRight),
    Prop<TDrawGrid>("TDrawGrid", "Options", &TDrawGrid::Options, &TDrawGrid::SetOptions,
                    TGridOptions{goFixedVertLine, goRowSelect}),
    Prop<TDrawGrid>("TDrawGrid", "DefaultColWidth", &TDrawGrid::DefaultColWidth, &TDrawGrid::SetDefaultColWidth, 41),
    Prop<TDBGrid>("TDBGrid", "Options", &TDBGrid::Options, &TDBGrid::SetOptions, TDBGridOptions{dgTitles, dgRowSelect}),
    {"TPageControl", "ActivePageIndex", MakePages, [](TComponent* c) { dynamic_cast<TPageControl*>(c)->SetActivePageIndex(1); },
     [](TComponent* c) { return dynamic_cast<TPageControl*>(c)->ActivePageIndex() == 1; }},
    Prop<TDBEdit>("TDBEdit", "DataField", &TDBEdit::DataField, &TDBEdit::SetDataField, String("LastName")),
    Prop<TDBCheckBox>("TDBCheckBox", "ValueChecked", &TDBCheckBox::ValueChecked, &TDBCheckBox::SetValueChecked,
                      String("Yes")),
    Prop<TVtSpeedButton>("TVtSpeedButton", "Layout", &TVtSpeedButton::Layout, &TVtSpeedButton::SetLayout, blGlyphLeft),
    Prop<TComboEdit>("TComboEdit", "GlyphKind", &TComboEdit::GlyphKind, &TComboEdit::SetGlyphKind, gkEllipsis),
    Prop<TComboEdit>("TComboEdit", "ReadOnly", &TComboEdit::ReadOnly, &TComboEdit::SetReadOnly, true),
    Prop<TDateEdit>("TDateEdit", "Weekends", &TDateEdit::Weekends, &TDateEdit::SetWeekends, TDaysOfWeek{Sat, Sun}),
    Prop<TDateEdit>("TDateEdit", "YearDigits", &TDateEdit::YearDigits, &TDateEdit::SetYearDigits, dyFour),
    Prop<TDBDateEdit>("TDBDateEdit", "ReadOnly", &TDBDateEdit::ReadOnly, &TDBDateEdit::SetReadOnly, true),
    Prop<TVtCalendar>("TVtCalendar", "StartOfWeek", &TVtCalendar::StartOfWeek, &TVtCalendar::SetStartOfWeek, Sun),
    Prop<TVtLabel>("TVtLabel", "ShadowPos", &TVtLabel::ShadowPos, &TVtLabel::SetShadowPos, spRightBottom),
    Prop<TVtDBCalcEdit>("TVtDBCalcEdit", "DataField", &TVtDBCalcEdit::DataField, &TVtDBCalcEdit::SetDataField,
                        String("Amount")),
    Prop<TVtDBComboEdit>("TVtDBComboEdit", "DataField", &TVtDBComboEdit::DataField, &TVtDBComboEdit::SetDataField,
                         String("Notes")),
    Prop<TDBStatusLabel>("TDBStatusLabel", "Style", &TDBStatusLabel::Style, &TDBStatusLabel::SetStyle, lsRecordNo),
    Prop<TVtCheckListBox>("TVtCheckListBox", "CheckKind", &TVtCheckListBox::CheckKind, &TVtCheckListBox::SetCheckKind,
                          ckCheckMarks),
    StorageRef<TVtCheckListBox>("TVtCheckListBox"),
    Prop<TVtDBGrid>("TVtDBGrid", "MultiSelect", &TVtDBGrid::MultiSelect, &TVtDBGrid::SetMultiSelect, true),
    Prop<TVtDBGrid>("TVtDBGrid", "TitleButtons", &TVtDBGrid::TitleButtons, &TVtDBGrid::SetTitleButtons, true),
    StorageRef<TVtDBGrid>("TVtDBGrid"),
    Prop<TFilenameEdit>("TFilenameEdit", "Filter", &TFilenameEdit::Filter, &TFilenameEdit::SetFilter,
                        String("Rosters|*.csv")),
    Prop<TFilenameEdit>("TFilenameEdit", "DialogOptions", &TFilenameEdit::DialogOptions,
                        &TFilenameEdit::SetDialogOptions, TOpenOptions{ofFileMustExist}),
    Prop<TFilenameEdit>("TFilenameEdit", "FileEditStyle", &TFilenameEdit::FileEditStyle,
                        &TFilenameEdit::SetFileEditStyle, fsComboBox),
    Prop<TDirectoryEdit>("TDirectoryEdit", "DialogKind", &TDirectoryEdit::DialogKind, &TDirectoryEdit::SetDialogKind,
                         dkWin32),
    Prop<TVtTimer>("TVtTimer", "ThreadPriority", &TVtTimer::ThreadPriority, &TVtTimer::SetThreadPriority, tpLowest),
    Prop<TVtCalculator>("TVtCalculator", "Value", &TVtCalculator::Value, &TVtCalculator::SetValue, 3.25),
    Prop<TVtFileOperator>("TVtFileOperator", "Options", &TVtFileOperator::Options, &TVtFileOperator::SetOptions,
                          TFileOperFlags{flSilent, flFilesOnly}),
};

class StoredPropTest : public vt::testing::StorageTest, public ::testing::WithParamInterface<StoredPropCase> {
protected:
    // A form with a form storage that keeps one property of component C1.
    TComponent* NewForm()
    {
        form = new TForm(nullptr);
        form->SetName("PropsForm");
        auto* storage = new TFormStorage(form);
        storage->SetName("FormStorage1");
        storage->SetIniFileName(FIniPath);
        storage->SetIniSection("Props");
        TComponent* component = GetParam().Make(form);
        component->SetName("C1");
        storage->StoredProps()->Add("C1." + GetParam().Prop);
        storage->Loaded();
        return component;
    }
    TForm* form = nullptr;
};

}  // namespace

TEST_P(StoredPropTest, ThePropertyLeftAtCloseComesBackByName)
{
    TComponent* component = NewForm();
    form->Show();
    ASSERT_FALSE(GetParam().Changed(component)) << "the case must change the design";
    GetParam().Change(component);
    form->Close();
    EXPECT_NE(IniText().find("C1_" + GetParam().Prop + "="), String::npos);
    delete form;

    component = NewForm();
    form->Show();
    EXPECT_TRUE(GetParam().Changed(component));
    delete form;
}

INSTANTIATE_TEST_SUITE_P(Classes, StoredPropTest, ::testing::ValuesIn(kStoredProps),
                         [](const ::testing::TestParamInfo<StoredPropCase>& info) {
                             return info.param.ClassName + "_" + info.param.Prop;
                         });
