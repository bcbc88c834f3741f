#include "db/dialect.h"
#include "errors/message_dialog.h"
#include "staff/tch_button.h"
#include "till/till_id.h"
#include "till/till_id_form.h"
#include "till/till_id_select.h"
#include "till/till_id_setup.h"
#include "till_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

namespace {

// Works the setup dialog: the number to register, then OK.
pw::platform::ScriptedModalRunner::Action registerAs(int tillID)
{
    return [tillID](QDialog& d) {
        auto& setup = static_cast<TfrmTillIDSetup&>(d);
        setup.spin->setValue(tillID);
        setup.btnOK->Click();
        return setup.result();
    };
}

} // namespace

class TestTillID : public QObject
{
    Q_OBJECT

private slots:
    void registeredComputerFoundWithoutDialog_data();
    void registeredComputerFoundWithoutDialog();
    void unregisteredComputerCancelled();
    void otherTillChosenIsNotThisComputers();
    void registeringThisComputerFromTheSelector();
    void failedRefreshShowsDialogAndGivesNoTill();

    void selectorOnEmptyTillsShowsNotSet();
    void selectorEnterLoadsSelectedTill();
    void setupProposesNextNumber_data();
    void setupProposesNextNumber();
    void setupShowsThisComputer();
    void takenNumberKeepsSetupOpen();
    void unreadableSerialDisablesOK_data();
    void unreadableSerialDisablesOK();
    void anotherComputerByName();
    void setupReportsDatabaseFailure();

    void tillIDFormShowsThisComputer();
    void tillIDFormRegistersAndDeletes();

    void hardDiskSerial_data();
    void hardDiskSerial();
    void volumeInfo();

    void payFloatStatement();
    void payFloatStatementIgnoresRegionalDecimalComma();
    void payFloatWritesRow();
    void payFloatReportsFailure();
};

// The computer's name in the table in any case; the lowest till number when two rows carry it.
void TestTillID::registeredComputerFoundWithoutDialog_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<int>("expected");
    QTest::newRow("lower case") << QStringList{QStringLiteral("till2"), QStringLiteral("kitchen-1")}
                                << QList<int>{1, 3} << 3;
    QTest::newRow("two rows") << QStringList{QStringLiteral("KITCHEN-1"), QStringLiteral("Kitchen-1")}
                              << QList<int>{5, 2} << 2;
}

void TestTillID::registeredComputerFoundWithoutDialog()
{
    QFETCH(QStringList, names);
    QFETCH(QList<int>, ids);
    QFETCH(int, expected);
    TillFixture f;
    for (int i = 0; i < names.size(); ++i)
        f.addTill(ids[i], names[i]);
    QCOMPARE(GetTillID(), expected);
    QVERIFY(f.doubles.modal.shown.isEmpty());
}

void TestTillID::unregisteredComputerCancelled()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    f.doubles.modal.answer(mrCancel);
    QCOMPARE(GetTillID(), -1);
    QCOMPARE(f.doubles.modal.classNames, QStringList{QStringLiteral("TfrmTillIDSelect")});
    QCOMPARE(f.doubles.modal.last().caption, QStringLiteral("Orvo Till ID's"));
}

void TestTillID::otherTillChosenIsNotThisComputers()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    f.doubles.modal.answerWith([](QDialog& d) {
        auto& select = static_cast<TfrmTillIDSelect&>(d);
        QTest::keyClick(&select, Qt::Key_Return);
        return select.result();
    });
    QCOMPARE(GetTillID(), -1);
}

void TestTillID::registeringThisComputerFromTheSelector()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    f.addTill(2, QStringLiteral("TILL2"));
    QString panelCaption;
    f.doubles.modal.answerWith([&](QDialog& d) {
        auto& select = static_cast<TfrmTillIDSelect&>(d);
        select.nav->BtnClick(pw::till::nbInsert);
        panelCaption = select.pnlTop->Caption();
        select.btnOK->Click();
        return select.result();
    });
    f.doubles.modal.answerWith(registerAs(3));

    QCOMPARE(GetTillID(), 3);
    QCOMPARE(panelCaption, QStringLiteral("3"));
    QVERIFY(f.doubles.modal.allAnswered());
    QCOMPARE(f.db.count(QStringLiteral("Tills")), 3);
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT [Computer Name] FROM Tills WHERE TillID = 3")).toString(),
             QStringLiteral("KITCHEN-1"));
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT [Login Name] FROM Tills WHERE TillID = 3")).toString(),
             QStringLiteral("cook"));
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT [HD Serial] FROM Tills WHERE TillID = 3")).toString(),
             QStringLiteral("1A2B-3C4D"));
    // Registered now, so the next start asks nothing.
    QCOMPARE(GetTillID(), 3);
    QCOMPARE(f.doubles.modal.shown.size(), 2);
}

