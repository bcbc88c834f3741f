#include "errors/message_dialog.h"
#include "errors/message_look.h"
#include "platform_doubles.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QStringList buttonNames(const QDialog& dialog)
{
    QStringList names;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        names.append(button->objectName());
    return names;
}

QPushButton* button(const QDialog& dialog, const QString& name)
{
    return dialog.findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
}

QString defaultButton(const QDialog& dialog)
{
    for (const QPushButton* b : dialog.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        if (b->isDefault())
            return b->objectName();
    }
    return {};
}

// Shows the dialog and presses one key, as a person would.
pw::platform::ScriptedModalRunner::Action press(Qt::Key key)
{
    return [key](QDialog& dialog) {
        dialog.show();
        QTest::keyClick(&dialog, key);
        return dialog.result();
    };
}

} // namespace

class TestMessageDialog : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void customTypeHasNoIcon();
    void buttons_data();
    void buttons();
    void logButtonOnlyForAnExistingLog();
    void yesOpensTheLog_data();
    void yesOpensTheLog();
    void countdownClosesTheDialog_data();
    void countdownClosesTheDialog();
    void reportErrorText();
    void inputQuery_data();
    void inputQuery();
    void inputQueryLayout();
};

void TestMessageDialog::layout_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("wraps");
    QTest::addColumn<QString>("caption");
    QTest::newRow("one line") << QStringLiteral("Printer not found") << int(mtError) << false
                              << QStringLiteral("Error");
    QTest::newRow("report") << QStringLiteral(
                                   "Failed to refresh data\rReason: timeout\r\rException Raised In: "
                                   "TFrmPlatewatch.RefreshData")
                            << int(mtWarning) << false << QStringLiteral("Warning");
    QString longLine;
    while (longLine.size() < 500)
        longLine += QStringLiteral("order ");
    longLine.truncate(500);
    QTest::newRow("500 characters") << longLine << int(mtInformation) << true
                                    << QStringLiteral("Information");
}

// On the 1024 x 768 screen of the doubles: the label is as wide as its widest
// line up to 512 pixels, where it wraps; the form is laid out around it.
void TestMessageDialog::layout()
{
    QFETCH(QString, message);
    QFETCH(int, type);
    QFETCH(bool, wraps);
    QFETCH(QString, caption);
    pw::test::PlatformDoubles doubles;

    const auto form = CreateMessageDialogEx(message, TMsgDlgType(type), mbOK);
    QCOMPARE(form->windowTitle(), caption);
    const auto* image = form->findChild<QLabel*>(QStringLiteral("Image"));
    QVERIFY(image);
    QCOMPARE(image->geometry(), QRect(8, 8, 32, 32));
    const auto* label = form->findChild<QLabel*>(QStringLiteral("Message"));
    QVERIFY(label);
    QCOMPARE(label->wordWrap(), wraps);

    const QFontMetrics metrics(label->font());
    const QStringList lines = message.split('\r');
    int width = 0;
    for (const QString& line : lines)
        width = qMax(width, metrics.horizontalAdvance(line));
    int height = int(lines.size()) * metrics.height();
    if (wraps) {
        QVERIFY(width > 512);
        width = 512;
        height = metrics.boundingRect(QRect(0, 0, 512, 0), Qt::TextWordWrap, message).height();
        QVERIFY(height >= 2 * metrics.height());
    }
    height += int(lines.size()) * metrics.height();
    QCOMPARE(label->geometry(), QRect(50, 8, width, height));

    const int clientWidth = qMax(width + 32 + 10, 64) + 16;
    const int clientHeight = qMax(32, height) + 8 + 10 + 24 + 8;
    QCOMPARE(form->size(), QSize(clientWidth, clientHeight));
    QCOMPARE(form->pos(), QPoint(512 - clientWidth / 2, 384 - clientHeight / 2));
    QCOMPARE(button(*form, QStringLiteral("OK"))->geometry(),
             QRect((clientWidth - 64) / 2, clientHeight - 8 - 24, 64, 24));
}

void TestMessageDialog::customTypeHasNoIcon()
{
    pw::test::PlatformDoubles doubles;
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Platewatch"));
    const auto form = CreateMessageDialogEx(QStringLiteral("Hello"), mtCustom, mbOK);
    QCOMPARE(form->windowTitle(), QStringLiteral("Platewatch"));
    QVERIFY(!form->findChild<QLabel*>(QStringLiteral("Image")));
    QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Message"))->x(), 18);
    MessageDlgEx(QStringLiteral("Hello"), mtCustom, mbOK);
    QCOMPARE(doubles.modal.last().kind, QStringLiteral("Custom"));
    QCOMPARE(doubles.modal.last().caption, QStringLiteral("Platewatch"));
}

