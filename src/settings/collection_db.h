#pragma once

#include "db/command.h"
#include "db/query.h"
#include "settings/root_collection.h"

#include <QStringList>

namespace pw::db {
class Connection;
}

// A row of a table: loads itself from a dataset and writes or deletes its own row
// through its own command. The connection is borrowed.
class TCollectionDBItem : public TRootCollectionItem
{
public:
    TCollectionDBItem();
    QString ClassName() const override { return QStringLiteral("TCollectionDBItem"); }

    pw::db::Connection* AdoConnection() const { return m_connection; }
    bool Empty() const { return m_empty; }
    // Marking an item empty clears it.
    void SetEmpty(bool value);

    void Clear() override;
    void Clone(const TRootCollectionItem& source) override;
    // True when the dataset has a row for the item to read.
    virtual bool LoadFromDataSet(pw::db::Query& dataset);
    virtual bool LoadFromSQL(const QStringList& sql);
    virtual void SetAdoConnection(pw::db::Connection* connection);
    // Rows affected.
    virtual int Delete();
    // Runs the command when the item is new or modified; rows affected.
    virtual int Update();

    // The statement Update and Delete run; table classes set its text and parameters.
    pw::db::Command AdoCommand;
    // For the item's own loaders.
    pw::db::Query AdoQuery;

    // Statements run by items since the last reset, so a caller can see what a save wrote.
    static int executedCommands() { return s_executedCommands; }
    static void resetExecutedCommands() { s_executedCommands = 0; }

protected:
    int ExecuteCommand();
    // Stores a changed value and marks the item modified; an equal value changes nothing.
    template <typename T> void SetField(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        SetModified(true);
    }

private:
    pw::db::Connection* m_connection = nullptr;
    bool m_empty = true;
    static int s_executedCommands;
};

// A list of table rows bound to a connection.
class TCollectionDB : public TRootCollection
{
public:
    explicit TCollectionDB(TItemFactory itemClass);
    ~TCollectionDB() override;

    pw::db::Connection* AdoConnection() const { return m_connection; }
    virtual void SetAdoConnection(pw::db::Connection* connection);

    TCollectionDBItem* Items(int index) const
    {
        return static_cast<TCollectionDBItem*>(TRootCollection::Items(index));
    }
    TCollectionDBItem* Add() override;
    TCollectionDBItem* Insert(int index) override;
    TCollectionDBItem* InsertAt(int index) { return Insert(index); }

    // Replaces the items by one per row of the dataset; the number of items.
    virtual int Populate(pw::db::Query* dataset);
    virtual int PopulateFromSQL(const QStringList& sql);
    void Clear() override;
    virtual int DeleteAll();
    // Moves the item to the position of the destination (appends when out of range)
    // and saves both collections; the new item.
    virtual TCollectionDBItem* MoveItem(TCollectionDBItem* item, TCollectionDB* destination, int position);
    virtual int UpdateAll();
    virtual void ClearValues();
    int ExecuteAdoCommand();

    // For statements about the whole table.
    pw::db::Command AdoCommand;
    pw::db::Query AdoQuery;

private:
    pw::db::Connection* m_connection = nullptr;
};
