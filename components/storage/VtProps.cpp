// Property storage: each published property kind has its stored text (numbers, names, sets in
// brackets, component references by name); string lists, collections and other persistent
// objects are stored as sections or prefixes of their own.
#include "components/storage/VtProps.h"

#include "components/common/vtGuiutils.h"
#include "components/storage/Apputils.h"
#include "rtl/Collection.h"
#include "rtl/FloatFormat.h"
#include "rtl/Format.h"
#include "rtl/Locale.h"
#include "rtl/StringList.h"
#include "ui/forms/Forms.h"

#include <algorithm>
#include <memory>

String sPropNameDelimiter = "_";

String CreateStoredItem(const String& CompName, const String& PropName)
{
    return CompName.empty() || PropName.empty() ? String() : CompName + "." + PropName;
}

bool ParseStoredItem(const String& Item, String& CompName, String& PropName)
{
    const std::size_t dot = Item.find('.');
    if (dot == String::npos || dot == 0 || dot + 1 == Item.size())
        return false;
    CompName = Item.substr(0, dot);
    PropName = Item.substr(dot + 1);
    return true;
}

// ---- TPropInfoList ----

TPropInfoList::TPropInfoList(TObject* AObject, TTypeKinds Filter)
{
    if (AObject)
        FList = GetPropList(vt::ClassOfObject(AObject), Filter);
}

bool TPropInfoList::Contains(const TPropInfo* PropInfo) const
{
    return std::find(FList.begin(), FList.end(), PropInfo) != FList.end();
}

const TPropInfo* TPropInfoList::Find(const String& AName) const
{
    auto it = std::find_if(FList.begin(), FList.end(), [&](const TPropInfo* p) { return SameText(p->Name, AName); });
    return it == FList.end() ? nullptr : *it;
}

void TPropInfoList::Delete(int Index) { FList.erase(FList.begin() + Index); }

void TPropInfoList::Intersect(TPropInfoList* List)
{
    FList.erase(std::remove_if(FList.begin(), FList.end(), [&](const TPropInfo* p) { return !List->Contains(p); }),
                FList.end());
}

// ---- The operations handed in ----

String TPropsStorage::ReadString(const String& ASection, const String& Item, const String& Default)
{
    return OnReadString ? OnReadString(ASection, Item, Default) : Default;
}

void TPropsStorage::WriteString(const String& ASection, const String& Item, const String& Value)
{
    if (OnWriteString)
        OnWriteString(ASection, Item, Value);
}

void TPropsStorage::EraseSection(const String& ASection)
{
    if (OnEraseSection)
        OnEraseSection(ASection);
}

String TPropsStorage::GetItemName(const String& APropName) const { return FPrefix + APropName; }

TPropsStorage* TPropsStorage::CreateStorage()
{
    auto* storage = new TPropsStorage;
    storage->OnReadString = OnReadString;
    storage->OnWriteString = OnWriteString;
    storage->OnEraseSection = OnEraseSection;
    return storage;
}

void TPropsStorage::NestedProperties(TObject* Object, const String& Section, const String& Prefix, bool Store)
{
    std::unique_ptr<TPropsStorage> storage(CreateStorage());
    storage->SetAObject(Object);
    storage->SetSection(Section);
    storage->SetPrefix(Prefix);
    TPropInfoList props(Object, tkProperties());
    for (int p = 0; p < props.Count(); ++p)
        Store ? storage->StoreAnyProperty(props.Items(p)) : storage->LoadAnyProperty(props.Items(p));
}

// ---- Lists of properties ----

void TPropsStorage::StoreProperties(TStrings* PropList)
{
    TPropInfoList props(FObject, tkProperties());
    for (int i = 0; i < PropList->Count(); ++i)
        if (const TPropInfo* info = props.Find(PropList->Strings(i)))
            StoreAnyProperty(info);
}

void TPropsStorage::LoadProperties(TStrings* PropList)
{
    TPropInfoList props(FObject, tkProperties());
    for (int i = 0; i < PropList->Count(); ++i)
        if (const TPropInfo* info = props.Find(PropList->Strings(i)))
            LoadAnyProperty(info);
}

