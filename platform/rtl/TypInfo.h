// Run-time type information of published properties: each class registers its published
// properties once, beside its definition, by naming its own read and write methods; lookups by
// class walk up to the ancestors. Enumerations register the names of their values.
#pragma once

#include "rtl/Classes.h"
#include "rtl/Exceptions.h"
#include "rtl/Set.h"
#include "rtl/StrUtils.h"
#include "rtl/Variant.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <type_traits>
#include <variant>
#include <vector>

enum TTypeKind { tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
                 tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray };
using TTypeKinds = Set<TTypeKind>;
// Every kind a published property can have.
TTypeKinds tkAny();
// Every kind that holds data (tkAny without methods and unknown kinds).
TTypeKinds tkProperties();

class TClassInfo;
using TClass = const TClassInfo*;

struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    String Name;                          // "Integer", "TAlign", "TFont" ...
    std::vector<String> EnumNames;        // tkEnumeration: the value names by ordinal
    const TTypeInfo* CompType = nullptr;  // tkSet: the enumeration of its members
    TClass ClassType = nullptr;           // tkClass
};

// A property value as the accessors carry it: ordinal kinds (integers, characters,
// enumerations, sets as bit masks, 64-bit integers), floats, strings, variants, objects.
using TPropValue = std::variant<std::int64_t, long double, String, Variant, TObject*>;

struct TPropInfo {
    String Name;
    const TTypeInfo* PropType = nullptr;
    std::function<TPropValue(TObject*)> Read;                // empty: no read access
    std::function<void(TObject*, const TPropValue&)> Write;  // empty: no write access
};

class TClassInfo {
public:
    TClassInfo(const String& name, std::function<bool(const TObject*)> isInstance);
    const String& ClassName() const { return FName; }
    TClass ClassParent() const { return FParent; }
    // True for the class itself and each of its registered descendants.
    bool InheritsFrom(TClass AClass) const;
    // True when the object is of this class or a descendant (registered or not).
    bool IsInstance(const TObject* Instance) const { return Instance && FIsInstance(Instance); }
    const std::vector<TPropInfo>& OwnProps() const { return FProps; }

    // Registration side.
    void Register(const String& name, TClass parent, std::vector<TPropInfo> props);

private:
    String FName;
    TClass FParent = nullptr;
    std::function<bool(const TObject*)> FIsInstance;
    std::vector<TPropInfo> FProps;
};

class EPropertyError : public Exception {
public:
    using Exception::Exception;
};
class EPropertyConvertError : public Exception {
public:
    using Exception::Exception;
};

// The property of that name (letter case ignored) of the class or an ancestor; none when absent.
const TPropInfo* GetPropInfo(TClass AClass, const String& PropName);
const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName);
// The published properties of the kinds, ancestors' first, each name once (the most derived).
std::vector<const TPropInfo*> GetPropList(TClass AClass, TTypeKinds Kinds = tkAny());
bool IsPublishedProp(const TObject* Instance, const String& PropName);

// Accessors; a property without read or write access, or of another kind, raises EPropertyError.
std::int64_t GetOrdProp(TObject* Instance, const TPropInfo* PropInfo);
void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, std::int64_t Value);
long double GetFloatProp(TObject* Instance, const TPropInfo* PropInfo);
void SetFloatProp(TObject* Instance, const TPropInfo* PropInfo, long double Value);
String GetStrProp(TObject* Instance, const TPropInfo* PropInfo);
void SetStrProp(TObject* Instance, const TPropInfo* PropInfo, const String& Value);
Variant GetVariantProp(TObject* Instance, const TPropInfo* PropInfo);
void SetVariantProp(TObject* Instance, const TPropInfo* PropInfo, const Variant& Value);
TObject* GetObjectProp(TObject* Instance, const TPropInfo* PropInfo);
void SetObjectProp(TObject* Instance, const TPropInfo* PropInfo, TObject* Value);
std::int64_t GetInt64Prop(TObject* Instance, const TPropInfo* PropInfo);
void SetInt64Prop(TObject* Instance, const TPropInfo* PropInfo, std::int64_t Value);

