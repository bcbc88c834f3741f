#include "db/connection_dialog.h"
#include "db/dm_orvo.h"
#include "db/zq_ado_connection.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "platform_doubles.h"
#include "test_database.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kKey = QStringLiteral("\\Software\\Zenquil\\Orvo");
const QString kStringValue = QStringLiteral("Msde-ConnectionString");
const QString kFailedValue = QStringLiteral("Msde-Failed");

// What the data module offers on a computer that has never connected.
const QString kOrvoDefault = QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=True;User ID=orvo;"
                                            "Password=kvw;Initial Catalog=bbSql;Data Source=192.168.0.10;");

const QString kFirstStartMessage =
    QStringLiteral("Use the following window to specify a connection string for [Orvo:Msde]");
const QString kLastAttemptMessage =
    QStringLiteral("The last attempt to connect to [Orvo:Msde] failed\r\r"
                   "Use the next window to verify the connection settings are correct");

QString sqliteString(const QString& file)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + file + ';';
}

// Answers the connection dialog by pointing it at a SQLite file, noting what it was offered.
pw::platform::ScriptedModalRunner::Action pointAt(const QString& file, QString* offered)
{
    return [file, offered](QDialog& dialog) {
        auto& connection = dynamic_cast<TConnectionDialog&>(dialog);
        *offered = connection.ConnectionString();
        connection.SetProvider(TConnectionDialog::SqliteFile);
        connection.edServer->setText(file);
        return int(QDialog::Accepted);
    };
}

} // namespace

class TestConnectionProfile : public QObject
{
    Q_OBJECT

private slots:
    void defaultStrings_data();
    void defaultStrings();
    void firstStartOffersTheDefaultAndStoresTheChoice();
    void cancellingTheDialogStoresTheOfferedString();
    void failedOpenIsReportedWithoutThePasswordAndOfferedAgain();
    void unopenableRegistryKeyIsTheReason();
    void builtInProfiles_data();
    void builtInProfiles();
    void unknownProfileTouchesNothing();
    void dialogEditsInPlaceAndShowsNoPassword();
    void dialogCancelReturnsTheGivenString();
    void dialogTestsWithoutClosing();
};

void TestConnectionProfile::defaultStrings_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("databaseFile");
    QTest::addColumn<QString>("expected");
    const QString common = QStringLiteral("Persist Security Info=True;User ID=u;Password=p;Initial Catalog=c;"
                                          "Data Source=s;");
    QTest::newRow("SQL Server") << int(ckSqlServer) << QString()
                                << QStringLiteral("Provider=SQLOLEDB.1;") + common;
    QTest::newRow("FoxPro tables")
        << int(ckFoxProTables) << QString()
        << QStringLiteral("Provider=MSDASQL.1;") + common +
               QStringLiteral("Extended Properties=\"Driver={Microsoft Visual FoxPro Driver};SourceDB=c:\\zq;"
                              "SourceType=DBF;Exclusive=No;BackgroundFetch=Yes;Collate=Machine;Null=No;"
                              "Deleted=Yes;\"");
    QTest::newRow("Access without a file")
        << int(ckAccess) << QString()
        << QStringLiteral("Provider=MSDASQL.1;") + common +
               QStringLiteral(
                   "DRIVER=Microsoft Access Driver (*.mdb);UID=admin;UserCommitSync=Yes;Threads=3;"
                   "SafeTransactions=0;PageTimeout=5;MaxScanRows=8;MaxBufferSize=2048;FIL=MS Access;"
                   "DriverId=25;DefaultDir=c:\\zq;DBQ=;");
    QTest::newRow("Access") << int(ckAccess) << QStringLiteral("orvo.mdb")
                            << QStringLiteral("Provider=MSDASQL.1;") + common +
                                   QStringLiteral(
                                       "DRIVER=Microsoft Access Driver (*.mdb);UID=admin;"
                                       "UserCommitSync=Yes;Threads=3;SafeTransactions=0;PageTimeout=5;"
                                       "MaxScanRows=8;MaxBufferSize=2048;FIL=MS Access;DriverId=25;"
                                       "DefaultDir=c:\\zq;DBQ=orvo.mdb;");
    QTest::newRow("unknown kind") << 7 << QString() << QStringLiteral("Provider=;") + common;
}

