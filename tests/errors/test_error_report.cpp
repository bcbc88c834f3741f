#include "errors/exception_handler.h"
#include "errors/ezq_exception.h"
#include "errors/file_version.h"
#include "errors/guarded_application.h"
#include "errors/msg_dlg_lst.h"
#include "errors/report_log.h"
#include "platform_doubles.h"

#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <stdexcept>

namespace {

const QString kRule = QString(53, '-');
// The doubles' clock stands at 11 December 2026, 18:07.
const QString kLogName = QStringLiteral("20261211 1807.rtf");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The part of every error report after the report's own lines.
QString systemPart()
{
    return QStringList{kRule,
                       "Application Information...",
                       kRule,
                       "Title: Platewatch",
                       "Version: " + TFileVersion::StampedVersion(),
                       kRule,
                       "Operating System Information...",
                       kRule,
                       "Computer Name: KITCHEN-1",
                       "Current User: cook",
                       "Platform: Debian GNU/Linux 12 (bookworm)",
                       "Version: " + QSysInfo::kernelVersion()}
        .join('\n');
}

} // namespace

class TestErrorReport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void exceptionFromAButtonIsReportedAndLogged();
    void contextOfTheReport();
    void standardExceptionsAreReportedToo();
    void failureWhileTheReportIsOpenOpensNoSecondReport();
    void reportThatFailsLeavesTheProgramRunning();
    void logGoesWhereItCanBeWritten();
    void logThatCannotBeWrittenIsSaid();
    void reportWindowKeysAndClicks();
    void rtfEscapesItsSpecialCharacters();
    void fileVersion();

private:
    std::unique_ptr<pw::test::PlatformDoubles> m_doubles;
    std::unique_ptr<QTemporaryDir> m_logs;
};

void TestErrorReport::init()
{
    m_doubles = std::make_unique<pw::test::PlatformDoubles>();
    m_logs = std::make_unique<QTemporaryDir>();
    pw::errors::setLogFolders({m_logs->path()});
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Platewatch"));
}

void TestErrorReport::cleanup()
{
    pw::errors::setLogFolders({});
    m_doubles.reset();
    m_logs.reset();
}

