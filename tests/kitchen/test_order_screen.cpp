#include "kitchen_fixture.h"

#include "db/dialect.h"
#include "db/query.h"
#include "errors/exception.h"
#include "kitchen/button_sizes.h"
#include "kitchen/late_colouring.h"
#include "kitchen/order_sql.h"
#include "kitchen/trading_day.h"
#include "kitchen/virtual_keys.h"

#include <QFile>
#include <QTest>

using pw::test::KitchenFixture;
using namespace pw::kitchen;

namespace {

constexpr double kMinute = 1.0 / (24.0 * 60.0);

QStringList expectedPreparing(const QString& start, const QString& end, bool monitor)
{
    QStringList lines{"SELECT Invoices.InvoiceNum, Invoices.Date, Invoices.OrderNum,",
                      "       Invoices.Telephone, Invoices.NotifyName, Invoices.TimeDue,",
                      "       Employee.Firstname, Employee.Lastname, TimeStampCooked",
                      "FROM Invoices, Attend, Employee",
                      "WHERE Invoices.CashierLink = Attend.InvoiceLink",
                      "   AND Attend.EmpNum = Employee.EmpNum",
                      "   AND Invoices.Date >= '" + start + "'",
                      "   AND Invoices.Date < '" + end + "'",
                      "   AND TimeStampCooked is NULL"};
    if (monitor)
        lines << "   AND OvenTimeStamp is not NULL";
    lines << "   AND Status = 0"
          << "ORDER BY TimeDue";
    return lines;
}

// What the database says when the statement is run on its own.
QString reasonFor(pw::db::Connection& connection, const QStringList& sql)
{
    try {
        pw::db::Query query(&connection);
        query.setSql(sql);
        query.open();
    } catch (const pw::Exception& e) {
        return e.message();
    }
    return {};
}

} // namespace

class TestOrderScreen : public QObject
{
    Q_OBJECT
private slots:
    void tradingDay_data();
    void tradingDay();
    void preparingSql_data();
    void preparingSql();
    void finishedSql();
    void sqlServerTexts();
    void lateness_data();
    void lateness();
    void cellColours_data();
    void cellColours();
    void gridRowsColouredAndCalculated();
    void finishedViewColouredByCookedTime();
    void keypadTable_data();
    void keypadTable();
    void virtualKeys_data();
    void virtualKeys();
    void buttonHeights_data();
    void buttonHeights();
    void markSelectedStampsAndPrints();
    void undoInFinishedViewPrintsNothing();
    void markOfVanishedOrderPrintsNothing();
    void lineItemsAndMoves();
    void displayButtonRebinds();
    void countdownReturnsAtSixteenthTick();
    void countdownPausedWhileLineItemsShow();
    void emptyListIgnoresKeys();
    void cashierWithoutAttendOrEmployee();
    void prepMonitorSetting();
    void selectionKeptByKey();
    void settingsReadAtEachQuery();
    void failureMessages_data();
    void failureMessages();
    void failedSwitchAndLineItems();
    void refreshTimerOffWhileRunning();
    void recoversAfterDatabaseCameBack();
    void markAfterLostConnectionIsNotDone();
};

void TestOrderScreen::tradingDay_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<double>("dayStart");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("end");
    const QTime five(5, 0);
    QTest::newRow("02:00 belongs to yesterday")
        << QTime(2, 0) << 5.0 / 24 << KitchenFixture::at(five, -1) << KitchenFixture::at(five);
    QTest::newRow("05:00 opens today")
        << five << 5.0 / 24 << KitchenFixture::at(five) << KitchenFixture::at(five, 1);
    QTest::newRow("04:59:59 still yesterday")
        << QTime(4, 59, 59) << 5.0 / 24 << KitchenFixture::at(five, -1) << KitchenFixture::at(five);
    QTest::newRow("midnight day start is 05:00")
        << QTime(2, 0) << 0.0 << KitchenFixture::at(five, -1) << KitchenFixture::at(five);
    QTest::newRow("midnight day start at 06:00")
        << QTime(6, 0) << 0.0 << KitchenFixture::at(five) << KitchenFixture::at(five, 1);
    QTest::newRow("06:30 start, whole days ignored")
        << QTime(6, 0) << 3.0 + 6.5 / 24 << KitchenFixture::at(QTime(6, 30), -1)
        << KitchenFixture::at(QTime(6, 30));
}

void TestOrderScreen::tradingDay()
{
    QFETCH(QTime, now);
    QFETCH(double, dayStart);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);
    const QDateTime at = KitchenFixture::at(now);
    QCOMPARE(TradingDayStart(dayStart, at), start);
    QCOMPARE(TradingDayEnd(dayStart, at), end);
}