void TestConnectionProfile::defaultStrings()
{
    QFETCH(int, kind);
    QFETCH(QString, databaseFile);
    QFETCH(QString, expected);
    TConnectionDefaults defaults{static_cast<TConnectionKind>(kind),
                                 QStringLiteral("u"),
                                 QStringLiteral("p"),
                                 QStringLiteral("c"),
                                 QStringLiteral("s"),
                                 QStringLiteral("c:\\zq"),
                                 databaseFile};
    TZqAdoConnection connector;
    connector.SetDefaults(defaults);
    QCOMPARE(connector.ConnectionString(), expected);
}

void TestConnectionProfile::firstStartOffersTheDefaultAndStoresTheChoice()
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase database;
    QString offered;
    doubles.modal.answer(mrOk);
    doubles.modal.answerWith(pointAt(database.file(), &offered));

    TdmOrvo dm;
    dm.SetConnected();

    QVERIFY(dm.IsConnected());
    QCOMPARE(doubles.modal.shown.size(), 2);
    QCOMPARE(doubles.modal.shown[0].kind, QStringLiteral("Information"));
    QCOMPARE(doubles.modal.shown[0].text, kFirstStartMessage);
    QCOMPARE(doubles.modal.shown[0].buttons, QStringList{QStringLiteral("OK")});
    QCOMPARE(doubles.modal.classNames[1], QStringLiteral("TConnectionDialog"));
    QCOMPARE(offered, kOrvoDefault);
    QCOMPARE(doubles.registry.value(kKey, kStringValue).toString(), sqliteString(database.file()));
    QCOMPARE(doubles.registry.value(kKey, kFailedValue).toInt(), 0);

    // A string that works is not shown again.
    TdmOrvo next;
    next.SetConnected();
    QVERIFY(next.IsConnected());
    QCOMPARE(doubles.modal.shown.size(), 2);
}

void TestConnectionProfile::cancellingTheDialogStoresTheOfferedString()
{
    pw::test::PlatformDoubles doubles;
    doubles.modal.answer(mrOk);
    doubles.modal.answer(QDialog::Rejected);
    TdmOrvo dm;
    TZqAdoConnection connector;
    connector.SetDefaults(dm.Defaults());
    connector.SetApplicationName(QStringLiteral("Orvo"));
    connector.SetConnectionName(QStringLiteral("Msde"));

    QCOMPARE(connector.GetConnectionString(), kOrvoDefault);
    QCOMPARE(doubles.registry.value(kKey, kStringValue).toString(), kOrvoDefault);
    QVERIFY(doubles.modal.allAnswered());
}

void TestConnectionProfile::failedOpenIsReportedWithoutThePasswordAndOfferedAgain()
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase database;
    const QString missing = database.folder() + QStringLiteral("/moved.db");
    const QString stored = sqliteString(missing) + QStringLiteral("User ID=orvo;Password=kvw;");
    doubles.registry.writeString(kKey, kStringValue, stored);

    {
        TdmOrvo dm;
        dm.SetConnected();
        QVERIFY(!dm.IsConnected());
    }
    QCOMPARE(doubles.modal.shown.size(), 1);
    const pw::platform::ShownDialog report = doubles.modal.shown[0];
    QCOMPARE(report.kind, QStringLiteral("Error"));
    QVERIFY2(report.text.startsWith(QStringLiteral("Connect to the orvo MSDE\rReason: ")),
             qPrintable(report.text));
    QVERIFY2(report.text.endsWith(
                 QStringLiteral("\rConnection String: ") + sqliteString(missing) +
                 QStringLiteral("User ID=orvo;Password=********;\r\rRaised In: TdmMain.SetConnected")),
             qPrintable(report.text));
    QVERIFY(!report.text.contains(QStringLiteral("kvw")));
    QCOMPARE(doubles.registry.value(kKey, kFailedValue).toInt(), 1);

    // The next start says so and offers the stored string for correcting.
    QString offered;
    doubles.modal.answer(mrOk);
    doubles.modal.answerWith(pointAt(database.file(), &offered));
    {
        TdmOrvo dm;
        dm.SetConnected();
        QVERIFY(dm.IsConnected());
    }
    QCOMPARE(doubles.modal.shown.size(), 3);
    QCOMPARE(doubles.modal.shown[1].kind, QStringLiteral("Information"));
    QCOMPARE(doubles.modal.shown[1].text, kLastAttemptMessage);
    QCOMPARE(offered, stored);
    QCOMPARE(doubles.registry.value(kKey, kFailedValue).toInt(), 0);

    // Only a successful open cleared the flag, so the start after that asks nothing.
    TdmOrvo third;
    third.SetConnected();
    QVERIFY(third.IsConnected());
    QCOMPARE(doubles.modal.shown.size(), 3);
}

