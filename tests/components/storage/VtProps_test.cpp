// Tests of property storage: the stored text of each property kind, stored items, and round
// trips of a form's chosen properties through an ini file and through the registry store.
#include "components/storage/VtProps.h"

#include "StorageFixture.h"
#include "components/storage/Apputils.h"
#include "rtl/Collection.h"
#include "rtl/Locale.h"
#include "rtl/StringList.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"

#include <memory>

using vt::testing::StorageKind;
using vt::testing::StorageKindTest;

enum TTint { tnNone, tnWarm, tnCool };
using TTints = Set<TTint>;

// A library-style component publishing one property of each kind the storage knows.
class TSampleItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v) { FCaption = v; }
    int Size() const { return FSize; }
    void SetSize(int v) { FSize = v; }

private:
    String FCaption;
    int FSize = 0;
};

class TSample : public TComponent {
public:
    explicit TSample(TComponent* AOwner)
        : TComponent(AOwner), FLines(new TStringList),
          FItems(new TOwnedCollection(this, [](TCollection* c) { return new TSampleItem(c); }))
    {
    }
    ~TSample() override
    {
        delete FItems;
        delete FLines;
    }
    int Count() const { return FCount; }
    void SetCount(int v) { FCount = v; }
    std::int64_t Big() const { return FBig; }
    void SetBig(std::int64_t v) { FBig = v; }
    char Letter() const { return FLetter; }
    void SetLetter(char v) { FLetter = v; }
    TTint Tint() const { return FTint; }
    void SetTint(TTint v) { FTint = v; }
    TTints Tints() const { return FTints; }
    void SetTints(TTints v) { FTints = v; }
    double Ratio() const { return FRatio; }
    void SetRatio(double v) { FRatio = v; }
    const String& Note() const { return FNote; }
    void SetNote(const String& v) { FNote = v; }
    Variant Extra() const { return FExtra; }
    void SetExtra(const Variant& v) { FExtra = v; }
    TComponent* Buddy() const { return FBuddy; }
    void SetBuddy(TComponent* v) { FBuddy = v; }
    TStrings* Lines() const { return FLines; }
    void SetLines(TStrings* v) { FLines->Assign(v); }
    TCollection* Items() const { return FItems; }
    void SetItems(TCollection* v) { FItems->Assign(v); }

private:
    int FCount = 0;
    std::int64_t FBig = 0;
    char FLetter = 'a';
    TTint FTint = tnNone;
    TTints FTints;
    double FRatio = 0;
    String FNote;
    Variant FExtra;
    TComponent* FBuddy = nullptr;
    TStrings* FLines;
    TCollection* FItems;
};

