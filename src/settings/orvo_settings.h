#pragma once

#include "settings/form_settings.h"
#include "settings/printers_data.h"
#include "settings/settings_keys.h"
#include "settings/sys_data.h"
#include "settings/tills_item.h"

#include <QHash>
#include <QStringList>

#include <bitset>
#include <memory>

// The settings of one SysData class that keep a reference to the item of every known key.
class TKeyedSysData : public TSysData
{
public:
    // The item of a known key, kept when the settings were loaded. Raises when the key
    // is not one of the class's keys or the settings are not loaded.
    TSysDataItem* Key(const QString& key) const;

    // Clearing frees the items, so the references go too.
    void Clear() override;
    void ClearValues() override;

protected:
    void KeepKey(const QString& key, TSysDataItem* item) { m_keys.insert(key, item); }

private:
    QHash<QString, TSysDataItem*> m_keys;
};

// The columns of the pick list, by flag number.
enum TPicklistColumn
{
    pcCode = 0,
    pcSize = 1,
    pcColumn2 = 2,
    pcPrice = 3
};
using TPicklistColumns = std::bitset<4>;

// Class "GLOBAL": the settings of the whole suite, and the list of IP addresses.
class TOrvoGlobalSettings : public TKeyedSysData
{
public:
    virtual TSysDataItem* Setting(const QString& key, const QString& defaultValue);
    // Loads the class, adds the missing keys with their defaults, then the IP addresses.
    virtual void Populate();

    // Report their own failures; the list is kept as it was when loading fails.
    void PopulateIPAddresses();
    bool SaveIPAddresses();

    TPicklistColumns PicklistColumns();
    void SetPicklistColumns(TPicklistColumns columns);
    bool UseTradingDay() { return Key(QStringLiteral("USE TRADING DAY"))->AsBoolean(); }
    void SetUseTradingDay(bool value) { Key(QStringLiteral("USE TRADING DAY"))->SetAsBoolean(value); }
    bool EnPicklist() { return Key(QStringLiteral("EN PICKLIST"))->AsBoolean(); }
    void SetEnPicklist(bool value) { Key(QStringLiteral("EN PICKLIST"))->SetAsBoolean(value); }
    bool NoLockIfInvOutstanding() { return Key(QStringLiteral("NO LOCK IF INV OUTSANDING"))->AsBoolean(); }
    void SetNoLockIfInvOutstanding(bool value)
    {
        Key(QStringLiteral("NO LOCK IF INV OUTSANDING"))->SetAsBoolean(value);
    }
    bool NoLockIfTillsOpen() { return Key(QStringLiteral("NO LOCK IF TILLS OPEN"))->AsBoolean(); }
    void SetNoLockIfTillsOpen(bool value)
    {
        Key(QStringLiteral("NO LOCK IF TILLS OPEN"))->SetAsBoolean(value);
    }
    bool NoLockIfDriversUncashed() { return Key(QStringLiteral("NO LOCK IF DRIVERS UNCASHED"))->AsBoolean(); }
    void SetNoLockIfDriversUncashed(bool value)
    {
        Key(QStringLiteral("NO LOCK IF DRIVERS UNCASHED"))->SetAsBoolean(value);
    }
    QString BusBranch() const { return Key(QStringLiteral("BUS BRANCH"))->Value(); }
    void SetBusBranch(const QString& value) { Key(QStringLiteral("BUS BRANCH"))->SetValue(value); }

    QStringList IPAddresses;
};

// The class of this till's number: the till's own settings, its record and printer links.
class TOrvoLocalSettings : public TKeyedSysData
{
public:
    TOrvoLocalSettings();
    ~TOrvoLocalSettings() override;

    void SetAdoConnection(pw::db::Connection* connection) override;
    void ClearValues() override;
    // Raises EZQException when the till is not registered, before loading anything.
    virtual void Populate(int tillID);

    // Up to 100 characters, kept as 50 in Value and 50 in Value2.
    QString LogoPath() const;
    void SetLogoPath(const QString& path);
    TFormLook FormLook();
    void SetFormLook(TFormLook look);
    int OpeningForm() { return Key(QStringLiteral("OPENING FORM"))->AsInteger(); }
    void SetOpeningForm(int value) { Key(QStringLiteral("OPENING FORM"))->SetAsInteger(value); }

    std::unique_ptr<TTillsItem> Till;
    std::unique_ptr<TOrvoPrinters> LocalPrinters;
    // The look reads as flKeyboard, and sign-in uses the back-office fingerprint setting.
    bool BackOffice = false;
};

// Class "MENUVERSIONS".
class TOrvoMenuUpdateSettings : public TKeyedSysData
{
public:
    virtual TSysDataItem* Setting(const QString& key, const QString& defaultValue);
    virtual void Populate();
};

// The suite's configuration as this program sees it.
class TOrvoSettings
{
public:
    TOrvoSettings();
    ~TOrvoSettings();
    TOrvoSettings(const TOrvoSettings&) = delete;
    TOrvoSettings& operator=(const TOrvoSettings&) = delete;

    pw::db::Connection* AdoConnection() const { return m_connection; }
    void SetAdoConnection(pw::db::Connection* connection);

    std::unique_ptr<TOrvoGlobalSettings> Global;
    std::unique_ptr<TOrvoLocalSettings> Local;
    std::unique_ptr<TOrvoMenuUpdateSettings> MenuUpdate;
    std::unique_ptr<T_Printers> Printers;
    int TillID = 0;

private:
    pw::db::Connection* m_connection = nullptr;
};

// The process's one instance, made at start-up.
extern TOrvoSettings* OrvoSettings;
