#include "errors/msg_dlg_lst.h"

#include "errors/file_version.h"
#include "errors/message_look.h"
#include "platform/platform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QTextCursor>
#include <QTextEdit>

namespace {

const int kClientWidth = 372;
const int kClientHeight = 312;
const int kPanelHeight = 45;

// The maker's support line; placeholder numbers until the suite's are known.
const char* const kSupportNumbers = "For help with this error call Zenquil support:\n"
                                    "Office hours: 0000 000 000\n"
                                    "After hours: 0000 000 001\n"
                                    "Please have this report in front of you when you call.";

QFont arial13()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    return font;
}

QString rule()
{
    return QString(53, QLatin1Char('-'));
}

} // namespace

TfrmMsgDlgLst::TfrmMsgDlgLst(QWidget* parent)
    : QDialog(parent), re(new QTextEdit(this)), reNums(new QTextEdit(this)), Panel1(new QWidget(this)),
      Image(new QLabel(Panel1)), TchButton1(new QPushButton(QStringLiteral("&Close"), Panel1))
{
    setObjectName(QStringLiteral("frmMsgDlgLst"));
    setWindowTitle(QGuiApplication::applicationDisplayName());
    setFixedSize(kClientWidth, kClientHeight);
    pw::errors::centreOnDialogScreen(*this);

    re->setObjectName(QStringLiteral("re"));
    re->setReadOnly(true);
    re->setFont(arial13());
    re->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    reNums->setObjectName(QStringLiteral("reNums"));
    reNums->setReadOnly(true);
    QFont numbersFont = arial13();
    numbersFont.setBold(true);
    reNums->setFont(numbersFont);
    QPalette numbersPalette = reNums->palette();
    numbersPalette.setColor(QPalette::Text, QColor(Qt::darkBlue));
    numbersPalette.setColor(QPalette::Base, QApplication::palette().color(QPalette::ToolTipBase));
    reNums->setPalette(numbersPalette);
    reNums->setPlainText(QString::fromLatin1(kSupportNumbers));
    reNums->viewport()->installEventFilter(this);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(4, 6, 32, 32);
    // The touch button of the staff layer sits above this library; a plain button does its work here.
    TchButton1->setObjectName(QStringLiteral("TchButton1"));
    TchButton1->setGeometry(148, 2, 75, 40);
    connect(TchButton1, &QPushButton::clicked, this, &TfrmMsgDlgLst::TchButton1Click);

    // Keys reach the form whichever area has the focus.
    for (QWidget* child :
         {static_cast<QWidget*>(re), static_cast<QWidget*>(reNums), static_cast<QWidget*>(TchButton1)})
        child->installEventFilter(this);

    placeAreas(kReportHeight);
}

void TfrmMsgDlgLst::placeAreas(int reportHeight)
{
    re->setGeometry(0, 0, kClientWidth, reportHeight);
    reNums->setGeometry(0, reportHeight, kClientWidth, kClientHeight - kPanelHeight - reportHeight);
    Panel1->setGeometry(0, kClientHeight - kPanelHeight, kClientWidth, kPanelHeight);
}

void TfrmMsgDlgLst::AddLine(const QString& text, bool bold, const QColor& colour)
{
    m_lines.append({text, bold, colour});
    QTextCursor cursor(re->document());
    cursor.movePosition(QTextCursor::End);
    if (m_lines.size() > 1)
        cursor.insertBlock();
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    if (colour.isValid())
        format.setForeground(colour);
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QChar::LineSeparator);
    cursor.insertText(shown, format);
}

QString TfrmMsgDlgLst::ReportText() const
{
    QStringList lines;
    for (const pw::errors::TReportLine& line : m_lines)
        lines.append(line.text);
    return lines.join(QLatin1Char('\n'));
}

void TfrmMsgDlgLst::addHeading(const QString& text)
{
    AddLine(rule(), true);
    AddLine(text, true);
    AddLine(rule(), true);
}

void TfrmMsgDlgLst::ShowReport(TMsgDlgType kind)
{
    Image->setPixmap(MessageDlgIcon(kind).pixmap(32, 32));
    if (kind == mtError) {
        TFileVersion version;
        version.ReadFromFile(QCoreApplication::applicationFilePath());
        addHeading(QStringLiteral("Application Information..."));
        AddLine(QStringLiteral("Title: ") + QGuiApplication::applicationDisplayName());
        AddLine(QStringLiteral("Version: ") + version.VersionText);

        const pw::platform::SystemInfo& system = pw::platform::systemInfo();
        addHeading(QStringLiteral("Operating System Information..."));
        AddLine(QStringLiteral("Computer Name: ") + system.computerName());
        AddLine(QStringLiteral("Current User: ") + system.loginName());
        AddLine(QStringLiteral("Platform: ") + system.operatingSystem());
        AddLine(QStringLiteral("Version: ") + QSysInfo::kernelVersion());
        SaveLog();
    }
    pw::platform::modalRunner().run(
        *this, {QStringLiteral("TfrmMsgDlgLst"), windowTitle(), ReportText(), {TchButton1->text()}});
}

void TfrmMsgDlgLst::SaveLog()
{
    const QString name =
        pw::platform::now().toString(QStringLiteral("yyyyMMdd HHmm")) + QStringLiteral(".rtf");
    const pw::errors::TSavedLog saved = pw::errors::saveReportLog(name, pw::errors::reportToRtf(m_lines));
    m_logFileName = saved.fileName;
    m_logSaved = saved.saved;
    AddLine(QString());
    // A log that cannot be written is part of the report, not a second failure.
    if (saved.saved)
        AddLine(QStringLiteral("Log file has been saved to ") + saved.fileName);
    else
        AddLine(QStringLiteral("Log file could not be saved to ") + saved.fileName + QStringLiteral(": ") +
                    saved.error,
                true);
}

void TfrmMsgDlgLst::ToggleNumbers()
{
    placeAreas(re->height() == kReportHeight ? kReportHeightShort : kReportHeight);
}

void TfrmMsgDlgLst::TchButton1Click()
{
    done(mrOk);
}

bool TfrmMsgDlgLst::FormKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done(mrOk);
        return true;
    case Qt::Key_F1:
        ToggleNumbers();
        return true;
    default:
        return false;
    }
}

void TfrmMsgDlgLst::keyPressEvent(QKeyEvent* event)
{
    if (!FormKeyDown(event->key()))
        QDialog::keyPressEvent(event);
}

bool TfrmMsgDlgLst::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == reNums->viewport() && event->type() == QEvent::MouseButtonPress) {
        ToggleNumbers();
        return true;
    }
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QDialog::eventFilter(watched, event);
}