void TestOrderScreen::preparingSql_data()
{
    QTest::addColumn<bool>("monitor");
    QTest::newRow("no preparation monitor") << false;
    QTest::newRow("preparation monitor") << true;
}

// Both day limits go in as the connection's date-time literals.
void TestOrderScreen::preparingSql()
{
    QFETCH(bool, monitor);
    KitchenFixture f;
    f.doubles.clock.set(KitchenFixture::at(QTime(2, 0)));
    f.settings.PrepMonitorActive = monitor;
    auto screen = f.makeScreen();
    screen->QueryPreparingInvoices();
    QCOMPARE(screen->qryInvoices.sql(),
             expectedPreparing("2026-12-10 05:00:00", "2026-12-11 05:00:00", monitor));
    QVERIFY(f.doubles.modal.shown.isEmpty());
}

void TestOrderScreen::finishedSql()
{
    KitchenFixture f;
    f.settings.PrepMonitorActive = true; // no oven condition in this view
    auto screen = f.makeScreen();
    screen->QueryFinishedInvoices();
    QStringList expected = expectedPreparing("2026-12-11 05:00:00", "2026-12-12 05:00:00", false).mid(0, 8);
    expected << "   AND TimeStampCooked IS NOT NULL"
             << "   AND Status = 0"
             << "ORDER BY TimeDue DESC";
    QCOMPARE(screen->qryInvoices.sql(), expected);
    QVERIFY(f.doubles.modal.shown.isEmpty());
}

void TestOrderScreen::sqlServerTexts()
{
    const pw::db::SqlServerDialect server;
    const QDateTime start = TradingDayStart(5.0 / 24, KitchenFixture::at(QTime(2, 0)));
    const QDateTime end = TradingDayEnd(5.0 / 24, KitchenFixture::at(QTime(2, 0)));
    QCOMPARE(PreparingInvoicesSql(server.dateTimeText(start), server.dateTimeText(end), true),
             expectedPreparing("20261210 05:00:00", "20261211 05:00:00", true));
    QCOMPARE(
        MarkDoneSql(server.dateTimeText(KitchenFixture::at(QTime(18, 7, 5))), 42),
        QString("UPDATE Invoices SET TimeStampCooked = '20261211 18:07:05' WHERE Invoices.InvoiceNum = 42"));
    QCOMPARE(UndoDoneSql(42),
             QString("UPDATE Invoices SET TimeStampCooked = null WHERE Invoices.InvoiceNum = 42"));
    QCOMPARE(LineItemsSql(42), QStringList({"SELECT Quantity, Code, ItemDesc, Size", "FROM LineItem",
                                            "WHERE LineItem.InvoiceNum = 42", "ORDER BY LineNum ASC"}));
}

void TestOrderScreen::lateness_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<double>("foodPrep");
    QTest::addColumn<int>("expected");
    const double twelve = 12 * kMinute;
    const double five = 5 * kMinute;
    QTest::newRow("17:59 not due") << QTime(17, 59, 59) << twelve << int(TLateness::NotDue);
    QTest::newRow("18:00 due") << QTime(18, 0) << twelve << int(TLateness::Due);
    QTest::newRow("18:06:59 due") << QTime(18, 6, 59) << twelve << int(TLateness::Due);
    QTest::newRow("18:07 late") << QTime(18, 7) << twelve << int(TLateness::Late);
    QTest::newRow("five minutes: 18:02 due") << QTime(18, 2, 59) << five << int(TLateness::Due);
    QTest::newRow("five minutes: 18:03 late") << QTime(18, 3) << five << int(TLateness::Late);
}

void TestOrderScreen::lateness()
{
    QFETCH(QTime, now);
    QFETCH(double, foodPrep);
    QFETCH(int, expected);
    QCOMPARE(int(Lateness(KitchenFixture::at(now), KitchenFixture::at(QTime(18, 0)), foodPrep)), expected);
}

void TestOrderScreen::cellColours_data()
{
    QTest::addColumn<int>("invoiceNum");
    QTest::addColumn<QTime>("now");
    QTest::addColumn<bool>("highlighted");
    QTest::addColumn<QColor>("brush");
    QTest::addColumn<QColor>("font");
    QTest::addColumn<bool>("hasDue");
    const QColor none;
    QTest::newRow("17:59") << 1 << QTime(17, 59) << false << none << none << true;
    QTest::newRow("17:59 selected") << 1 << QTime(17, 59) << true << none << none << true;
    QTest::newRow("18:00") << 1 << QTime(18, 0) << false << QColor(Qt::yellow) << QColor(Qt::black) << true;
    QTest::newRow("18:06 selected") << 1 << QTime(18, 6) << true << QColor(Qt::black) << QColor(Qt::yellow)
                                    << true;
    QTest::newRow("18:07") << 1 << QTime(18, 7) << false << QColor(Qt::red) << QColor(Qt::black) << true;
    QTest::newRow("18:07 selected") << 1 << QTime(18, 7) << true << QColor(Qt::black) << QColor(Qt::red)
                                    << true;
    QTest::newRow("no row, selected")
        << 0 << QTime(18, 7) << true << QColor(Qt::black) << QColor(Qt::white) << true;
    QTest::newRow("no row") << 0 << QTime(18, 7) << false << none << none << true;
    // A due time that was never written reads as day 0: long overdue.
    QTest::newRow("no due time") << 1 << QTime(17, 0) << false << QColor(Qt::red) << QColor(Qt::black)
                                 << false;
}

