#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "settings/form_settings.h"
#include "settings/orvo_settings.h"
#include "staff/tch_button.h"
#include "startup/centre_form_on_monitor.h"
#include "till/pos_form.h"
#include "till/zq_panels.h"
#include "till_fixture.h"

#include <QtTest>

namespace {

// Makes the panel hold buttons of these widths, 24 pixels high.
QList<TTchButton*> addButtons(TZqControlsPanel& panel, const QList<int>& widths)
{
    QList<TTchButton*> buttons;
    for (int width : widths) {
        auto* button = new TTchButton(&panel);
        button->resize(width, 24);
        buttons.append(button);
    }
    return buttons;
}

class RecordingEmployee : public TPosFormEmployee
{
public:
    pw::db::Connection* connection = nullptr;
    QStringList loaded;
    void SetAdoConnection(pw::db::Connection* c) override { connection = c; }
    bool Load(const QString& empNum) override
    {
        loaded.append(empNum);
        return true;
    }
};

// Sets the global form look for the life of a test.
struct FormLookGuard
{
    TFormSettings settings{flNormal};
    FormLookGuard() { FormSettings = &settings; }
    ~FormLookGuard() { FormSettings = nullptr; }
};

} // namespace

class TestPosForm : public QObject
{
    Q_OBJECT

private slots:
    void horizontalLayout_data();
    void horizontalLayout();
    void hiddenButtonTakesNoRoom();
    void alignedControlPlacesItself();
    void verticalLayout_data();
    void verticalLayout();
    void alignmentDefaults();
    void layoutPropertiesRearrange();
    void captionPlacement_data();
    void captionPlacement();

    void empNumNeedsConnection();
    void empNumLoadsEmployee();
    void formLookBorderAndFont_data();
    void formLookBorderAndFont();
    void arrangeControlsPanelFromFormLook();
    void modalShowCentresOnInvoiceMonitor();
    void closeClearsShowBorder();

    void centreFormOnMonitor_data();
    void centreFormOnMonitor();
    void invalidMonitor();
};

void TestPosForm::horizontalLayout_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("vertical");
    QTest::addColumn<QList<int>>("lefts");
    QTest::addColumn<int>("top");
    QTest::newRow("centred, spacing 19") << int(taCenter) << 19 << int(vaMiddle) << QList<int>{77, 160} << 10;
    QTest::newRow("right-justified, spacing 5")
        << int(taRightJustify) << 5 << int(vaTop) << QList<int>{162, 231} << 5;
    QTest::newRow("left-justified, spacing 5")
        << int(taLeftJustify) << 5 << int(vaBottom) << QList<int>{5, 74} << 16;
}

void TestPosForm::horizontalLayout()
{
    QFETCH(int, alignment);
    QFETCH(int, spacing);
    QFETCH(int, vertical);
    QFETCH(QList<int>, lefts);
    QFETCH(int, top);
    TZqControlsPanel panel;
    panel.resize(300, 45);
    const QList<TTchButton*> buttons = addButtons(panel, {64, 64});
    panel.SetHorizAlignment(static_cast<THorizAlignment>(alignment));
    panel.SetHorizSpacing(spacing);
    panel.SetVertAlignment(static_cast<TVertAlignment>(vertical));
    panel.Arrange();
    for (int i = 0; i < buttons.size(); ++i) {
        QCOMPARE(buttons[i]->x(), lefts[i]);
        QCOMPARE(buttons[i]->y(), top);
    }
}

void TestPosForm::hiddenButtonTakesNoRoom()
{
    TZqControlsPanel panel;
    panel.resize(300, 45);
    panel.SetHorizSpacing(19);
    const QList<TTchButton*> buttons = addButtons(panel, {64, 80, 64});
    buttons[1]->move(3, 4);
    buttons[1]->hide();
    panel.Arrange();
    QCOMPARE(buttons[0]->x(), 77);
    QCOMPARE(buttons[2]->x(), 160);
    QCOMPARE(buttons[1]->pos(), QPoint(3, 4));
}

