// The suite's settings objects: keys and defaults, the accessors with their own rules,
// the IP address list and the till's own settings.
#include "platform_doubles.h"
#include "settings/orvo_settings.h"
#include "settings/text_utils.h"
#include "test_database.h"

#include "errors/ezq_exception.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>

namespace {

QString defaultOf(SettingKeys keys, const char* key)
{
    for (const SettingKey& k : keys) {
        if (QLatin1String(k.key) == QLatin1String(key))
            return QString::fromLatin1(k.defaultValue);
    }
    return QStringLiteral("<missing>");
}

// The settings object on a fresh database with till 5 registered.
struct Fixture
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase db;
    TOrvoSettings settings;
    qint64 tillsID = 0;

    Fixture()
    {
        // Every save commits; the tests need no flush to disk.
        db.scalar("PRAGMA synchronous = OFF");
        tillsID = db.insert("Tills", {{"TillID", 5}, {"Computer Name", "TILL5"}});
        settings.SetAdoConnection(&db.connection());
        settings.TillID = 5;
    }
    void setting(const QString& cls, const QString& key, const QString& value)
    {
        db.insert("SysData", {{"Class", cls}, {"Item", key}, {"Value", value}, {"Value2", ""}});
    }
};

} // namespace

class TestOrvoSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { TCollectionDBItem::resetExecutedCommands(); }

    void theKeyListsAreComplete()
    {
        QCOMPARE(GlobalSettingKeys().size(), size_t(108));
        QCOMPARE(LocalSettingKeys().size(), size_t(86));
        QCOMPARE(MenuVersionSettingKeys().size(), size_t(5));
        for (SettingKeys keys : {GlobalSettingKeys(), LocalSettingKeys(), MenuVersionSettingKeys()}) {
            QSet<QString> seen;
            for (const SettingKey& k : keys)
                seen.insert(QString::fromLatin1(k.key));
            QCOMPARE(size_t(seen.size()), keys.size());
        }
        QCOMPARE(QString(GlobalSettingKeys().front().key), QStringLiteral("BUS BRANCH"));
        QCOMPARE(QString(GlobalSettingKeys().back().key), QStringLiteral("LASTUPDATECHECK"));
        QCOMPARE(QString(LocalSettingKeys().front().key), QStringLiteral("BTN FONT SIZE"));
        QCOMPARE(QString(LocalSettingKeys().back().key), QStringLiteral("CLI RING TIMEOUT"));
        QCOMPARE(QString(MenuVersionSettingKeys().front().key), QStringLiteral("ACTIVATEDATE"));
    }

    void defaults_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("DAY START") << 0 << "DAY START"
                                   << "05:00";
        QTest::newRow("FOOD PREP") << 0 << "FOOD PREP"
                                   << "00:12";
        QTest::newRow("ALTIMG  MIN") << 0 << "ALTIMG  MIN"
                                     << "0";
        QTest::newRow("BACKUPPATH1") << 0 << "BACKUPPATH1"
                                     << "c:\\mssql7\\backup";
        QTest::newRow("AUTOBACUPPATH1") << 0 << "AUTOBACUPPATH1"
                                        << "0";
        QTest::newRow("DELIV MSG") << 0 << "DELIV MSG"
                                   << "Driver %1 is on his %2 delivery";
        QTest::newRow("IMG TXT COLOUR") << 0 << "IMG TXT COLOUR"
                                        << "16777215";
        QTest::newRow("PICKLIST COLUMNS") << 0 << "PICKLIST COLUMNS"
                                          << "4";
        QTest::newRow("DIAL CODE") << 0 << "DIAL CODE"
                                   << "";
        QTest::newRow("POLELINE1") << 0 << "POLELINE1"
                                   << "Next customer please...";
        QTest::newRow("CHECKFORUPDATES") << 0 << "CHECKFORUPDATES"
                                         << "7";
        QTest::newRow("LOGO PATH") << 1 << "LOGO PATH"
                                   << "Images\\orvofinal.bmp";
        QTest::newRow("PRINT LABEL MARGIN") << 1 << "PRINT LABEL MARGIN"
                                            << "0.6";
        QTest::newRow("PLABEL DEV") << 1 << "PLABEL DEV"
                                    << "LPT1";
        QTest::newRow("TILL FLOAT") << 1 << "TILL FLOAT"
                                    << "500";
        QTest::newRow("IMAGING IP") << 1 << "IMAGING IP"
                                    << "127.0.0.1";
        QTest::newRow("PBAKB DEV") << 1 << "PBAKB DEV"
                                   << "";
        QTest::newRow("ACTIVATEDATE") << 2 << "ACTIVATEDATE"
                                      << "19000101";
    }
    void defaults()
    {
        QFETCH(int, list);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const SettingKeys keys[] = {GlobalSettingKeys(), LocalSettingKeys(), MenuVersionSettingKeys()};
        QCOMPARE(defaultOf(keys[list], key.toLatin1().constData()), value);
    }

    void theImplementersDefaultsAreNotEmpty()
    {
        QVERIFY(!defaultOf(GlobalSettingKeys(), "BUS BRANCH").isEmpty());
        QVERIFY(!defaultOf(GlobalSettingKeys(), "PHONE NUM").isEmpty());
    }

    void aFreshDatabaseGivesEveryDefaultAndTheFirstSaveInsertsAll()
    {
        Fixture f;
        TOrvoGlobalSettings& global = *f.settings.Global;
        global.Populate();
        QCOMPARE(global.Count(), 108);
        QCOMPARE(global.NewCount(), 108);
        for (const SettingKey& k : GlobalSettingKeys())
            QCOMPARE(global.Key(k.key)->Value(), QString::fromLatin1(k.defaultValue));
        QCOMPARE(f.db.count("SysData"), 0); // loading writes nothing

        global.UpdateAll();
        QCOMPARE(TCollectionDBItem::executedCommands(), 108);
        QCOMPARE(f.db.count("SysData", "Class = 'GLOBAL'"), 108);
        QCOMPARE(f.db.scalar("SELECT Value FROM SysData WHERE Item = 'ALTIMG  MIN'").toString(),
                 QStringLiteral("0"));

        TCollectionDBItem::resetExecutedCommands();
        QCOMPARE(global.UpdateAll(), 0);
        QCOMPARE(TCollectionDBItem::executedCommands(), 0);

        TOrvoGlobalSettings again;
        again.SetAdoConnection(&f.db.connection());
        again.Populate();
        QCOMPARE(again.NewCount(), 0);
        QCOMPARE(again.ModifiedCount(), 0);
        QCOMPARE(again.UpdateAll(), 0);
        QCOMPARE(TCollectionDBItem::executedCommands(), 0);
        QCOMPARE(again.Key("DIAL CODE")->Value(), QString());
        QCOMPARE(again.Key("STORE MSG")->Value(), QStringLiteral("Thank you for your business"));
    }

    void storedValuesWinOverDefaults()
    {
        Fixture f;
        f.setting("GLOBAL", "DAY START", "06:30");
        f.settings.Global->Populate();
        QVERIFY(qAbs(f.settings.Global->Key("DAY START")->AsTime() - 6.5 / 24) < 1e-9);
        QCOMPARE(f.settings.Global->NewCount(), 107);
    }

    void anUnknownKeyIsRefused()
    {
        Fixture f;
        f.settings.Global->Populate();
        QVERIFY_THROWS_EXCEPTION(pw::Exception, f.settings.Global->Key("NO SUCH KEY"));
    }

    void logoPathOf120CharactersKeepsTheFirst100()
    {
        Fixture f;
        f.settings.Local->Populate(5);
        QString path;
        for (int i = 0; i < 12; ++i)
            path += QStringLiteral("C:\\abcdef") + QString::number(i % 10);
        QCOMPARE(path.size(), 120);
        TOrvoLocalSettings& local = *f.settings.Local;
        local.SetLogoPath(path);
        QCOMPARE(local.Key("LOGO PATH")->Value(), path.left(50));
        QCOMPARE(local.Key("LOGO PATH")->Value2(), path.mid(50, 50));
        QCOMPARE(local.LogoPath(), path.left(100));

        local.UpdateAll();
        TOrvoLocalSettings again;
        again.SetAdoConnection(&f.db.connection());
        again.Populate(5);
        QCOMPARE(again.LogoPath(), path.left(100));
    }

    void logoPathPiecesAreTrimmed()
    {
        Fixture f;
        f.settings.Local->Populate(5);
        TOrvoLocalSettings& local = *f.settings.Local;
        const QString path = QString(50, 'a') + QStringLiteral(" rest");
        local.SetLogoPath(path);
        QCOMPARE(local.LogoPath(), QString(50, 'a') + QStringLiteral("rest"));

        local.SetLogoPath("short.bmp");
        QCOMPARE(local.Key("LOGO PATH")->Value2(), QString());
        QCOMPARE(local.LogoPath(), QStringLiteral("short.bmp"));
        local.UpdateAll(); // the empty second piece is now a lone NUL
        QCOMPARE(local.Key("LOGO PATH")->Value2(), NulText());
        QCOMPARE(local.LogoPath(), QStringLiteral("short.bmp"));

        local.SetLogoPath("");
        local.UpdateAll();
        QCOMPARE(local.LogoPath(), QString());
    }

    void displayLogoFollowsTheLogoFile_data()
    {
        QTest::addColumn<bool>("fileThere");
        QTest::newRow("missing file") << false;
        QTest::newRow("file there") << true;
    }
    void displayLogoFollowsTheLogoFile()
    {
        QFETCH(bool, fileThere);
        Fixture f;
        const QString logo = QDir(f.db.folder()).filePath("logo.bmp");
        if (fileThere) {
            QFile file(logo);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        f.setting("5", "LOGO PATH", logo);
        f.setting("5", "DISPLAY LOGO", "1");
        f.settings.Local->Populate(5);
        TSysDataItem* display = f.settings.Local->Key("DISPLAY LOGO");
        QCOMPARE(display->AsBoolean(), fileThere);
        QCOMPARE(display->Modified(), !fileThere);
        f.settings.Local->UpdateAll();
        QCOMPARE(
            f.db.scalar("SELECT Value FROM SysData WHERE Class = '5' AND Item = 'DISPLAY LOGO'").toString(),
            fileThere ? QStringLiteral("1") : QStringLiteral("0"));
    }

    void picklistColumns()
    {
        Fixture f;
        f.settings.Global->Populate();
        TOrvoGlobalSettings& global = *f.settings.Global;
        QCOMPARE(global.PicklistColumns(), TPicklistColumns().set(pcColumn2));
        global.Key("PICKLIST COLUMNS")->ClearFlags();

        global.SetPicklistColumns(TPicklistColumns().set(pcCode).set(pcPrice));
        QCOMPARE(global.Key("PICKLIST COLUMNS")->Value(), QStringLiteral("17"));
        QCOMPARE(global.PicklistColumns(), TPicklistColumns().set(pcCode).set(pcPrice));

        // Writing the same set again still passes through 0, so the item is marked.
        global.Key("PICKLIST COLUMNS")->ClearFlags();
        global.SetPicklistColumns(TPicklistColumns().set(pcCode).set(pcPrice));
        QVERIFY(global.Key("PICKLIST COLUMNS")->Modified());
    }

    void formLookUnderBackOffice()
    {
        Fixture f;
        f.setting("5", "FORM LOOK", "1");
        f.settings.Local->Populate(5);
        TOrvoLocalSettings& local = *f.settings.Local;
        QCOMPARE(local.FormLook(), flTouchScreen);
        local.BackOffice = true;
        QCOMPARE(local.FormLook(), flKeyboard);
        local.BackOffice = false;
        local.SetFormLook(flNormal);
        QCOMPARE(local.Key("FORM LOOK")->Value(), QStringLiteral("2"));
        local.SetOpeningForm(1);
        QCOMPARE(local.OpeningForm(), 1);
    }

    void forwardingAccessors()
    {
        Fixture f;
        f.settings.Global->Populate();
        TOrvoGlobalSettings& global = *f.settings.Global;
        QVERIFY(!global.UseTradingDay());
        global.SetUseTradingDay(true);
        QCOMPARE(global.Key("USE TRADING DAY")->Value(), QStringLiteral("1"));
        QVERIFY(global.EnPicklist());
        QVERIFY(global.NoLockIfInvOutstanding() && global.NoLockIfTillsOpen() &&
                global.NoLockIfDriversUncashed());
        global.SetNoLockIfTillsOpen(false);
        QCOMPARE(global.Key("NO LOCK IF TILLS OPEN")->Value(), QStringLiteral("0"));
        global.SetBusBranch("O'Brien's Corner");
        QCOMPARE(global.BusBranch(), QStringLiteral("O'Brien's Corner"));
    }

    void localPopulateOfAnUnregisteredTillRaises()
    {
        Fixture f;
        f.setting("9", "FORM LOOK", "1");
        try {
            f.settings.Local->Populate(9);
            QFAIL("no error");
        } catch (const EZQException& e) {
            QCOMPARE(e.message(),
                     QStringLiteral(
                         "Cannot call TOrvoLocalSettings.Populate without setting TOrvoLocalSettings.Till"));
            QCOMPARE(e.RaisedIn, QStringLiteral("TOrvoLocalSettings.Populate"));
        }
        QCOMPARE(f.settings.Local->Count(), 0);
    }

    void localPopulateLoadsTheTillAndItsPrinters()
    {
        Fixture f;
        const qint64 printer = f.db.insert("Printers", {{"Name", "Kitchen"}, {"Category", 1}});
        f.db.insert("TillsLinkPrinters",
                    {{"fkTillsID", f.tillsID}, {"fkPrintersID", printer}, {"Device", "LBL"}});
        const qint64 other = f.db.insert("Tills", {{"TillID", 6}});
        f.db.insert("TillsLinkPrinters", {{"fkTillsID", other}, {"fkPrintersID", printer}});
        f.setting("5", "PLABEL DEV", "Zebra");
        f.settings.Local->Populate(5);
        TOrvoLocalSettings& local = *f.settings.Local;
        QCOMPARE(local.Till->ComputerName(), QStringLiteral("TILL5"));
        QCOMPARE(local.Count(), 86);
        QCOMPARE(local.Key("PLABEL DEV")->Value(), QStringLiteral("Zebra"));
        QCOMPARE(local.Key("TS CAT COLS")->Class(), QStringLiteral("5"));
        QCOMPARE(local.LocalPrinters->Count(), 1);
        QCOMPARE(local.LocalPrinters->Items(0)->Device(), QStringLiteral("LBL"));
        QCOMPARE(local.LocalPrinters->Items(0)->Printer()->Name(), QStringLiteral("Kitchen"));
    }

    void menuVersions()
    {
        Fixture f;
        f.setting("MENUVERSIONS", "MENUVERSION_LIVE", "3");
        f.settings.MenuUpdate->Populate();
        QCOMPARE(f.settings.MenuUpdate->Count(), 5);
        QCOMPARE(f.settings.MenuUpdate->Key("MENUVERSION_LIVE")->AsInteger(), 3);
        QCOMPARE(f.settings.MenuUpdate->Key("ACTIVATEDATE")->Value(), QStringLiteral("19000101"));
    }

    void theConnectionReachesEveryPart()
    {
        Fixture f;
        pw::db::Connection* connection = &f.db.connection();
        QCOMPARE(f.settings.AdoConnection(), connection);
        QCOMPARE(f.settings.Global->AdoConnection(), connection);
        QCOMPARE(f.settings.Local->AdoConnection(), connection);
        QCOMPARE(f.settings.Local->Till->AdoConnection(), connection);
        QCOMPARE(f.settings.Local->LocalPrinters->AdoConnection(), connection);
        QCOMPARE(f.settings.MenuUpdate->AdoConnection(), connection);
        QCOMPARE(f.settings.Printers->AdoConnection(), connection);
    }

    void ipAddressesLoadAndSave()
    {
        Fixture f;
        f.db.insert("IPADDRESS", {{"Address", "10.0.0.1"}});
        f.db.insert("IPADDRESS", {{"Address", "10.0.0.2"}});
        TOrvoGlobalSettings& global = *f.settings.Global;
        global.Populate();
        QCOMPARE(global.IPAddresses, (QStringList{"10.0.0.1", "10.0.0.2"}));

        global.IPAddresses = QStringList{"192.168.1.9", "O'Brien's box"};
        QVERIFY(global.SaveIPAddresses());
        QVERIFY(f.doubles.modal.shown.isEmpty());
        QCOMPARE(f.db.count("IPADDRESS"), 2);
        global.IPAddresses = QStringList{"stale"};
        f.db.exec("DELETE FROM IPADDRESS WHERE 0");
        global.PopulateIPAddresses();
        QCOMPARE(global.IPAddresses, (QStringList{"192.168.1.9", "O'Brien's box"}));

        // An empty table leaves the list in memory as it was.
        f.db.exec("DELETE FROM IPADDRESS");
        global.PopulateIPAddresses();
        QCOMPARE(global.IPAddresses.size(), 2);
    }

    void ipAddressFailuresAreShown()
    {
        Fixture f;
        f.db.exec("DROP TABLE IPADDRESS");
        f.settings.Global->IPAddresses = QStringList{"kept"};
        f.settings.Global->Populate(); // the settings still load
        QCOMPARE(f.settings.Global->Count(), 108);
        QCOMPARE(f.settings.Global->IPAddresses, QStringList{"kept"});
        QCOMPARE(f.doubles.modal.shown.size(), 1);
        const QString loadText = f.doubles.modal.last().text;
        QVERIFY2(loadText.startsWith("Could not load the list of IP addresses.\rReason: "),
                 qPrintable(loadText));
        QVERIFY(loadText.endsWith("\rRaised in TOrvoGlobalSettings.PopulateIPAddresses"));
        QCOMPARE(f.doubles.modal.last().kind, QStringLiteral("Information"));

        QVERIFY(!f.settings.Global->SaveIPAddresses());
        const QString saveText = f.doubles.modal.last().text;
        QVERIFY2(saveText.startsWith("Could not save the IP addresses. Reason: "), qPrintable(saveText));
        QVERIFY(saveText.endsWith("\rRaised in TOrvoGlobalSettings.SaveIPAddresses"));
    }

    void ipAddressMessagesInFull()
    {
        pw::test::PlatformDoubles doubles;
        TOrvoGlobalSettings global; // no connection: both operations fail in a known way
        global.PopulateIPAddresses();
        QCOMPARE(doubles.modal.shown.size(), 1);
        QCOMPARE(doubles.modal.last().text,
                 QStringLiteral("Could not load the list of IP addresses.\rReason: The query has no "
                                "connection\rRaised in TOrvoGlobalSettings.PopulateIPAddresses"));
        QCOMPARE(doubles.modal.last().kind, QStringLiteral("Information"));
        QCOMPARE(doubles.modal.last().buttons.size(), 1);

        global.IPAddresses = QStringList{"10.0.0.1"};
        QVERIFY(!global.SaveIPAddresses());
        QCOMPARE(doubles.modal.last().text,
                 QStringLiteral("Could not save the IP addresses. Reason: The query has no "
                                "connection\rRaised in TOrvoGlobalSettings.SaveIPAddresses"));
        QCOMPARE(doubles.modal.last().kind, QStringLiteral("Information"));
        QCOMPARE(global.IPAddresses, QStringList{"10.0.0.1"});
    }

    // The table is rewritten in one transaction: a refused address leaves the old list.
    void aFailedIpAddressSaveKeepsTheOldList()
    {
        Fixture f;
        f.db.insert("IPADDRESS", {{"Address", "10.0.0.1"}});
        f.db.scalar("CREATE TRIGGER refuse BEFORE INSERT ON IPADDRESS WHEN NEW.Address = 'bad' "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        f.settings.Global->IPAddresses = QStringList{"10.0.0.7", "bad"};
        QVERIFY(!f.settings.Global->SaveIPAddresses());
        QCOMPARE(f.db.count("IPADDRESS"), 1);
        QCOMPARE(f.db.scalar("SELECT Address FROM IPADDRESS").toString(), QStringLiteral("10.0.0.1"));
    }
};

QTEST_MAIN(TestOrvoSettings)
#include "test_orvo_settings.moc"
