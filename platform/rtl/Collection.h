// TCollection and TCollectionItem: an ordered list of items of one class that owns them; an item
// knows its collection and its index. TOwnedCollection also knows the object it belongs to.
#pragma once

#include "rtl/Classes.h"

#include <functional>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Joins the collection (as its last item) when one is given.
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* Value);
    int Index() const;
    void SetIndex(int Value);
    // The name an editor shows; the class name when the item has none of its own.
    virtual String DisplayName() const;
    virtual void SetDisplayName(const String& Value) {}

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
};

class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;
    explicit TCollection(TItemFactory NewItem);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int Index) const;
    TCollectionItem* Add();
    void Delete(int Index);
    void Clear();
    // Makes this collection as many items as Source has, each assigned from its counterpart.
    void Assign(TPersistent* Source) override;
    // The object the collection belongs to, none for a free-standing one.
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    // An item joined, left or moved.
    virtual void Changed() {}

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    TItemFactory FNewItem;
    std::vector<TCollectionItem*> FItems;
};

class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* AOwner, TItemFactory NewItem) : TCollection(std::move(NewItem)), FOwner(AOwner) {}
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};