void TestMessageDialog::buttons_data()
{
    QTest::addColumn<uint>("set");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("defaultName");
    QTest::addColumn<int>("escapeResult");
    QTest::addColumn<int>("enterResult");
    QTest::newRow("OK") << uint(mbOK) << QStringList{"OK"} << QStringList{"OK"} << "OK" << int(mrOk)
                        << int(mrOk);
    QTest::newRow("Yes/No") << uint(mbYes | mbNo) << QStringList{"Yes", "No"} << QStringList{"&Yes", "&No"}
                            << "Yes" << int(mrNo) << int(mrYes);
    QTest::newRow("Yes/No/Cancel") << uint(mbYes | mbNo | mbCancel) << QStringList{"Yes", "No", "Cancel"}
                                   << QStringList{"&Yes", "&No", "Cancel"} << "Yes" << int(mrCancel)
                                   << int(mrYes);
    QTest::newRow("OK/Cancel") << uint(mbOK | mbCancel) << QStringList{"OK", "Cancel"}
                               << QStringList{"OK", "Cancel"} << "OK" << int(mrCancel) << int(mrOk);
    QTest::newRow("Abort/Retry/Ignore")
        << uint(mbAbort | mbRetry | mbIgnore) << QStringList{"Abort", "Retry", "Ignore"}
        << QStringList{"Abort", "&Retry", "&Ignore"} << "Retry" << int(mrCancel) << int(mrRetry);
}

void TestMessageDialog::buttons()
{
    QFETCH(uint, set);
    QFETCH(QStringList, names);
    QFETCH(QStringList, captions);
    QFETCH(QString, defaultName);
    QFETCH(int, escapeResult);
    QFETCH(int, enterResult);
    pw::test::PlatformDoubles doubles;

    const auto form = CreateMessageDialogEx(QStringLiteral("Save the changes?"), mtConfirmation, set);
    QCOMPARE(buttonNames(*form), names);
    QCOMPARE(defaultButton(*form), defaultName);
    // The row is centred, its buttons 19 pixels apart.
    const int rowWidth = int(names.size()) * 64 + (int(names.size()) - 1) * 19;
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(button(*form, names[i])->x(), (form->width() - rowWidth) / 2 + i * 83);

    doubles.modal.answerWith(press(Qt::Key_Escape));
    QCOMPARE(MessageDlgEx(QStringLiteral("Save the changes?"), mtConfirmation, set), escapeResult);
    doubles.modal.answerWith(press(Qt::Key_Return));
    QCOMPARE(MessageDlgEx(QStringLiteral("Save the changes?"), mtConfirmation, set), enterResult);
    QCOMPARE(doubles.modal.last().kind, QStringLiteral("Confirm"));
    QCOMPARE(doubles.modal.last().caption, QStringLiteral("Confirm"));
    QCOMPARE(doubles.modal.last().text, QStringLiteral("Save the changes?"));
    QCOMPARE(doubles.modal.last().buttons, captions);
}

void TestMessageDialog::logButtonOnlyForAnExistingLog()
{
    pw::test::PlatformDoubles doubles;
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("20261211 1807.rtf"));
    QVERIFY(!CreateMessageDialogEx(QStringLiteral("Failed"), mtError, mbOK, missing)
                 ->findChild<QPushButton*>(QStringLiteral("btnLogFile")));

    QFile log(missing);
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.close();
    const auto form = CreateMessageDialogEx(QStringLiteral("Failed"), mtError, mbOK, missing);
    QCOMPARE(buttonNames(*form), (QStringList{"OK", "btnLogFile"}));
    QPushButton* viewLog = button(*form, QStringLiteral("btnLogFile"));
    QCOMPARE(viewLog->text(), QStringLiteral("View Log"));
    QCOMPARE(viewLog->x(), button(*form, QStringLiteral("OK"))->x() + 83);
    QCOMPARE(form->width(),
             qMax(form->findChild<QLabel*>(QStringLiteral("Message"))->width() + 42, 2 * 64 + 19) + 16);
}

void TestMessageDialog::yesOpensTheLog_data()
{
    QTest::addColumn<uint>("set");
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("opened");
    QTest::newRow("View Log") << uint(mbOK) << "btnLogFile" << int(mrYes) << true;
    QTest::newRow("OK") << uint(mbOK) << "OK" << int(mrOk) << false;
    QTest::newRow("Yes with a log") << uint(mbYes | mbNo) << "Yes" << int(mrYes) << true;
    QTest::newRow("No with a log") << uint(mbYes | mbNo) << "No" << int(mrNo) << false;
}

void TestMessageDialog::yesOpensTheLog()
{
    QFETCH(uint, set);
    QFETCH(QString, press);
    QFETCH(int, result);
    QFETCH(bool, opened);
    pw::test::PlatformDoubles doubles;
    QTemporaryDir dir;
    const QString logFile = dir.filePath(QStringLiteral("20261211 1807.rtf"));
    QFile log(logFile);
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.close();

    doubles.modal.answerWith([press](QDialog& dialog) {
        button(dialog, press)->click();
        return dialog.result();
    });
    QCOMPARE(MessageDlgEx(QStringLiteral("Failed"), mtError, set, logFile), result);
    QCOMPARE(doubles.shell.opened, opened ? QStringList{logFile} : QStringList{});
}

