#include "kitchen/main_form.h"

#include "db/dm_orvo.h"
#include "kitchen/button_sizes.h"
#include "kitchen/kitchen_labels.h"
#include "kitchen/platewatch_settings_form.h"
#include "kitchen/program_version.h"
#include "kitchen/virtual_keys.h"
#include "platform/platform.h"
#include "settings/orvo_settings.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

TfrmMain* frmMain = nullptr;

using pw::kitchen::TInvoicesModel;

namespace {

const QString kGuardedActivity = QStringLiteral("GL020");

QFont pixelFont(const QFont& base, int pixels, bool bold)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Selected order rows show their lateness as yellow or red text on black.
class InvoiceCellDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_Selected))
            return;
        const QVariant brush = index.data(TInvoicesModel::HighlightBrushRole);
        const QVariant font = index.data(TInvoicesModel::HighlightFontRole);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            if (brush.isValid())
                option->palette.setColor(group, QPalette::Highlight, brush.value<QColor>());
            if (font.isValid())
                option->palette.setColor(group, QPalette::HighlightedText, font.value<QColor>());
        }
    }
};

QTableView* makeGrid(QWidget* parent, const QString& name, pw::kitchen::TSnapshotModel& model)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setFont(pixelFont(grid->font(), 19, true));
    grid->setModel(&model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    // Widths are given in characters; a digit is as wide as the widest text the columns hold.
    const QFontMetrics metrics = grid->fontMetrics();
    const int charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    for (int column = 0; column < model.columnCount(); ++column) {
        const int header = metrics.horizontalAdvance(model.column(column).label) + 2 * charWidth;
        grid->setColumnWidth(column, qMax(header, (model.column(column).widthChars + 2) * charWidth));
    }
    return grid;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(pixelFont(button->font(), 16, true));
    button->setFocusPolicy(Qt::NoFocus);
    button->resize(111, 75);
    return button;
}

