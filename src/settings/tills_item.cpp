#include "settings/tills_item.h"

#include "settings/text_utils.h"

void TTillsItem::SetText(QString& field, const QString& value)
{
    if (field == value)
        return;
    field = TrimBlanks(value).isEmpty() ? NulText() : value;
    SetModified(true);
}

void TTillsItem::SetComputerName(const QString& value)
{
    SetText(m_computerName, value);
}
void TTillsItem::SetHDSerial(const QString& value)
{
    SetText(m_hdSerial, value);
}
void TTillsItem::SetLoginName(const QString& value)
{
    SetText(m_loginName, value);
}

void TTillsItem::SetTillID(int value)
{
    SetField(m_tillID, value);
}

void TTillsItem::SetTillsID(int value)
{
    SetField(m_tillsID, value);
}

void TTillsItem::Clear()
{
    TCollectionDBItem::Clear();
    m_computerName = NulText();
    m_hdSerial = NulText();
    m_loginName = NulText();
    m_tillID = -1;
    m_tillsID = -1;
}

void TTillsItem::Clone(const TRootCollectionItem& source)
{
    const auto* till = dynamic_cast<const TTillsItem*>(&source);
    if (!till)
        return;
    SetComputerName(till->m_computerName);
    SetHDSerial(till->m_hdSerial);
    SetLoginName(till->m_loginName);
    SetTillID(till->m_tillID);
    SetTillsID(till->m_tillsID);
    SetModified(true);
}

bool TTillsItem::LoadFromDataSet(pw::db::Query& dataset)
{
    if (!TCollectionDBItem::LoadFromDataSet(dataset))
        return false;
    SetComputerName(dataset.fieldByName(QStringLiteral("Computer Name")).asString());
    SetHDSerial(dataset.fieldByName(QStringLiteral("HD Serial")).asString());
    SetLoginName(dataset.fieldByName(QStringLiteral("Login Name")).asString());
    m_tillID = dataset.fieldByName(QStringLiteral("TillID")).asInteger();
    m_tillsID = dataset.fieldByName(QStringLiteral("TillsID")).asInteger();
    SetModified(false);
    return true;
}

bool TTillsItem::LoadByTillID(int tillID)
{
    AdoQuery.close();
    AdoQuery.setSql(QStringLiteral("SELECT * FROM Tills WHERE TillID = ") + QString::number(tillID));
    AdoQuery.open();
    return LoadFromDataSet(AdoQuery);
}