void TestPosForm::alignedControlPlacesItself()
{
    TZqControlsPanel panel;
    panel.resize(300, 45);
    panel.SetHorizSpacing(19);
    const QList<TTchButton*> buttons = addButtons(panel, {64, 64, 64});
    buttons[0]->SetAlign(alLeft);
    panel.Arrange();
    QCOMPARE(buttons[0]->pos(), QPoint(0, 0));
    QCOMPARE(buttons[1]->x(), 77);
    QCOMPARE(buttons[2]->x(), 160);
}

void TestPosForm::verticalLayout_data()
{
    QTest::addColumn<int>("vertical");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<QList<int>>("tops");
    QTest::addColumn<int>("left");
    // Two 24-pixel buttons in a 100 x 200 panel, spacings 5.
    QTest::newRow("bottom, centred") << int(vaBottom) << int(taCenter) << QList<int>{142, 171} << 18;
    QTest::newRow("middle, left") << int(vaMiddle) << int(taLeftJustify) << QList<int>{74, 103} << 5;
    QTest::newRow("top, right") << int(vaTop) << int(taRightJustify) << QList<int>{5, 34} << 31;
}

void TestPosForm::verticalLayout()
{
    QFETCH(int, vertical);
    QFETCH(int, horizontal);
    QFETCH(QList<int>, tops);
    QFETCH(int, left);
    TZqControlsPanel panel;
    panel.resize(100, 200);
    const QList<TTchButton*> buttons = addButtons(panel, {64, 64});
    panel.SetLayout(loVertical);
    panel.SetVertAlignment(static_cast<TVertAlignment>(vertical));
    panel.SetHorizAlignment(static_cast<THorizAlignment>(horizontal));
    panel.Arrange();
    for (int i = 0; i < buttons.size(); ++i) {
        QCOMPARE(buttons[i]->y(), tops[i]);
        QCOMPARE(buttons[i]->x(), left);
    }
}

void TestPosForm::alignmentDefaults()
{
    QWidget parent;
    auto* panel = new TZqControlsPanel(&parent);
    QCOMPARE(panel->Layout(), loHorizontal);
    QCOMPARE(panel->HorizAlignment(), taCenter);
    QCOMPARE(panel->HorizSpacing(), 5);
    QCOMPARE(panel->VertAlignment(), vaMiddle);
    QCOMPARE(panel->VertSpacing(), 5);
    QVERIFY(panel->Caption().isEmpty());

    panel->SetAlign(alLeft);
    QCOMPARE(panel->Layout(), loVertical);
    QCOMPARE(panel->HorizAlignment(), taCenter);
    QCOMPARE(panel->VertAlignment(), vaBottom);
    // Set later, a property wins, also when the same alignment is written again.
    panel->SetVertAlignment(vaTop);
    panel->SetAlign(alLeft);
    QCOMPARE(panel->VertAlignment(), vaTop);

    panel->SetAlign(alBottom);
    QCOMPARE(panel->Layout(), loHorizontal);
    QCOMPARE(panel->HorizAlignment(), taRightJustify);
    QCOMPARE(panel->VertAlignment(), vaMiddle);

    TZqControlsPanel orphan;
    orphan.SetAlign(alLeft);
    QCOMPARE(orphan.Layout(), loHorizontal);
}

void TestPosForm::layoutPropertiesRearrange()
{
    TZqControlsPanel panel;
    panel.resize(300, 45);
    const QList<TTchButton*> buttons = addButtons(panel, {64, 64});
    panel.SetHorizSpacing(19);
    QCOMPARE(buttons[0]->x(), 77);
    panel.show();
    panel.resize(400, 45);
    QCOMPARE(buttons[0]->x(), 127);
}

