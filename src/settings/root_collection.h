#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TRootCollection;

// One object of a list, with the state flags the list keeps counts of.
// An item belongs to at most one collection, which owns it.
class TRootCollectionItem
{
public:
    TRootCollectionItem();
    virtual ~TRootCollectionItem();
    TRootCollectionItem(const TRootCollectionItem&) = delete;
    TRootCollectionItem& operator=(const TRootCollectionItem&) = delete;

    virtual QString ClassName() const { return QStringLiteral("TRootCollectionItem"); }

    TRootCollection* Collection() const { return m_collection; }
    // Position in the collection from 0; -1 for a standalone item.
    int Index() const;

    bool Modified() const { return m_modified; }
    bool IsNew() const { return m_isNew; }
    bool Selected() const { return m_selected; }

    virtual QString GetDisplayString() const;
    virtual void Clear();
    virtual void SetModified(bool value);
    virtual void SetIsNew(bool value);
    virtual void SetSelected(bool value);
    virtual void Clone(const TRootCollectionItem& source);
    virtual void ClearFlags();

private:
    friend class TRootCollection;

    TRootCollection* m_collection = nullptr;
    bool m_modified = false;
    bool m_isNew = true;
    bool m_selected = false;
};

// Makes the items of a collection; stands for the item class a collection is built with.
using TItemFactory = std::function<std::unique_ptr<TRootCollectionItem>()>;
template <class Item> using TItemFactoryOf = std::function<std::unique_ptr<Item>()>;

// The factory of one item class.
template <class Item> auto ItemClass()
{
    return [] { return std::make_unique<Item>(); };
}

// Widens a typed factory for the base; an empty factory stays empty.
template <class Item> TItemFactory AnyItemFactory(TItemFactoryOf<Item> factory)
{
    if (!factory)
        return {};
    return [factory]() -> std::unique_ptr<TRootCollectionItem> { return factory(); };
}

// An owned list of items with running counts of their flags. Removing an item frees it.
class TRootCollection
{
public:
    explicit TRootCollection(TItemFactory itemClass);
    virtual ~TRootCollection();
    TRootCollection(const TRootCollection&) = delete;
    TRootCollection& operator=(const TRootCollection&) = delete;

    bool HasItemClass() const { return static_cast<bool>(m_itemClass); }

    int Count() const { return static_cast<int>(m_items.size()); }
    TRootCollectionItem* Items(int index) const;
    int IndexOf(const TRootCollectionItem* item) const;

    int ModifiedCount() const { return m_modifiedCount; }
    int NewCount() const { return m_newCount; }
    // In the order the items were selected.
    const QList<TRootCollectionItem*>& SelectedItems() const { return m_selectedItems; }

    virtual TRootCollectionItem* Add();
    virtual TRootCollectionItem* Insert(int index);
    // Clears the item's flags, then removes and frees it. No SQL is run.
    void Delete(int index);
    virtual void ClearFlags();
    // Removes and frees every item. No SQL is run.
    virtual void Clear();
    void MarkModifiedFrom(int index);
    virtual void InsertCopies(const TRootCollectionItem& source);
    virtual void AddCopies(const TRootCollection& other);

protected:
    // Makes an item of the item class and puts it at the position (appends when out of range).
    TRootCollectionItem* CreateItem(int index);
    void FreeAllItems();

private:
    friend class TRootCollectionItem;
    void Withdraw(TRootCollectionItem& item);

    TItemFactory m_itemClass;
    std::vector<std::unique_ptr<TRootCollectionItem>> m_items;
    int m_modifiedCount = 0;
    int m_newCount = 0;
    QList<TRootCollectionItem*> m_selectedItems;
};
