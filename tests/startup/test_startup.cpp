#include "db/dm_orvo.h"
#include "db/generic_db.h"
#include "errors/file_version.h"
#include "errors/message_dialog.h"
#include "kitchen/kitchen_labels.h"
#include "kitchen/main_form.h"
#include "platform_doubles.h"
#include "settings/orvo_settings.h"
#include "startup/program.h"
#include "startup/splash_screen.h"
#include "test_database.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

using pw::startup::StartOutcome;
using pw::startup::TProgram;

namespace {

const QString kKeyPath = QStringLiteral("\\Software\\Zenquil\\Orvo");

// A workstation whose connection profile points at a fresh shop database.
struct StartupFixture
{
    pw::test::PlatformDoubles doubles;
    pw::test::TestDatabase db;

    StartupFixture()
    {
        doubles.registry.openKey(kKeyPath, true);
        doubles.registry.writeString(kKeyPath, "Msde-ConnectionString", db.connectionString());
        doubles.registry.writeBool(kKeyPath, "Msde-Failed", false);
    }

    void registerThisComputer(int tillID)
    {
        db.insert("Tills", {{"TillID", tillID},
                            {"Computer Name", "kitchen-1"},
                            {"HD Serial", "1A2B-3C4D"},
                            {"Login Name", "cook"}});
    }
};

const QStringList kAllSteps{"dmOrvo",        "SetConnected", "GenericDB",       "GetTillID", "OrvoSettings",
                            "KitchenLabels", "frmMain",      "frmSplashScreen", "frmTillID", "Ready"};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void secondCopyEnds();
    void startsOnARegisteredTill();
    void messageLoopUntilMainWindowCloses();
    void endsQuietlyWithoutATill();
    void endsAfterTheReportWithoutAConnection();
    void programFileName();
    void splashScreen();
};

// Runs first: the application title is still the program file's name.
void TestStartup::secondCopyEnds()
{
    StartupFixture f;
    f.registerThisComputer(3);
    const QString defaultTitle = QGuiApplication::applicationDisplayName();
    {
        TProgram program;
        QCOMPARE(program.Start(true), StartOutcome::AnotherCopyRunning);
        // Connection, till and settings, as in any start; then it ends before its windows.
        QCOMPARE(program.Steps, kAllSteps.mid(0, 6) << "AnotherCopyRunning");
        QCOMPARE(program.TillID, 3);
        QVERIFY(!frmMain);
        QVERIFY(!frmSplashScreen);
        QCOMPARE(f.doubles.singleInstance.activated, QStringList({defaultTitle}));
        QVERIFY(f.doubles.modal.shown.isEmpty());
    }
    QVERIFY(!dmOrvo);
    QVERIFY(!OrvoSettings);
}

void TestStartup::startsOnARegisteredTill()
{
    StartupFixture f;
    f.registerThisComputer(2);
    {
        TProgram program;
        QCOMPARE(program.Start(false), StartOutcome::Ready);
        QCOMPARE(program.Steps, kAllSteps);
        QVERIFY(f.doubles.modal.shown.isEmpty());
        QVERIFY(dmOrvo && dmOrvo->IsConnected());
        QVERIFY(GenericDB && GenericDB->Connection == &dmOrvo->con);
        QVERIFY(OrvoSettings);
        QCOMPARE(OrvoSettings->TillID, 2);
        QCOMPARE(OrvoSettings->AdoConnection(), &dmOrvo->con);
        // GLOBAL first, then this till's own class.
        QCOMPARE(OrvoSettings->Global->Key("DAY START")->Value(), QString("05:00"));
        QCOMPARE(OrvoSettings->Local->Key("PLABEL DEV")->Class(), QString("2"));
        QCOMPARE(OrvoSettings->Local->Till->TillID(), 2);
        QVERIFY(KitchenLabels);
        QVERIFY(frmMain);
        QVERIFY(!frmMain->isVisible());
        QVERIFY(frmSplashScreen);
        QVERIFY(!frmSplashScreen->isVisible());
        QCOMPARE(frmSplashScreen->lblStatus->text(), QString("Ready..."));
        QVERIFY(!frmSplashScreen->Timer1->isActive());
    }
    QVERIFY(!dmOrvo);
    QVERIFY(!GenericDB);
    QVERIFY(!OrvoSettings);
    QVERIFY(!KitchenLabels);
    QVERIFY(!frmMain);
}