// The event loop's guard catches what a handler let go; the program carries on.
void TestErrorReport::exceptionFromAButtonIsReportedAndLogged()
{
    QPushButton button(QStringLiteral("Done (4)"));
    QObject::connect(&button, &QPushButton::clicked,
                     [] { throw pw::Exception(QStringLiteral("Printer \"Labels\" is not installed")); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);

    QCOMPARE(m_doubles->modal.shown.size(), 1);
    const pw::platform::ShownDialog& shown = m_doubles->modal.last();
    QCOMPARE(shown.kind, QStringLiteral("TfrmMsgDlgLst"));
    QCOMPARE(shown.caption, QStringLiteral("Platewatch"));
    QCOMPARE(shown.buttons, QStringList{QStringLiteral("&Close")});
    const QString logFile = QDir(m_logs->path()).absoluteFilePath(kLogName);
    QCOMPARE(shown.text, QStringList({"An Error Has Occurred", "",
                                      "Error: Printer \"Labels\" is not installed", "", "Raised In: Not Set",
                                      "", systemPart(), "", "Log file has been saved to " + logFile})
                             .join('\n'));

    const QByteArray rtf = readAll(logFile);
    QVERIFY(rtf.startsWith("{\\rtf1"));
    QVERIFY(rtf.contains("\\red255\\green0\\blue0;"));
    QVERIFY(rtf.contains("\\cf1 \\b Error: Printer \"Labels\" is not installed\\b0\\cf0\\par"));
    QVERIFY(rtf.contains("\\b An Error Has Occurred\\b0\\par"));
    QVERIFY(rtf.contains("Computer Name: KITCHEN-1\\par"));
    QVERIFY(!rtf.contains("Log file has been saved"));

    // Still running: the next failure in the same minute replaces the log.
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(m_doubles->modal.shown.size(), 2);
    QCOMPARE(QDir(m_logs->path()).entryList(QDir::Files), QStringList{kLogName});
}

void TestErrorReport::contextOfTheReport()
{
    ExceptionHandler->Heading = QStringLiteral("Failed to save global changes");
    ExceptionHandler->RaisedIn = QStringLiteral("TfrmSettings.SaveChanges");
    ExceptionHandler->ExtraMessage = QStringLiteral("The settings were not saved.");
    ExceptionHandler->Info = QStringList{QStringLiteral("Till: 3")};
    QTimer::singleShot(0, [] {
        throw EZQException(QStringLiteral("No value for DAY START"), {"Class: GLOBAL", "Key: DAY START"},
                           QStringLiteral("TSysDataItem.AsTime"));
    });
    QTRY_COMPARE(m_doubles->modal.shown.size(), 1);

    const QString report = m_doubles->modal.last().text;
    QVERIFY2(report.startsWith(
                 QStringList({"Failed to save global changes", "", "Error: No value for DAY START", "",
                              "Raised In: TSysDataItem.AsTime", "", "The settings were not saved.",
                              "Additional Information", "Till: 3", "Class: GLOBAL", "Key: DAY START", kRule})
                     .join('\n')),
             qPrintable(report));

    // The context was for that report only.
    QCOMPARE(ExceptionHandler->Heading, QStringLiteral("An Error Has Occurred"));
    QCOMPARE(ExceptionHandler->RaisedIn, QStringLiteral("Not Set"));
    QCOMPARE(ExceptionHandler->ExtraMessage, QString());
    QVERIFY(ExceptionHandler->Info.isEmpty());
}

void TestErrorReport::standardExceptionsAreReportedToo()
{
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { throw std::runtime_error("vector too long"); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(m_doubles->modal.shown.size(), 1);
    QVERIFY(m_doubles->modal.last().text.startsWith(
        QStringLiteral("An Error Has Occurred\n\nError: vector too long\n\nRaised In: Not Set\n")));
}

// Whatever fails inside the report's own event loop must not open a report over
// it: a report window that fails would otherwise stack reports without end.
void TestErrorReport::failureWhileTheReportIsOpenOpensNoSecondReport()
{
    m_doubles->modal.answerWith([](QDialog& dialog) {
        QMetaObject::invokeMethod(
            &dialog, [] { throw pw::Exception(QStringLiteral("Paint failed")); }, Qt::QueuedConnection);
        QCoreApplication::sendPostedEvents(&dialog);
        return 1;
    });
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { throw pw::Exception(QStringLiteral("first")); });
    button.show();
    QTest::ignoreMessage(QtCriticalMsg, "Failed while an error report was open: Paint failed");
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(m_doubles->modal.shown.size(), 1);
    QVERIFY(m_doubles->modal.last().text.contains(QStringLiteral("Error: first")));

    // Once it is closed, the next failure has a report of its own.
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(m_doubles->modal.shown.size(), 2);
}

void TestErrorReport::reportThatFailsLeavesTheProgramRunning()
{
    m_doubles->modal.answerWith([](QDialog&) -> int { throw std::runtime_error("no screen"); });
    ExceptionHandler->Heading = QStringLiteral("Failed to mark the order done");
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { throw pw::Exception(QStringLiteral("boom")); });
    button.show();
    QTest::ignoreMessage(QtCriticalMsg, "The error report itself failed: no screen (while reporting: boom)");
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(ExceptionHandler->Heading, QStringLiteral("An Error Has Occurred"));

    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(m_doubles->modal.shown.size(), 2);
    QVERIFY(m_doubles->modal.last().text.startsWith(QStringLiteral("An Error Has Occurred\n\nError: boom")));
}

