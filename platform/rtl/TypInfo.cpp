// The registry of published properties and the accessors that read and write them by name.
#include "rtl/TypInfo.h"

#include <algorithm>

TTypeKinds tkAny()
{
    TTypeKinds kinds;
    for (int k = tkUnknown; k <= tkDynArray; ++k)
        kinds.Include(static_cast<TTypeKind>(k));
    return kinds;
}

TTypeKinds tkProperties() { return tkAny() - TTypeKinds{tkUnknown, tkMethod}; }

// ---- Classes ----

namespace {
std::vector<TClassInfo*>& AllClasses()
{
    static std::vector<TClassInfo*> classes;
    return classes;
}

int Depth(TClass AClass)
{
    int depth = 0;
    for (; AClass; AClass = AClass->ClassParent())
        ++depth;
    return depth;
}
}  // namespace

TClassInfo::TClassInfo(const String& name, std::function<bool(const TObject*)> isInstance)
    : FName(name), FIsInstance(std::move(isInstance))
{
}

bool TClassInfo::InheritsFrom(TClass AClass) const
{
    for (TClass c = this; c; c = c->ClassParent())
        if (c == AClass)
            return true;
    return false;
}

void TClassInfo::Register(const String& name, TClass parent, std::vector<TPropInfo> props)
{
    FName = name;
    FParent = parent;
    FProps = std::move(props);
}

void vt::AddClassInfo(TClassInfo* info) { AllClasses().push_back(info); }

TClass vt::ClassOfObject(const TObject* Instance)
{
    TClass best = nullptr;
    for (TClass c : AllClasses())
        if (!c->ClassName().empty() && c->IsInstance(Instance) && Depth(c) > Depth(best))
            best = c;
    return best;
}

TClass GetClass(const String& ClassName)
{
    for (TClass c : AllClasses())
        if (!ClassName.empty() && SameText(c->ClassName(), ClassName))
            return c;
    return nullptr;
}

TClass FindClass(const String& ClassName)
{
    if (TClass c = GetClass(ClassName))
        return c;
    throw EClassNotFound("Class " + ClassName + " not found");
}

// ---- Properties ----

const TPropInfo* GetPropInfo(TClass AClass, const String& PropName)
{
    for (TClass c = AClass; c; c = c->ClassParent())
        for (const TPropInfo& p : c->OwnProps())
            if (SameText(p.Name, PropName))
                return &p;
    return nullptr;
}

const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName)
{
    return GetPropInfo(vt::ClassOfObject(Instance), PropName);
}

std::vector<const TPropInfo*> GetPropList(TClass AClass, TTypeKinds Kinds)
{
    std::vector<TClass> chain;
    for (TClass c = AClass; c; c = c->ClassParent())
        chain.insert(chain.begin(), c);
    std::vector<const TPropInfo*> list;
    for (TClass c : chain)
        for (const TPropInfo& p : c->OwnProps()) {
            const TPropInfo* found = GetPropInfo(AClass, p.Name);  // a redeclaration wins
            if (found == &p && Kinds.Contains(p.PropType->Kind))
                list.push_back(&p);
        }
    return list;
}

bool IsPublishedProp(const TObject* Instance, const String& PropName)
{
    return GetPropInfo(Instance, PropName) != nullptr;
}

namespace {
TPropValue ReadProp(TObject* Instance, const TPropInfo* PropInfo)
{
    if (!PropInfo || !PropInfo->Read)
        throw EPropertyError("Property " + (PropInfo ? PropInfo->Name : String()) + " is write-only");
    return PropInfo->Read(Instance);
}

void WriteProp(TObject* Instance, const TPropInfo* PropInfo, const TPropValue& Value)
{
    if (!PropInfo || !PropInfo->Write)
        throw EPropertyError("Property " + (PropInfo ? PropInfo->Name : String()) + " is read-only");
    PropInfo->Write(Instance, Value);
}

template <class T>
const T& Held(const TPropValue& v)
{
    const T* held = std::get_if<T>(&v);
    if (!held)
        throw EPropertyError("Invalid property type");
    return *held;
}
}  // namespace

