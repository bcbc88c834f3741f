#pragma once

#include "settings/collection_db.h"

#include <QString>

#include <cstdint>

// One SysData row: a setting's text value with typed readers and writers.
// Floats are written with a decimal point whatever the workstation's locale, as
// the table is shared with every till; a point or a comma reads back.
class TSysDataItem : public TCollectionDBItem
{
public:
    QString ClassName() const override { return QStringLiteral("TSysDataItem"); }

    const QString& Class() const { return m_class; }
    const QString& Item() const { return m_item; }
    const QString& Value() const { return m_value; }
    const QString& Value2() const { return m_value2; }

    // A changed text is stored without surrounding blanks and marks the item modified.
    void SetClass(const QString& value);
    void SetItem(const QString& value);
    void SetValue(const QString& value);
    void SetValue2(const QString& value);

    // The readers turn an empty value (or the lone NUL of a saved empty one) into "0"
    // (AsTime: the current time) without marking the item modified. A text that is
    // not a number or a time raises pw::EConvertError.
    bool AsBoolean();
    int AsInteger();
    double AsFloat();
    // A count of ten-thousandths.
    std::int64_t AsCurrency();
    // The time of day as a day fraction (a text with a date gives the whole day count).
    double AsTime();

    void SetAsBoolean(bool value);
    void SetAsInteger(int value);
    void SetAsFloat(double value);
    void SetAsCurrency(std::int64_t value);
    // Stores the time of day of a day count as "hh:mm:ss"; the date is dropped.
    void SetAsTime(double value);

    bool LoadFromDataSet(pw::db::Query& dataset) override;
    void Clear() override;
    // Inserts or updates the row of (Class, Item); always 0.
    int Update() override;

    // The stored form of a float.
    static QString FloatText(double value);
    // Reads a float written with a point or a comma; false when the text is no number.
    static bool ParseFloat(const QString& text, double& value);

private:
    void SetText(QString& field, const QString& value);

    QString m_class;
    QString m_item;
    QString m_value;
    QString m_value2;
};

// The SysData rows of one class.
class TSysData : public TCollectionDB
{
public:
    explicit TSysData(TItemFactoryOf<TSysDataItem> itemClass = ItemClass<TSysDataItem>());

    TSysDataItem* Items(int index) const { return static_cast<TSysDataItem*>(TCollectionDB::Items(index)); }
    TSysDataItem* Add() override;

    // The first item of the class and key (exact comparison); else a new item holding
    // the default, written by the next save.
    virtual TSysDataItem* FindOrAdd(const QString& cls, const QString& key, const QString& defaultValue);
    // Replaces the items by the rows of the class; a class without rows keeps the items.
    virtual void Load(const QString& cls);
};