void TestErrorReport::logGoesWhereItCanBeWritten()
{
    // The program's folder of a machine-wide install cannot be written.
    pw::errors::setLogFolders({QStringLiteral("/proc/platewatch"), m_logs->path()});
    TfrmMsgDlgLst form;
    form.AddLine(QStringLiteral("An Error Has Occurred"), true);
    form.ShowReport(mtError);
    const QString written = QDir(m_logs->path()).absoluteFilePath(kLogName);
    QVERIFY(form.LogSaved());
    QCOMPARE(form.LogFileName(), written);
    QVERIFY(m_doubles->modal.last().text.endsWith(QStringLiteral("\nLog file has been saved to ") + written));
    QVERIFY(QFile::exists(written));
}

void TestErrorReport::logThatCannotBeWrittenIsSaid()
{
    pw::errors::setLogFolders({QStringLiteral("/proc/platewatch")});
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { throw pw::Exception(QStringLiteral("boom")); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(m_doubles->modal.shown.size(), 1);
    const QString last = m_doubles->modal.last().text.section('\n', -1);
    QVERIFY2(
        last.startsWith(QStringLiteral("Log file could not be saved to /proc/platewatch/") + kLogName + ": "),
        qPrintable(last));
}

void TestErrorReport::reportWindowKeysAndClicks()
{
    TfrmMsgDlgLst form;
    QCOMPARE(form.size(), QSize(372, 312));
    QCOMPARE(form.objectName(), QStringLiteral("frmMsgDlgLst"));
    QCOMPARE(form.TchButton1->geometry(), QRect(148, 2, 75, 40));
    QCOMPARE(form.TchButton1->text(), QStringLiteral("&Close"));
    QCOMPARE(form.Image->geometry(), QRect(4, 6, 32, 32));
    QVERIFY(form.re->isReadOnly());
    QVERIFY(!form.reNums->toPlainText().isEmpty());
    form.show();

    QCOMPARE(form.re->height(), 244);
    QTest::keyClick(form.re, Qt::Key_F1);
    QCOMPARE(form.re->height(), 175);
    QCOMPARE(form.reNums->geometry(), QRect(0, 175, 372, 92));
    QTest::mouseClick(form.reNums->viewport(), Qt::LeftButton);
    QCOMPARE(form.re->height(), 244);
    QCOMPARE(form.reNums->geometry(), QRect(0, 244, 372, 23));

    QTest::keyClick(&form, Qt::Key_Return);
    QVERIFY(form.isHidden());
    QCOMPARE(form.result(), 1);
}

void TestErrorReport::rtfEscapesItsSpecialCharacters()
{
    const QByteArray rtf =
        pw::errors::reportToRtf({{QStringLiteral("C:\\zq {new} caf\u00e9\rnext"), false, {}}});
    QVERIFY2(rtf.contains("C:\\\\zq \\{new\\} caf\\u233?\\line next\\par"), rtf.constData());
    QVERIFY(rtf.endsWith("}\r\n"));
}

void TestErrorReport::fileVersion()
{
    TFileVersion version;
    QCOMPARE(version.Major, -1);
    version.ReadFromFile(QCoreApplication::applicationFilePath());
    const QStringList parts = TFileVersion::StampedVersion().split('.');
    QCOMPARE(parts.size(), 4);
    QCOMPARE(version.VersionText, TFileVersion::StampedVersion());
    QCOMPARE((QList<int>{version.Major, version.Minor, version.Release, version.Build}),
             (QList<int>{parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt()}));

    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("labels.txt"));
    QFile file(plain);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("PWVERSION:not a version\n");
    file.close();
    version.ReadFromFile(plain);
    QCOMPARE(version.VersionText, QStringLiteral("?.?.?.?"));
    QCOMPARE(version.Major, -1);
    QCOMPARE(version.Build, -1);

    const QString missing = dir.filePath(QStringLiteral("gone.exe"));
    try {
        version.ReadFromFile(missing);
        QFAIL("a missing file was read");
    } catch (const pw::Exception& e) {
        QCOMPARE(e.message(), QStringLiteral("File ") + missing + QStringLiteral(" does not exist"));
    }
}

// The guarded application must be the application object, as in the program.
int main(int argc, char** argv)
{
    pw::errors::GuardedApplication app(argc, argv);
    TestErrorReport test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_error_report.moc"