const std::int64_t& vt::OrdinalOf(const TPropValue& v) { return Held<std::int64_t>(v); }
long double vt::FloatOf(const TPropValue& v) { return Held<long double>(v); }
const String& vt::StringOf(const TPropValue& v) { return Held<String>(v); }
const Variant& vt::VariantOf(const TPropValue& v) { return Held<Variant>(v); }
TObject* vt::ObjectOf(const TPropValue& v) { return Held<TObject*>(v); }

std::int64_t GetOrdProp(TObject* Instance, const TPropInfo* PropInfo)
{
    return vt::OrdinalOf(ReadProp(Instance, PropInfo));
}
void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, std::int64_t Value)
{
    WriteProp(Instance, PropInfo, Value);
}
long double GetFloatProp(TObject* Instance, const TPropInfo* PropInfo)
{
    return vt::FloatOf(ReadProp(Instance, PropInfo));
}
void SetFloatProp(TObject* Instance, const TPropInfo* PropInfo, long double Value)
{
    WriteProp(Instance, PropInfo, Value);
}
String GetStrProp(TObject* Instance, const TPropInfo* PropInfo)
{
    return vt::StringOf(ReadProp(Instance, PropInfo));
}
void SetStrProp(TObject* Instance, const TPropInfo* PropInfo, const String& Value)
{
    WriteProp(Instance, PropInfo, Value);
}
Variant GetVariantProp(TObject* Instance, const TPropInfo* PropInfo)
{
    return vt::VariantOf(ReadProp(Instance, PropInfo));
}
void SetVariantProp(TObject* Instance, const TPropInfo* PropInfo, const Variant& Value)
{
    WriteProp(Instance, PropInfo, Value);
}
TObject* GetObjectProp(TObject* Instance, const TPropInfo* PropInfo)
{
    return vt::ObjectOf(ReadProp(Instance, PropInfo));
}
void SetObjectProp(TObject* Instance, const TPropInfo* PropInfo, TObject* Value)
{
    WriteProp(Instance, PropInfo, Value);
}
std::int64_t GetInt64Prop(TObject* Instance, const TPropInfo* PropInfo) { return GetOrdProp(Instance, PropInfo); }
void SetInt64Prop(TObject* Instance, const TPropInfo* PropInfo, std::int64_t Value)
{
    SetOrdProp(Instance, PropInfo, Value);
}

// ---- Enumerations and simple types ----

String GetEnumName(const TTypeInfo* TypeInfo, int Value)
{
    if (!TypeInfo || Value < 0 || Value >= static_cast<int>(TypeInfo->EnumNames.size()))
        return String();
    return TypeInfo->EnumNames[Value];
}

int GetEnumValue(const TTypeInfo* TypeInfo, const String& Name)
{
    if (!TypeInfo)
        return -1;
    const auto& names = TypeInfo->EnumNames;
    auto it = std::find_if(names.begin(), names.end(), [&](const String& n) { return SameText(n, Name); });
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

const TTypeInfo* vt::BooleanTypeInfo()
{
    static const TTypeInfo info{tkEnumeration, "Boolean", {"False", "True"}, nullptr, nullptr};
    return &info;
}

const TTypeInfo* vt::SimpleTypeInfo(TTypeKind kind)
{
    static const TTypeInfo infos[] = {
        {tkInteger, "Integer", {}, nullptr, nullptr}, {tkChar, "Char", {}, nullptr, nullptr},
        {tkFloat, "Extended", {}, nullptr, nullptr},  {tkLString, "String", {}, nullptr, nullptr},
        {tkVariant, "Variant", {}, nullptr, nullptr}, {tkInt64, "Int64", {}, nullptr, nullptr},
    };
    for (const TTypeInfo& info : infos)
        if (info.Kind == kind)
            return &info;
    throw EPropertyError("No simple type of that kind");
}