namespace {
const vt::EnumRegistration<TTint> kTint{"TTint", {"tnNone", "tnWarm", "tnCool"}};
const vt::ClassRegistration<TSampleItem, TCollectionItem> kSampleItem{
    "TSampleItem",
    {vt::Published("Caption", &TSampleItem::Caption, &TSampleItem::SetCaption),
     vt::Published("Size", &TSampleItem::Size, &TSampleItem::SetSize)}};
const vt::ClassRegistration<TSample, TComponent> kSample{
    "TSample",
    {
        vt::Published("Count", &TSample::Count, &TSample::SetCount),
        vt::Published("Big", &TSample::Big, &TSample::SetBig),
        vt::Published("Letter", &TSample::Letter, &TSample::SetLetter),
        vt::Published("Tint", &TSample::Tint, &TSample::SetTint),
        vt::Published("Tints", &TSample::Tints, &TSample::SetTints),
        vt::Published("Ratio", &TSample::Ratio, &TSample::SetRatio),
        vt::Published("Note", &TSample::Note, &TSample::SetNote),
        vt::Published("Extra", &TSample::Extra, &TSample::SetExtra),
        vt::Published("Buddy", &TSample::Buddy, &TSample::SetBuddy),
        vt::Published("Lines", &TSample::Lines, &TSample::SetLines),
        vt::Published("Items", &TSample::Items, &TSample::SetItems),
    }};

class PropsTest : public StorageKindTest {
protected:
    void SetUp() override
    {
        StorageKindTest::SetUp();
        FStorageObject = OpenStorage(GetParam());
        FForm = new TForm(nullptr);
        FForm->SetName("PropsForm");
        FSample = new TSample(FForm);
        FSample->SetName("Sample1");
        FBuddy = new TComponent(FForm);
        FBuddy->SetName("Buddy1");
        FPanel = new TPanel(FForm);
        FPanel->SetName("Panel1");
        FPanel->SetParent(FForm);
    }
    void TearDown() override
    {
        delete FForm;
        FStorageObject.reset();
        Locale().DecimalSeparator = '.';
        StorageKindTest::TearDown();
    }
    // A property storage over the test's ini file or registry key, section "Main".
    std::unique_ptr<TPropsStorage> Storage()
    {
        auto storage = std::make_unique<TPropsStorage>();
        TObject* ini = FStorageObject.get();
        storage->SetSection("Main");
        storage->OnReadString = [ini](const String& s, const String& k, const String& d) {
            return IniReadString(ini, s, k, d);
        };
        storage->OnWriteString = [ini](const String& s, const String& k, const String& v) {
            IniWriteString(ini, s, k, v);
        };
        storage->OnEraseSection = [ini](const String& s) { IniEraseSection(ini, s); };
        return storage;
    }
    String Stored(const String& section, const String& key)
    {
        return IniReadString(FStorageObject.get(), section, key, "(missing)");
    }
    void Store(const String& key, const String& value) { IniWriteString(FStorageObject.get(), "Main", key, value); }
    static TStringList* Items(std::initializer_list<const char*> items)
    {
        auto* list = new TStringList;
        for (const char* item : items)
            list->Add(item);
        return list;
    }
    void StoreItems(std::initializer_list<const char*> items)
    {
        std::unique_ptr<TStringList> list(Items(items));
        Storage()->StoreObjectsProps(FForm, list.get());
    }
    void LoadItems(std::initializer_list<const char*> items)
    {
        std::unique_ptr<TStringList> list(Items(items));
        Storage()->LoadObjectsProps(FForm, list.get());
    }

    std::unique_ptr<TObject> FStorageObject;
    TForm* FForm = nullptr;
    TSample* FSample = nullptr;
    TComponent* FBuddy = nullptr;
    TPanel* FPanel = nullptr;
};
}  // namespace

TEST(VtProps, StoredItemsNeedAComponentADotAndAProperty)
{
    struct Case {
        const char* item;
        bool parses;
        const char* comp;
        const char* prop;
    };
    const Case cases[] = {{"Edit1.Text", true, "Edit1", "Text"}, {"Edit1.Font.Size", true, "Edit1", "Font.Size"},
                          {"Edit1", false, "", ""},              {".Text", false, "", ""},
                          {"Edit1.", false, "", ""},             {"", false, "", ""}};
    for (const Case& c : cases) {
        String comp, prop;
        EXPECT_EQ(ParseStoredItem(c.item, comp, prop), c.parses) << c.item;
        if (c.parses) {
            EXPECT_EQ(comp, c.comp);
            EXPECT_EQ(prop, c.prop);
        }
    }
    EXPECT_EQ(CreateStoredItem("Panel1", "Width"), "Panel1.Width");
}

