#pragma once
// TCollection: an owned, ordered list of items of one class (a status bar's panels, a list
// view's columns, a header's sections, a cool bar's bands). Items publish their own properties;
// form descriptions store a collection as "Panels = < item Width = 80 end item ... end >".
#include "Classes.h"

#include <functional>
#include <memory>
#include <vector>

namespace qx {

class TCollection;

class TCollectionItem : public TPersistent {
    QX_CLASS(TCollectionItem)
public:
    explicit TCollectionItem(TCollection* collection) : FCollection(collection) {}

    TCollection* Collection() const { return FCollection; }
    int Index() const;
    TPersistent* GetOwner() override;

protected:
    // Tells the collection (and through it the control) that this item changed.
    void Changed();

private:
    TCollection* FCollection;
    friend class TCollection;
};

class TCollection : public TPersistent {
    QX_CLASS(TCollection)
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
    // `update` runs after every change: with the item that changed, or null when the list did.
    using TUpdateProc = std::function<void(TCollectionItem*)>;

    TCollection(TPersistent* owner, TItemFactory factory, TUpdateProc update = nullptr);
    ~TCollection() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* GetItem(int index) const { return FItems.at(static_cast<size_t>(index)).get(); }
    TCollectionItem* AddItem();
    TCollectionItem* InsertItem(int index);
    void Delete(int index);
    void Clear();
    // Changes inside BeginUpdate/EndUpdate are announced once, at the end.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // An item of the collection's class that belongs to no collection: the reference for
    // default property values.
    std::unique_ptr<TCollectionItem> NewDetachedItem() const;

    TPersistent* GetOwner() override { return FOwner; }
    void Changed(TCollectionItem* item);

private:
    TPersistent* FOwner;
    TItemFactory FFactory;
    TUpdateProc FUpdate;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
    int FUpdateCount = 0;
};

// A collection of items of class Item: typed access for the controls that hold one.
template <class Item>
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* owner, TUpdateProc update)
        : TCollection(owner, [](TCollection* c) -> TCollectionItem* { return new Item(c); }, std::move(update)) {}
    Item* Items(int index) const { return static_cast<Item*>(GetItem(index)); }
    Item* Add() { return static_cast<Item*>(AddItem()); }
    Item* operator[](int index) const { return Items(index); }
};

}  // namespace qx
