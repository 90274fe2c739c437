#include "classlib/Collection.h"

#include "platform/Exception.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == FCollection) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    auto& items = FCollection->FItems;
    return int(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    if (FCollection) FCollection->MoveItem(this, index);
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

void TCollectionItem::Changed(bool allItems) {
    if (FCollection) FCollection->ItemChanged(allItems ? nullptr : this);
}

TCollection::TCollection(TPersistent* owner, TItemFactory itemFactory) : FOwner(owner), FItemFactory(itemFactory) {}

TCollection::~TCollection() {
    // Items leave quietly: Update must not reach an owner that is going away.
    ++FUpdateCount;
    while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = FItemFactory(*this);
    Notify(item, cnAdded);
    Changed();
    return item;
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) delete FItems.back();
    EndUpdate();
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    Notify(item, cnDeleting);
    delete item;
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return FItems[size_t(index)];
}

TCollectionItem* TCollection::FindItemID(int id) const {
    auto it = std::find_if(FItems.begin(), FItems.end(), [id](TCollectionItem* i) { return i->ID() == id; });
    return it == FItems.end() ? nullptr : *it;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->FItems) Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
    FItems.push_back(item);
    item->FCollection = this;
    item->FID = FNextID++;
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, cnExtracting);
    FItems.erase(std::find(FItems.begin(), FItems.end(), item));
    item->FCollection = nullptr;
    Changed();
}

void TCollection::ItemChanged(TCollectionItem* item) {
    if (FUpdateCount == 0) Update(item);
}

void TCollection::MoveItem(TCollectionItem* item, int index) {
    index = std::clamp(index, 0, Count() - 1);
    int current = item->Index();
    if (current == index) return;
    FItems.erase(FItems.begin() + current);
    FItems.insert(FItems.begin() + index, item);
    Changed();
}