template <class Use>
void TPropsStorage::ForEachStoredItem(TComponent* AObject, TStrings* List, Use use)
{
    // One property list per component, built on first need.
    std::map<TComponent*, std::unique_ptr<TPropInfoList>> infoLists;
    TObject* savedObject = FObject;
    const String savedPrefix = FPrefix;
    vt::FirstFailure failure;
    for (int i = 0; i < List->Count(); ++i) {
        String compName, propName;
        if (!ParseStoredItem(List->Strings(i), compName, propName))
            continue;
        TComponent* comp = SameText(compName, AObject->Name()) ? AObject : AObject->FindComponent(compName);
        if (!comp)
            continue;
        auto& props = infoLists[comp];
        if (!props)
            props = std::make_unique<TPropInfoList>(comp, tkProperties());
        const TPropInfo* info = props->Find(propName);
        if (!info)
            continue;
        FObject = comp;
        FPrefix = comp->Name() + sPropNameDelimiter;
        failure.Try([&] { use(info); });
    }
    FObject = savedObject;
    FPrefix = savedPrefix;
    failure.RaiseIfAny();
}

void TPropsStorage::StoreObjectsProps(TComponent* AObject, TStrings* List)
{
    ForEachStoredItem(AObject, List, [this](const TPropInfo* info) { StoreAnyProperty(info); });
}

void TPropsStorage::LoadObjectsProps(TComponent* AObject, TStrings* List)
{
    ForEachStoredItem(AObject, List, [this](const TPropInfo* info) { LoadAnyProperty(info); });
}

// ---- One property ----

namespace {
enum class ClassKind { Strings, Collection, Component, Persistent, Other };

ClassKind KindOfClass(const TPropInfo* PropInfo)
{
    TClass type = PropInfo->PropType->ClassType;
    if (!type)
        return ClassKind::Other;
    if (type->InheritsFrom(vt::ClassOf<TStrings>()))
        return ClassKind::Strings;
    if (type->InheritsFrom(vt::ClassOf<TCollection>()))
        return ClassKind::Collection;
    if (type->InheritsFrom(vt::ClassOf<TComponent>()))
        return ClassKind::Component;
    if (type->InheritsFrom(vt::ClassOf<TPersistent>()))
        return ClassKind::Persistent;
    return ClassKind::Other;
}

String SubSection(const String& Section, const String& Name) { return Format("%s.%s", {Section, Name}); }

}  // namespace

void TPropsStorage::StoreAnyProperty(const TPropInfo* PropInfo)
{
    if (!PropInfo || !PropInfo->Read)
        return;
    if (PropInfo->PropType->Kind != tkClass) {
        WriteString(FSection, GetItemName(PropInfo->Name), StoreText(PropInfo));
        return;
    }
    switch (KindOfClass(PropInfo)) {
    case ClassKind::Strings: StoreStringsProperty(PropInfo); break;
    case ClassKind::Collection: StoreCollectionProperty(PropInfo); break;
    case ClassKind::Component:
        WriteString(FSection, GetItemName(PropInfo->Name), StoreComponentProperty(PropInfo));
        break;
    case ClassKind::Persistent: StoreOtherProperties(PropInfo); break;
    case ClassKind::Other: break;
    }
}

void TPropsStorage::LoadAnyProperty(const TPropInfo* PropInfo)
{
    if (!PropInfo || !PropInfo->Read)
        return;
    if (PropInfo->PropType->Kind != tkClass) {
        if (!PropInfo->Write)
            return;
        const String current = StoreText(PropInfo);
        const String text = ReadString(FSection, GetItemName(PropInfo->Name), current);
        if (text != current)
            LoadText(PropInfo, text);
        return;
    }
    switch (KindOfClass(PropInfo)) {
    case ClassKind::Strings: LoadStringsProperty(PropInfo); break;
    case ClassKind::Collection: LoadCollectionProperty(PropInfo); break;
    case ClassKind::Component:
        if (PropInfo->Write)
            LoadComponentProperty(PropInfo, ReadString(FSection, GetItemName(PropInfo->Name),
                                                       StoreComponentProperty(PropInfo)));
        break;
    case ClassKind::Persistent: LoadOtherProperties(PropInfo); break;
    case ClassKind::Other: break;
    }
}

String TPropsStorage::StoreText(const TPropInfo* PropInfo)
{
    switch (PropInfo->PropType->Kind) {
    case tkInteger:
    case tkInt64: return IntToStr(GetOrdProp(FObject, PropInfo));
    case tkChar:
    case tkWChar: return String(1, static_cast<char>(GetOrdProp(FObject, PropInfo)));
    case tkEnumeration:
        return GetEnumName(PropInfo->PropType, static_cast<int>(GetOrdProp(FObject, PropInfo)));
    case tkFloat:
        return StringReplace(FloatToStr(GetFloatProp(FObject, PropInfo)), Locale().DecimalSeparator, ".", {rfReplaceAll});
    case tkString:
    case tkLString:
    case tkWString: return GetStrProp(FObject, PropInfo);
    case tkVariant: return GetVariantProp(FObject, PropInfo).AsString();
    case tkSet: return StoreSetProperty(PropInfo);
    default: return String();
    }
}

