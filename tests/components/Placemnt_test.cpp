// Tests of form placement and form storage: a form comes back where the user left it, with its
// chosen properties and named values, from an ini file and from the registry store.
#include "components/Placemnt.h"

#include "StorageFixture.h"
#include "components/Apputils.h"
#include "components/Vtstrutils.h"
#include "rtl/StringList.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
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