void TestTillID::failedRefreshShowsDialogAndGivesNoTill()
{
    TillFixture f;
    f.db.exec(QStringLiteral("DROP TABLE Tills"));
    f.doubles.modal.answer(mrOk); // the refresh failure
    f.doubles.modal.answer(mrOk); // the selection dialog: OK on an empty list is Cancel
    QCOMPARE(GetTillID(), -1);
    QCOMPARE(f.doubles.modal.shown.size(), 2);
    QVERIFY(
        f.doubles.modal.shown[0].text.startsWith(QStringLiteral("Failed to refresh the query\r\rReason: ")));
    QCOMPARE(f.doubles.modal.classNames.last(), QStringLiteral("TfrmTillIDSelect"));
}

void TestTillID::selectorOnEmptyTillsShowsNotSet()
{
    TillFixture f;
    TfrmTillIDSelect select;
    QVERIFY(!select.DoRefresh());
    QCOMPARE(select.pnlTop->Caption(), QStringLiteral("Not Set"));
    QCOMPARE(select.pnlTop->Color(), QColor(Qt::red));
    QVERIFY(!select.btnOK->isEnabled());
    QCOMPARE(select.ThisTill->TillID(), -1);

    f.addTill(4, QStringLiteral("KITCHEN-1"));
    QVERIFY(select.DoRefresh());
    QCOMPARE(select.pnlTop->Caption(), QStringLiteral("4"));
    QVERIFY(select.pnlTop->Color() != QColor(Qt::red));
    QVERIFY(select.btnOK->isEnabled());
}

void TestTillID::selectorEnterLoadsSelectedTill()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    f.addTill(2, QStringLiteral("O'BRIEN-PC"), QStringLiteral("o'brien"));
    TfrmTillIDSelect select;
    f.doubles.modal.answerWith([](QDialog& d) {
        auto& form = static_cast<TfrmTillIDSelect&>(d);
        form.grid->setCurrentIndex(form.grid->model()->index(1, 0));
        QTest::keyClick(form.grid, Qt::Key_Return);
        return form.result();
    });
    QVERIFY(select.Execute());
    QCOMPARE(select.SelectedTill->TillID(), 2);
    QCOMPARE(select.SelectedTill->ComputerName(), QStringLiteral("O'BRIEN-PC"));
    QCOMPARE(select.SelectedTill->LoginName(), QStringLiteral("o'brien"));
    QCOMPARE(select.ThisTill->TillID(), -1);
}

void TestTillID::setupProposesNextNumber_data()
{
    QTest::addColumn<QList<int>>("registered");
    QTest::addColumn<int>("proposed");
    QTest::newRow("none") << QList<int>{} << 1;
    QTest::newRow("1, 2, 5") << QList<int>{2, 5, 1} << 6;
    QTest::newRow("beyond the spin's range") << QList<int>{3, 12} << 10;
}

void TestTillID::setupProposesNextNumber()
{
    QFETCH(QList<int>, registered);
    QFETCH(int, proposed);
    TillFixture f;
    for (int id : registered)
        f.addTill(id, QStringLiteral("TILL%1").arg(id));
    TfrmTillIDSetup setup;
    setup.SetAdoConnection(&f.dm.con);
    f.doubles.modal.answer(mrCancel);
    QCOMPARE(setup.ShowModal(), int(mrCancel));
    QCOMPARE(setup.spin->value(), proposed);
}

void TestTillID::setupShowsThisComputer()
{
    TillFixture f;
    f.doubles.systemInfo.computer = QStringLiteral("kitchen-1");
    TfrmTillIDSetup setup;
    setup.SetAdoConnection(&f.dm.con);
    QCOMPARE(setup.windowTitle(), QStringLiteral("Till Identification Setup"));
    f.doubles.modal.answerWith(registerAs(1));
    QCOMPARE(setup.ShowModal(), int(mrOk));
    QCOMPARE(setup.TillID(), 1);
    QCOMPARE(setup.ComputerName(), QStringLiteral("KITCHEN-1"));
    QCOMPARE(setup.UserName(), QStringLiteral("cook"));
    QCOMPARE(setup.HDSerial(), QStringLiteral("1A2B-3C4D"));
    QCOMPARE(setup.lblComputerName->text(), QStringLiteral("KITCHEN-1"));
    QCOMPARE(setup.lblUserName->text(), QStringLiteral("cook"));
    QCOMPARE(setup.lblHDSerial->text(), QStringLiteral("1A2B-3C4D"));
    QVERIFY(setup.btnOK->isEnabled());
    QCOMPARE(f.doubles.modal.shown.size(), 1);
}

