#include "errors/message_dialog.h"
#include "staff/tch_button.h"
#include "till/db_selector.h"
#include "till_fixture.h"

#include <QtTest>

namespace {

// Counts the key reactions a subclass would add.
class CountingSelector : public TfrmDbSelector
{
public:
    int ctrlEnter = 0;
    int insert = 0;
    int remove = 0;
    int afterRefresh = 0;
    bool CtrlEnterPressed() override { return ++ctrlEnter, AllowEdit(); }
    bool InsertPressed() override { return ++insert, AllowEdit(); }
    bool DeletePressed() override { return ++remove, AllowEdit(); }
    void AfterRefresh(pw::till::EditableQuery&) override { ++afterRefresh; }
};

const QStringList kTillsByNumber{QStringLiteral("SELECT * FROM Tills"), QStringLiteral("ORDER BY TillID")};

int currentTillID(TfrmDbSelector& selector)
{
    return selector.qry->query().fieldByName(QStringLiteral("TillID")).asInteger();
}

} // namespace

class TestDbSelector : public QObject
{
    Q_OBJECT

private slots:
    void executeWithoutQryStrings();
    void refreshWithoutRows();
    void refreshReportsBadSql();
    void executeReturnsTrueOnlyForOK_data();
    void executeReturnsTrueOnlyForOK();
    void okOnEmptyListBecomesCancel();
    void bookmarkComesBackAfterRefresh_data();
    void bookmarkComesBackAfterRefresh();
    void keys();
    void enterWhileEditingDoesNotClose();
    void allowEditArrangesForm_data();
    void allowEditArrangesForm();
    void buttonsShownOnShow();
    void editInPlaceWritesTable();
    void navigatorInsertsAndDeletes();
};

void TestDbSelector::executeWithoutQryStrings()
{
    TillFixture f;
    TfrmDbSelector selector;
    QVERIFY(!selector.Execute());
    QCOMPARE(f.doubles.modal.shown.size(), 1);
    QCOMPARE(f.doubles.modal.last().kind, QStringLiteral("Error"));
    QCOMPARE(
        f.doubles.modal.last().text,
        QStringLiteral("Failed to refresh the query\r\rReason: TfrmDbSelector.QryStrings has not been set"
                       "\r\rRaised In: TfrmDbSelector.DoRefresh"));
    QCOMPARE(f.doubles.modal.last().buttons, QStringList{QStringLiteral("OK")});
}

void TestDbSelector::refreshWithoutRows()
{
    TillFixture f;
    CountingSelector selector;
    selector.QryStrings = kTillsByNumber;
    QVERIFY(!selector.DoRefresh());
    QVERIFY(!selector.Execute());
    QVERIFY(f.doubles.modal.shown.isEmpty());
    QCOMPARE(selector.afterRefresh, 2);
    QVERIFY(selector.qry->active());
}

void TestDbSelector::refreshReportsBadSql()
{
    TillFixture f;
    TfrmDbSelector selector;
    selector.QryStrings = QStringList{QStringLiteral("SELECT * FROM NoSuchTable")};
    QVERIFY(!selector.DoRefresh());
    QCOMPARE(f.doubles.modal.shown.size(), 1);
    const QString text = f.doubles.modal.last().text;
    QVERIFY(text.startsWith(QStringLiteral("Failed to refresh the query\r\rReason: ")));
    QVERIFY(text.contains(QStringLiteral("NoSuchTable")));
    QVERIFY(text.endsWith(QStringLiteral("\r\rRaised In: TfrmDbSelector.DoRefresh")));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestDbSelector::executeReturnsTrueOnlyForOK_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("expected");
    QTest::newRow("OK") << int(mrOk) << true;
    QTest::newRow("Cancel") << int(mrCancel) << false;
}

void TestDbSelector::executeReturnsTrueOnlyForOK()
{
    QFETCH(int, answer);
    QFETCH(bool, expected);
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    TfrmDbSelector selector;
    selector.QryStrings = kTillsByNumber;
    f.doubles.modal.answer(answer);
    QCOMPARE(selector.Execute(), expected);
    QCOMPARE(f.doubles.modal.classNames, QStringList{QStringLiteral("TfrmDbSelector")});
    QCOMPARE(f.doubles.modal.last().buttons, (QStringList{QStringLiteral("&OK"), QStringLiteral("&Cancel")}));
}