void TestOrderScreen::cellColours()
{
    QFETCH(int, invoiceNum);
    QFETCH(QTime, now);
    QFETCH(bool, highlighted);
    QFETCH(QColor, brush);
    QFETCH(QColor, font);
    QFETCH(bool, hasDue);
    const TColourRow row{invoiceNum, hasDue ? KitchenFixture::at(QTime(18, 0)) : QDateTime(), {}};
    const TCellColours colours =
        CalcCellColors(row, false, KitchenFixture::at(now), 12 * kMinute, highlighted);
    QCOMPARE(colours.brush, brush);
    QCOMPARE(colours.font, font);
}

// The grid's model gives the colours and calculated fields of each row, as of now.
void TestOrderScreen::gridRowsColouredAndCalculated()
{
    KitchenFixture f;
    f.doubles.clock.set(KitchenFixture::at(QTime(18, 0)));
    f.addOrder(7, QTime(18, 0));
    KitchenFixture::Order later;
    later.due = KitchenFixture::at(QTime(18, 30));
    later.name = "Sean O'Brien";
    f.addOrder(8, later);
    auto screen = f.makeScreen();
    screen->Show();
    auto& model = screen->InvoicesModel();
    QCOMPARE(model.rowCount(), 2);
    const auto cell = [&](int row, int column, int role = Qt::DisplayRole) {
        return model.data(model.index(row, column), role);
    };
    QCOMPARE(cell(0, TInvoicesModel::colOrderNum).toString(), QString("7"));
    QCOMPARE(cell(1, TInvoicesModel::colNotifyName).toString(), QString("Sean O'Brien"));
    QCOMPARE(cell(0, TInvoicesModel::colCashierName).toString(), QString("Anna O'Brien"));
    QCOMPARE(cell(0, TInvoicesModel::colLapsed).toString(), QString("00:30"));
    QCOMPARE(cell(0, TInvoicesModel::colOrderNum, Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
    QVERIFY(!cell(1, TInvoicesModel::colOrderNum, Qt::BackgroundRole).isValid());
    // Worked out as drawn: seven minutes on the row is late.
    f.doubles.clock.set(KitchenFixture::at(QTime(18, 7)));
    QCOMPARE(cell(0, TInvoicesModel::colOrderNum, Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    QCOMPARE(cell(0, TInvoicesModel::colOrderNum, TInvoicesModel::HighlightFontRole).value<QColor>(),
             QColor(Qt::red));
    QCOMPARE(cell(0, TInvoicesModel::colLapsed).toString(), QString("00:37"));
    QCOMPARE(model.headerData(TInvoicesModel::colLapsed, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Lapsed"));
    QVERIFY(screen->State().LapsedVisible);
    QVERIFY(!screen->State().LeadTimeVisible);
}

void TestOrderScreen::finishedViewColouredByCookedTime()
{
    KitchenFixture f;
    KitchenFixture::Order onTime;
    onTime.cooked = KitchenFixture::at(QTime(17, 55));
    f.addOrder(1, onTime);
    KitchenFixture::Order lateOne;
    lateOne.due = KitchenFixture::at(QTime(17, 50));
    lateOne.cooked = KitchenFixture::at(QTime(17, 58));
    f.addOrder(2, lateOne);
    auto screen = f.makeScreen();
    screen->Show();
    screen->KeyDown(102);
    QVERIFY(screen->State().FShowingFinished);
    QCOMPARE(screen->State().ViewStatusCaption, QString("Already Prepared"));
    QCOMPARE(screen->State().BtnMarkCaption, QString("Undo (4)"));
    QVERIFY(!screen->State().LapsedVisible);
    QVERIFY(screen->State().LeadTimeVisible);
    auto& model = screen->InvoicesModel();
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({1, 2})); // latest due first
    QVERIFY(!model.data(model.index(0, 0), Qt::BackgroundRole).isValid());
    QCOMPARE(model.data(model.index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    QCOMPARE(model.data(model.index(0, TInvoicesModel::colLeadTime), Qt::DisplayRole).toString(),
             QString("00:25"));
}

void TestOrderScreen::keypadTable_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("action");
    QTest::newRow("0 quits") << 96 << int(TOrderScreen::kaQuit);
    QTest::newRow("1") << 97 << int(TOrderScreen::kaNone);
    QTest::newRow("2 down") << 98 << int(TOrderScreen::kaMoveDown);
    QTest::newRow("3") << 99 << int(TOrderScreen::kaNone);
    QTest::newRow("4 marks") << 100 << int(TOrderScreen::kaMark);
    QTest::newRow("5 displays") << 101 << int(TOrderScreen::kaDisplay);
    QTest::newRow("6 switches") << 102 << int(TOrderScreen::kaSwitchView);
    QTest::newRow("7") << 103 << int(TOrderScreen::kaNone);
    QTest::newRow("8 up") << 104 << int(TOrderScreen::kaMoveUp);
    QTest::newRow("Enter") << 13 << int(TOrderScreen::kaNone);
    QTest::newRow("main 4") << 52 << int(TOrderScreen::kaNone);
}

void TestOrderScreen::keypadTable()
{
    QFETCH(int, key);
    QFETCH(int, action);
    QCOMPARE(int(TOrderScreen::KeypadAction(key)), action);
}

void TestOrderScreen::virtualKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");
    const int keypad = int(Qt::KeypadModifier);
    QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 96;
    QTest::newRow("keypad 4") << int(Qt::Key_4) << keypad << 100;
    QTest::newRow("keypad 8") << int(Qt::Key_8) << keypad << 104;
    QTest::newRow("main 4") << int(Qt::Key_4) << 0 << 52;
    QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << 13;
    QTest::newRow("keypad 4 without Num Lock") << int(Qt::Key_Left) << keypad << 37;
    QTest::newRow("keypad 5 without Num Lock") << int(Qt::Key_Clear) << keypad << 12;
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << keypad << 106;
    QTest::newRow("keypad -") << int(Qt::Key_Minus) << keypad << 109;
    QTest::newRow("A") << int(Qt::Key_A) << 0 << 65;
    QTest::newRow("shift A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << 65;
    QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 112;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 27;
    QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 40;
    QTest::newRow("semicolon") << int(Qt::Key_Semicolon) << 0 << 186;
    QTest::newRow("Num Lock") << int(Qt::Key_NumLock) << 0 << 144;
}

void TestOrderScreen::virtualKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    QCOMPARE(WindowsVirtualKey(key, Qt::KeyboardModifiers(modifiers)), code);
}

void TestOrderScreen::buttonHeights_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("height");
    QTest::newRow("exact") << 600 << 6 << 100;
    QTest::newRow("below half") << 601 << 6 << 100;
    QTest::newRow("above half") << 604 << 6 << 101;
    QTest::newRow("half to even down") << 603 << 6 << 100; // 100.5
    QTest::newRow("half to even up") << 609 << 6 << 102;   // 101.5
    QTest::newRow("no controls") << 600 << 0 << 0;
}

void TestOrderScreen::buttonHeights()
{
    QFETCH(int, panel);
    QFETCH(int, count);
    QFETCH(int, height);
    QCOMPARE(ButtonHeight(panel, count), height);
}

void TestOrderScreen::markSelectedStampsAndPrints()
{
    KitchenFixture f;
    const int first = f.addOrder(101, QTime(18, 0));
    const int second = f.addOrder(102, QTime(18, 20));
    auto screen = f.makeScreen();
    screen->Show();
    screen->KeyDown(98);
    QCOMPARE(KitchenFixture::selectedOrder(*screen), 102);
    f.doubles.clock.set(KitchenFixture::at(QTime(18, 7, 30)));
    screen->KeyDown(100);
    QCOMPARE(GenericDB->Query.sqlText(),
             "UPDATE Invoices SET TimeStampCooked = '2026-12-11 18:07:30' WHERE Invoices.InvoiceNum = " +
                 QString::number(second));
    QCOMPARE(f.cooked(second).toString(), QString("2026-12-11 18:07:30"));
    QVERIFY(f.cooked(first).isNull());
    QCOMPARE(f.printed, (QList<QPair<int, int>>{{second, 102}}));
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({101}));
    QVERIFY(screen->timerRefreshData().isActive());
}

void TestOrderScreen::undoInFinishedViewPrintsNothing()
{
    KitchenFixture f;
    KitchenFixture::Order done;
    done.cooked = KitchenFixture::at(QTime(18, 1));
    const int invoice = f.addOrder(201, done);
    auto screen = f.makeScreen();
    screen->Show();
    QVERIFY(KitchenFixture::orderNums(*screen).isEmpty());
    screen->KeyDown(102);
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({201}));
    screen->KeyDown(100);
    QCOMPARE(GenericDB->Query.sqlText(),
             "UPDATE Invoices SET TimeStampCooked = null WHERE Invoices.InvoiceNum = " +
                 QString::number(invoice));
    QVERIFY(f.cooked(invoice).isNull());
    QVERIFY(f.printed.isEmpty());
    QVERIFY(KitchenFixture::orderNums(*screen).isEmpty());
    QVERIFY(screen->State().FShowingFinished);
    screen->KeyDown(102);
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({201}));
}

void TestOrderScreen::markOfVanishedOrderPrintsNothing()
{
    KitchenFixture f;
    const int invoice = f.addOrder(1, QTime(18, 0));
    auto screen = f.makeScreen();
    screen->Show();
    f.db.exec(QStringLiteral("DELETE FROM Invoices WHERE InvoiceNum = %1").arg(invoice));
    screen->KeyDown(100);
    QVERIFY(f.printed.isEmpty());
    QVERIFY(KitchenFixture::orderNums(*screen).isEmpty());
}

void TestOrderScreen::lineItemsAndMoves()
{
    KitchenFixture f;
    f.addOrder(1, QTime(18, 0));
    const int invoice = f.addOrder(2, QTime(18, 10));
    f.addLine(invoice, 2, "CHIPS", "Chips", 2);
    f.addLine(invoice, 1, "MARG", "Margherita");
    f.addLine(invoice, 3, "COKE", "Coke 330ml", 1.5);
    auto screen = f.makeScreen();
    screen->Show();
    QCOMPARE(screen->State().BtnDisplayCaption, QString("Display (5)"));
    screen->KeyDown(98);
    screen->KeyDown(101);
    const auto& state = screen->State();
    QVERIFY(state.LineItemsShown);
    QCOMPARE(state.BtnDisplayCaption, QString("Back (5)"));
    QVERIFY(!state.BtnMarkEnabled);
    QVERIFY(!state.BtnSwitchViewEnabled);
    QCOMPARE(screen->qryLineItem.sql(), LineItemsSql(invoice));
    auto& lines = screen->LineItemsModel();
    QCOMPARE(lines.rowCount(), 3);
    const auto cell = [&](int row, int column) {
        return lines.data(lines.index(row, column), Qt::DisplayRole).toString();
    };
    QCOMPARE(cell(0, 3), QString("Margherita"));
    QCOMPARE(cell(1, 0), QString("2"));
    QCOMPARE(cell(2, 0), QString("1.5"));
    QCOMPARE(lines.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Description"));
    // 2 and 8 now move through the line items; the order stays selected.
    QCOMPARE(screen->LineItemRow(), 0);
    screen->KeyDown(98);
    screen->KeyDown(98);
    QCOMPARE(screen->LineItemRow(), 2);
    screen->KeyDown(98);
    QCOMPARE(screen->LineItemRow(), 2);
    screen->KeyDown(104);
    QCOMPARE(screen->LineItemRow(), 1);
    QCOMPARE(KitchenFixture::selectedOrder(*screen), 2);
    screen->KeyDown(101);
    QVERIFY(!state.LineItemsShown);
    QCOMPARE(state.BtnDisplayCaption, QString("Display (5)"));
    QVERIFY(state.BtnMarkEnabled);
    QVERIFY(state.BtnSwitchViewEnabled);
    screen->KeyDown(104);
    QCOMPARE(KitchenFixture::selectedOrder(*screen), 1);
}

// The button swaps its handler on every click; a keypad 5 in between leaves
// the next click to hide the items and the one after to change nothing.
void TestOrderScreen::displayButtonRebinds()
{
    KitchenFixture f;
    f.addOrder(1, QTime(18, 0));
    auto screen = f.makeScreen();
    screen->Show();
    const auto& state = screen->State();
    screen->ClickDisplayButton();
    QVERIFY(state.LineItemsShown);
    QCOMPARE(state.DisplayBinding, TDisplayBinding::BackClick);
    screen->ClickDisplayButton();
    QVERIFY(!state.LineItemsShown);
    QCOMPARE(state.DisplayBinding, TDisplayBinding::BtnDisplayClick);
    screen->KeyDown(101);
    QVERIFY(state.LineItemsShown);
    screen->ClickDisplayButton();
    QVERIFY(!state.LineItemsShown);
    screen->ClickDisplayButton();
    QVERIFY(!state.LineItemsShown);
    QCOMPARE(state.DisplayBinding, TDisplayBinding::BtnDisplayClick);
}

void TestOrderScreen::countdownReturnsAtSixteenthTick()
{
    KitchenFixture f;
    auto screen = f.makeScreen();
    screen->Show();
    const auto& state = screen->State();
    QCOMPARE(state.BtnSwitchViewCaption, QString("Switch\r View (6)"));
    screen->KeyDown(102);
    QVERIFY(screen->TmrShowUnprepared().isActive());
    QCOMPARE(screen->TmrShowUnprepared().interval(), 1000);
    for (int tick = 1; tick <= 15; ++tick) {
        screen->TmrShowUnpreparedTimer();
        QCOMPARE(state.BtnSwitchViewCaption, QString("Switch\r View (%1)").arg(16 - tick));
        QCOMPARE(state.CountDownTicks, tick);
        QVERIFY(state.FShowingFinished);
    }
    screen->TmrShowUnpreparedTimer();
    QVERIFY(!state.FShowingFinished);
    QCOMPARE(state.ViewStatusCaption, QString("To be Prepared"));
    QCOMPARE(state.BtnMarkCaption, QString("Done (4)"));
    QCOMPARE(state.BtnSwitchViewCaption, QString("Switch\r View (6)"));
    QVERIFY(!screen->TmrShowUnprepared().isActive());
}

void TestOrderScreen::countdownPausedWhileLineItemsShow()
{
    KitchenFixture f;
    KitchenFixture::Order done;
    done.cooked = KitchenFixture::at(QTime(18, 1));
    f.addOrder(1, done);
    auto screen = f.makeScreen();
    screen->Show();
    screen->KeyDown(102);
    for (int tick = 0; tick < 3; ++tick)
        screen->TmrShowUnpreparedTimer();
    screen->KeyDown(101);
    QVERIFY(screen->State().LineItemsShown);
    QVERIFY(!screen->TmrShowUnprepared().isActive());
    screen->KeyDown(101);
    QVERIFY(screen->TmrShowUnprepared().isActive());
    screen->TmrShowUnpreparedTimer();
    QCOMPARE(screen->State().CountDownTicks, 4);
    QCOMPARE(screen->State().BtnSwitchViewCaption, QString("Switch\r View (12)"));
}

void TestOrderScreen::emptyListIgnoresKeys()
{
    KitchenFixture f;
    auto screen = f.makeScreen();
    screen->Show();
    QVERIFY(!screen->State().BtnDisplayEnabled);
    for (int key : {100, 101, 98, 104})
        screen->KeyDown(key);
    QVERIFY(GenericDB->Query.sql().isEmpty());
    QVERIFY(f.printed.isEmpty());
    QVERIFY(!screen->State().LineItemsShown);
    QCOMPARE(screen->State().BtnDisplayCaption, QString("Display (5)"));
    QCOMPARE(screen->InvoiceRow(), -1);
    QVERIFY(f.doubles.modal.shown.isEmpty());
}

void TestOrderScreen::cashierWithoutAttendOrEmployee()
{
    KitchenFixture f;
    f.addOrder(1, QTime(18, 0));
    KitchenFixture::Order noAttend;
    f.addOrder(2, noAttend, 9999);
    const qint64 orphanShift = f.db.insert("Attend", {{"EmpNum", 8888}});
    f.addOrder(3, noAttend, orphanShift);
    KitchenFixture::Order cooked;
    cooked.cooked = KitchenFixture::at(QTime(18, 1));
    f.addOrder(4, cooked, 9999);
    f.addOrder(5, cooked, orphanShift);
    auto screen = f.makeScreen();
    screen->Show();
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({1}));
    screen->KeyDown(102);
    QVERIFY(KitchenFixture::orderNums(*screen).isEmpty());
}

void TestOrderScreen::prepMonitorSetting()
{
    KitchenFixture f;
    KitchenFixture::Order notInOven;
    notInOven.oven = {};
    const int invoice = f.addOrder(1, notInOven);
    f.addOrder(2, QTime(18, 5));
    KitchenFixture::Order voided;
    voided.status = 2;
    f.addOrder(3, voided);
    KitchenFixture::Order yesterday;
    yesterday.date = KitchenFixture::at(QTime(17, 30), -1);
    f.addOrder(4, yesterday);
    f.settings.PrepMonitorActive = true;
    auto screen = f.makeScreen();
    screen->Show();
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({2}));
    f.settings.PrepMonitorActive = false;
    screen->RefreshData();
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({1, 2}));
    // Cooked without ever being in the oven, it is listed as finished all the same.
    f.settings.PrepMonitorActive = true;
    f.db.exec(
        QStringLiteral("UPDATE Invoices SET TimeStampCooked = '2026-12-11 18:02:00' WHERE InvoiceNum = %1")
            .arg(invoice));
    screen->KeyDown(102);
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({1}));
}