TEST_P(PropsTest, EachKindIsStoredAsItsText)
{
    FPanel->SetWidth(120);
    FSample->SetCount(-7);
    FSample->SetBig(1LL << 40);
    FSample->SetLetter('Q');
    FSample->SetTint(tnCool);
    FSample->SetTints({tnWarm, tnCool});
    FSample->SetRatio(1.5);
    FSample->SetNote("'quoted'");
    FSample->SetExtra(Variant(12));
    FSample->SetBuddy(FBuddy);
    Locale().DecimalSeparator = ',';
    StoreItems({"Panel1.Width", "Sample1.Count", "Sample1.Big", "Sample1.Letter", "Sample1.Tint", "Sample1.Tints",
                "Sample1.Ratio", "Sample1.Note", "Sample1.Extra", "Sample1.Buddy", "Panel1.Font"});
    struct Case {
        const char* key;
        const char* text;
    };
    const Case cases[] = {{"Panel1_Width", "120"},       {"Sample1_Count", "-7"},       {"Sample1_Big", "1099511627776"},
                          {"Sample1_Letter", "Q"},       {"Sample1_Tint", "tnCool"},     {"Sample1_Tints", "[tnWarm,tnCool]"},
                          {"Sample1_Ratio", "1.5"},      {"Sample1_Note", "'quoted'"},   {"Sample1_Extra", "12"},
                          {"Sample1_Buddy", "Buddy1"},   {"Panel1_FontStyle", "[]"},     {"Panel1_FontSize", "8"}};
    for (const Case& c : cases)
        EXPECT_EQ(Stored("Main", c.key), c.text) << c.key;
}