void TPropsStorage::LoadText(const TPropInfo* PropInfo, const String& Text)
{
    switch (PropInfo->PropType->Kind) {
    case tkInteger:
    case tkInt64: {
        std::int64_t value = 0;
        if (TryStrToInt64(Text, value))
            SetOrdProp(FObject, PropInfo, value);
        break;
    }
    case tkChar:
    case tkWChar:
        if (!Text.empty())
            SetOrdProp(FObject, PropInfo, static_cast<unsigned char>(Text[0]));
        break;
    case tkEnumeration: {
        const int value = GetEnumValue(PropInfo->PropType, Text);
        if (value >= 0)
            SetOrdProp(FObject, PropInfo, value);
        break;
    }
    case tkFloat: {
        long double value = 0;
        if (TryStrToFloat(StringReplace(Text, ".", Locale().DecimalSeparator, {rfReplaceAll}), value))
            SetFloatProp(FObject, PropInfo, value);
        break;
    }
    case tkString:
    case tkLString:
    case tkWString: SetStrProp(FObject, PropInfo, Text); break;
    case tkVariant: SetVariantProp(FObject, PropInfo, Variant(Text)); break;
    case tkSet: LoadSetProperty(PropInfo, Text); break;
    default: break;
    }
}

// ---- Sets: "[a,b]" ----

String TPropsStorage::StoreSetProperty(const TPropInfo* PropInfo)
{
    const std::int64_t mask = GetOrdProp(FObject, PropInfo);
    const TTypeInfo* members = PropInfo->PropType->CompType;
    String text;
    for (int i = 0; i < 64; ++i)
        if (mask & (std::int64_t(1) << i))
            text += (text.empty() ? "" : ",") + GetEnumName(members, i);
    return "[" + text + "]";
}

void TPropsStorage::LoadSetProperty(const TPropInfo* PropInfo, const String& Text)
{
    const String trimmed = Trim(Text);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']')
        return;
    TStringList words;
    words.SetCommaText(trimmed.substr(1, trimmed.size() - 2));
    std::int64_t mask = 0;
    for (int i = 0; i < words.Count(); ++i) {
        const int member = GetEnumValue(PropInfo->PropType->CompType, Trim(words.Strings(i)));
        if (member < 0 || member >= 64)
            return;  // a name the set does not have: the text is not this set's
        mask |= std::int64_t(1) << member;
    }
    SetOrdProp(FObject, PropInfo, mask);
}

// ---- Component references ----

namespace {
const char* const kNull = "(null)";

// The forms and data modules of the program, by name.
TComponent* FindGlobalComponent(const String& Name)
{
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (SameText(Screen->Forms(i)->Name(), Name))
            return Screen->Forms(i);
    for (int i = 0; Application && i < Application->ComponentCount(); ++i)
        if (SameText(Application->Components(i)->Name(), Name))
            return Application->Components(i);
    return nullptr;
}

TComponent* OwnerOf(TObject* Object)
{
    auto* component = dynamic_cast<TComponent*>(Object);
    return component ? component->Owner() : nullptr;
}
}  // namespace

String TPropsStorage::StoreComponentProperty(const TPropInfo* PropInfo)
{
    auto* comp = dynamic_cast<TComponent*>(GetObjectProp(FObject, PropInfo));
    if (!comp)
        return kNull;
    TComponent* owner = comp->Owner();
    if (owner == OwnerOf(FObject) || !owner)
        return comp->Name();
    const String ownerName = !owner->Name().empty() ? owner->Name() : DropT(owner->ClassName());
    return Format("%s.%s", {ownerName, comp->Name()});
}