void TestOrderScreen::selectionKeptByKey()
{
    KitchenFixture f;
    f.addOrder(1, QTime(18, 0));
    f.addOrder(2, QTime(18, 10));
    f.addOrder(3, QTime(18, 20));
    auto screen = f.makeScreen();
    screen->Show();
    screen->KeyDown(98);
    QCOMPARE(KitchenFixture::selectedOrder(*screen), 2);
    f.addOrder(4, QTime(17, 50)); // lists first and pushes the others down
    screen->timerRefreshDataTimer();
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({4, 1, 2, 3}));
    QCOMPARE(KitchenFixture::selectedOrder(*screen), 2);
    QCOMPARE(screen->InvoiceRow(), 2);
    // An order that left the list gives the selection back to the first row.
    f.db.exec("UPDATE Invoices SET Status = 1 WHERE OrderNum = 2");
    screen->RefreshData();
    QCOMPARE(KitchenFixture::selectedOrder(*screen), 4);
}

void TestOrderScreen::settingsReadAtEachQuery()
{
    KitchenFixture f;
    f.doubles.clock.set(KitchenFixture::at(QTime(5, 30)));
    KitchenFixture::Order early;
    early.date = KitchenFixture::at(QTime(5, 10));
    early.due = KitchenFixture::at(QTime(5, 40));
    f.addOrder(1, early);
    auto screen = f.makeScreen();
    screen->Show();
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({1}));
    f.settings.DayStart = 6.0 / 24; // the day now began yesterday at 06:00 and ends 06:00 today
    screen->RefreshData();
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({1}));
    f.settings.DayStart = 5.25 / 24; // 05:15: after the order was taken
    screen->RefreshData();
    QVERIFY(KitchenFixture::orderNums(*screen).isEmpty());
}

