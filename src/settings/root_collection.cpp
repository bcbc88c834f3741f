#include "settings/root_collection.h"

#include "errors/exception.h"

#include <algorithm>

TRootCollectionItem::TRootCollectionItem() = default;

TRootCollectionItem::~TRootCollectionItem()
{
    if (m_collection)
        m_collection->Withdraw(*this);
}

int TRootCollectionItem::Index() const
{
    return m_collection ? m_collection->IndexOf(this) : -1;
}

QString TRootCollectionItem::GetDisplayString() const
{
    return ClassName() + QStringLiteral(".GetDisplayString not overridden");
}

void TRootCollectionItem::Clear()
{
    SetModified(false);
    SetSelected(false);
}

void TRootCollectionItem::SetModified(bool value)
{
    if (m_modified == value)
        return;
    m_modified = value;
    if (m_collection)
        m_collection->m_modifiedCount += value ? 1 : -1;
}

void TRootCollectionItem::SetIsNew(bool value)
{
    if (m_isNew == value)
        return;
    m_isNew = value;
    if (m_collection)
        m_collection->m_newCount += value ? 1 : -1;
}

void TRootCollectionItem::SetSelected(bool value)
{
    if (m_selected == value)
        return;
    m_selected = value;
    if (!m_collection)
        return;
    if (value) {
        if (!m_collection->m_selectedItems.contains(this))
            m_collection->m_selectedItems.append(this);
    } else {
        m_collection->m_selectedItems.removeAll(this);
    }
}

void TRootCollectionItem::Clone(const TRootCollectionItem& source)
{
    SetSelected(source.Selected());
    SetModified(source.Modified());
    SetIsNew(source.IsNew());
}

void TRootCollectionItem::ClearFlags()
{
    SetSelected(false);
    SetModified(false);
    SetIsNew(false);
}

TRootCollection::TRootCollection(TItemFactory itemClass) : m_itemClass(std::move(itemClass)) {}

TRootCollection::~TRootCollection()
{
    FreeAllItems();
}

TRootCollectionItem* TRootCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw pw::Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_items[static_cast<size_t>(index)].get();
}

int TRootCollection::IndexOf(const TRootCollectionItem* item) const
{
    for (int i = 0; i < Count(); ++i) {
        if (m_items[static_cast<size_t>(i)].get() == item)
            return i;
    }
    return -1;
}

TRootCollectionItem* TRootCollection::CreateItem(int index)
{
    if (!m_itemClass)
        throw pw::Exception(
            QStringLiteral("An instance of TCollection has been instantiated without it's ItemClass set"));
    std::unique_ptr<TRootCollectionItem> made = m_itemClass();
    TRootCollectionItem* item = made.get();
    if (index < 0 || index > Count())
        index = Count();
    m_items.insert(m_items.begin() + index, std::move(made));
    // A made item is new and nothing else; it joins the counts as such.
    item->m_collection = this;
    item->m_modified = false;
    item->m_selected = false;
    item->m_isNew = false;
    item->SetIsNew(true);
    return item;
}

TRootCollectionItem* TRootCollection::Add()
{
    return CreateItem(Count());
}

TRootCollectionItem* TRootCollection::Insert(int index)
{
    return CreateItem(index);
}

void TRootCollection::Delete(int index)
{
    TRootCollectionItem* item = Items(index);
    item->ClearFlags();
    m_items.erase(m_items.begin() + index);
}

void TRootCollection::Withdraw(TRootCollectionItem& item)
{
    // Counts stay exact whichever way an item goes.
    if (item.m_modified)
        --m_modifiedCount;
    if (item.m_isNew)
        --m_newCount;
    m_selectedItems.removeAll(&item);
    item.m_collection = nullptr;
}

void TRootCollection::ClearFlags()
{
    for (const auto& item : m_items) {
        item->m_selected = false;
        item->m_modified = false;
        item->m_isNew = false;
    }
    m_modifiedCount = 0;
    m_newCount = 0;
    m_selectedItems.clear();
}

void TRootCollection::FreeAllItems()
{
    TRootCollection::ClearFlags();
    // Items leave one by one from the end, so a destructor that looks at the list finds it whole.
    while (!m_items.empty())
        m_items.pop_back();
}

void TRootCollection::Clear()
{
    FreeAllItems();
}

void TRootCollection::MarkModifiedFrom(int index)
{
    for (int i = std::max(index, 0); i < Count(); ++i)
        Items(i)->SetModified(true);
}

void TRootCollection::InsertCopies(const TRootCollectionItem& source)
{
    if (m_selectedItems.isEmpty()) {
        Add()->Clone(source);
        return;
    }
    // The copies may themselves become selected; only the items selected now get one.
    const QList<TRootCollectionItem*> selected = m_selectedItems;
    for (TRootCollectionItem* target : selected)
        Insert(IndexOf(target))->Clone(source);
}

void TRootCollection::AddCopies(const TRootCollection& other)
{
    const int count = other.Count();
    for (int i = 0; i < count; ++i)
        Add()->Clone(*other.Items(i));
}