void TestMessageDialog::countdownClosesTheDialog_data()
{
    QTest::addColumn<uint>("set");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << uint(mbOK) << "OK" << int(mrOk);
    QTest::newRow("Yes/No") << uint(mbYes | mbNo) << "&Yes" << int(mrYes);
}

void TestMessageDialog::countdownClosesTheDialog()
{
    QFETCH(uint, set);
    QFETCH(QString, caption);
    QFETCH(int, result);
    pw::test::PlatformDoubles doubles;
    QStringList captions;
    bool closedEarly = false;
    doubles.modal.answerWith([&](QDialog& dialog) {
        auto& form = dynamic_cast<TfrmTimerForm&>(dialog);
        form.show();
        for (int tick = 0; tick < 3; ++tick) {
            captions.append(form.CountdownButton->text());
            closedEarly = closedEarly || form.isHidden();
            form.Timer1Timer();
        }
        return form.isHidden() ? form.result() : -1;
    });

    const auto built = CreateMessageDialogEx(QStringLiteral("Closing soon"), mtInformation, set, {}, 3);
    QVERIFY(built->Timer1->isActive());
    QCOMPARE(built->Timer1->interval(), 1000);
    QVERIFY(!CreateMessageDialogEx(QStringLiteral("Closing soon"), mtInformation, set)->Timer1->isActive());

    QCOMPARE(MessageDlgEx(QStringLiteral("Closing soon"), mtInformation, set, {}, 0, 3), result);
    QVERIFY(!closedEarly);
    QCOMPARE(captions, (QStringList{caption + " (3)", caption + " (2)", caption + " (1)"}));
}

void TestMessageDialog::reportErrorText()
{
    pw::test::PlatformDoubles doubles;
    ReportError(QStringLiteral("Failed to save"), QStringLiteral("disk full"),
                QStringLiteral("TfrmMain.Save"));
    QCOMPARE(doubles.modal.last().text,
             QStringLiteral("Failed to save\rReason: disk full\r\rRaised In: TfrmMain.Save"));
    QCOMPARE(doubles.modal.last().kind, QStringLiteral("Error"));
    ShowInfoMsg(QStringLiteral("Saved"));
    QCOMPARE(doubles.modal.last().kind, QStringLiteral("Information"));
    QCOMPARE(doubles.modal.last().buttons, QStringList{QStringLiteral("OK")});
}

void TestMessageDialog::inputQuery_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("value");
    QTest::newRow("a name") << "  O'Brien  " << int(mrOk) << true << "O'Brien";
    QTest::newRow("blanks only") << "   " << int(mrOk) << false << "";
    QTest::newRow("cancelled") << "Fred" << int(mrCancel) << false << "Table 4";
}

void TestMessageDialog::inputQuery()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, accepted);
    QFETCH(QString, value);
    pw::test::PlatformDoubles doubles;
    QString offered;
    doubles.modal.answerWith([&](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("edit"));
        offered = edit->selectedText();
        edit->setText(typed);
        return answer;
    });
    QString text = QStringLiteral("Table 4");
    QCOMPARE(InputQueryEx(QStringLiteral("Order"), QStringLiteral("Name for the order"), text), accepted);
    QCOMPARE(text, value);
    QCOMPARE(offered, QStringLiteral("Table 4"));
    QCOMPARE(doubles.modal.last().text, QStringLiteral("Name for the order"));
}

void TestMessageDialog::inputQueryLayout()
{
    pw::test::PlatformDoubles doubles;
    doubles.modal.answerWith([](QDialog& dialog) {
        const int centre = dialog.width() / 2;
        const QRect ok = dialog.findChild<QPushButton*>(QStringLiteral("btnOK"))->geometry();
        const QRect cancel = dialog.findChild<QPushButton*>(QStringLiteral("btnCancel"))->geometry();
        const QRect edit = dialog.findChild<QLineEdit*>(QStringLiteral("edit"))->geometry();
        const QRect prompt = dialog.findChild<QLabel*>(QStringLiteral("Prompt"))->geometry();
        const bool placed = ok.right() + 1 == centre - 9 && cancel.left() == centre + 9 &&
                            ok.size() == QSize(64, 24) && ok.top() == edit.bottom() + 1 + 15 &&
                            cancel.top() == ok.top() && edit.top() == prompt.bottom() + 1 + 5 &&
                            edit.left() == prompt.left() && dialog.height() == ok.bottom() + 1 + 13 &&
                            dialog.findChild<QPushButton*>(QStringLiteral("btnOK"))->isDefault();
        return placed ? int(mrOk) : int(mrCancel);
    });
    QString text = QStringLiteral("x");
    QVERIFY(InputQueryEx(QStringLiteral("Order"), QStringLiteral("Name"), text));
}

QTEST_MAIN(TestMessageDialog)
#include "test_message_dialog.moc"