void TestDbSelector::okOnEmptyListBecomesCancel()
{
    TillFixture f;
    TfrmDbSelector selector;
    // Never opened.
    f.doubles.modal.answer(mrOk);
    QCOMPARE(selector.ShowModal(), int(mrCancel));
    // Opened without rows.
    selector.QryStrings = kTillsByNumber;
    selector.DoRefresh();
    f.doubles.modal.answerWith([](QDialog& d) {
        static_cast<TfrmDbSelector&>(d).btnOK->Click();
        return d.result();
    });
    QCOMPARE(selector.ShowModal(), int(mrCancel));
}

// The row that was current is current again by its key, wherever it moved and
// whatever else changed in it; a row that went leaves a valid current row.
void TestDbSelector::bookmarkComesBackAfterRefresh_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("expected");
    QTest::newRow("row moved down") << QStringLiteral(
                                           "INSERT INTO Tills (TillID, [Computer Name]) VALUES (1, 'A')")
                                    << 4;
    QTest::newRow("row edited elsewhere")
        << QStringLiteral("UPDATE Tills SET [Login Name] = 'someone' WHERE TillID = 4") << 4;
    QTest::newRow("row deleted") << QStringLiteral("DELETE FROM Tills WHERE TillID = 4") << -1;
}

void TestDbSelector::bookmarkComesBackAfterRefresh()
{
    QFETCH(QString, change);
    QFETCH(int, expected);
    TillFixture f;
    for (int id : {2, 4, 6})
        f.addTill(id, QStringLiteral("TILL%1").arg(id));
    TfrmDbSelector selector;
    selector.QryStrings = kTillsByNumber;
    QVERIFY(selector.DoRefresh());
    selector.qry->setCurrentRow(1);
    QCOMPARE(currentTillID(selector), 4);

    f.db.exec(change);
    QVERIFY(selector.DoRefresh());
    if (expected > 0) {
        QCOMPARE(currentTillID(selector), expected);
        QCOMPARE(selector.grid->currentIndex().row(), selector.qry->currentRow());
    } else {
        QVERIFY(selector.qry->currentRow() >= 0);
    }
}

void TestDbSelector::keys()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    CountingSelector selector;
    selector.QryStrings = kTillsByNumber;
    QVERIFY(selector.DoRefresh());

    QTest::keyClick(&selector, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(selector.ctrlEnter, 1);
    QCOMPARE(selector.result(), int(mrNone));
    QTest::keyClick(selector.grid, Qt::Key_Insert);
    QCOMPARE(selector.insert, 1);
    QTest::keyClick(&selector, Qt::Key_Delete);
    QCOMPARE(selector.remove, 1);
    QTest::keyClick(selector.grid, Qt::Key_Escape);
    QCOMPARE(selector.result(), int(mrCancel));
    // A key the grid passes on to the form is acted on once.
    QTest::keyClick(selector.grid, Qt::Key_Return);
    QCOMPARE(selector.result(), int(mrOk));
    QCOMPARE(selector.ctrlEnter, 1);
    QCOMPARE(f.db.count(QStringLiteral("Tills")), 1);
}

void TestDbSelector::enterWhileEditingDoesNotClose()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    TfrmDbSelector selector;
    selector.QryStrings = kTillsByNumber;
    QVERIFY(selector.DoRefresh());
    selector.qry->setValue(QStringLiteral("Login Name"), QStringLiteral("new"));
    QTest::keyClick(&selector, Qt::Key_Return);
    QCOMPARE(selector.result(), int(mrNone));
    selector.qry->post();
    QTest::keyClick(&selector, Qt::Key_Return);
    QCOMPARE(selector.result(), int(mrOk));
}

void TestDbSelector::allowEditArrangesForm_data()
{
    QTest::addColumn<bool>("allowEdit");
    QTest::newRow("editing allowed") << true;
    QTest::newRow("read only") << false;
}

void TestDbSelector::allowEditArrangesForm()
{
    QFETCH(bool, allowEdit);
    TillFixture f;
    TfrmDbSelector selector;
    selector.pnlBottom->resize(300, 45);
    selector.SetAllowEdit(allowEdit);
    QCOMPARE(!selector.nav->isHidden(), allowEdit);
    QCOMPARE(!selector.btnCancel->isHidden(), allowEdit);
    QCOMPARE(selector.grid->readOnly(), !allowEdit);
    QCOMPARE(selector.qry->autoEdit(), allowEdit);
    if (allowEdit) {
        QCOMPARE(selector.btnCancel->x(), 155);
        QCOMPARE(selector.btnOK->x(), 155 - 69);
    } else {
        QCOMPARE(selector.btnOK->x(), 150 - 32);
    }
}