void TestOrderScreen::failureMessages_data()
{
    QTest::addColumn<bool>("finished");
    QTest::addColumn<QString>("whatFailed");
    QTest::addColumn<QString>("raisedIn");
    QTest::newRow("preparing") << false << "Failed to refresh invoices that are being prepared"
                               << "TFrmPlatewatch.QueryPreparingInvoices";
    QTest::newRow("finished") << true << "Failed to refresh finished invoices"
                              << "TFrmPlatewatch.QueryFinishedInvoices";
}

void TestOrderScreen::failureMessages()
{
    QFETCH(bool, finished);
    QFETCH(QString, whatFailed);
    QFETCH(QString, raisedIn);
    KitchenFixture f;
    f.addOrder(1, QTime(18, 0));
    KitchenFixture::Order cooked;
    cooked.cooked = KitchenFixture::at(QTime(18, 1));
    f.addOrder(2, cooked);
    auto screen = f.makeScreen();
    screen->Show();
    if (finished)
        screen->KeyDown(102);
    QCOMPARE(screen->InvoicesModel().rowCount(), 1);
    f.db.exec("ALTER TABLE Employee RENAME TO Staff");
    const QString reason = reasonFor(f.db.connection(), screen->qryInvoices.sql());
    QVERIFY(!reason.isEmpty());
    screen->RefreshData();
    QCOMPARE(f.doubles.modal.shown.size(), 1);
    const auto& shown = f.doubles.modal.last();
    QCOMPARE(shown.kind, QString("Error"));
    QCOMPARE(shown.buttons, QStringList({"OK"}));
    QCOMPARE(shown.text, whatFailed + "\rReason: " + reason + "\r\rException Raised In: " + raisedIn);
    // The list stays empty until a refresh succeeds; the timer runs again.
    QCOMPARE(screen->InvoicesModel().rowCount(), 0);
    QVERIFY(!screen->State().BtnDisplayEnabled);
    QVERIFY(screen->timerRefreshData().isActive());
    QCOMPARE(screen->State().FShowingFinished, finished);
    f.db.exec("ALTER TABLE Staff RENAME TO Employee");
    screen->RefreshData();
    QCOMPARE(f.doubles.modal.shown.size(), 1);
    QCOMPARE(screen->InvoicesModel().rowCount(), 1);
    QVERIFY(!screen->Recovery().Lost());
}