void TestConnectionProfile::unopenableRegistryKeyIsTheReason()
{
    pw::test::PlatformDoubles doubles;
    doubles.registry.setBlocked(true);
    TdmOrvo dm;
    dm.SetConnected();
    QVERIFY(!dm.IsConnected());
    QCOMPARE(doubles.modal.shown.size(), 1);
    QCOMPARE(doubles.modal.shown[0].text,
             QStringLiteral(
                 "Connect to the orvo MSDE\rReason: Failed to open the registry key \\Software\\Zenquil\\Orvo"
                 "\rConnection String: \r\rRaised In: TdmMain.SetConnected"));
}

void TestConnectionProfile::builtInProfiles_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("offered");
    QTest::newRow("0: shop server") << 0
                                    << QStringLiteral(
                                           "Provider=SQLOLEDB.1;Persist Security Info=True;User ID=orvo;"
                                           "Password=;Initial Catalog=bbSql;Data Source=192.168.0.10;");
    QTest::newRow("1: this computer")
        << 1
        << QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=True;User ID=sa;"
                          "Password=;Initial Catalog=bbSqlLocal;Data Source=127.0.0.1;");
    QTest::newRow("2: FoxPro tables")
        << 2
        << QStringLiteral("Provider=MSDASQL.1;Persist Security Info=True;User ID=;Password=;Initial Catalog=;"
                          "Data Source=;Extended Properties=\"Driver={Microsoft Visual FoxPro Driver};"
                          "SourceDB=c:\\zq;SourceType=DBF;Exclusive=No;BackgroundFetch=Yes;Collate=Machine;"
                          "Null=No;Deleted=Yes;\"");
}

void TestConnectionProfile::builtInProfiles()
{
    QFETCH(int, index);
    QFETCH(QString, offered);
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase database;
    QString seen;
    doubles.modal.answer(mrOk);
    doubles.modal.answerWith(pointAt(database.file(), &seen));
    TZqAdoConnection connector;
    if (index != 0) { // profile 0 names the application itself; the others keep what they are given
        connector.SetApplicationName(QStringLiteral("Orvo"));
        connector.SetConnectionName(QStringLiteral("Msde"));
    }
    pw::db::Connection connection;

    QVERIFY(connector.ConnectWithDefaults(connection, index));
    QVERIFY(connection.connected());
    QCOMPARE(seen, offered);
    QCOMPARE(connector.RegistryName().KeyPath, kKey);
    QCOMPARE(doubles.modal.shown[0].text, kFirstStartMessage);
    QCOMPARE(doubles.registry.value(kKey, kStringValue).toString(), sqliteString(database.file()));
}

void TestConnectionProfile::unknownProfileTouchesNothing()
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase database;
    TZqAdoConnection connector;
    const QString before = database.connection().connectionString();
    QVERIFY_THROWS_EXCEPTION(pw::Exception, connector.ConnectWithDefaults(database.connection(), 3));
    try {
        connector.ConnectWithDefaults(database.connection(), -1);
        QFAIL("profile -1 was accepted");
    } catch (const pw::Exception& e) {
        QCOMPARE(e.message(), QStringLiteral("No connection defaults specified"));
    }
    QVERIFY(database.connection().connected());
    QCOMPARE(database.connection().connectionString(), before);
    QVERIFY(doubles.modal.shown.isEmpty());
}

