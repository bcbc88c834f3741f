#include "kitchen/about_form.h"

#include "kitchen/program_version.h"
#include "kitchen/support_texts.h"
#include "platform/platform.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <cmath>

using namespace pw::kitchen;

namespace {

constexpr int kStrip = 25;

QLabel* valueLabel(QWidget* parent, const QString& name, int x, int y)
{
    auto* label = new QLabel(QStringLiteral("Unknown"), parent);
    label->setObjectName(name);
    label->setGeometry(x, y, 380, 18);
    return label;
}

void captionLabel(QWidget* parent, const QString& text, int y)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(12, y, 130, 18);
}

QLabel* linkLabel(QWidget* parent, const QString& name, const QString& text, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(12, y, 480, 18);
    label->setCursor(Qt::PointingHandCursor);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: navy"));
    return label;
}

QString megabytes(std::uint64_t bytes)
{
    return QString::number(std::llround(static_cast<double>(bytes) / 1048576.0)) + QStringLiteral(" MB");
}

} // namespace

TfrmAboutZQ::TfrmAboutZQ(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAboutZQ"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(592, 533);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    QPainterPath shape;
    shape.addRoundedRect(rect(), 4, 4);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));

    const int left = kStrip + 12;
    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(left, kStrip + 10, 48, 48);
    ProgramIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));

    lblProductName = new QLabel(QStringLiteral("Product Name"), this);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    lblProductName->setGeometry(left + 60, kStrip + 10, 420, 24);
    QFont big = lblProductName->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    lblProductName->setFont(big);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(left + 60, kStrip + 38, 420, 18);
    QFont bold = lblVersion->font();
    bold.setBold(true);
    lblVersion->setFont(bold);

    lblNotice = new QLabel(QString::fromLatin1(support::kNotice), this);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    lblNotice->setGeometry(left, kStrip + 66, 592 - 2 * left, 36);
    lblNotice->setWordWrap(true);

    grpSystemInfo = new QGroupBox(QStringLiteral("System Information"), this);
    grpSystemInfo->setObjectName(QStringLiteral("grpSystemInfo"));
    grpSystemInfo->setGeometry(left, kStrip + 108, 592 - 2 * left, 200);
    const char* const captions[] = {"HD Serial No:", "Computer Name:", "Operating System:", "",
                                    "Processor:",    "Memory:",        "Free Memory:",      "IP Address:"};
    for (int i = 0; i < 8; ++i) {
        if (*captions[i])
            captionLabel(grpSystemInfo, QString::fromLatin1(captions[i]), 22 + 21 * i);
    }
    lblHDSerial = valueLabel(grpSystemInfo, QStringLiteral("lblHDSerial"), 146, 22);
    lblCompName = valueLabel(grpSystemInfo, QStringLiteral("lblCompName"), 146, 43);
    lblOS = valueLabel(grpSystemInfo, QStringLiteral("lblOS"), 146, 64);
    lblOSVersion = valueLabel(grpSystemInfo, QStringLiteral("lblOSVersion"), 146, 85);
    lblProcessor = valueLabel(grpSystemInfo, QStringLiteral("lblProcessor"), 146, 106);
    lblMemory = valueLabel(grpSystemInfo, QStringLiteral("lblMemory"), 146, 127);
    lblFreeMemory = valueLabel(grpSystemInfo, QStringLiteral("lblFreeMemory"), 146, 148);
    lblIPAddress = valueLabel(grpSystemInfo, QStringLiteral("lblIPAddress"), 146, 169);

    grpSupport = new QGroupBox(QStringLiteral("Support"), this);
    grpSupport->setObjectName(QStringLiteral("grpSupport"));
    grpSupport->setGeometry(left, kStrip + 316, 592 - 2 * left, 126);
    Label17 = linkLabel(grpSupport, QStringLiteral("Label17"), QString::fromLatin1(support::kWebPage), 22);
    Label6 = linkLabel(grpSupport, QStringLiteral("Label6"), QString::fromLatin1(support::kEmail), 43);
    Label18 =
        linkLabel(grpSupport, QStringLiteral("Label18"), QString::fromLatin1(support::kProductPage), 64);
    lblOfficeHours = new QLabel(QString::fromLatin1(support::kOfficeHours), grpSupport);
    lblOfficeHours->setGeometry(12, 85, 480, 18);
    lblAfterHours = new QLabel(QString::fromLatin1(support::kAfterHours), grpSupport);
    lblAfterHours->setGeometry(12, 104, 480, 18);
    for (QLabel* link : {Label17, Label6, Label18})
        link->installEventFilter(this);

    btnClose = new QPushButton(QStringLiteral("&Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry((592 - 75) / 2, 533 - kStrip - 36, 75, 28);
    connect(btnClose, &QPushButton::clicked, this, &TfrmAboutZQ::btnCloseClick);

    if (const QScreen* screen = this->screen())
        move(screen->geometry().center() - rect().center());
    FormCreate();
}

TfrmAboutZQ::~TfrmAboutZQ() = default;

QString TfrmAboutZQ::SerialText(quint32 serial)
{
    const QString hex = QString::number(serial, 16).toUpper();
    return hex.left(4) + QLatin1Char('-') + hex.mid(4, 4);
}

void TfrmAboutZQ::FormCreate()
{
    const TtvAPIThing api;
    lblVersion->setText(QStringLiteral("Version: ") + GetProgramVersion());
    TVolumeInfo volume;
    api.ReadVolumeInfo(QLatin1Char('C'), volume);
    lblHDSerial->setText(SerialText(volume.SerialNumber));
    lblCompName->setText(api.ComputerName());
    const pw::platform::SystemInfo& info = pw::platform::systemInfo();
    lblOS->setText(info.operatingSystem());
    // Only Windows has service packs.
    lblOSVersion->setText(QString());
    lblProcessor->setText(info.processor().name.trimmed());
    const pw::platform::MemoryStatus memory = info.memory();
    lblMemory->setText(megabytes(memory.totalPhysBytes));
    lblFreeMemory->setText(megabytes(memory.availPhysBytes));
    lblIPAddress->setText(info.ipAddress());
    const QString title = QGuiApplication::applicationDisplayName();
    setWindowTitle(QStringLiteral("About ") + title);
    lblProductName->setText(title);
}

void TfrmAboutZQ::FormKeyPress(int key)
{
    if (key == 27 || key == 13)
        close();
}

void TfrmAboutZQ::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        FormKeyPress(27);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FormKeyPress(13);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TfrmAboutZQ::btnOKClick()
{
    close();
}
void TfrmAboutZQ::btnCloseClick()
{
    close();
}

void TfrmAboutZQ::Label17Click()
{
    pw::platform::shell().openDocument(QString::fromLatin1(support::kWebPage));
}

void TfrmAboutZQ::Label6Click()
{
    pw::platform::shell().openDocument(QStringLiteral("mailto:") + QString::fromLatin1(support::kEmail));
}

void TfrmAboutZQ::Label18Click()
{
    pw::platform::shell().openDocument(QString::fromLatin1(support::kProductPage));
}

bool TfrmAboutZQ::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Label17)
            Label17Click();
        else if (watched == Label6)
            Label6Click();
        else if (watched == Label18)
            Label18Click();
    }
    return QDialog::eventFilter(watched, event);
}

// The coloured strips along the edges stand in for the suite's border pictures.
void TfrmAboutZQ::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    const QColor strip(0, 51, 153);
    painter.fillRect(0, 0, width(), kStrip, strip);
    painter.fillRect(0, height() - kStrip, width(), kStrip, strip);
    painter.fillRect(0, 0, kStrip, height(), strip);
    painter.fillRect(width() - kStrip, 0, kStrip, height(), strip);
}
