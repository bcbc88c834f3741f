#pragma once

#include "settings/collection_db.h"

// One row of Tills: a registered workstation and its till number.
class TTillsItem : public TCollectionDBItem
{
public:
    QString ClassName() const override { return QStringLiteral("TTillsItem"); }

    const QString& ComputerName() const { return m_computerName; }
    const QString& HDSerial() const { return m_hdSerial; }
    const QString& LoginName() const { return m_loginName; }
    int TillID() const { return m_tillID; }
    int TillsID() const { return m_tillsID; }

    // An empty text (after trimming) is kept as the lone NUL; otherwise the text as given.
    void SetComputerName(const QString& value);
    void SetHDSerial(const QString& value);
    void SetLoginName(const QString& value);
    void SetTillID(int value);
    void SetTillsID(int value);

    void Clear() override;
    // Copies the five fields and marks the item modified; flags, emptiness and connection stay.
    void Clone(const TRootCollectionItem& source) override;
    bool LoadFromDataSet(pw::db::Query& dataset) override;
    // The first row of the till number; none clears the item (TillID -1).
    virtual bool LoadByTillID(int tillID);

private:
    void SetText(QString& field, const QString& value);

    QString m_computerName;
    QString m_hdSerial;
    QString m_loginName;
    int m_tillID = 0;
    int m_tillsID = 0;
};
