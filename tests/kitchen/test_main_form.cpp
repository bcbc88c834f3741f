#include "kitchen_fixture.h"

#include "errors/file_version.h"
#include "errors/message_dialog.h"
#include "kitchen/about_form.h"
#include "kitchen/button_sizes.h"
#include "kitchen/kitchen_labels.h"
#include "kitchen/main_form.h"
#include "kitchen/platewatch_settings_form.h"
#include "kitchen/program_version.h"
#include "platform/doubles/pdf_printers.h"
#include "platform/platform.h"
#include "settings/orvo_settings.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using pw::kitchen::TInvoicesModel;
using pw::test::KitchenFixture;

namespace {

class GrantingGuard final : public TAccessGuard
{
public:
    QStringList asked;
    bool GetAccess(const QString& activityCode) override
    {
        asked.append(activityCode);
        return true;
    }
};

class RecordingGuard final : public TAccessGuard
{
public:
    QStringList asked;
    bool GetAccess(const QString& activityCode) override
    {
        asked.append(activityCode);
        return false;
    }
};

// A program file carrying the version stamp the build gives executables.
QString programFileWithVersion(const QTemporaryDir& dir, const char* version)
{
    const QString file = dir.filePath("platewatch");
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write("\x7f"
              "ELF padding ");
    out.write(QByteArray("PWVER") + "SION:" + version);
    out.write(QByteArray(1, '\0'));
    out.write("more bytes");
    return file;
}

// The main window on the fixture's database, with the settings store loaded.
struct FormFixture : KitchenFixture
{
    TOrvoSettings orvoSettings;
    QStringList versions{"1.2.3.4"};
    std::unique_ptr<TfrmMain> form;

    FormFixture()
    {
        orvoSettings.SetAdoConnection(&db.connection());
        orvoSettings.Global->Populate();
        OrvoSettings = &orvoSettings;
    }
    ~FormFixture()
    {
        form.reset();
        OrvoSettings = nullptr;
    }

    TfrmMain& open(TAccessGuard* guard = nullptr)
    {
        TMainFormServices services;
        services.Connection = &db.connection();
        services.Settings = [this] { return settings; };
        services.PrintLabels = [this](int invoice, int order) { printed.append({invoice, order}); };
        services.Guard = guard;
        services.ProgramVersion = [this] { return versions.first(); };
        form = std::make_unique<TfrmMain>(services);
        form->setWindowState(Qt::WindowNoState);
        form->resize(1000, 700);
        form->show();
        return *form;
    }