void TestPosForm::captionPlacement_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("top");
    // Area 2..38 inside a one-pixel bevel of a 40-pixel panel, text 10 pixels high.
    QTest::newRow("top") << int(vaTop) << 1;
    QTest::newRow("middle") << int(vaMiddle) << 15;
    QTest::newRow("bottom") << int(vaBottom) << 29;
}

void TestPosForm::captionPlacement()
{
    QFETCH(int, alignment);
    QFETCH(int, top);
    TZQPanel panel;
    panel.resize(100, 40);
    QCOMPARE(panel.VAlignment(), vaTop);
    panel.SetVAlignment(static_cast<TVertAlignment>(alignment));
    const QRect area = panel.CaptionArea();
    QCOMPARE(area, QRect(1, 1, 98, 38));
    QCOMPARE(panel.CaptionRect(area, 10).top(), top);
}

void TestPosForm::empNumNeedsConnection()
{
    pw::test::PlatformDoubles doubles;
    TfrmPosForm form;
    try {
        form.SetEmpNum(QStringLiteral("12"));
        QFAIL("no exception");
    } catch (const pw::Exception& e) {
        QCOMPARE(e.message(), QStringLiteral("TfrmPosForm.AdoConnection property has not been set"));
    }
    QVERIFY(form.EmpNum().isEmpty());
}

void TestPosForm::empNumLoadsEmployee()
{
    TillFixture f;
    RecordingEmployee* created = nullptr;
    SetPosFormEmployeeFactory([&created] {
        auto employee = std::make_unique<RecordingEmployee>();
        created = employee.get();
        return employee;
    });
    {
        TfrmPosForm form;
        QVERIFY(form.Emp() != nullptr);
        form.SetAdoConnection(&f.dm.con);
        form.SetEmpNum(QString());
        QVERIFY(created->loaded.isEmpty());
        form.SetEmpNum(QStringLiteral("O'Brien"));
        QCOMPARE(form.EmpNum(), QStringLiteral("O'Brien"));
        QCOMPARE(created->loaded, QStringList{QStringLiteral("O'Brien")});
        QCOMPARE(created->connection, &f.dm.con);
    }
    SetPosFormEmployeeFactory({});
}

void TestPosForm::formLookBorderAndFont_data()
{
    QTest::addColumn<int>("look");
    QTest::addColumn<bool>("showBorder");
    QTest::addColumn<bool>("border");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("normal") << int(flNormal) << false << true << 8 << false;
    QTest::newRow("keyboard") << int(flKeyboard) << false << true << 10 << true;
    QTest::newRow("touch screen") << int(flTouchScreen) << false << false << 10 << true;
    QTest::newRow("touch screen, ShowBorder") << int(flTouchScreen) << true << true << 10 << true;
}

void TestPosForm::formLookBorderAndFont()
{
    QFETCH(int, look);
    QFETCH(bool, showBorder);
    QFETCH(bool, border);
    QFETCH(int, points);
    QFETCH(bool, bold);
    pw::test::PlatformDoubles doubles;
    FormLookGuard guard;
    TfrmPosForm form;
    form.SetShowBorder(showBorder);
    form.SetFormLook(static_cast<TFormLook>(look));
    QCOMPARE(form.HasBorder(), border);
    QCOMPARE(form.font().family(), QStringLiteral("Arial"));
    QCOMPARE(form.font().pointSize(), points);
    QCOMPARE(form.font().bold(), bold);
    QCOMPARE(int(FormSettings->Look()), look);
}

