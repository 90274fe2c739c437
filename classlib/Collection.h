#pragma once
#include "classlib/Persistent.h"

#include <vector>

class TCollection;

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };
using enum TCollectionNotification;

// An item of a collection: created by the collection (Add) and owned by it; freeing it removes it.
class TCollectionItem : public TPersistent {
    VMR_CLASS(TCollectionItem, TPersistent)

public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection, or out of any (then the caller owns it).
    void SetCollection(TCollection* collection);
    int Index() const;
    // Moves the item inside its collection; the index is clamped to the collection.
    virtual void SetIndex(int index);
    int ID() const { return FID; }
    TPersistent* GetOwner() const override;

protected:
    // Tells the collection that this item (or, with allItems, every item) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

// An ordered list of items of one class, made by its factory. Changes call Update, once per
// BeginUpdate/EndUpdate bracket.
class TCollection : public TPersistent {
    VMR_CLASS(TCollection, TPersistent)

public:
    using TItemFactory = TCollectionItem* (*)(TCollection& collection);
    template <class TItem>
    static TItemFactory ItemFactory() {
        return [](TCollection& c) -> TCollectionItem* { return new TItem(&c); };
    }

    TCollection(TPersistent* owner, TItemFactory itemFactory);
    ~TCollection() override;

    TCollectionItem* Add();
    void Clear();
    // Raises EListError for an index outside the collection.
    void Delete(int index);
    TCollectionItem* Items(int index) const;
    int Count() const { return int(FItems.size()); }
    TCollectionItem* FindItemID(int id) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Takes the items of another collection: cleared, then one new item assigned from each source item.
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override { return FOwner; }

protected:
    // The item that changed, or nullptr when the whole collection did.
    virtual void Update(TCollectionItem* item);
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void ItemChanged(TCollectionItem* item);
    void MoveItem(TCollectionItem* item, int index);

    TPersistent* FOwner;
    TItemFactory FItemFactory;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
};