    QString keyCode() const { return form->StatusPanel0->text(); }
};

QColor pixelOf(QTableView* grid, int row, int column)
{
    const QImage image = grid->viewport()->grab().toImage();
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    return image.pixelColor(cell.left() + 3, cell.center().y());
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT
private slots:
    void componentsAndTitle();
    void keypadFourMarksAndPrintsLabels();
    void enterShowsThirteenOnly();
    void keysNeverReachTheGrids();
    void keypadZeroCloses();
    void buttonsFollowTheScreen();
    void sizeButtons();
    void selectedRowColours();
    void touchSelectsRow();
    void menuEntriesGuarded();
    void platewatchSettingsDialog_data();
    void platewatchSettingsDialog();
    void statusClock();
    void settingsFromTheStore();
    void programVersion();
    void aboutBox();
};

void TestMainForm::componentsAndTitle()
{
    FormFixture f;
    auto& form = f.open();
    QCOMPARE(form.objectName(), QString("frmMain"));
    for (const char* name :
         {"MainMenu1", "StatusBar1", "PnlButtons", "BtnMark", "BtnUp", "BtnDown", "BtnSwitchView",
          "BtnDisplay", "BtnQuit", "pnlViewStatus", "Button1", "panelMain", "dbGridInvoices",
          "dbGridLineItem", "SystemSettings1", "PlatewatchSettings1"})
        QVERIFY2(form.findChild<QObject*>(name), name);
    QCOMPARE(form.SystemSettings1->text(), QString("Orvo Settings"));
    QCOMPARE(form.PlatewatchSettings1->text(), QString("Platewatch Settings"));
    QCOMPARE(form.windowTitle(), QString("Order Preparation. Version: 1.2.3.4"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QString("Order Preparation. Version: 1.2.3.4"));
    // Shown in the preparing list.
    QCOMPARE(form.pnlViewStatus->text(), QString("To be Prepared"));
    QCOMPARE(form.BtnMark->text(), QString("Done (4)"));
    QCOMPARE(form.BtnDisplay->text(), QString("Display (5)"));
    QCOMPARE(form.BtnSwitchView->text(), QString("Switch\n View (6)"));
    QCOMPARE(form.BtnQuit->text(), QString("Quit (0)"));
    QVERIFY(form.dbGridInvoices->isVisible());
    QVERIFY(!form.dbGridLineItem->isVisible());
    QVERIFY(!form.Button1->isVisible());
    QCOMPARE(form.PnlButtons->width(), 111);
    QCOMPARE(form.pnlViewStatus->height(), 41);
    QCOMPARE(form.StatusPanel0->width(), 300);
    QVERIFY(form.dbGridInvoices->isColumnHidden(TInvoicesModel::colLeadTime));
    QVERIFY(!form.dbGridInvoices->isColumnHidden(TInvoicesModel::colLapsed));
    QCOMPARE(form.dbGridInvoices->font().pixelSize(), 19);
    QVERIFY(form.dbGridInvoices->font().bold());
    QVERIFY(form.Screen().timerRefreshData().isActive());
}

void TestMainForm::keypadFourMarksAndPrintsLabels()
{
    FormFixture f;
    pw::platform::PdfPrinters printers;
    pw::platform::setPrinters(&printers);
    TLabelSettings labelSettings;
    labelSettings.PrinterName = "Label Printer";
    TKitchenLabels labels([&] { return labelSettings; });
    const int invoice = f.addOrder(17, QTime(18, 0));
    const qint64 pizzas = f.db.insert("CatMenu", {{"Description", "Pizzas"}});
    f.db.insert("Prices", {{"Code", "MARG"},
                           {"LabelDesc", "Margherita"},
                           {"Size", "L"},
                           {"CatMenuCode", pizzas},
                           {"Recipe", 5}});
    f.db.insert("PricesLinkPrinters", {{"fkPricesID", 5}});
    f.addLine(invoice, 1, "MARG", "Margherita");
    f.addLine(invoice, 2, "MARG", "Margherita");

    TMainFormServices services;
    services.Connection = &f.db.connection();
    services.Settings = [&] { return f.settings; };
    services.PrintLabels = [&](int inv, int order) { labels.PrintLabels(inv, order, QString()); };
    services.ProgramVersion = [] { return QString("1.0.0.0"); };
    TfrmMain form(services);
    form.show();
    QCOMPARE(form.dbGridInvoices->model()->rowCount(), 1);
    QTest::keyClick(&form, Qt::Key_4, Qt::KeypadModifier);
    QCOMPARE(form.StatusPanel0->text(), QString("100"));
    QCOMPARE(f.cooked(invoice).toString(), QString("2026-12-11 18:07:00"));
    QCOMPARE(printers.jobs.size(), size_t(1));
    QCOMPARE(printers.jobs.front().pageCount, 1); // two products side by side on one label
    QVERIFY(printers.jobs.front().linesOnPage(1).join('|').contains("Order #: 17"));
    QCOMPARE(form.dbGridInvoices->model()->rowCount(), 0);
    pw::platform::setPrinters(nullptr);
}

void TestMainForm::enterShowsThirteenOnly()
{
    FormFixture f;
    f.addOrder(1, QTime(18, 0));
    f.addOrder(2, QTime(18, 5));
    auto& form = f.open();
    const TOrderScreenState before = form.Screen().State();
    QTest::keyClick(&form, Qt::Key_Return);
    QCOMPARE(f.keyCode(), QString("13"));
    QTest::keyClick(form.dbGridInvoices, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(f.keyCode(), QString("13"));
    const TOrderScreenState& after = form.Screen().State();
    QCOMPARE(after.FShowingFinished, before.FShowingFinished);
    QCOMPARE(after.LineItemsShown, before.LineItemsShown);
    QCOMPARE(form.Screen().InvoiceRow(), 0);
    QVERIFY(f.printed.isEmpty());
    QVERIFY(GenericDB->Query.sql().isEmpty());
}

void TestMainForm::keysNeverReachTheGrids()
{
    FormFixture f;
    f.addOrder(1, QTime(18, 0));
    f.addOrder(2, QTime(18, 5));
    auto& form = f.open();
    form.dbGridInvoices->setFocus();
    QTest::keyClick(form.dbGridInvoices, Qt::Key_Down);
    QCOMPARE(f.keyCode(), QString("40"));
    QCOMPARE(form.dbGridInvoices->currentIndex().row(), 0);
    QCOMPARE(form.Screen().InvoiceRow(), 0);
    QTest::keyClick(form.dbGridInvoices, Qt::Key_2, Qt::KeypadModifier);
    QCOMPARE(f.keyCode(), QString("98"));
    QCOMPARE(form.dbGridInvoices->currentIndex().row(), 1);
    QTest::keyClick(form.dbGridInvoices, Qt::Key_7, Qt::KeypadModifier);
    QCOMPARE(f.keyCode(), QString("103"));
    QCOMPARE(form.dbGridInvoices->currentIndex().row(), 1);
}

void TestMainForm::keypadZeroCloses()
{
    FormFixture f;
    auto& form = f.open();
    QVERIFY(form.isVisible());
    QTest::keyClick(&form, Qt::Key_0, Qt::KeypadModifier);
    QCOMPARE(f.keyCode(), QString("96"));
    QVERIFY(!form.isVisible());
}

void TestMainForm::buttonsFollowTheScreen()
{
    FormFixture f;
    f.addOrder(1, QTime(18, 0));
    auto& form = f.open();
    QTest::mouseClick(form.BtnDisplay, Qt::LeftButton);
    QVERIFY(form.dbGridLineItem->isVisible());
    QVERIFY(!form.dbGridInvoices->isVisible());
    QCOMPARE(form.BtnDisplay->text(), QString("Back (5)"));
    QVERIFY(!form.BtnMark->isEnabled());
    QVERIFY(!form.BtnSwitchView->isEnabled());
    QTest::mouseClick(form.BtnDisplay, Qt::LeftButton);
    QVERIFY(form.dbGridInvoices->isVisible());
    QTest::mouseClick(form.BtnSwitchView, Qt::LeftButton);
    QCOMPARE(form.pnlViewStatus->text(), QString("Already Prepared"));
    QCOMPARE(form.BtnMark->text(), QString("Undo (4)"));
    QVERIFY(form.dbGridInvoices->isColumnHidden(TInvoicesModel::colLapsed));
    QVERIFY(!form.dbGridInvoices->isColumnHidden(TInvoicesModel::colLeadTime));
    QVERIFY(!form.BtnDisplay->isEnabled()); // nothing finished yet
    form.Screen().TmrShowUnpreparedTimer();
    QCOMPARE(form.BtnSwitchView->text(), QString("Switch\n View (15)"));
    QTest::mouseClick(form.BtnQuit, Qt::LeftButton);
    QVERIFY(!form.isVisible());
}

void TestMainForm::sizeButtons()
{
    FormFixture f;
    auto& form = f.open();
    for (int panelHeight : {450, 603, 609}) {
        form.PnlButtons->setFixedHeight(panelHeight);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(form.PnlButtons->height(), panelHeight);
        const int height = pw::kitchen::ButtonHeight(panelHeight, 6);
        for (QPushButton* button : {form.BtnMark, form.BtnUp, form.BtnDown, form.BtnSwitchView, form.BtnQuit})
            QCOMPARE(button->height(), height);
        QCOMPARE(form.BtnMark->y(), 0);
        QCOMPARE(form.BtnSwitchView->y(), 3 * height);
        QCOMPARE(form.BtnQuit->y() + height, panelHeight);
        QCOMPARE(form.BtnDisplay->y(), 4 * height);
        QCOMPARE(form.BtnDisplay->y() + form.BtnDisplay->height(), form.BtnQuit->y());
    }
    QCOMPARE(form.BtnMark->height(), 102); // 609 / 6 = 101.5, to even
}

void TestMainForm::selectedRowColours()
{
    FormFixture f;
    f.addOrder(1, QTime(18, 0)); // late at 18:07
    f.addOrder(2, QTime(18, 3)); // due
    f.addOrder(3, QTime(18, 30));
    auto& form = f.open();
    auto* grid = form.dbGridInvoices;
    QCOMPARE(form.Screen().InvoiceRow(), 0);
    QCOMPARE(pixelOf(grid, 0, 0), QColor(Qt::black));
    QCOMPARE(pixelOf(grid, 1, 0), QColor(Qt::yellow));
    QVERIFY(pixelOf(grid, 2, 0) != QColor(Qt::yellow) && pixelOf(grid, 2, 0) != QColor(Qt::red));
    QTest::keyClick(&form, Qt::Key_2, Qt::KeypadModifier);
    QCOMPARE(pixelOf(grid, 0, 0), QColor(Qt::red));
    QCOMPARE(pixelOf(grid, 1, 0), QColor(Qt::black));
}

void TestMainForm::touchSelectsRow()
{
    FormFixture f;
    f.addOrder(1, QTime(18, 0));
    f.addOrder(2, QTime(18, 5));
    auto& form = f.open();
    auto* grid = form.dbGridInvoices;
    const QRect cell = grid->visualRect(grid->model()->index(1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(form.Screen().InvoiceRow(), 1);
    form.Screen().RefreshData();
    QCOMPARE(grid->currentIndex().row(), 1);
}

void TestMainForm::menuEntriesGuarded()
{
    {
        FormFixture f;
        RecordingGuard refusing;
        auto& form = f.open(&refusing);
        form.PlatewatchSettings1->trigger();
        form.SystemSettings1->trigger();
        QCOMPARE(refusing.asked, QStringList({"GL020", "GL020"}));
        QVERIFY(f.doubles.modal.shown.isEmpty());
    }
    {
        FormFixture f;
        auto& form = f.open(); // no check in place: refused
        form.PlatewatchSettings1->trigger();
        QVERIFY(f.doubles.modal.shown.isEmpty());
    }
    {
        FormFixture f;
        GrantingGuard granting;
        auto& form = f.open(&granting);
        f.doubles.modal.answer(mrCancel);
        form.PlatewatchSettings1->trigger();
        QCOMPARE(f.doubles.modal.classNames, QStringList({"TfrmPlatewatchSettings"}));
        QCOMPARE(f.doubles.modal.last().caption, QString("Platewatch Settings"));
        form.SystemSettings1->trigger(); // the suite's settings dialog is not there yet
        QCOMPARE(f.doubles.modal.shown.size(), 1);
        QCOMPARE(granting.asked, QStringList({"GL020", "GL020"}));
    }
}

void TestMainForm::platewatchSettingsDialog_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("after");
    QTest::newRow("on, toggled off, OK") << "1" << true << true << true << "0";
    QTest::newRow("off, toggled on, OK") << "0" << true << true << false << "1";
    QTest::newRow("on, unchanged, OK") << "1" << false << true << true << "1";
    QTest::newRow("yes, unchanged, OK, written as 1") << "Y" << false << true << true << "1";
    QTest::newRow("on, toggled, Cancel") << "1" << true << false << true << "1";
}

void TestMainForm::platewatchSettingsDialog()
{
    QFETCH(QString, stored);
    QFETCH(bool, toggle);
    QFETCH(bool, ok);
    QFETCH(bool, checked);
    QFETCH(QString, after);
    FormFixture f;
    // Every GLOBAL key stored, so a save only writes what changed.
    f.orvoSettings.Global->UpdateAll();
    f.db.exec("UPDATE SysData SET Value = '" + stored +
              "' WHERE Class = 'GLOBAL' AND Item = 'APP_PREPMONITOR_ACTIVE'");
    f.orvoSettings.Global->Populate();
    const int rows = f.db.count("SysData");
    GrantingGuard granting;
    auto& form = f.open(&granting);
    bool shownChecked = !checked;
    f.doubles.modal.answerWith([&](QDialog& dialog) {
        auto& settings = static_cast<TfrmPlatewatchSettings&>(dialog);
        shownChecked = settings.chkUseCustomePrepMonitor->isChecked();
        if (toggle)
            settings.chkUseCustomePrepMonitor->toggle();
        (ok ? settings.btnOK : settings.btnCancel)->click();
        return dialog.result();
    });
    form.PlatewatchSettings1->trigger();
    QCOMPARE(shownChecked, checked);
    QCOMPARE(
        f.db.scalar("SELECT Value FROM SysData WHERE Class = 'GLOBAL' AND Item = 'APP_PREPMONITOR_ACTIVE'")
            .toString(),
        after);
    QCOMPARE(f.db.count("SysData"), rows);
}

void TestMainForm::statusClock()
{
    FormFixture f;
    auto& form = f.open();
    f.doubles.clock.set(KitchenFixture::at(QTime(9, 5, 7)));
    form.UpdateStatusClock();
    QCOMPARE(form.StatusDateTime->text(), QString("11 Dec 26 09:05:07"));
    QVERIFY(form.StatusNumLock->text().startsWith("Num:"));
    QVERIFY(form.StatusCapsLock->text().startsWith("Caps:"));
    QTest::keyClick(&form, Qt::Key_8, Qt::KeypadModifier);
    QCOMPARE(form.StatusNumLock->text(), QString("Num: On"));
    QTest::keyClick(&form, Qt::Key_Up, Qt::KeypadModifier);
    QCOMPARE(form.StatusNumLock->text(), QString("Num: Off"));
    QCOMPARE(f.keyCode(), QString("38"));
}

// The screen reads the GLOBAL settings as they are at each query.
void TestMainForm::settingsFromTheStore()
{
    FormFixture f;
    TOrvoGlobalSettings& global = *f.orvoSettings.Global;
    TPrepSettings settings = PrepSettingsFromOrvoSettings();
    QCOMPARE(settings.DayStart, 5.0 / 24);
    QCOMPARE(settings.FoodPrep, 12.0 / (24 * 60));
    QVERIFY(!settings.PrepMonitorActive);
    global.Key("DAY START")->SetValue("06:30");
    global.Key("FOOD PREP")->SetValue("00:05");
    global.Key("APP_PREPMONITOR_ACTIVE")->SetAsBoolean(true);
    settings = PrepSettingsFromOrvoSettings();
    QCOMPARE(settings.DayStart, 6.5 / 24);
    QCOMPARE(settings.FoodPrep, 5.0 / (24 * 60));
    QVERIFY(settings.PrepMonitorActive);

    TMainFormServices services = DefaultMainFormServices();
    services.Connection = &f.db.connection();
    services.ProgramVersion = [] { return QString("1.0.0.0"); };
    TfrmMain form(services);
    form.show();
    QCOMPARE(form.Screen().qryInvoices.sql().value(6),
             QString("   AND Invoices.Date >= '2026-12-11 06:30:00'"));
    QCOMPARE(form.Screen().qryInvoices.sql().value(9), QString("   AND OvenTimeStamp is not NULL"));
}

void TestMainForm::programVersion()
{
    QTemporaryDir dir;
    QCOMPARE(GetProgramVersion(programFileWithVersion(dir, "1.2.3.4")), QString("1.2.3.4"));
    TVSFixedFileInfo info{7, 9};
    const QString plain = dir.filePath("plain");
    QFile out(plain);
    out.open(QIODevice::WriteOnly);
    out.write("no version here");
    out.close();
    TtvAPIThing().GetFixedFileInfo(plain, info);
    QCOMPARE(info.dwFileVersionMS, 7u); // left as it was
    QCOMPARE(GetProgramVersion(plain), QString("0.0.0.0"));
    // The stamp of this very build.
    QCOMPARE(GetProgramVersion(), TFileVersion::StampedVersion());

    FormFixture f;
    f.versions = {GetProgramVersion(programFileWithVersion(dir, "1.2.3.4"))};
    QCOMPARE(f.open().windowTitle(), QString("Order Preparation. Version: 1.2.3.4"));
}

void TestMainForm::aboutBox()
{
    pw::test::PlatformDoubles doubles;
    doubles.systemInfo.serial = 0xA1B2C3Du;
    doubles.systemInfo.cpu.name = "  Test CPU  ";
    doubles.systemInfo.mem.totalPhysBytes = 8ull << 30;
    doubles.systemInfo.mem.availPhysBytes = (3ull << 30) + (600ull << 20);
    QGuiApplication::setApplicationDisplayName("Order Preparation. Version: 1.2.3.4");
    TfrmAboutZQ about;
    QCOMPARE(about.objectName(), QString("frmAboutZQ"));
    QCOMPARE(about.lblVersion->text(), "Version: " + GetProgramVersion());
    QCOMPARE(about.lblHDSerial->text(), QString("A1B2-C3D"));
    QCOMPARE(about.lblCompName->text(), QString("KITCHEN-1"));
    QCOMPARE(about.lblOS->text(), doubles.systemInfo.os);
    QCOMPARE(about.lblProcessor->text(), QString("Test CPU"));
    QCOMPARE(about.lblMemory->text(), QString("8192 MB"));
    QCOMPARE(about.lblFreeMemory->text(), QString("3672 MB"));
    QCOMPARE(about.lblIPAddress->text(), QString("192.168.1.20"));
    QCOMPARE(about.windowTitle(), QString("About Order Preparation. Version: 1.2.3.4"));
    QCOMPARE(about.lblProductName->text(), QString("Order Preparation. Version: 1.2.3.4"));
    QCOMPARE(TfrmAboutZQ::SerialText(0x1A2B3C4Du), QString("1A2B-3C4D"));
    about.Label6Click();
    about.Label17Click();
    QCOMPARE(doubles.shell.opened.size(), 2);
    QVERIFY(doubles.shell.opened[0].startsWith("mailto:"));
    about.show();
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
    about.show();
    QTest::keyClick(&about, Qt::Key_Return);
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(TestMainForm)
#include "test_main_form.moc"