void TestTillID::takenNumberKeepsSetupOpen()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("o'brien-pc"));
    TfrmTillIDSetup setup;
    setup.SetAdoConnection(&f.dm.con);
    int resultAfterTaken = -1;
    f.doubles.modal.answerWith([&](QDialog& d) {
        auto& form = static_cast<TfrmTillIDSetup&>(d);
        form.spin->setValue(1);
        QTest::keyClick(&form, Qt::Key_Return); // the default button
        resultAfterTaken = form.result();
        form.spin->setValue(3);
        form.btnOK->Click();
        return form.result();
    });
    QCOMPARE(setup.ShowModal(), int(mrOk));
    QCOMPARE(resultAfterTaken, int(mrNone));
    QCOMPARE(setup.TillID(), 3);
    QCOMPARE(f.doubles.modal.shown.size(), 2);
    QCOMPARE(f.doubles.modal.shown[1].kind, QStringLiteral("Information"));
    QCOMPARE(f.doubles.modal.shown[1].text,
             QStringLiteral("The Till ID 1 has already been registered by...\rComputer: O'BRIEN-PC"));
}

void TestTillID::unreadableSerialDisablesOK_data()
{
    QTest::addColumn<bool>("readable");
    QTest::newRow("serial 0") << true;
    QTest::newRow("volume unreadable") << false;
}

void TestTillID::unreadableSerialDisablesOK()
{
    QFETCH(bool, readable);
    TillFixture f;
    f.doubles.systemInfo.serial = readable ? std::optional<std::uint32_t>(0) : std::nullopt;
    TfrmTillIDSetup setup;
    setup.SetAdoConnection(&f.dm.con);
    f.doubles.modal.answer(mrOk); // the message
    f.doubles.modal.answer(mrCancel);
    QCOMPARE(setup.ShowModal(), int(mrCancel));
    QCOMPARE(f.doubles.modal.shown[0].kind, QStringLiteral("Information"));
    QCOMPARE(f.doubles.modal.shown[0].text, QStringLiteral("The specified computer could not be found"));
    QCOMPARE(setup.HDSerial(), QStringLiteral("0"));
    QVERIFY(!setup.btnOK->isEnabled());
}

// Another computer's drive is asked for by server name, which cannot be read here.
void TestTillID::anotherComputerByName()
{
    TillFixture f;
    TfrmTillIDSetup setup;
    setup.SetAdoConnection(&f.dm.con);
    setup.SetComputer(QString());
    f.doubles.modal.answerWith([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("edit"))->setText(QStringLiteral("till7"));
        return int(mrOk);
    });
    setup.radAnotherPC->setChecked(true);
    setup.radAnotherPCClick();
    QCOMPARE(setup.ComputerName(), QStringLiteral("TILL7"));
    QCOMPARE(setup.HDSerial(), QStringLiteral("0"));
    QVERIFY(!setup.btnOK->isEnabled());
    QVERIFY(setup.btnAnotherPC->isEnabled());
    QCOMPARE(f.doubles.modal.last().text, QStringLiteral("The specified computer could not be found"));

    // Naming this computer goes back to "This Computer".
    f.doubles.modal.answerWith([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("edit"))->setText(QStringLiteral("kitchen-1"));
        return int(mrOk);
    });
    setup.AskOtherComputer();
    QVERIFY(setup.radThisPC->isChecked());
    QVERIFY(!setup.btnAnotherPC->isEnabled());
    QCOMPARE(setup.ComputerName(), QStringLiteral("KITCHEN-1"));
    QVERIFY(setup.btnOK->isEnabled());
}