// The name of an enumeration value ("" out of range) and the value of a name (letter case
// ignored; -1 when no value has it).
String GetEnumName(const TTypeInfo* TypeInfo, int Value);
int GetEnumValue(const TTypeInfo* TypeInfo, const String& Name);

// The registered class of that name; none (GetClass) or EClassNotFound (FindClass) otherwise.
class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};
TClass GetClass(const String& ClassName);
TClass FindClass(const String& ClassName);

namespace vt {

// The registered class that fits the object most closely (its own or the nearest ancestor's).
TClass ClassOfObject(const TObject* Instance);
void AddClassInfo(TClassInfo* info);

template <class T>
TClass ClassOf()
{
    static TClassInfo* info = [] {
        auto* made = new TClassInfo(String(), [](const TObject* o) { return dynamic_cast<const T*>(o) != nullptr; });
        AddClassInfo(made);
        return made;
    }();
    return info;
}

// ---- Type information of C++ types ----

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<Set<E>> : std::true_type {
    using Element = E;
};

template <class E>
TTypeInfo* EnumTypeInfo()
{
    static TTypeInfo info{tkEnumeration, String(), {}, nullptr, nullptr};
    return &info;
}

template <class E>
void RegisterEnum(const String& name, std::initializer_list<const char*> names)
{
    TTypeInfo* info = EnumTypeInfo<E>();
    info->Name = name;
    info->EnumNames.assign(names.begin(), names.end());
}

// Registers an enumeration's value names, as a static object beside the type's users.
template <class E>
struct EnumRegistration {
    EnumRegistration(const String& name, std::initializer_list<const char*> names) { RegisterEnum<E>(name, names); }
};

const TTypeInfo* BooleanTypeInfo();
const TTypeInfo* SimpleTypeInfo(TTypeKind kind);

template <class T>
const TTypeInfo* TypeInfoOf()
{
    if constexpr (std::is_same_v<T, bool>)
        return BooleanTypeInfo();
    else if constexpr (std::is_same_v<T, char>)
        return SimpleTypeInfo(tkChar);
    else if constexpr (std::is_enum_v<T>)
        return EnumTypeInfo<T>();
    else if constexpr (std::is_integral_v<T>)
        return SimpleTypeInfo(sizeof(T) == 8 ? tkInt64 : tkInteger);
    else if constexpr (std::is_floating_point_v<T>)
        return SimpleTypeInfo(tkFloat);
    else if constexpr (std::is_same_v<T, String>)
        return SimpleTypeInfo(tkLString);
    else if constexpr (std::is_same_v<T, Variant>)
        return SimpleTypeInfo(tkVariant);
    else if constexpr (IsSet<T>::value) {
        static const TTypeInfo info{tkSet, String(), {}, TypeInfoOf<typename IsSet<T>::Element>(), nullptr};
        return &info;
    } else if constexpr (std::is_pointer_v<T> && std::is_base_of_v<TObject, std::remove_pointer_t<T>>) {
        static const TTypeInfo info{tkClass, String(), {}, nullptr, ClassOf<std::remove_pointer_t<T>>()};
        return &info;
    } else
        static_assert(sizeof(T) == 0, "no published-property kind for this type");
}

// Sets travel as bit masks of their members' ordinals (members 0 to 63).
template <class E>
std::int64_t SetToMask(const Set<E>& s)
{
    std::int64_t mask = 0;
    for (int i = 0; i < 64; ++i)
        if (s.Contains(static_cast<E>(i)))
            mask |= std::int64_t(1) << i;
    return mask;
}
template <class E>
Set<E> MaskToSet(std::int64_t mask)
{
    Set<E> s;
    for (int i = 0; i < 64; ++i)
        if (mask & (std::int64_t(1) << i))
            s.Include(static_cast<E>(i));
    return s;
}

// A value as it travels, and back.
template <class T>
TPropValue ToPropValue(const T& v)
{
    if constexpr (IsSet<T>::value)
        return SetToMask(v);
    else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
        return static_cast<std::int64_t>(v);
    else if constexpr (std::is_floating_point_v<T>)
        return static_cast<long double>(v);
    else if constexpr (std::is_pointer_v<T>)
        return static_cast<TObject*>(v);
    else
        return v;
}

const std::int64_t& OrdinalOf(const TPropValue& v);
long double FloatOf(const TPropValue& v);
const String& StringOf(const TPropValue& v);
const Variant& VariantOf(const TPropValue& v);
TObject* ObjectOf(const TPropValue& v);

template <class T>
T FromPropValue(const TPropValue& v)
{
    if constexpr (IsSet<T>::value)
        return MaskToSet<typename IsSet<T>::Element>(OrdinalOf(v));
    else if constexpr (std::is_same_v<T, bool>)
        return OrdinalOf(v) != 0;
    else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
        return static_cast<T>(OrdinalOf(v));
    else if constexpr (std::is_floating_point_v<T>)
        return static_cast<T>(FloatOf(v));
    else if constexpr (std::is_same_v<T, String>)
        return StringOf(v);
    else if constexpr (std::is_same_v<T, Variant>)
        return VariantOf(v);
    else {
        TObject* object = ObjectOf(v);
        T typed = dynamic_cast<T>(object);
        if (object && !typed)
            throw EPropertyConvertError("Invalid property value");
        return typed;
    }
}

template <class C>
C* Self(TObject* Instance)
{
    C* self = dynamic_cast<C*>(Instance);
    if (!self)
        throw EPropertyError("Invalid property owner");
    return self;
}

// A published property that can only be read.
template <class C, class R>
TPropInfo Published(const String& name, R (C::*getter)() const)
{
    using T = std::decay_t<R>;
    return TPropInfo{name, TypeInfoOf<T>(), [getter](TObject* o) { return ToPropValue<T>((Self<C>(o)->*getter)()); },
                     nullptr};
}

// A published property read and written through the class's own methods.
template <class G, class S, class R, class A>
TPropInfo Published(const String& name, R (G::*getter)() const, void (S::*setter)(A))
{
    using T = std::decay_t<R>;
    TPropInfo info = Published(name, getter);
    info.Write = [setter](TObject* o, const TPropValue& v) { (Self<S>(o)->*setter)(FromPropValue<T>(v)); };
    return info;
}

// The same for a class whose read method is not const.
template <class G, class R>
TPropInfo Published(const String& name, R (G::*getter)())
{
    using T = std::decay_t<R>;
    return TPropInfo{name, TypeInfoOf<T>(), [getter](TObject* o) { return ToPropValue<T>((Self<G>(o)->*getter)()); },
                     nullptr};
}
template <class G, class S, class R, class A>
TPropInfo Published(const String& name, R (G::*getter)(), void (S::*setter)(A))
{
    using T = std::decay_t<R>;
    TPropInfo info = Published(name, getter);
    info.Write = [setter](TObject* o, const TPropValue& v) { (Self<S>(o)->*setter)(FromPropValue<T>(v)); };
    return info;
}

// Registers class C, descendant of P, with its own published properties; a static object of
// this type beside the class's methods registers it when the program starts.
template <class C, class P>
struct ClassRegistration {
    ClassRegistration(const String& name, std::vector<TPropInfo> props)
    {
        const_cast<TClassInfo*>(ClassOf<C>())->Register(name, ClassOf<P>(), std::move(props));
    }
};

// The root of the registered tree.
template <class C>
struct RootClassRegistration {
    RootClassRegistration(const String& name, std::vector<TPropInfo> props)
    {
        const_cast<TClassInfo*>(ClassOf<C>())->Register(name, nullptr, std::move(props));
    }
};

}  // namespace vt
