// The component model: owner tree, names, state flags and free notification, following the
// class library's order of events on insertion and destruction.
#include "rtl/Classes.h"
#include "rtl/BasicAction.h"
#include "rtl/TypInfo.h"

#include <algorithm>
#include <cctype>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

#include "rtl/Exceptions.h"

String TObject::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 ? String(demangled.get()) : String(mangled);
}

void TPersistent::Assign(TPersistent* Source)
{
    if (Source == nullptr)
        throw EConvertError("Cannot assign a nil to a " + ClassName());
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner != nullptr)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    while (!FFreeNotifies.empty()) {
        TComponent* partner = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        Unlink(partner->FFreeNotifies, this);
        partner->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner != nullptr)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FComponents[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (FOwner == nullptr)
        return -1;
    auto& siblings = FOwner->FComponents;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

TComponent* TComponent::FindComponent(const String& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* component : FComponents)
        if (SameText(component->FName, name))
            return component;
    return nullptr;
}

void TComponent::ValidateName(const String& name) const
{
    bool identifier = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0])) &&
                      std::all_of(name.begin(), name.end(), [](char c) {
                          return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
                      });
    if (!name.empty() && !identifier)
        throw EComponentError("'" + name + "' is not a valid component name");
    if (FOwner != nullptr) {
        TComponent* other = FOwner->FindComponent(name);
        if (other != nullptr && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
}

void TComponent::SetName(const String& name)
{
    if (name == FName)
        return;
    ValidateName(name);
    FName = name;
}

void TComponent::SetComponentStateFlag(TComponentStateItem item, bool on)
{
    if (on)
        FComponentState.Include(item);
    else
        FComponentState.Exclude(item);
}

void TComponent::InsertComponent(TComponent* component)
{
    if (component->FOwner != nullptr)
        component->FOwner->RemoveComponent(component);
    ValidateName(component->FName);
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component)
{
    FComponents.push_back(component);
    component->FOwner = this;
}

void TComponent::Remove(TComponent* component)
{
    Unlink(FComponents, component);
    component->FOwner = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        // Components that asked for free notification let their siblings hear of it.
        if (last->FHasFreeNotification)
            RemoveComponent(last);
        else
            Remove(last);
        delete last;
    }
}

void TComponent::Destroying()
{
    if (FComponentState.Contains(csDestroying))
        return;
    FComponentState.Include(csDestroying);
    for (TComponent* component : FComponents)
        component->Destroying();
}

void TComponent::FreeNotification(TComponent* component)
{
    FHasFreeNotification = true;
    if (component == nullptr || component == this)
        return;
    // Siblings of one owner already hear of each other through the owner.
    if (FOwner != nullptr && component->FOwner == FOwner)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) != FFreeNotifies.end())
        return;
    FFreeNotifies.push_back(component);
    component->FreeNotification(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    Unlink(FFreeNotifies, component);
    Unlink(component->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent != nullptr)
        RemoveFreeNotification(AComponent);
    // Index from the end and re-clamp: a handler may free components while we walk.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount())
            i = ComponentCount() - 1;
        if (i < 0)
            break;
        FComponents[static_cast<std::size_t>(i)]->Notification(AComponent, Operation);
    }
}

void TComponent::Loaded()
{
    FComponentState.Exclude(csLoading);
}

bool TComponent::ExecuteAction(TBasicAction* Action)
{
    if (!Action->HandlesTarget(this))
        return false;
    Action->ExecuteTarget(this);
    return true;
}

bool TComponent::UpdateAction(TBasicAction* Action)
{
    if (!Action->HandlesTarget(this))
        return false;
    Action->UpdateTarget(this);
    return true;
}

void TComponent::Unlink(std::vector<TComponent*>& list, TComponent* component)
{
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

TPoint Point(int x, int y)
{
    return {x, y};
}

TRect Rect(int left, int top, int right, int bottom)
{
    return {left, top, right, bottom};
}

TRect Bounds(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}

bool PtInRect(const TRect& rect, const TPoint& point)
{
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top &&
           point.Y < rect.Bottom;
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TAlignment> kAlignment{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
const vt::RootClassRegistration<TObject> kObject{"TObject", {}};
const vt::ClassRegistration<TPersistent, TObject> kPersistent{"TPersistent", {}};
const vt::ClassRegistration<TComponent, TPersistent> kComponent{
    "TComponent",
    {vt::Published("Name", &TComponent::Name, &TComponent::SetName), vt::Published("Tag", &TComponent::Tag, &TComponent::SetTag)}};
}  // namespace