void TPropsStorage::LoadComponentProperty(const TPropInfo* PropInfo, const String& Text)
{
    if (Text == kNull) {
        SetObjectProp(FObject, PropInfo, nullptr);
        return;
    }
    TComponent* found = nullptr;
    const std::size_t dot = Text.find('.');
    if (dot == String::npos) {
        TComponent* owner = OwnerOf(FObject);
        found = owner ? owner->FindComponent(Text) : nullptr;
    } else if (TComponent* owner = FindGlobalComponent(Text.substr(0, dot))) {
        found = owner->FindComponent(Text.substr(dot + 1));
    }
    // A name that finds nothing, or a component the property cannot take, leaves it as it is.
    TClass wanted = PropInfo->PropType->ClassType;
    if (found && wanted->IsInstance(found))
        SetObjectProp(FObject, PropInfo, found);
}

// ---- String lists: a section of their own ----

void TPropsStorage::StoreStringsProperty(const TPropInfo* PropInfo)
{
    auto* lines = dynamic_cast<TStrings*>(GetObjectProp(FObject, PropInfo));
    if (!lines)
        return;
    const String section = SubSection(FSection, GetItemName(PropInfo->Name));
    EraseSection(section);
    WriteString(section, "Count", IntToStr(lines->Count()));
    for (int i = 0; i < lines->Count(); ++i)
        WriteString(section, Format("Item%d", {i}), lines->Strings(i));
}

void TPropsStorage::LoadStringsProperty(const TPropInfo* PropInfo)
{
    auto* lines = dynamic_cast<TStrings*>(GetObjectProp(FObject, PropInfo));
    if (!lines)
        return;
    const String section = SubSection(FSection, GetItemName(PropInfo->Name));
    int count = 0;
    if (!TryStrToInt(ReadString(section, "Count", "-1"), count) || count < 0)
        return;  // nothing stored, or not a count: the list stays as it is
    TStringList loaded;
    for (int i = 0; i < count; ++i)
        loaded.Add(ReadString(section, Format("Item%d", {i}), String()));
    lines->Assign(&loaded);
}

// ---- Collections: a count, and a section per item ----

void TPropsStorage::StoreCollectionProperty(const TPropInfo* PropInfo)
{
    auto* collection = dynamic_cast<TCollection*>(GetObjectProp(FObject, PropInfo));
    if (!collection)
        return;
    const String section = SubSection(FSection, GetItemName(PropInfo->Name));
    WriteString(section, "Count", IntToStr(collection->Count()));
    for (int i = 0; i < collection->Count(); ++i)
        NestedProperties(collection->Items(i), SubSection(section, Format("Item%d", {i})), String(), true);
}

void TPropsStorage::LoadCollectionProperty(const TPropInfo* PropInfo)
{
    auto* collection = dynamic_cast<TCollection*>(GetObjectProp(FObject, PropInfo));
    if (!collection)
        return;
    const String section = SubSection(FSection, GetItemName(PropInfo->Name));
    int count = 0;
    if (!TryStrToInt(ReadString(section, "Count", "-1"), count) || count < 0)
        return;
    while (collection->Count() > count)
        collection->Delete(collection->Count() - 1);
    while (collection->Count() < count)
        collection->Add();
    for (int i = 0; i < count; ++i)
        NestedProperties(collection->Items(i), SubSection(section, Format("Item%d", {i})), String(), false);
}

// ---- Other persistent objects: their properties under a longer prefix ----

void TPropsStorage::StoreOtherProperties(const TPropInfo* PropInfo)
{
    if (TObject* object = GetObjectProp(FObject, PropInfo))
        NestedProperties(object, FSection, GetItemName(PropInfo->Name), true);
}

void TPropsStorage::LoadOtherProperties(const TPropInfo* PropInfo)
{
    if (TObject* object = GetObjectProp(FObject, PropInfo))
        NestedProperties(object, FSection, GetItemName(PropInfo->Name), false);
}

// ---- Keeping the stored items in step ----

void UpdateStoredList(TComponent* AComponent, TStrings* AStoredList, bool FromForm)
{
    for (int i = AStoredList->Count() - 1; i >= 0; --i) {
        String compName, propName;
        if (!ParseStoredItem(AStoredList->Strings(i), compName, propName)) {
            AStoredList->Delete(i);
            continue;
        }
        auto* comp = dynamic_cast<TComponent*>(AStoredList->Objects(i));
        if (!FromForm || !comp)
            comp = SameText(compName, AComponent->Name()) ? AComponent : AComponent->FindComponent(compName);
        if (!comp || !GetPropInfo(comp, propName)) {
            AStoredList->Delete(i);
            continue;
        }
        AStoredList->SetStrings(i, CreateStoredItem(comp->Name(), propName));
        AStoredList->SetObjects(i, comp);
    }
}
