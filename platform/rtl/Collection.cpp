// Collections own their items: freeing a collection frees them, freeing an item takes it out.
#include "rtl/Collection.h"

#include "rtl/Exceptions.h"
#include "rtl/TypInfo.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (FCollection == Value)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (Value)
        Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    const auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    const int current = Index();
    if (current < 0 || current == Value)
        return;
    auto& items = FCollection->FItems;
    Value = std::clamp(Value, 0, static_cast<int>(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    FCollection->Changed();
}

String TCollectionItem::DisplayName() const { return ClassName(); }

TCollection::TCollection(TItemFactory NewItem) : FNewItem(std::move(NewItem)) {}

TCollection::~TCollection() { Clear(); }

TCollectionItem* TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[Index];
}

TCollectionItem* TCollection::Add() { return FNewItem(this); }

void TCollection::Delete(int Index) { delete Items(Index); }

void TCollection::Clear()
{
    while (!FItems.empty())
        delete FItems.back();
}

void TCollection::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TCollection*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    Clear();
    for (TCollectionItem* item : source->FItems)
        Add()->Assign(item);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
    Item->FCollection = nullptr;
    Changed();
}

namespace {
const vt::ClassRegistration<TCollection, TPersistent> kCollection{"TCollection", {}};
const vt::ClassRegistration<TOwnedCollection, TCollection> kOwnedCollection{"TOwnedCollection", {}};
const vt::ClassRegistration<TCollectionItem, TPersistent> kCollectionItem{"TCollectionItem", {}};
}  // namespace
