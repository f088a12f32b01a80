#include "Collections.h"

#include <algorithm>
#include <stdexcept>

namespace qx {

QX_DEFINE_CLASS(TCollectionItem, TPersistent, b) {}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    for (int i = 0; i < FCollection->Count(); ++i)
        if (FCollection->GetItem(i) == this) return i;
    return -1;
}

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

void TCollectionItem::Changed() {
    if (FCollection) FCollection->Changed(this);
}

QX_DEFINE_CLASS(TCollection, TPersistent, b) {}

TCollection::TCollection(TPersistent* owner, TItemFactory factory, TUpdateProc update)
    : FOwner(owner), FFactory(std::move(factory)), FUpdate(std::move(update)) {}

// Items go first, silently: the owner is being destroyed too.
TCollection::~TCollection() {
    FUpdate = nullptr;
    FItems.clear();
}

TCollectionItem* TCollection::AddItem() { return InsertItem(Count()); }

TCollectionItem* TCollection::InsertItem(int index) {
    if (index < 0 || index > Count()) throw std::out_of_range("collection index out of bounds");
    FItems.insert(FItems.begin() + index, std::unique_ptr<TCollectionItem>(FFactory(this)));
    Changed(nullptr);
    return FItems[static_cast<size_t>(index)].get();
}

void TCollection::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("collection index out of bounds");
    FItems.erase(FItems.begin() + index);
    Changed(nullptr);
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed(nullptr);
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
    if (FUpdateCount == 0 && FUpdate) FUpdate(item);
}

std::unique_ptr<TCollectionItem> TCollection::NewDetachedItem() const {
    std::unique_ptr<TCollectionItem> item(FFactory(nullptr));
    return item;
}

}  // namespace qx