TEST_P(PropsTest, EachKindComesBackFromItsText)
{
    Locale().DecimalSeparator = ',';
    Store("Panel1_Width", "210");
    Store("Sample1_Count", "42");
    Store("Sample1_Big", "-1099511627776");
    Store("Sample1_Letter", "Zed");
    Store("Sample1_Tint", "TNWARM");
    Store("Sample1_Tints", "[tnNone, tnCool]");
    Store("Sample1_Ratio", "2.25");
    Store("Sample1_Note", "text");
    Store("Sample1_Extra", "x");
    Store("Sample1_Buddy", "Buddy1");
    Store("Panel1_FontStyle", "[fsBold,fsItalic]");
    LoadItems({"Panel1.Width", "Sample1.Count", "Sample1.Big", "Sample1.Letter", "Sample1.Tint", "Sample1.Tints",
               "Sample1.Ratio", "Sample1.Note", "Sample1.Extra", "Sample1.Buddy", "Panel1.Font"});
    EXPECT_EQ(FPanel->Width(), 210);
    EXPECT_EQ(FSample->Count(), 42);
    EXPECT_EQ(FSample->Big(), -(1LL << 40));
    EXPECT_EQ(FSample->Letter(), 'Z');
    EXPECT_EQ(FSample->Tint(), tnWarm);
    EXPECT_EQ(FSample->Tints(), (TTints{tnNone, tnCool}));
    EXPECT_EQ(FSample->Ratio(), 2.25);
    EXPECT_EQ(FSample->Note(), "text");
    EXPECT_EQ(FSample->Extra().AsString(), "x");
    EXPECT_EQ(FSample->Buddy(), FBuddy);
    EXPECT_EQ(FPanel->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
}

TEST_P(PropsTest, TextsThatDoNotConvertLeaveThePropertyAsItWas)
{
    FPanel->SetWidth(120);
    FSample->SetCount(5);
    FSample->SetTint(tnCool);
    FSample->SetTints({tnWarm});
    FSample->SetRatio(0.5);
    FSample->SetLetter('k');
    FSample->SetBuddy(FBuddy);
    Store("Panel1_Width", "wide");
    Store("Sample1_Count", "12abc");
    Store("Sample1_Tint", "tnPurple");
    Store("Sample1_Tints", "[tnWarm,tnPurple]");
    Store("Sample1_Ratio", "half");
    Store("Sample1_Letter", "");
    Store("Sample1_Buddy", "Nobody");
    LoadItems({"Panel1.Width", "Sample1.Count", "Sample1.Tint", "Sample1.Tints", "Sample1.Ratio", "Sample1.Letter",
               "Sample1.Buddy", "Sample1.Missing", "Nobody.Width", "Panel1"});
    EXPECT_EQ(FPanel->Width(), 120);
    EXPECT_EQ(FSample->Count(), 5);
    EXPECT_EQ(FSample->Tint(), tnCool);
    EXPECT_EQ(FSample->Tints(), TTints{tnWarm});
    EXPECT_EQ(FSample->Ratio(), 0.5);
    EXPECT_EQ(FSample->Letter(), 'k');
    EXPECT_EQ(FSample->Buddy(), FBuddy);
}

TEST_P(PropsTest, ComponentReferencesNameNullSiblingsAndOtherOwners)
{
    TForm other(nullptr);
    other.SetName("OtherForm");
    auto* far = new TComponent(&other);
    far->SetName("Far1");
    StoreItems({"Sample1.Buddy"});
    EXPECT_EQ(Stored("Main", "Sample1_Buddy"), "(null)");
    FSample->SetBuddy(far);
    StoreItems({"Sample1.Buddy"});
    EXPECT_EQ(Stored("Main", "Sample1_Buddy"), "OtherForm.Far1");
    FSample->SetBuddy(nullptr);
    LoadItems({"Sample1.Buddy"});
    EXPECT_EQ(FSample->Buddy(), far) << "the owner is found among the program's forms";
    Store("Sample1_Buddy", "(null)");
    LoadItems({"Sample1.Buddy"});
    EXPECT_EQ(FSample->Buddy(), nullptr);
}

TEST_P(PropsTest, ListsAndCollectionsKeepSectionsOfTheirOwn)
{
    FSample->Lines()->Add("first");
    FSample->Lines()->Add("'second'");
    auto* item = static_cast<TSampleItem*>(FSample->Items()->Add());
    item->SetCaption("Alpha");
    item->SetSize(3);
    static_cast<TSampleItem*>(FSample->Items()->Add())->SetCaption("Beta");
    IniWriteString(FStorageObject.get(), "Main.Sample1_Lines", "Item5", "stale");
    StoreItems({"Sample1.Lines", "Sample1.Items"});
    EXPECT_EQ(Stored("Main.Sample1_Lines", "Count"), "2");
    EXPECT_EQ(Stored("Main.Sample1_Lines", "Item1"), "'second'");
    EXPECT_EQ(Stored("Main.Sample1_Lines", "Item5"), "(missing)") << "the section is erased first";
    EXPECT_EQ(Stored("Main.Sample1_Items", "Count"), "2");
    EXPECT_EQ(Stored("Main.Sample1_Items.Item0", "Caption"), "Alpha");
    EXPECT_EQ(Stored("Main.Sample1_Items.Item0", "Size"), "3");

    FSample->Lines()->Clear();
    FSample->Items()->Clear();
    FSample->Items()->Add();
    FSample->Items()->Add();
    FSample->Items()->Add();
    LoadItems({"Sample1.Lines", "Sample1.Items"});
    EXPECT_EQ(FSample->Lines()->Text(), "first\n'second'\n");
    ASSERT_EQ(FSample->Items()->Count(), 2);
    EXPECT_EQ(static_cast<TSampleItem*>(FSample->Items()->Items(0))->Size(), 3);
    EXPECT_EQ(static_cast<TSampleItem*>(FSample->Items()->Items(1))->Caption(), "Beta");
}

TEST(VtProps, StoredListsDropWhatNoLongerExistsAndFollowRenames)
{
    vt::EnsureTestApplication();
    TForm form(nullptr);
    form.SetName("ListForm");
    auto* edit = new TEdit(&form);
    edit->SetName("Edit1");
    TStringList list;
    for (const char* item : {"Edit1.Text", "Edit1.Nothing", "Gone1.Text", "Edit1", "ListForm.Caption"})
        list.Add(item);
    UpdateStoredList(&form, &list, false);
    EXPECT_EQ(list.CommaText(), "Edit1.Text,ListForm.Caption");
    edit->SetName("NameEdit");
    UpdateStoredList(&form, &list, true);
    EXPECT_EQ(list.CommaText(), "NameEdit.Text,ListForm.Caption");
}

INSTANTIATE_TEST_SUITE_P(Storage, PropsTest, ::testing::Values(StorageKind::IniFile, StorageKind::Registry),
                         vt::testing::StorageKindName);
