#include "settings/orvo_settings.h"

#include "db/connection.h"
#include "db/query.h"
#include "errors/exception.h"
#include "errors/ezq_exception.h"
#include "errors/message_dialog.h"
#include "settings/text_utils.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

#include <exception>

TOrvoSettings* OrvoSettings = nullptr;

namespace {

const QString kGlobalClass = QStringLiteral("GLOBAL");
const QString kMenuVersionsClass = QStringLiteral("MENUVERSIONS");

// The bit value of each pick-list flag; flag 3 is 16, not 8, as the suite stores it.
constexpr int kPicklistBits[] = {1, 2, 4, 16};

// Paths are written the Windows way; elsewhere the separators are turned round.
bool logoFileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    QString local = path;
#ifndef Q_OS_WIN
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    return QFileInfo(local).isFile();
}

} // namespace

// ---- TKeyedSysData

TSysDataItem* TKeyedSysData::Key(const QString& key) const
{
    const auto found = m_keys.constFind(key);
    if (found == m_keys.constEnd())
        throw pw::Exception(QStringLiteral("The setting \"%1\" is not loaded").arg(key));
    return found.value();
}

void TKeyedSysData::Clear()
{
    m_keys.clear();
    TSysData::Clear();
}

void TKeyedSysData::ClearValues()
{
    TSysData::ClearValues();
    m_keys.clear();
}

// ---- TOrvoGlobalSettings

TSysDataItem* TOrvoGlobalSettings::Setting(const QString& key, const QString& defaultValue)
{
    return FindOrAdd(kGlobalClass, key, defaultValue);
}

void TOrvoGlobalSettings::Populate()
{
    Load(kGlobalClass);
    for (const SettingKey& key : GlobalSettingKeys()) {
        const QString name = QString::fromLatin1(key.key);
        KeepKey(name, Setting(name, QString::fromLatin1(key.defaultValue)));
    }
    PopulateIPAddresses();
}

void TOrvoGlobalSettings::PopulateIPAddresses()
{
    try {
        pw::db::Query query(AdoConnection());
        query.setSql(QStringLiteral("SELECT * FROM IPADDRESS"));
        query.open();
        if (query.isEmpty())
            return;
        IPAddresses.clear();
        for (query.first(); !query.eof(); query.next())
            IPAddresses.append(query.fieldByName(QStringLiteral("Address")).asString());
    } catch (const std::exception& e) {
        MessageDlgEx(QStringLiteral("Could not load the list of IP addresses.\rReason: ") + pw::messageOf(e) +
                         QStringLiteral("\rRaised in TOrvoGlobalSettings.PopulateIPAddresses"),
                     mtInformation, mbOK);
    }
}

bool TOrvoGlobalSettings::SaveIPAddresses()
{
    // One transaction: a failure part way leaves the table's list as it was, not cut short.
    QSqlDatabase db;
    bool inTransaction = false;
    try {
        pw::db::Connection* connection = AdoConnection();
        pw::db::Query query(connection);
        if (connection) {
            db = connection->database();
            inTransaction = db.transaction();
        }
        query.setSql(QStringLiteral("DELETE FROM IPADDRESS"));
        query.execSql();
        for (const QString& address : IPAddresses) {
            query.setSql(
                QStringList{QStringLiteral("INSERT INTO IPADDRESS"), QStringLiteral("(ADDRESS)"),
                            QStringLiteral("VALUES('") + QuotedSqlValue(address) + QStringLiteral("');")});
            query.execSql();
        }
        if (inTransaction && !db.commit())
            throw pw::Exception(db.lastError().text().trimmed());
        return true;
    } catch (const std::exception& e) {
        if (inTransaction)
            db.rollback();
        MessageDlgEx(QStringLiteral("Could not save the IP addresses. Reason: ") + pw::messageOf(e) +
                         QStringLiteral("\rRaised in TOrvoGlobalSettings.SaveIPAddresses"),
                     mtInformation, mbOK);
        return false;
    }
}

TPicklistColumns TOrvoGlobalSettings::PicklistColumns()
{
    const int stored = Key(QStringLiteral("PICKLIST COLUMNS"))->AsInteger();
    TPicklistColumns columns;
    for (size_t flag = 0; flag < columns.size(); ++flag)
        columns[flag] = (stored & kPicklistBits[flag]) != 0;
    return columns;
}