void TestConnectionProfile::dialogEditsInPlaceAndShowsNoPassword()
{
    TConnectionDialog dialog(kOrvoDefault);
    QCOMPARE(dialog.SelectedProvider(), TConnectionDialog::SqlServer);
    QCOMPARE(dialog.edServer->text(), QStringLiteral("192.168.0.10"));
    QCOMPARE(dialog.edCatalog->text(), QStringLiteral("bbSql"));
    QCOMPARE(dialog.edUser->text(), QStringLiteral("orvo"));
    QCOMPARE(dialog.edPassword->text(), QStringLiteral("kvw"));

    dialog.edServer->setText(QStringLiteral("KITCHEN\\SQLEXPRESS"));
    dialog.edPassword->setText(QStringLiteral("k;w"));
    const QString edited =
        QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=True;User ID=orvo;"
                       "Password=\"k;w\";Initial Catalog=bbSql;Data Source=KITCHEN\\SQLEXPRESS;");
    QCOMPARE(dialog.ConnectionString(), edited);
    QCOMPARE(dialog.memConnectionString->toPlainText(),
             QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=True;User ID=orvo;Password=********;"
                            "Initial Catalog=bbSql;Data Source=KITCHEN\\SQLEXPRESS;"));

    dialog.SetProvider(TConnectionDialog::SqliteFile);
    dialog.edServer->setText(QStringLiteral("/srv/orvo.db"));
    QCOMPARE(dialog.ConnectionString(), QStringLiteral("Provider=SQLite;Data Source=/srv/orvo.db;"));
    QVERIFY(!dialog.edPassword->isEnabled());
}

void TestConnectionProfile::dialogCancelReturnsTheGivenString()
{
    pw::test::PlatformDoubles doubles;
    doubles.modal.answerWith([](QDialog& dialog) {
        dynamic_cast<TConnectionDialog&>(dialog).edServer->setText(QStringLiteral("elsewhere"));
        return int(QDialog::Rejected);
    });
    QCOMPARE(EditConnectionString(kOrvoDefault), kOrvoDefault);
    QCOMPARE(doubles.modal.last().buttons, (QStringList{QStringLiteral("Test Connection"),
                                                        QStringLiteral("OK"), QStringLiteral("Cancel")}));
    QVERIFY(!doubles.modal.last().text.contains(QStringLiteral("kvw")));
}

void TestConnectionProfile::dialogTestsWithoutClosing()
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase database;
    const QString missing = database.folder() + QStringLiteral("/none.db");
    bool stayedOpen = false;
    doubles.modal.answerWith([&](QDialog& dialog) {
        auto& connection = dynamic_cast<TConnectionDialog&>(dialog);
        dialog.show();
        connection.SetProvider(TConnectionDialog::SqliteFile);
        connection.edServer->setText(missing);
        connection.btnTest->click();
        connection.edServer->setText(database.file());
        connection.btnTest->click();
        stayedOpen = dialog.isVisible() && dialog.result() == 0;
        connection.btnOK->click();
        return dialog.result();
    });
    QCOMPARE(EditConnectionString(kOrvoDefault), sqliteString(database.file()));
    QVERIFY(stayedOpen);
    QCOMPARE(doubles.modal.shown.size(), 3);
    QCOMPARE(doubles.modal.shown[1].kind, QStringLiteral("Error"));
    QVERIFY2(doubles.modal.shown[1].text.startsWith(QStringLiteral("Test connection failed.\rReason: ")),
             qPrintable(doubles.modal.shown[1].text));
    QVERIFY(doubles.modal.shown[1].text.contains(missing));
    QCOMPARE(doubles.modal.shown[2].kind, QStringLiteral("Information"));
    QCOMPARE(doubles.modal.shown[2].text, QStringLiteral("Test connection succeeded."));
}

QTEST_MAIN(TestConnectionProfile)
#include "test_connection_profile.moc"