void TestTillID::setupReportsDatabaseFailure()
{
    TillFixture f;
    f.db.exec(QStringLiteral("DROP TABLE Tills"));
    TfrmTillIDSetup setup;
    setup.SetAdoConnection(&f.dm.con);
    setup.GetNextTillID();
    QCOMPARE(f.doubles.modal.last().kind, QStringLiteral("Error"));
    QVERIFY(f.doubles.modal.last().text.startsWith(
        QStringLiteral("Failed to locate the list of used till ID's\r\rError: ")));
    QVERIFY(f.doubles.modal.last().text.endsWith(
        QStringLiteral("\r\rException Raised In: TfrmTillIDSetup.GetNextTillID")));
    setup.btnOKClick();
    QVERIFY(
        f.doubles.modal.last().text.startsWith(QStringLiteral("Failed to update the till ID\r\rError: ")));
    QVERIFY(f.doubles.modal.last().text.endsWith(
        QStringLiteral("\r\rException Raised In: TfrmTillIDSetup.btnOKClick")));
    QCOMPARE(setup.result(), int(mrNone));
}

void TestTillID::tillIDFormShowsThisComputer()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    TfrmTillID form;
    form.SetAdoConnection(&f.dm.con);
    f.doubles.modal.answer(mrOk);
    form.ShowModal();
    QCOMPARE(form.ID(), 0);
    QCOMPARE(form.lblTillID->text(), QStringLiteral("Not Set"));
    QCOMPARE(form.lblTillID->palette().color(QPalette::Window), QColor(Qt::red));

    f.addTill(7, QStringLiteral("kitchen-1"));
    f.doubles.modal.answerWith([](QDialog& d) {
        static_cast<TfrmTillID&>(d).btnOK->Click();
        return d.result();
    });
    QCOMPARE(form.ShowModal(), int(mrOk));
    QCOMPARE(form.ID(), 7);
    QCOMPARE(form.lblTillID->text(), QStringLiteral("7"));
}

void TestTillID::tillIDFormRegistersAndDeletes()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    TfrmTillID form;
    form.SetAdoConnection(&f.dm.con);
    QVERIFY(form.RefreshData());

    f.doubles.modal.answerWith(registerAs(2));
    form.dbnav->BtnClick(pw::till::nbInsert);
    QCOMPARE(form.ID(), 2);
    QCOMPARE(f.db.count(QStringLiteral("Tills"), QStringLiteral("TillID = 2")), 1);
    QCOMPARE(form.qryTills->state(), pw::till::DataSetState::Browse);

    // A cancelled registration leaves no row behind.
    f.doubles.modal.answer(mrCancel);
    form.dbnav->BtnClick(pw::till::nbInsert);
    QCOMPARE(f.db.count(QStringLiteral("Tills")), 2);
    QCOMPARE(form.qryTills->state(), pw::till::DataSetState::Browse);

    // The navigator asks before it deletes this computer's row.
    QVERIFY(form.qryTills->locate(QStringLiteral("TillID"), 2));
    f.doubles.modal.answer(mrCancel);
    form.dbnav->BtnClick(pw::till::nbDelete);
    QCOMPARE(f.db.count(QStringLiteral("Tills")), 2);
    QCOMPARE(f.doubles.modal.last().text, QStringLiteral("Delete record?"));
    f.doubles.modal.answer(mrOk);
    form.dbnav->BtnClick(pw::till::nbDelete);
    QCOMPARE(f.db.count(QStringLiteral("Tills")), 1);
    QCOMPARE(f.db.count(QStringLiteral("Tills"), QStringLiteral("TillID = 1")), 1);
    QCOMPARE(form.ID(), 0);
    QCOMPARE(form.lblTillID->text(), QStringLiteral("Not Set"));
}

void TestTillID::hardDiskSerial_data()
{
    QTest::addColumn<std::optional<std::uint32_t>>("serial");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("expected");
    using Serial = std::optional<std::uint32_t>;
    QTest::newRow("1A2B3C4D") << Serial(0x1A2B3C4Du) << QString() << QStringLiteral("1A2B-3C4D");
    QTest::newRow("0A2B3C4D") << Serial(0x0A2B3C4Du) << QString() << QStringLiteral("A2B3-C4D");
    QTest::newRow("1234") << Serial(0x1234u) << QString() << QStringLiteral("1234-");
    QTest::newRow("upper case") << Serial(0xABCDEF01u) << QString() << QStringLiteral("ABCD-EF01");
    QTest::newRow("zero") << Serial(0u) << QString() << QStringLiteral("0");
    QTest::newRow("unreadable") << Serial() << QString() << QStringLiteral("0");
    QTest::newRow("server name") << Serial(0x1A2B3C4Du) << QStringLiteral("TILL2") << QStringLiteral("0");
}