void TestPosForm::arrangeControlsPanelFromFormLook()
{
    pw::test::PlatformDoubles doubles;
    FormLookGuard guard;
    guard.settings.ButtonColour = Qt::green;
    TfrmPosForm form;
    form.pnlBottom->resize(300, 45);
    const QList<TTchButton*> buttons = addButtons(*form.pnlBottom, {75, 75});
    form.ArrangeControlsPanel(form.pnlBottom);
    QCOMPARE(form.pnlBottom->height(), 40);
    QCOMPARE(form.pnlBottom->HorizSpacing(), 19);
    QCOMPARE(form.pnlBottom->VertAlignment(), vaMiddle);
    for (TTchButton* button : buttons) {
        QCOMPARE(button->size(), QSize(64, 24));
        QCOMPARE(button->Color(), QColor(Qt::green));
        QCOMPARE(button->font().family(), QStringLiteral("Tahoma"));
    }
    QCOMPARE(buttons[0]->x(), 77);
    QCOMPARE(buttons[1]->x(), 160);
    form.ArrangeControlsPanel(nullptr);
}

void TestPosForm::modalShowCentresOnInvoiceMonitor()
{
    TillFixture f;
    f.doubles.monitors.screens = {QRect(0, 0, 1024, 768), QRect(1024, 0, 800, 600)};
    f.addTill(1, QStringLiteral("KITCHEN-1"));
    f.db.insert(QStringLiteral("SysData"), {{QStringLiteral("Class"), QStringLiteral("1")},
                                            {QStringLiteral("Item"), QStringLiteral("INV MONITOR")},
                                            {QStringLiteral("Value"), QStringLiteral("1")}});
    TOrvoSettings settings;
    settings.SetAdoConnection(&f.dm.con);
    settings.Local->Populate(1);
    OrvoSettings = &settings;
    {
        TfrmPosForm form;
        form.resize(200, 100);
        f.doubles.modal.answer(mrOk);
        QCOMPARE(form.ShowModal(), int(mrOk));
        QCOMPARE(form.pos(), QPoint(1024 + 400 - 100, 300 - 50));
        QCOMPARE(f.doubles.modal.classNames, QStringList{QStringLiteral("TfrmPosForm")});
    }
    OrvoSettings = nullptr;
}

void TestPosForm::closeClearsShowBorder()
{
    pw::test::PlatformDoubles doubles;
    TfrmPosForm form;
    form.SetShowBorder(true);
    doubles.modal.answer(mrCancel);
    form.ShowModal();
    QVERIFY(!form.ShowBorder());
}

void TestPosForm::centreFormOnMonitor_data()
{
    QTest::addColumn<int>("monitor");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("0") << 0 << QPoint(512 - 100, 384 - 50);
    QTest::newRow("2") << 2 << QPoint(1824 + 640 - 100, 512 - 50);
    QTest::newRow("130 is 2") << 130 << QPoint(1824 + 640 - 100, 512 - 50);
    QTest::newRow("odd sizes") << 1 << QPoint(1024 + 400 - 100, -601 + 300 - 50);
}

void TestPosForm::centreFormOnMonitor()
{
    QFETCH(int, monitor);
    QFETCH(QPoint, expected);
    pw::test::PlatformDoubles doubles;
    doubles.monitors.screens = {QRect(0, 0, 1024, 768), QRect(1024, -601, 801, 601),
                                QRect(1824, 0, 1280, 1024)};
    QWidget form;
    form.resize(200, 100);
    CentreFormOnMonitor(monitor, &form);
    QCOMPARE(form.pos(), expected);
    QVERIFY(doubles.modal.shown.isEmpty());
}

void TestPosForm::invalidMonitor()
{
    pw::test::PlatformDoubles doubles;
    QWidget form;
    form.move(7, 8);
    CentreFormOnMonitor(1, &form);
    QCOMPARE(form.pos(), QPoint(7, 8));
    QCOMPARE(doubles.modal.shown.size(), 1);
    QCOMPARE(doubles.modal.last().kind, QStringLiteral("Information"));
    QCOMPARE(doubles.modal.last().text, QStringLiteral("Invalid monitor"));
    QCOMPARE(doubles.modal.last().buttons, QStringList{QStringLiteral("OK")});
}

QTEST_MAIN(TestPosForm)
#include "test_pos_form.moc"