QString buttonText(const QString& caption)
{
    return QString(caption)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

TMainFormServices DefaultMainFormServices()
{
    TMainFormServices services;
    services.Connection = dmOrvo ? &dmOrvo->con : nullptr;
    services.Settings = [] { return OrvoSettings ? PrepSettingsFromOrvoSettings() : TPrepSettings{}; };
    services.PrintLabels = [](int invoiceNum, int orderNum) {
        if (KitchenLabels)
            KitchenLabels->PrintLabels(invoiceNum, orderNum, QString());
    };
    services.ProgramVersion = [] { return GetProgramVersion(); };
    return services;
}

TfrmMain::TfrmMain(TMainFormServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services))
{
    if (!m_services.Guard)
        m_services.Guard = &m_refusing;
    if (!m_services.ProgramVersion)
        m_services.ProgramVersion = [] { return GetProgramVersion(); };
    m_screen =
        std::make_unique<TOrderScreen>(m_services.Connection, m_services.Settings, m_services.PrintLabels);

    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Order Preparation"));
    setWindowState(Qt::WindowMaximized);

    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    mnuSettings = menuBar()->addMenu(QStringLiteral("Settings"));
    SystemSettings1 = mnuSettings->addAction(QStringLiteral("Orvo Settings"));
    SystemSettings1->setObjectName(QStringLiteral("SystemSettings1"));
    PlatewatchSettings1 = mnuSettings->addAction(QStringLiteral("Platewatch Settings"));
    PlatewatchSettings1->setObjectName(QStringLiteral("PlatewatchSettings1"));
    connect(SystemSettings1, &QAction::triggered, this, &TfrmMain::SystemSettings1Click);
    connect(PlatewatchSettings1, &QAction::triggered, this, &TfrmMain::PlatewatchSettings1Click);

    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    const QFont statusFont = pixelFont(StatusBar1->font(), 16, false);
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setFixedWidth(300);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusDateTime = new QLabel(StatusBar1);
    StatusNumLock = new QLabel(StatusBar1);
    StatusCapsLock = new QLabel(StatusBar1);
    for (QLabel* panel : {StatusPanel0, StatusPanel1, StatusDateTime, StatusNumLock, StatusCapsLock})
        panel->setFont(statusFont);
    StatusBar1->addWidget(StatusPanel0);
    StatusBar1->addWidget(StatusPanel1, 1);
    StatusBar1->addPermanentWidget(StatusDateTime);
    StatusBar1->addPermanentWidget(StatusNumLock);
    StatusBar1->addPermanentWidget(StatusCapsLock);

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    row->addLayout(column, 1);

    pnlViewStatus = new QLabel(central);
    pnlViewStatus->setObjectName(QStringLiteral("pnlViewStatus"));
    pnlViewStatus->setFixedHeight(41);
    pnlViewStatus->setAlignment(Qt::AlignCenter);
    pnlViewStatus->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlViewStatus->setFont(pixelFont(pnlViewStatus->font(), 21, false));
    Button1 = new QPushButton(QStringLiteral("Button1"), pnlViewStatus);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->hide();
    connect(Button1, &QPushButton::clicked, this, &TfrmMain::Button1Click);
    column->addWidget(pnlViewStatus);

    panelMain = new QWidget(central);
    panelMain->setObjectName(QStringLiteral("panelMain"));
    auto* grids = new QVBoxLayout(panelMain);
    grids->setContentsMargins(0, 0, 0, 0);
    dbGridInvoices = makeGrid(panelMain, QStringLiteral("dbGridInvoices"), m_screen->InvoicesModel());
    dbGridInvoices->setItemDelegate(new InvoiceCellDelegate(dbGridInvoices));
    dbGridLineItem = makeGrid(panelMain, QStringLiteral("dbGridLineItem"), m_screen->LineItemsModel());
    grids->addWidget(dbGridInvoices);
    grids->addWidget(dbGridLineItem);
    dbGridLineItem->hide();
    column->addWidget(panelMain, 1);
    connect(dbGridInvoices->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_showingState && current.isValid())
                    m_screen->SelectInvoiceRow(current.row());
            });
    connect(dbGridLineItem->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_showingState && current.isValid())
                    m_screen->SelectLineItemRow(current.row());
            });

    PnlButtons = new QWidget(central);
    PnlButtons->setObjectName(QStringLiteral("PnlButtons"));
    PnlButtons->setFixedWidth(111);
    row->addWidget(PnlButtons);
    BtnMark = makeButton(PnlButtons, QStringLiteral("BtnMark"), QStringLiteral("Done (4)"));
    BtnUp = makeButton(PnlButtons, QStringLiteral("BtnUp"), QStringLiteral("(8)"));
    BtnUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    BtnDown = makeButton(PnlButtons, QStringLiteral("BtnDown"), QStringLiteral("(2)"));
    BtnDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    BtnSwitchView = makeButton(PnlButtons, QStringLiteral("BtnSwitchView"),
                               buttonText(QStringLiteral("Switch\r\n View (6)")));
    BtnDisplay = makeButton(PnlButtons, QStringLiteral("BtnDisplay"), QStringLiteral("Back (5)"));
    BtnQuit = makeButton(PnlButtons, QStringLiteral("BtnQuit"), QStringLiteral("Quit (0)"));
    PnlButtons->installEventFilter(this);
    connect(BtnMark, &QPushButton::clicked, this, &TfrmMain::BtnMarkClick);
    connect(BtnUp, &QPushButton::clicked, this, &TfrmMain::BtnUpClick);
    connect(BtnDown, &QPushButton::clicked, this, &TfrmMain::BtnDownClick);
    connect(BtnSwitchView, &QPushButton::clicked, this, &TfrmMain::BtnViewClick);
    connect(BtnDisplay, &QPushButton::clicked, this, &TfrmMain::BtnDisplayClick);
    connect(BtnQuit, &QPushButton::clicked, this, &TfrmMain::BtnCloseClick);

    setCentralWidget(central);

    tmrStatusClock = new QTimer(this);
    tmrStatusClock->setObjectName(QStringLiteral("tmrStatusClock"));
    tmrStatusClock->setInterval(1000);
    connect(tmrStatusClock, &QTimer::timeout, this, &TfrmMain::UpdateStatusClock);
    tmrStatusClock->start();
    UpdateStatusClock();

    connect(m_screen.get(), &TOrderScreen::changed, this, &TfrmMain::showState);
    connect(m_screen.get(), &TOrderScreen::closeRequested, this, &QWidget::close);
    // The window sees every key first, whichever of its controls has the focus.
    qApp->installEventFilter(this);
    showState();
}

TfrmMain::~TfrmMain()
{
    qApp->removeEventFilter(this);
    if (frmMain == this)
        frmMain = nullptr;
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmMain::FormShow()
{
    const QString title = QStringLiteral("Order Preparation. Version: ") + m_services.ProgramVersion();
    QGuiApplication::setApplicationDisplayName(title);
    setWindowTitle(title);
    m_screen->Show();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == PnlButtons)
            FormCanResize();
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != this)
            break;
        if (event->type() == QEvent::KeyPress)
            FormKeyDown(static_cast<QKeyEvent*>(event));
        // Accepted, the override keeps the key from any shortcut: it comes as a key press, which is ours.
        if (event->type() == QEvent::ShortcutOverride)
            event->accept();
        return true;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::FormKeyDown(QKeyEvent* event)
{
    const int code = pw::kitchen::WindowsVirtualKey(*event);
    StatusPanel0->setText(QString::number(code));
    noteLocks(*event);
    m_screen->KeyDown(code);
}

void TfrmMain::FormCanResize()
{
    SizeButtons();
}

void TfrmMain::BtnCloseClick()
{
    close();
}

void TfrmMain::BtnViewClick()
{
    m_screen->UpdateButtonStatus(false);
}

void TfrmMain::BtnUpClick()
{
    m_screen->MoveUp();
}

void TfrmMain::BtnDownClick()
{
    m_screen->MoveDown();
}

