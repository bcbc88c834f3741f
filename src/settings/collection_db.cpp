#include "settings/collection_db.h"

#include "errors/exception.h"

int TCollectionDBItem::s_executedCommands = 0;

TCollectionDBItem::TCollectionDBItem() = default;

void TCollectionDBItem::SetEmpty(bool value)
{
    m_empty = value;
    if (value)
        Clear();
}

void TCollectionDBItem::Clear()
{
    TRootCollectionItem::Clear();
    SetIsNew(false);
    m_empty = true;
}

void TCollectionDBItem::Clone(const TRootCollectionItem& source)
{
    TRootCollectionItem::Clone(source);
    if (const auto* row = dynamic_cast<const TCollectionDBItem*>(&source)) {
        m_empty = row->m_empty;
        SetAdoConnection(row->m_connection);
    }
}

bool TCollectionDBItem::LoadFromDataSet(pw::db::Query& dataset)
{
    m_empty = dataset.isEmpty();
    if (m_empty)
        Clear();
    return !m_empty;
}

bool TCollectionDBItem::LoadFromSQL(const QStringList& sql)
{
    AdoQuery.close();
    AdoQuery.setSql(sql);
    AdoQuery.open();
    return LoadFromDataSet(AdoQuery);
}

void TCollectionDBItem::SetAdoConnection(pw::db::Connection* connection)
{
    m_connection = connection;
    AdoQuery.setConnection(connection);
    AdoCommand.setConnection(connection);
}

int TCollectionDBItem::ExecuteCommand()
{
    const int rows = AdoCommand.execute();
    ++s_executedCommands;
    return rows;
}

int TCollectionDBItem::Delete()
{
    return ExecuteCommand();
}

int TCollectionDBItem::Update()
{
    if (!Modified() && !IsNew())
        return 0;
    const int rows = ExecuteCommand();
    ClearFlags();
    return rows;
}

TCollectionDB::TCollectionDB(TItemFactory itemClass) : TRootCollection(std::move(itemClass)) {}

TCollectionDB::~TCollectionDB()
{
    m_connection = nullptr;
    TCollectionDB::Clear();
}

void TCollectionDB::SetAdoConnection(pw::db::Connection* connection)
{
    m_connection = connection;
    AdoQuery.setConnection(connection);
    AdoCommand.setConnection(connection);
    for (int i = 0; i < Count(); ++i)
        Items(i)->SetAdoConnection(connection);
}

TCollectionDBItem* TCollectionDB::Add()
{
    auto* item = static_cast<TCollectionDBItem*>(TRootCollection::Add());
    item->SetAdoConnection(m_connection);
    return item;
}

TCollectionDBItem* TCollectionDB::Insert(int index)
{
    auto* item = static_cast<TCollectionDBItem*>(TRootCollection::Insert(index));
    item->SetAdoConnection(m_connection);
    return item;
}

int TCollectionDB::Populate(pw::db::Query* dataset)
{
    if (!HasItemClass())
        throw pw::Exception(
            QStringLiteral("An instance of TCollection has been instantiated without it's ItemClass set"));
    if (!dataset)
        throw pw::Exception(
            QStringLiteral("Cannot call TCollectionDB.Populate with a nil DataSet parameter"));
    Clear();
    if (dataset->isEmpty())
        return 0;
    dataset->first();
    while (!dataset->eof()) {
        TCollectionDBItem* item = Add();
        item->LoadFromDataSet(*dataset);
        item->SetIsNew(false);
        dataset->next();
    }
    dataset->close();
    return Count();
}

int TCollectionDB::PopulateFromSQL(const QStringList& sql)
{
    AdoQuery.close();
    AdoQuery.setSql(sql);
    AdoQuery.open();
    return Populate(&AdoQuery);
}

void TCollectionDB::Clear()
{
    TRootCollection::Clear();
}

int TCollectionDB::DeleteAll()
{
    int rows = 0;
    int i = 0;
    while (i < Count()) {
        TCollectionDBItem* item = Items(i);
        rows += item->Delete();
        // An item that frees itself on delete has left the list; the next one took its place.
        if (i < Count() && Items(i) == item)
            ++i;
    }
    return rows;
}

TCollectionDBItem* TCollectionDB::MoveItem(TCollectionDBItem* item, TCollectionDB* destination, int position)
{
    if (!destination)
        destination = this;
    if (IndexOf(item) < 0)
        throw pw::Exception(QStringLiteral("TCollectionDB.MoveItem: the item is not in this collection"));
    if (position < 0 || position > destination->Count())
        position = destination->Count();
    TCollectionDBItem* moved = destination->InsertAt(position);
    destination->MarkModifiedFrom(position + 1);
    moved->Clone(*item);
    moved->SetIsNew(true);
    const int from = IndexOf(item);
    MarkModifiedFrom(from);
    Delete(from);
    UpdateAll();
    if (destination != this)
        destination->UpdateAll();
    return moved;
}

int TCollectionDB::UpdateAll()
{
    if (ModifiedCount() == 0 && NewCount() == 0)
        return 0;
    int rows = 0;
    for (int i = 0; i < Count(); ++i)
        rows += Items(i)->Update();
    return rows;
}

void TCollectionDB::ClearValues()
{
    for (int i = 0; i < Count(); ++i)
        Items(i)->Clear();
}

int TCollectionDB::ExecuteAdoCommand()
{
    if (AdoCommand.commandText().isEmpty())
        return 0;
    if (!m_connection)
        throw pw::Exception(QStringLiteral(
            "Cannot execute a TCollectionDB.AdoCommand query without setting TCollectionDB.AdoConnection"));
    return AdoCommand.execute();
}
