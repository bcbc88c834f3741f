#include "settings/sys_data.h"

#include "db/connection.h"
#include "db/day_count.h"
#include "db/db_error.h"
#include "db/field.h"
#include "errors/exception.h"
#include "errors/ezq_exception.h"
#include "platform/platform.h"
#include "settings/text_utils.h"

#include <QLocale>
#include <QTime>

#include <cmath>

namespace {

double parseTimeText(const QString& raw)
{
    const QString text = raw.trimmed();
    for (const char* format : {"H:mm:ss.zzz", "H:mm:ss", "H:mm", "h:mm:ss AP", "h:mm AP"}) {
        const QTime time = QTime::fromString(text, QLatin1String(format));
        if (time.isValid())
            return pw::db::toDayFraction(time);
    }
    const QDateTime dateTime = pw::db::Field::toDateTime(text);
    if (dateTime.isValid())
        return pw::db::toDayCount(dateTime);
    throw pw::EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(raw));
}

} // namespace

void TSysDataItem::SetText(QString& field, const QString& value)
{
    if (field == value)
        return;
    field = TrimBlanks(value);
    SetModified(true);
}

void TSysDataItem::SetClass(const QString& value)
{
    SetText(m_class, value);
}
void TSysDataItem::SetItem(const QString& value)
{
    SetText(m_item, value);
}
void TSysDataItem::SetValue(const QString& value)
{
    SetText(m_value, value);
}
void TSysDataItem::SetValue2(const QString& value)
{
    SetText(m_value2, value);
}

bool TSysDataItem::AsBoolean()
{
    if (m_value.isEmpty() || IsNulText(m_value))
        m_value = QStringLiteral("0");
    const QChar first = m_value.at(0);
    return QStringLiteral("1TYty").contains(first);
}

int TSysDataItem::AsInteger()
{
    if (m_value.isEmpty() || IsNulText(m_value))
        m_value = QStringLiteral("0");
    bool ok = false;
    const int value = m_value.trimmed().toInt(&ok);
    if (!ok)
        throw pw::EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(m_value));
    return value;
}

bool TSysDataItem::ParseFloat(const QString& text, double& value)
{
    QString plain = text.trimmed();
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double parsed = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

QString TSysDataItem::FloatText(double value)
{
    // Fifteen significant digits, the shortest form that reads back as written.
    return QString::number(value, 'g', 15);
}

double TSysDataItem::AsFloat()
{
    if (m_value.isEmpty() || IsNulText(m_value))
        m_value = QStringLiteral("0");
    double value = 0.0;
    if (!ParseFloat(m_value, value))
        throw pw::EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(m_value));
    return value;
}

std::int64_t TSysDataItem::AsCurrency()
{
    return static_cast<std::int64_t>(std::llround(AsFloat() * 10000.0));
}

double TSysDataItem::AsTime()
{
    if (m_value.isEmpty() || IsNulText(m_value))
        m_value = pw::platform::now().time().toString(QStringLiteral("HH:mm:ss"));
    return parseTimeText(m_value);
}

void TSysDataItem::SetAsBoolean(bool value)
{
    SetValue(value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TSysDataItem::SetAsInteger(int value)
{
    SetValue(QString::number(value));
}

void TSysDataItem::SetAsFloat(double value)
{
    SetValue(FloatText(value));
}

void TSysDataItem::SetAsCurrency(std::int64_t value)
{
    SetAsFloat(static_cast<double>(value) / 10000.0);
}

void TSysDataItem::SetAsTime(double value)
{
    SetValue(pw::db::timeFromDayFraction(value).toString(QStringLiteral("HH:mm:ss")));
}

bool TSysDataItem::LoadFromDataSet(pw::db::Query& dataset)
{
    if (!TCollectionDBItem::LoadFromDataSet(dataset))
        return false;
    m_value = dataset.fieldByName(QStringLiteral("Value")).asString();
    m_class = dataset.fieldByName(QStringLiteral("Class")).asString();
    m_value2 = dataset.fieldByName(QStringLiteral("Value2")).asString();
    m_item = dataset.fieldByName(QStringLiteral("Item")).asString();
    return true;
}

void TSysDataItem::Clear()
{
    TCollectionDBItem::Clear();
    m_class.clear();
    m_item.clear();
    m_value.clear();
    m_value2.clear();
}

int TSysDataItem::Update()
{
    if (!Modified() && !IsNew())
        return 0;
    const QString place = QStringLiteral("TSysDataItem.Update");
    if (m_class.isEmpty())
        throw EZQException(QStringLiteral("TSysDataItem.Class not set"), place);
    if (m_item.isEmpty())
        throw EZQException(QStringLiteral("TSysDataItem.Item not set"), place);
    if (!AdoConnection())
        throw pw::db::DbError(QStringLiteral("The command has no connection"));

    AdoCommand.setParamCheck(true);
    AdoCommand.setCommandText(AdoConnection()->dialect().sysDataUpsertText());
    // The suite's other programs expect a lone NUL, never a zero-length text.
    if (m_value.isEmpty())
        m_value = NulText();
    if (m_value2.isEmpty())
        m_value2 = NulText();
    pw::db::Parameters& params = AdoCommand.parameters();
    params.byName(QStringLiteral("SClass")).setValue(m_class);
    params.byName(QStringLiteral("SItem")).setValue(m_item);
    params.byName(QStringLiteral("UClass")).setValue(m_class);
    params.byName(QStringLiteral("UItem")).setValue(m_item);
    params.byName(QStringLiteral("UValue")).setValue(m_value);
    params.byName(QStringLiteral("UValue2")).setValue(m_value2);
    params.byName(QStringLiteral("IClass")).setValue(m_class);
    params.byName(QStringLiteral("IItem")).setValue(m_item);
    params.byName(QStringLiteral("IValue")).setValue(m_value);
    params.byName(QStringLiteral("IValue2")).setValue(m_value2);
    TCollectionDBItem::Update();
    return 0;
}

TSysData::TSysData(TItemFactoryOf<TSysDataItem> itemClass)
    : TCollectionDB(AnyItemFactory(std::move(itemClass)))
{
}

TSysDataItem* TSysData::Add()
{
    return static_cast<TSysDataItem*>(TCollectionDB::Add());
}

TSysDataItem* TSysData::FindOrAdd(const QString& cls, const QString& key, const QString& defaultValue)
{
    for (int i = 0; i < Count(); ++i) {
        TSysDataItem* item = Items(i);
        if (item->Class() == cls && item->Item() == key)
            return item;
    }
    TSysDataItem* item = Add();
    item->SetClass(cls);
    item->SetItem(key);
    item->SetValue(defaultValue);
    return item;
}

void TSysData::Load(const QString& cls)
{
    AdoQuery.setSql(QStringList{QStringLiteral("SELECT * FROM SysData"),
                                QStringLiteral("WHERE Class = '") + QuotedSqlValue(cls) + QLatin1Char('\''),
                                QStringLiteral("ORDER BY Item ASC, Value ASC, Value2 ASC")});
    AdoQuery.open();
    if (!AdoQuery.isEmpty())
        Populate(&AdoQuery);
}