void TestTillID::hardDiskSerial()
{
    QFETCH(std::optional<std::uint32_t>, serial);
    QFETCH(QString, server);
    QFETCH(QString, expected);
    pw::test::PlatformDoubles doubles;
    doubles.systemInfo.serial = serial;
    QCOMPARE(GetHardDiskSerial(QLatin1Char('C'), server), expected);
}

void TestTillID::volumeInfo()
{
    pw::test::PlatformDoubles doubles;
    doubles.systemInfo.volume = QStringLiteral("SYSTEM");
    TVolumeInfo info;
    GetVolumeInfo(QLatin1Char('C'), QString(), info);
    QCOMPARE(info.SerialNumber, 0x1A2B3C4Du);
    QCOMPARE(info.VolumeName, QStringLiteral("SYSTEM"));

    GetVolumeInfo(QLatin1Char('C'), QStringLiteral("TILL2"), info);
    QCOMPARE(info.SerialNumber, 0u);
    QVERIFY(info.VolumeName.isEmpty());
    QVERIFY(info.FileSystemName.isEmpty());
}

void TestTillID::payFloatStatement()
{
    const pw::db::SqlServerDialect sqlServer;
    QCOMPARE(
        PayFloatStatement(sqlServer, 12, 7, QStringLiteral("JOHN"), 500, QDate(2024, 5, 1)),
        (QStringList{QStringLiteral("INSERT INTO CASHUP"),
                     QStringLiteral("(SHIFTNUM, [DATE], CLASS, NUMBER, [NAME], AMOUNT)"),
                     QStringLiteral("VALUES(12,'2024-05-01', 'FloatIssue', 7, 'Paid out to JOHN', -500);")}));
    QCOMPARE(PayFloatStatement(sqlServer, 1, 2, QStringLiteral("O'Brien"), 12.5, QDate(2024, 5, 1)).last(),
             QStringLiteral("VALUES(1,'2024-05-01', 'FloatIssue', 2, 'Paid out to O''Brien', -12.5);"));
}

void TestTillID::payFloatStatementIgnoresRegionalDecimalComma()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const pw::db::SqlServerDialect sqlServer;
    const QString values =
        PayFloatStatement(sqlServer, 1, 2, QStringLiteral("ANN"), 1234.75, QDate(2024, 5, 1)).last();
    QLocale::setDefault(previous);
    QCOMPARE(values, QStringLiteral("VALUES(1,'2024-05-01', 'FloatIssue', 2, 'Paid out to ANN', -1234.75);"));
}

void TestTillID::payFloatWritesRow()
{
    TillFixture f;
    f.doubles.clock.set(QDateTime(QDate(2024, 5, 1), QTime(23, 30)));
    QVERIFY(PayFloatFromTill(12, 7, QStringLiteral("O'Brien"), 12.5));
    QVERIFY(f.doubles.modal.shown.isEmpty());
    QCOMPARE(f.db.count(QStringLiteral("CASHUP")), 1);
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT SHIFTNUM FROM CASHUP")).toInt(), 12);
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT NUMBER FROM CASHUP")).toInt(), 7);
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT CLASS FROM CASHUP")).toString(),
             QStringLiteral("FloatIssue"));
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT [NAME] FROM CASHUP")).toString(),
             QStringLiteral("Paid out to O'Brien"));
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT AMOUNT FROM CASHUP")).toDouble(), -12.5);
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT [DATE] FROM CASHUP")).toString(),
             QStringLiteral("2024-05-01 00:00:00"));
}

void TestTillID::payFloatReportsFailure()
{
    TillFixture f;
    f.db.exec(QStringLiteral("DROP TABLE CASHUP"));
    QVERIFY(!PayFloatFromTill(12, 7, QStringLiteral("JOHN"), 500));
    QCOMPARE(f.doubles.modal.shown.size(), 1);
    QCOMPARE(f.doubles.modal.last().kind, QStringLiteral("Information"));
    QVERIFY(f.doubles.modal.last().text.startsWith(
        QStringLiteral("Could not save the float details into the till. Reason: ")));
    QVERIFY(f.doubles.modal.last().text.contains(QStringLiteral("CASHUP")));
    QVERIFY(f.doubles.modal.last().text.endsWith(QStringLiteral("\rRaised in [modTillID] PayFloatFromTill")));
    QCOMPARE(f.doubles.modal.last().buttons, QStringList{QStringLiteral("OK")});
}

QTEST_MAIN(TestTillID)
#include "test_till_id.moc"
