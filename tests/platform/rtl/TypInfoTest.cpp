// The published-property registry: lookups walking to the ancestors, the kinds of C++ types,
// the accessors by kind with read and write access, enumeration names and class lookups.
#include "rtl/TypInfo.h"

#include <gtest/gtest.h>

#include "rtl/StringList.h"

enum TShade { shLight, shMedium, shDark };
using TShades = Set<TShade>;

// A small class family registered as a library class would register itself.
class TSwatch : public TComponent {
public:
    using TComponent::TComponent;
    int Size() const { return FSize; }
    void SetSize(int v) { FSize = v; }
    TShade Shade() const { return FShade; }
    void SetShade(TShade v) { FShade = v; }
    TShades Shades() const { return FShades; }
    void SetShades(TShades v) { FShades = v; }
    double Weight() const { return FWeight; }
    void SetWeight(double v) { FWeight = v; }
    const String& Label() const { return FLabel; }
    void SetLabel(const String& v) { FLabel = v; }
    char Mark() const { return FMark; }
    void SetMark(char v) { FMark = v; }
    bool Shiny() const { return FShiny; }
    void SetShiny(bool v) { FShiny = v; }
    Variant Extra() const { return FExtra; }
    void SetExtra(const Variant& v) { FExtra = v; }
    std::int64_t Serial() const { return FSerial; }
    void SetSerial(std::int64_t v) { FSerial = v; }
    TComponent* Partner() const { return FPartner; }
    void SetPartner(TComponent* v) { FPartner = v; }
    int Area() const { return FSize * FSize; }

private:
    int FSize = 0;
    TShade FShade = shLight;
    TShades FShades;
    double FWeight = 0;
    String FLabel;
    char FMark = ' ';
    bool FShiny = false;
    Variant FExtra;
    std::int64_t FSerial = 0;
    TComponent* FPartner = nullptr;
};

class TBigSwatch : public TSwatch {
public:
    using TSwatch::TSwatch;
    int Border() const { return FBorder; }
    void SetBorder(int v) { FBorder = v; }

private:
    int FBorder = 0;
};

// Registered nowhere: takes its nearest registered ancestor's properties.
class TPlainSwatch : public TBigSwatch {
public:
    using TBigSwatch::TBigSwatch;
};

namespace {
const vt::EnumRegistration<TShade> kShade{"TShade", {"shLight", "shMedium", "shDark"}};
const vt::ClassRegistration<TSwatch, TComponent> kSwatch{
    "TSwatch",
    {
        vt::Published("Size", &TSwatch::Size, &TSwatch::SetSize),
        vt::Published("Shade", &TSwatch::Shade, &TSwatch::SetShade),
        vt::Published("Shades", &TSwatch::Shades, &TSwatch::SetShades),
        vt::Published("Weight", &TSwatch::Weight, &TSwatch::SetWeight),
        vt::Published("Label", &TSwatch::Label, &TSwatch::SetLabel),
        vt::Published("Mark", &TSwatch::Mark, &TSwatch::SetMark),
        vt::Published("Shiny", &TSwatch::Shiny, &TSwatch::SetShiny),
        vt::Published("Extra", &TSwatch::Extra, &TSwatch::SetExtra),
        vt::Published("Serial", &TSwatch::Serial, &TSwatch::SetSerial),
        vt::Published("Partner", &TSwatch::Partner, &TSwatch::SetPartner),
        vt::Published("Area", &TSwatch::Area),
    }};
const vt::ClassRegistration<TBigSwatch, TSwatch> kBigSwatch{
    "TBigSwatch", {vt::Published("Border", &TBigSwatch::Border, &TBigSwatch::SetBorder)}};
}  // namespace

TEST(TypInfo, EachCppTypeHasItsKindAndNames)
{
    struct Case {
        const char* prop;
        TTypeKind kind;
    };
    const Case cases[] = {{"Size", tkInteger},  {"Shade", tkEnumeration}, {"Shades", tkSet},
                          {"Weight", tkFloat},  {"Label", tkLString},     {"Mark", tkChar},
                          {"Shiny", tkEnumeration}, {"Extra", tkVariant}, {"Serial", tkInt64},
                          {"Partner", tkClass}, {"Name", tkLString},      {"Border", tkInteger}};
    TClass big = vt::ClassOf<TBigSwatch>();
    for (const Case& c : cases) {
        const TPropInfo* info = GetPropInfo(big, c.prop);
        ASSERT_NE(info, nullptr) << c.prop;
        EXPECT_EQ(info->PropType->Kind, c.kind) << c.prop;
    }
    const TPropInfo* shade = GetPropInfo(big, "shade");
    EXPECT_EQ(shade->Name, "Shade") << "names match without regard to case";
    EXPECT_EQ(shade->PropType->Name, "TShade");
    EXPECT_EQ(GetEnumName(shade->PropType, 2), "shDark");
    EXPECT_EQ(GetEnumName(shade->PropType, 3), "");
    EXPECT_EQ(GetEnumValue(shade->PropType, "SHMEDIUM"), 1);
    EXPECT_EQ(GetEnumValue(shade->PropType, "shNone"), -1);
    EXPECT_EQ(GetPropInfo(big, "Shades")->PropType->CompType, shade->PropType);
    EXPECT_EQ(GetPropInfo(big, "Shiny")->PropType->EnumNames, (std::vector<String>{"False", "True"}));
    EXPECT_EQ(GetPropInfo(big, "Partner")->PropType->ClassType, vt::ClassOf<TComponent>());
    EXPECT_EQ(GetPropInfo(big, "Missing"), nullptr);
}

