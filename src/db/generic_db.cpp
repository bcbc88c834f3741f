#include "db/generic_db.h"

#include "db/connection.h"
#include "db/currency.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"

#include <QLocale>

#include <cmath>

TGenericDB* GenericDB = nullptr;

TGenericDB::TGenericDB(pw::db::Connection* connection) : Query(connection), Connection(connection) {}

void TGenericDB::OpenQuery(const QString& sql, int cursorLocation)
{
    Query.close();
    Query.setSql(sql);
    Query.setCursorLocation(cursorLocation);
    Query.open();
}

int TGenericDB::ExecSQL(const QString& sql)
{
    return ExecSQL(QStringList{sql});
}

int TGenericDB::ExecSQL(const QStringList& sql)
{
    const int remembered = Query.cursorLocation();
    Query.close();
    Query.setCursorLocation(pw::db::Query::ServerSide);
    Query.setSql(sql);
    const int affected = Query.execSql();
    Query.setCursorLocation(remembered);
    return affected;
}

QString TGenericDB::StoredProcArguments(const QVariantList& values)
{
    QStringList texts;
    for (const QVariant& value : values) {
        if (value.metaType() == QMetaType::fromType<pw::db::Currency>()) {
            texts.append(value.value<pw::db::Currency>().toString());
            continue;
        }
        switch (value.typeId()) {
        case QMetaType::Bool:
            texts.append(value.toBool() ? QStringLiteral("1") : QStringLiteral("0"));
            break;
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            texts.append(value.toString());
            break;
        case QMetaType::Float:
        case QMetaType::Double: {
            const double number = value.toDouble();
            if (!std::isfinite(number))
                throw pw::Exception(QStringLiteral("%1 cannot be passed to a stored procedure").arg(number));
            // Always a point, whatever the workstation's locale: a decimal comma would split the argument.
            texts.append(QString::number(number, 'g', QLocale::FloatingPointShortest));
            break;
        }
        case QMetaType::QString: {
            QString text = value.toString();
            text.replace(QLatin1Char('\''), QLatin1String("''"));
            texts.append(QLatin1Char('\'') + text + QLatin1Char('\''));
            break;
        }
        default:
            throw pw::Exception(QStringLiteral("A value of kind %1 cannot be passed to a stored procedure")
                                    .arg(QString::fromLatin1(value.metaType().name())));
        }
    }
    return texts.join(QLatin1Char(','));
}

QString TGenericDB::StoredProcText(const QString& procName, const QVariantList& values) const
{
    return Connection->dialect().execProcedureText(procName, StoredProcArguments(values));
}

bool TGenericDB::ExecStoredProc(const QString& procName, const QVariantList& values, int cursorLocation)
{
    auto report = [&procName](const QString& reason) {
        MessageDlgEx(QStringLiteral("Failed to execute the stored procedure [") + procName +
                         QStringLiteral("]\rReason: ") + reason +
                         QStringLiteral("\r\rException Raised In: TGenericDB.ExecStoredProc"),
                     mtError, mbOK, {}, 0, 0, buttonFaceColour());
    };
    try {
        Query.close();
        Query.setSql(StoredProcText(procName, values));
        Query.setCursorLocation(cursorLocation);
        ExecSQL(Query.sql());
        return true;
    } catch (const std::exception& e) {
        report(pw::messageOf(e));
    }
    return false;
}