// A failed query does not stop the switch: the view changes as if it had
// worked. A failed line-item query is left to the caller and keeps the order list.
void TestOrderScreen::failedSwitchAndLineItems()
{
    KitchenFixture f;
    KitchenFixture::Order done;
    done.cooked = KitchenFixture::at(QTime(18, 1));
    f.addOrder(1, done);
    auto screen = f.makeScreen();
    screen->Show();
    const auto& state = screen->State();
    f.db.exec("ALTER TABLE Employee RENAME TO Staff");
    screen->KeyDown(102);
    QCOMPARE(f.doubles.modal.shown.size(), 1);
    QVERIFY(f.doubles.modal.last().text.startsWith("Failed to refresh finished invoices\rReason: "));
    QVERIFY(state.FShowingFinished);
    QCOMPARE(state.ViewStatusCaption, QString("Already Prepared"));
    QCOMPARE(state.BtnMarkCaption, QString("Undo (4)"));
    QVERIFY(screen->TmrShowUnprepared().isActive());
    f.db.exec("ALTER TABLE Staff RENAME TO Employee");
    screen->RefreshData();
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({1}));

    f.db.exec("ALTER TABLE LineItem RENAME TO Lines");
    QVERIFY_THROWS_EXCEPTION(pw::Exception, screen->KeyDown(101));
    QCOMPARE(f.doubles.modal.shown.size(), 1);
    QVERIFY(!state.LineItemsShown);
    QCOMPARE(state.BtnDisplayCaption, QString("Display (5)"));
    QVERIFY(state.BtnMarkEnabled);
    // The finished view still counts back to the preparing list.
    QVERIFY(screen->TmrShowUnprepared().isActive());
}

