#include "startup/splash_screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

TfrmSplashScreen* frmSplashScreen = nullptr;

namespace {

QWidget* strip(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    panel->setAutoFillBackground(true);
    QPalette blue = panel->palette();
    blue.setColor(QPalette::Window, Qt::blue);
    panel->setPalette(blue);
    return panel;
}

// The product's mark: a plate with the program's name under it.
QPixmap logo(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const int diameter = qMin(size.width(), size.height()) * 3 / 5;
    const QRect plate((size.width() - diameter) / 2, 12, diameter, diameter);
    painter.setPen(QPen(QColor(0, 51, 153), 4));
    painter.drawEllipse(plate);
    painter.drawEllipse(plate.adjusted(diameter / 6, diameter / 6, -diameter / 6, -diameter / 6));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, plate.bottom() + 8, size.width(), 30), Qt::AlignCenter,
                     QStringLiteral("Platewatch"));
    return pixmap;
}

} // namespace

TfrmSplashScreen::TfrmSplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplashScreen"));
    setWindowTitle(QStringLiteral("Zenquil"));
    setFixedSize(263, 256);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);

    panelTopBorder = strip(this, QStringLiteral("panelTopBorder"), QRect(0, 0, 263, 3));
    panelBottomBorder = strip(this, QStringLiteral("panelBottomBorder"), QRect(0, 253, 263, 3));
    panelLeftBorder = strip(this, QStringLiteral("panelLeftBorder"), QRect(0, 0, 3, 256));
    panelRightBorder = strip(this, QStringLiteral("panelRightBorder"), QRect(260, 0, 3, 256));

    pnlInner = new QWidget(this);
    pnlInner->setObjectName(QStringLiteral("pnlInner"));
    pnlInner->setGeometry(12, 12, 239, 205);
    pnlInner->setAutoFillBackground(true);
    QPalette white = pnlInner->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlInner->setPalette(white);
    Image1 = new QLabel(pnlInner);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(1, 1, 237, 197);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(logo(Image1->size()));
    prg = new QProgressBar(pnlInner);
    prg->setObjectName(QStringLiteral("prg"));
    prg->setGeometry(1, 198, 237, 6);
    prg->setRange(0, 100);
    prg->setValue(0);
    prg->setTextVisible(false);

    lblStatus = new QLabel(QStringLiteral("Progress Information Goes Here"), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setGeometry(3, 219, 257, 34);
    lblStatus->setAlignment(Qt::AlignCenter);
    lblStatus->setWordWrap(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TfrmSplashScreen::Timer1Timer);

    if (const QScreen* screen = this->screen())
        move(screen->geometry().center() - rect().center());
}

TfrmSplashScreen::~TfrmSplashScreen()
{
    if (m_cursorSet)
        QApplication::restoreOverrideCursor();
    if (frmSplashScreen == this)
        frmSplashScreen = nullptr;
}

void TfrmSplashScreen::SetNoOfSteps(int steps)
{
    m_noOfSteps = steps;
    prg->setMaximum(steps);
}

void TfrmSplashScreen::ShowStatus(const QString& text, bool step)
{
    try {
        if (!isVisible())
            show();
        lblStatus->setText(text);
        if (step)
            prg->setValue(prg->value() + 1);
        QCoreApplication::processEvents();
    } catch (...) {
    }
}

void TfrmSplashScreen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmSplashScreen::closeEvent(QCloseEvent* event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void TfrmSplashScreen::FormShow()
{
    if (!m_cursorSet) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_cursorSet = true;
    }
    Timer1->start();
    QCoreApplication::processEvents();
}

void TfrmSplashScreen::FormClose()
{
    Timer1->stop();
    if (m_cursorSet) {
        QApplication::restoreOverrideCursor();
        m_cursorSet = false;
    }
}

void TfrmSplashScreen::Timer1Timer()
{
    const bool onTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (onTop == StayOnTop)
        return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTop);
    if (visible)
        show();
}