void TfrmMain::BtnMarkClick()
{
    m_screen->MarkSelected();
}

void TfrmMain::BtnDisplayClick()
{
    m_screen->ClickDisplayButton();
}

void TfrmMain::Button1Click()
{
    SizeButtons();
}

void TfrmMain::SizeButtons()
{
    const QList<QWidget*> controls =
        PnlButtons->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    placeButtons(pw::kitchen::ButtonHeight(PnlButtons->height(), static_cast<int>(controls.size())));
}

// Done, up, down and switch stack from the top, quit sits at the bottom, and
// display takes what is left between them.
void TfrmMain::placeButtons(int height)
{
    const int width = PnlButtons->width();
    int top = 0;
    for (QPushButton* button : {BtnMark, BtnUp, BtnDown, BtnSwitchView}) {
        button->setGeometry(0, top, width, height);
        top += height;
    }
    const int quitTop = PnlButtons->height() - height;
    BtnQuit->setGeometry(0, quitTop, width, height);
    BtnDisplay->setGeometry(0, top, width, qMax(0, quitTop - top));
}

void TfrmMain::showState()
{
    m_showingState = true;
    const TOrderScreenState& state = m_screen->State();
    pnlViewStatus->setText(state.ViewStatusCaption);
    BtnMark->setText(state.BtnMarkCaption);
    BtnMark->setEnabled(state.BtnMarkEnabled);
    BtnSwitchView->setText(buttonText(state.BtnSwitchViewCaption));
    BtnSwitchView->setEnabled(state.BtnSwitchViewEnabled);
    BtnDisplay->setText(state.BtnDisplayCaption);
    BtnDisplay->setEnabled(state.BtnDisplayEnabled);
    dbGridInvoices->setVisible(!state.LineItemsShown);
    dbGridLineItem->setVisible(state.LineItemsShown);
    dbGridInvoices->setColumnHidden(TInvoicesModel::colLeadTime, !state.LeadTimeVisible);
    dbGridInvoices->setColumnHidden(TInvoicesModel::colLapsed, !state.LapsedVisible);
    for (const auto& [grid, row] : {std::pair{dbGridInvoices, m_screen->InvoiceRow()},
                                    std::pair{dbGridLineItem, m_screen->LineItemRow()}}) {
        if (row < 0) {
            grid->selectionModel()->clear();
        } else {
            const QModelIndex index = grid->model()->index(row, 0);
            grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
            grid->scrollTo(index);
        }
        grid->viewport()->update();
    }
    m_showingState = false;
}

void TfrmMain::UpdateStatusClock()
{
    StatusDateTime->setText(QLocale::c().toString(pw::platform::now(), QStringLiteral("dd MMM yy HH:mm:ss")));
#ifdef Q_OS_WIN
    m_numLock = (GetKeyState(VK_NUMLOCK) & 1) ? 1 : 0;
    m_capsLock = (GetKeyState(VK_CAPITAL) & 1) ? 1 : 0;
#endif
    const auto lockText = [](const QString& caption, int state) {
        return state < 0 ? caption : caption + (state ? QStringLiteral(" On") : QStringLiteral(" Off"));
    };
    StatusNumLock->setText(lockText(QStringLiteral("Num:"), m_numLock));
    StatusCapsLock->setText(lockText(QStringLiteral("Caps:"), m_capsLock));
}

// Where the system gives no way to ask for the lock keys, the keys themselves tell:
// the keypad sends digits only with Num Lock on, and a letter's case tells Caps Lock.
void TfrmMain::noteLocks(const QKeyEvent& event)
{
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period)
            m_numLock = 1;
        else if (key == Qt::Key_Insert || key == Qt::Key_End || key == Qt::Key_Down ||
                 key == Qt::Key_PageDown || key == Qt::Key_Left || key == Qt::Key_Clear ||
                 key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_Up || key == Qt::Key_PageUp ||
                 key == Qt::Key_Delete)
            m_numLock = 0;
    }
    if (key == Qt::Key_NumLock && m_numLock >= 0)
        m_numLock = 1 - m_numLock;
    if (key == Qt::Key_CapsLock && m_capsLock >= 0)
        m_capsLock = 1 - m_capsLock;
    const QString text = event.text();
    if (key >= Qt::Key_A && key <= Qt::Key_Z && text.size() == 1 && text[0].isLetter()) {
        const bool shifted = event.modifiers() & Qt::ShiftModifier;
        m_capsLock = (text[0].isUpper() != shifted) ? 1 : 0;
    }
    UpdateStatusClock();
}

void TfrmMain::SystemSettings1Click()
{
    if (m_services.Guard->GetAccess(kGuardedActivity) && m_services.ShowOrvoSettings)
        m_services.ShowOrvoSettings(this);
}

void TfrmMain::PlatewatchSettings1Click()
{
    if (!m_services.Guard->GetAccess(kGuardedActivity))
        return;
    TfrmPlatewatchSettings dialog(OrvoSettings->Global.get(), this);
    dialog.ShowModal();
}