// The refresh timer is off while the refresh runs (a message of the refresh
// cannot be followed by another refresh) and on again afterwards.
void TestOrderScreen::refreshTimerOffWhileRunning()
{
    KitchenFixture f;
    auto screen = f.makeScreen();
    QVERIFY(screen->timerRefreshData().isActive());
    QCOMPARE(screen->timerRefreshData().interval(), 10000);
    f.db.exec("DROP TABLE Invoices");
    bool activeDuringMessage = true;
    f.doubles.modal.answerWith([&](QDialog&) {
        activeDuringMessage = screen->timerRefreshData().isActive();
        return 0;
    });
    screen->RefreshData();
    QVERIFY(!activeDuringMessage);
    QVERIFY(screen->timerRefreshData().isActive());
}

// The server went away (here: the connection dropped and the file gone), then came back.
void TestOrderScreen::recoversAfterDatabaseCameBack()
{
    KitchenFixture f;
    f.addOrder(1, QTime(18, 0));
    auto screen = f.makeScreen();
    screen->Show();
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({1}));

    const QString file = f.db.file();
    const QString away = file + ".away";
    f.db.connection().close();
    QVERIFY(QFile::rename(file, away));
    screen->timerRefreshDataTimer();
    QCOMPARE(f.doubles.modal.shown.size(), 1);
    QVERIFY(f.doubles.modal.last().text.startsWith(
        "Failed to refresh invoices that are being prepared\rReason: "));
    QVERIFY(screen->Recovery().Lost());
    QVERIFY(KitchenFixture::orderNums(*screen).isEmpty());

    // Still away: the attempt to open it again fails, reported once.
    screen->timerRefreshDataTimer();
    QCOMPARE(f.doubles.modal.shown.size(), 2);
    QVERIFY(f.doubles.modal.last().text.contains("does not exist"));
    QVERIFY(screen->timerRefreshData().isActive());

    QVERIFY(QFile::rename(away, file));
    screen->timerRefreshDataTimer();
    QCOMPARE(f.doubles.modal.shown.size(), 2);
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({1}));
    QVERIFY(f.db.connection().connected());
    QVERIFY(!screen->Recovery().Lost());
}