void TestDbSelector::buttonsShownOnShow()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    TfrmDbSelector selector;
    selector.QryStrings = kTillsByNumber;
    selector.SetAllowEdit(false);
    f.doubles.modal.answer(mrCancel);
    selector.Execute();
    // OK and Cancel whenever the form is shown, even read-only; never Close.
    QVERIFY(!selector.btnOK->isHidden());
    QVERIFY(!selector.btnCancel->isHidden());
    QVERIFY(selector.btnClose->isHidden());

    selector.Buttons = 0;
    f.doubles.modal.answer(mrCancel);
    selector.Execute();
    QVERIFY(selector.btnOK->isHidden());
    QVERIFY(selector.btnCancel->isHidden());
    QVERIFY(!selector.btnClose->isHidden());
}

void TestDbSelector::editInPlaceWritesTable()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    f.addTill(2, QStringLiteral("TILL2"));
    TfrmDbSelector selector;
    selector.QryStrings = kTillsByNumber;
    selector.grid->setColumns({{QStringLiteral("TillID"), 3, QStringLiteral("TillID")},
                               {QStringLiteral("Login Name"), 13, QStringLiteral("Login Name")}});
    QVERIFY(selector.DoRefresh());
    QAbstractItemModel* model = selector.grid->model();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Login Name"));
    QVERIFY(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);

    QVERIFY(model->setData(model->index(0, 1), QStringLiteral("O'Brien")));
    QCOMPARE(selector.qry->state(), pw::till::DataSetState::Edit);
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT [Login Name] FROM Tills WHERE TillID = 1")).toString(),
             QStringLiteral("waiter"));
    // Leaving the row posts it.
    selector.grid->setCurrentIndex(model->index(1, 0));
    QCOMPARE(selector.qry->state(), pw::till::DataSetState::Browse);
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT [Login Name] FROM Tills WHERE TillID = 1")).toString(),
             QStringLiteral("O'Brien"));
    QCOMPARE(f.db.scalar(QStringLiteral("SELECT [Login Name] FROM Tills WHERE TillID = 2")).toString(),
             QStringLiteral("waiter"));
    QCOMPARE(model->data(model->index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("O'Brien"));
    QCOMPARE(currentTillID(selector), 2);

    // Read-only grids take no edits.
    selector.SetAllowEdit(false);
    QVERIFY(!(model->flags(model->index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(!model->setData(model->index(0, 1), QStringLiteral("x")));
}

void TestDbSelector::navigatorInsertsAndDeletes()
{
    TillFixture f;
    f.addTill(1, QStringLiteral("TILL1"));
    TfrmDbSelector selector;
    selector.QryStrings = kTillsByNumber;
    QVERIFY(selector.DoRefresh());
    QCOMPARE(selector.nav->button(pw::till::nbInsert)->toolTip(), QStringLiteral("Insert new record"));

    selector.nav->BtnClick(pw::till::nbInsert);
    QCOMPARE(selector.grid->model()->rowCount(), 2);
    selector.qry->setValue(QStringLiteral("TillID"), 9);
    selector.qry->setValue(QStringLiteral("Computer Name"), QStringLiteral("TILL9"));
    selector.nav->BtnClick(pw::till::nbPost);
    QCOMPARE(f.db.count(QStringLiteral("Tills"), QStringLiteral("TillID = 9 AND [Computer Name] = 'TILL9'")),
             1);
    QCOMPARE(currentTillID(selector), 9);

    f.doubles.modal.answer(mrOk);
    selector.nav->BtnClick(pw::till::nbDelete);
    QCOMPARE(f.doubles.modal.last().kind, QStringLiteral("Confirm"));
    QCOMPARE(f.db.count(QStringLiteral("Tills")), 1);
    QCOMPARE(f.db.count(QStringLiteral("Tills"), QStringLiteral("TillID = 1")), 1);
    QCOMPARE(selector.grid->model()->rowCount(), 1);
}

QTEST_MAIN(TestDbSelector)
#include "test_db_selector.moc"