void TestStartup::messageLoopUntilMainWindowCloses()
{
    StartupFixture f;
    f.registerThisComputer(1);
    TProgram program;
    QCOMPARE(program.Start(false), StartOutcome::Ready);
    QString titleWhileRunning;
    QTimer::singleShot(0, [&] {
        titleWhileRunning = frmMain->windowTitle();
        QTest::keyClick(frmMain, Qt::Key_0, Qt::KeypadModifier);
    });
    QCOMPARE(program.Run(), 0);
    QVERIFY(!frmMain->isVisible());
    QCOMPARE(titleWhileRunning, "Order Preparation. Version: " + TFileVersion::StampedVersion());
}

void TestStartup::endsQuietlyWithoutATill()
{
    StartupFixture f;
    f.doubles.modal.answer(mrCancel);
    TProgram program;
    QCOMPARE(program.Start(false), StartOutcome::NoTill);
    QCOMPARE(program.Steps, kAllSteps.mid(0, 4));
    QVERIFY(program.TillID <= 0);
    // Only the till selection was offered; no message of its own.
    QCOMPARE(f.doubles.modal.classNames, QStringList({"TfrmTillIDSelect"}));
    QVERIFY(!OrvoSettings);
    QVERIFY(!frmMain);
}

void TestStartup::endsAfterTheReportWithoutAConnection()
{
    StartupFixture f;
    f.doubles.registry.writeString(kKeyPath, "Msde-ConnectionString",
                                   "Provider=SQLite;Data Source=" + f.db.folder() + "/gone.db");
    TProgram program;
    QCOMPARE(program.Start(false), StartOutcome::NotConnected);
    QCOMPARE(program.Steps, kAllSteps.mid(0, 2));
    QCOMPARE(f.doubles.modal.shown.size(), 1);
    QVERIFY(f.doubles.modal.last().text.startsWith("Connect to the orvo MSDE\rReason: "));
    QVERIFY(f.doubles.modal.last().text.endsWith("Raised In: TdmMain.SetConnected"));
    QCOMPARE(f.doubles.registry.readBool(kKeyPath, "Msde-Failed"), std::optional<bool>(true));
    QVERIFY(!GenericDB);
    QVERIFY(!frmMain);
    QVERIFY(!frmSplashScreen);
}

void TestStartup::programFileName()
{
    QCOMPARE(pw::startup::ProgramFileName("/opt/platewatch/bin/platewatch"), QString("platewatch"));
}

void TestStartup::splashScreen()
{
    TfrmSplashScreen splash;
    QCOMPARE(splash.windowTitle(), QString("Zenquil"));
    QCOMPARE(splash.size(), QSize(263, 256));
    QCOMPARE(splash.lblStatus->text(), QString("Progress Information Goes Here"));
    QVERIFY(!splash.Timer1->isActive());
    QCOMPARE(splash.Timer1->interval(), 1000);
    splash.SetNoOfSteps(4);
    QCOMPARE(splash.prg->maximum(), 4);
    splash.ShowStatus("Connecting...", true);
    QVERIFY(splash.isVisible());
    QVERIFY(splash.Timer1->isActive());
    QCOMPARE(splash.lblStatus->text(), QString("Connecting..."));
    QCOMPARE(splash.prg->value(), 1);
    splash.ShowStatus("Loading settings...", false);
    QCOMPARE(splash.prg->value(), 1);
    splash.StayOnTop = true;
    splash.Timer1Timer();
    QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(splash.isVisible());
    splash.close();
    QVERIFY(!splash.Timer1->isActive());
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