void TestOrderScreen::markAfterLostConnectionIsNotDone()
{
    KitchenFixture f;
    const int invoice = f.addOrder(1, QTime(18, 0));
    auto screen = f.makeScreen();
    screen->Show();
    const QString file = f.db.file();
    f.db.connection().close();
    QVERIFY(QFile::rename(file, file + ".away"));
    QVERIFY_THROWS_EXCEPTION(pw::Exception, screen->KeyDown(100));
    QVERIFY(f.printed.isEmpty());
    QVERIFY(screen->Recovery().Lost());
    QCOMPARE(KitchenFixture::orderNums(*screen), QList<int>({1})); // not taken off the list
    QVERIFY(QFile::rename(file + ".away", file));
    {
        pw::db::Connection check;
        check.setConnectionString(f.db.connectionString());
        check.open();
        pw::db::Query query(&check);
        query.setSql("SELECT TimeStampCooked FROM Invoices WHERE InvoiceNum = " + QString::number(invoice));
        query.open();
        QVERIFY(query.fieldByName("TimeStampCooked").isNull());
    }
    // Back again: the mark goes through on the reopened connection.
    screen->KeyDown(100);
    QCOMPARE(f.printed.size(), 1);
    QVERIFY(!f.cooked(invoice).isNull());
    QVERIFY(KitchenFixture::orderNums(*screen).isEmpty());
}

QTEST_MAIN(TestOrderScreen)
#include "test_order_screen.moc"