TEST(TypInfo, PropertyListsRunFromTheRootAndFilterByKind)
{
    std::vector<String> names;
    for (const TPropInfo* p : GetPropList(vt::ClassOf<TBigSwatch>(), TTypeKinds{tkInteger, tkLString}))
        names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<String>{"Name", "Size", "Label", "Area", "Border"}));
    EXPECT_EQ(GetPropList(vt::ClassOf<TSwatch>()).size(), 13u);
}

TEST(TypInfo, AnObjectFindsItsNearestRegisteredClass)
{
    TPlainSwatch plain(nullptr);
    TSwatch swatch(nullptr);
    EXPECT_EQ(vt::ClassOfObject(&plain), vt::ClassOf<TBigSwatch>());
    EXPECT_EQ(vt::ClassOfObject(&swatch), vt::ClassOf<TSwatch>());
    EXPECT_TRUE(IsPublishedProp(&plain, "Border"));
    EXPECT_FALSE(IsPublishedProp(&swatch, "Border"));
    EXPECT_TRUE(vt::ClassOf<TBigSwatch>()->InheritsFrom(vt::ClassOf<TComponent>()));
    EXPECT_FALSE(vt::ClassOf<TSwatch>()->InheritsFrom(vt::ClassOf<TBigSwatch>()));
    EXPECT_EQ(GetClass("tbigswatch"), vt::ClassOf<TBigSwatch>());
    EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
    EXPECT_THROW(FindClass("TNoSuchClass"), EClassNotFound);
}

TEST(TypInfo, AccessorsReadAndWriteThroughTheClassesOwnMethods)
{
    TComponent partner(nullptr);
    TPlainSwatch s(nullptr);
    SetOrdProp(&s, GetPropInfo(&s, "Size"), 7);
    SetOrdProp(&s, GetPropInfo(&s, "Shade"), shDark);
    SetOrdProp(&s, GetPropInfo(&s, "Shades"), (1 << shLight) | (1 << shDark));
    SetOrdProp(&s, GetPropInfo(&s, "Shiny"), 1);
    SetOrdProp(&s, GetPropInfo(&s, "Mark"), 'x');
    SetFloatProp(&s, GetPropInfo(&s, "Weight"), 1.5L);
    SetStrProp(&s, GetPropInfo(&s, "Label"), "red");
    SetVariantProp(&s, GetPropInfo(&s, "Extra"), Variant(42));
    SetInt64Prop(&s, GetPropInfo(&s, "Serial"), 1LL << 40);
    SetObjectProp(&s, GetPropInfo(&s, "Partner"), &partner);
    SetOrdProp(&s, GetPropInfo(&s, "Border"), 3);
    EXPECT_EQ(s.Size(), 7);
    EXPECT_EQ(s.Shade(), shDark);
    EXPECT_EQ(s.Shades(), (TShades{shLight, shDark}));
    EXPECT_TRUE(s.Shiny());
    EXPECT_EQ(s.Mark(), 'x');
    EXPECT_EQ(s.Weight(), 1.5);
    EXPECT_EQ(s.Label(), "red");
    EXPECT_EQ(s.Extra().AsInteger(), 42);
    EXPECT_EQ(s.Serial(), 1LL << 40);
    EXPECT_EQ(s.Partner(), &partner);
    EXPECT_EQ(s.Border(), 3);
    EXPECT_EQ(GetOrdProp(&s, GetPropInfo(&s, "Shades")), 5);
    EXPECT_EQ(GetOrdProp(&s, GetPropInfo(&s, "Area")), 49);
    EXPECT_EQ(GetStrProp(&s, GetPropInfo(&s, "Label")), "red");
    EXPECT_EQ(GetObjectProp(&s, GetPropInfo(&s, "Partner")), &partner);
}

TEST(TypInfo, MissingAccessAndOtherKindsAreRefused)
{
    TSwatch s(nullptr);
    TStringList notAComponent;
    EXPECT_THROW(SetOrdProp(&s, GetPropInfo(&s, "Area"), 1), EPropertyError) << "read-only";
    EXPECT_THROW(GetStrProp(&s, GetPropInfo(&s, "Size")), EPropertyError) << "another kind";
    EXPECT_THROW(SetOrdProp(&s, nullptr, 1), EPropertyError);
    EXPECT_THROW(SetObjectProp(&s, GetPropInfo(&s, "Partner"), &notAComponent), EPropertyConvertError);
    EXPECT_THROW(GetOrdProp(&notAComponent, GetPropInfo(&s, "Size")), EPropertyError) << "not an owner";
}