void TOrvoGlobalSettings::SetPicklistColumns(TPicklistColumns columns)
{
    TSysDataItem* item = Key(QStringLiteral("PICKLIST COLUMNS"));
    int value = 0;
    item->SetAsInteger(value);
    for (size_t flag = 0; flag < columns.size(); ++flag) {
        if (!columns[flag])
            continue;
        value += kPicklistBits[flag];
        item->SetAsInteger(value);
    }
}

// ---- TOrvoLocalSettings

TOrvoLocalSettings::TOrvoLocalSettings()
    : Till(std::make_unique<TTillsItem>()), LocalPrinters(std::make_unique<TOrvoPrinters>())
{
}

TOrvoLocalSettings::~TOrvoLocalSettings() = default;

void TOrvoLocalSettings::SetAdoConnection(pw::db::Connection* connection)
{
    TKeyedSysData::SetAdoConnection(connection);
    LocalPrinters->SetAdoConnection(connection);
    Till->SetAdoConnection(connection);
}

void TOrvoLocalSettings::ClearValues()
{
    TKeyedSysData::ClearValues();
    LocalPrinters->Clear();
}

void TOrvoLocalSettings::Populate(int tillID)
{
    Till->LoadByTillID(tillID);
    if (Till->TillID() <= 0)
        throw EZQException(
            QStringLiteral("Cannot call TOrvoLocalSettings.Populate without setting TOrvoLocalSettings.Till"),
            QStringLiteral("TOrvoLocalSettings.Populate"));
    const QString cls = QString::number(tillID);
    Load(cls);
    for (const SettingKey& key : LocalSettingKeys()) {
        const QString name = QString::fromLatin1(key.key);
        TSysDataItem* item = FindOrAdd(cls, name, QString::fromLatin1(key.defaultValue));
        KeepKey(name, item);
        // A logo that is not there is not shown; the next save stores that.
        if (name == QLatin1String("DISPLAY LOGO") && item->AsBoolean())
            item->SetAsBoolean(logoFileExists(LogoPath()));
    }
    LocalPrinters->LoadForTill(tillID);
}

QString TOrvoLocalSettings::LogoPath() const
{
    const TSysDataItem* item = Key(QStringLiteral("LOGO PATH"));
    // A saved empty piece is a lone NUL, which is no part of the path.
    if (IsNulText(item->Value2()))
        return UpToNul(item->Value());
    return UpToNul(item->Value()) + UpToNul(item->Value2());
}

void TOrvoLocalSettings::SetLogoPath(const QString& path)
{
    TSysDataItem* item = Key(QStringLiteral("LOGO PATH"));
    item->SetValue(path.left(50));
    item->SetValue2(path.mid(50, 50));
}

TFormLook TOrvoLocalSettings::FormLook()
{
    if (BackOffice)
        return flKeyboard;
    return static_cast<TFormLook>(Key(QStringLiteral("FORM LOOK"))->AsInteger());
}

void TOrvoLocalSettings::SetFormLook(TFormLook look)
{
    Key(QStringLiteral("FORM LOOK"))->SetAsInteger(look);
}

// ---- TOrvoMenuUpdateSettings

TSysDataItem* TOrvoMenuUpdateSettings::Setting(const QString& key, const QString& defaultValue)
{
    return FindOrAdd(kMenuVersionsClass, key, defaultValue);
}

void TOrvoMenuUpdateSettings::Populate()
{
    Load(kMenuVersionsClass);
    for (const SettingKey& key : MenuVersionSettingKeys()) {
        const QString name = QString::fromLatin1(key.key);
        KeepKey(name, Setting(name, QString::fromLatin1(key.defaultValue)));
    }
}

// ---- TOrvoSettings

TOrvoSettings::TOrvoSettings()
{
    Local = std::make_unique<TOrvoLocalSettings>();
    Global = std::make_unique<TOrvoGlobalSettings>();
    MenuUpdate = std::make_unique<TOrvoMenuUpdateSettings>();
    Printers = std::make_unique<T_Printers>();
}

TOrvoSettings::~TOrvoSettings()
{
    Global.reset();
    Local.reset();
    MenuUpdate.reset();
    Printers.reset();
}

void TOrvoSettings::SetAdoConnection(pw::db::Connection* connection)
{
    m_connection = connection;
    Local->SetAdoConnection(connection);
    Global->SetAdoConnection(connection);
    MenuUpdate->SetAdoConnection(connection);
    Printers->SetAdoConnection(connection);
}
