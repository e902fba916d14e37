// Published properties of components as text values and back, by type kind, so that a form's
// chosen properties can be kept in an ini file or the registry store.
#pragma once

#include "rtl/Classes.h"
#include "rtl/TypInfo.h"

#include <functional>
#include <map>
#include <vector>

class TStrings;

// The key of a property in the storage: component name, this delimiter, property name.
extern String sPropNameDelimiter;

// "Component.Property"; parsing fails without a "." or with either part empty.
String CreateStoredItem(const String& CompName, const String& PropName);
bool ParseStoredItem(const String& Item, String& CompName, String& PropName);

// The published properties of an object whose kinds are in the filter.
class TPropInfoList : public TObject {
public:
    TPropInfoList(TObject* AObject, TTypeKinds Filter);
    int Count() const { return static_cast<int>(FList.size()); }
    const TPropInfo* Items(int Index) const { return FList.at(Index); }
    bool Contains(const TPropInfo* PropInfo) const;
    const TPropInfo* Find(const String& AName) const;
    void Delete(int Index);
    // Keeps only the properties that the other list has too.
    void Intersect(TPropInfoList* List);

private:
    std::vector<const TPropInfo*> FList;
};

using TReadStrEvent = std::function<String(const String& ASection, const String& Item, const String& Default)>;
using TWriteStrEvent = std::function<void(const String& ASection, const String& Item, const String& Value)>;
using TEraseSectEvent = std::function<void(const String& ASection)>;

class TPropsStorage : public TObject {
public:
    TObject* AObject() const { return FObject; }
    void SetAObject(TObject* Value) { FObject = Value; }
    const String& Prefix() const { return FPrefix; }
    void SetPrefix(const String& Value) { FPrefix = Value; }
    const String& Section() const { return FSection; }
    void SetSection(const String& Value) { FSection = Value; }

    TReadStrEvent OnReadString;
    TWriteStrEvent OnWriteString;
    TEraseSectEvent OnEraseSection;

    // Each name of the list is a property of the object; unknown names are skipped.
    void StoreProperties(TStrings* PropList);
    void LoadProperties(TStrings* PropList);
    // Each stored item ("Component.Property") of the list whose component is AObject itself or
    // one it owns; unparsable items and unknown components or properties are skipped.
    void StoreObjectsProps(TComponent* AObject, TStrings* List);
    void LoadObjectsProps(TComponent* AObject, TStrings* List);
    void StoreAnyProperty(const TPropInfo* PropInfo);
    // A stored text that does not convert leaves the property as it is.
    void LoadAnyProperty(const TPropInfo* PropInfo);

protected:
    virtual String ReadString(const String& ASection, const String& Item, const String& Default);
    virtual void WriteString(const String& ASection, const String& Item, const String& Value);
    virtual void EraseSection(const String& ASection);
    virtual String GetItemName(const String& APropName) const;
    // A storage of the same kind, sharing the operations, for properties stored in sections or
    // under prefixes of their own.
    virtual TPropsStorage* CreateStorage();

private:
    String StoreText(const TPropInfo* PropInfo);
    void LoadText(const TPropInfo* PropInfo, const String& Text);
    String StoreSetProperty(const TPropInfo* PropInfo);
    void LoadSetProperty(const TPropInfo* PropInfo, const String& Text);
    String StoreComponentProperty(const TPropInfo* PropInfo);
    void LoadComponentProperty(const TPropInfo* PropInfo, const String& Text);
    void StoreStringsProperty(const TPropInfo* PropInfo);
    void LoadStringsProperty(const TPropInfo* PropInfo);
    void StoreCollectionProperty(const TPropInfo* PropInfo);
    void LoadCollectionProperty(const TPropInfo* PropInfo);
    void StoreOtherProperties(const TPropInfo* PropInfo);
    void LoadOtherProperties(const TPropInfo* PropInfo);
    // Stores or loads every property of an object through a storage of this kind.
    void NestedProperties(TObject* Object, const String& Section, const String& Prefix, bool Store);
    template <class Use>
    void ForEachStoredItem(TComponent* AObject, TStrings* List, Use use);

    TObject* FObject = nullptr;
    String FPrefix;
    String FSection;
};

// Brings the stored items in step with the components: items whose component or property no
// longer exists are dropped; with FromForm the names are read again from the components the
// items hold (so that a renamed component keeps its items).
void UpdateStoredList(TComponent* AComponent, TStrings* AStoredList, bool FromForm);
