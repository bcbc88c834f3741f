#include "kitchen/order_screen.h"

#include "db/connection.h"
#include "db/generic_db.h"
#include "errors/exception.h"
#include "kitchen/order_sql.h"
#include "kitchen/standard_message.h"
#include "kitchen/trading_day.h"
#include "platform/platform.h"

#include <QCursor>
#include <QGuiApplication>

using namespace pw::kitchen;

namespace {

const QString kDisplayCaption = QStringLiteral("Display (5)");
const QString kBackCaption = QStringLiteral("Back (5)");

QString failureText(const QString& whatFailed, const QString& reason, const QString& raisedIn)
{
    return whatFailed + QStringLiteral("\rReason: ") + reason + QStringLiteral("\r\rException Raised In: ") +
           raisedIn;
}

// The hourglass while the list is read again.
class WaitCursor
{
public:
    WaitCursor()
    {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            m_set = true;
        }
    }
    ~WaitCursor()
    {
        if (m_set)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_set = false;
};

} // namespace

TOrderScreen::TOrderScreen(pw::db::Connection* connection, TPrepSettingsSource settings,
                           TLabelPrinter printLabels, QObject* parent)
    : QObject(parent), qryInvoices(connection), qryLineItem(connection), m_connection(connection),
      m_settings(std::move(settings)), m_printLabels(std::move(printLabels)), m_recovery(connection),
      m_invoicesModel(this), m_lineItemsModel(this)
{
    m_invoicesModel.setObjectName(QStringLiteral("dsInvoices"));
    m_lineItemsModel.setObjectName(QStringLiteral("dsLineItems"));
    m_timerRefreshData.setObjectName(QStringLiteral("timerRefreshData"));
    m_timerRefreshData.setInterval(10000);
    m_tmrShowUnprepared.setObjectName(QStringLiteral("TmrShowUnprepared"));
    m_tmrShowUnprepared.setInterval(1000);
    connect(&m_timerRefreshData, &QTimer::timeout, this, &TOrderScreen::timerRefreshDataTimer);
    connect(&m_tmrShowUnprepared, &QTimer::timeout, this, &TOrderScreen::TmrShowUnpreparedTimer);
    m_timerRefreshData.start();
}

TOrderScreen::TKeypadAction TOrderScreen::KeypadAction(int virtualKey)
{
    switch (virtualKey) {
    case 96:
        return kaQuit;
    case 98:
        return kaMoveDown;
    case 100:
        return kaMark;
    case 101:
        return kaDisplay;
    case 102:
        return kaSwitchView;
    case 104:
        return kaMoveUp;
    default:
        return kaNone;
    }
}

void TOrderScreen::KeyDown(int virtualKey)
{
    switch (KeypadAction(virtualKey)) {
    case kaQuit:
        emit closeRequested();
        break;
    case kaMoveDown:
        MoveDown();
        break;
    case kaMark:
        MarkSelected();
        break;
    case kaDisplay:
        DisplayLineItems();
        break;
    case kaSwitchView:
        UpdateButtonStatus(false);
        break;
    case kaMoveUp:
        MoveUp();
        break;
    case kaNone:
        break;
    }
}

void TOrderScreen::Show()
{
    m_state.FShowingFinished = true;
    UpdateButtonStatus(true);
    // With the button still saying "Back (5)" this shows the order rows.
    DisplayLineItems();
}

void TOrderScreen::UpdateButtonStatus(bool force)
{
    try {
        m_state.BtnSwitchViewCaption = QStringLiteral("Switch\r View (6)");
        if (!m_state.FShowingFinished && !force) {
            QueryFinishedInvoices();
            m_state.ViewStatusCaption = QStringLiteral("Already Prepared");
            m_state.BtnMarkCaption = QStringLiteral("Undo (4)");
            m_state.LapsedVisible = false;
            m_state.LeadTimeVisible = true;
            m_state.CountDownTicks = 0;
            m_tmrShowUnprepared.start();
        } else {
            m_tmrShowUnprepared.stop();
            QueryPreparingInvoices();
            m_state.ViewStatusCaption = QStringLiteral("To be Prepared");
            m_state.BtnMarkCaption = QStringLiteral("Done (4)");
            m_state.LapsedVisible = true;
            m_state.LeadTimeVisible = false;
        }
        m_state.FShowingFinished = !m_state.FShowingFinished;
    } catch (const std::exception& e) {
        ShowStandardError(failureText(QStringLiteral("Failed to update the button status"), pw::messageOf(e),
                                      QStringLiteral("TFrmPlatewatch.UpdateButtonStatus")));
    }
    emit changed();
}

void TOrderScreen::QueryPreparingInvoices()
{
    queryInvoices(false);
}

void TOrderScreen::QueryFinishedInvoices()
{
    queryInvoices(true);
}

void TOrderScreen::queryInvoices(bool finished)
{
    WaitCursor wait;
    // The selected order stays selected while it is still listed, wherever it moved.
    const int selected = qryInvoices.isEmpty() ? 0 : m_invoicesModel.InvoiceNum(InvoiceRow());
    TPrepSettings settings;
    qryInvoices.close();
    try {
        settings = m_settings ? m_settings() : TPrepSettings{};
        m_recovery.EnsureOpen();
        const QDateTime now = pw::platform::now();
        const pw::db::Dialect& dialect = m_connection->dialect();
        const QString start = dialect.dateTimeText(TradingDayStart(settings.DayStart, now));
        const QString end = dialect.dateTimeText(TradingDayEnd(settings.DayStart, now));
        qryInvoices.setSql(finished ? FinishedInvoicesSql(start, end)
                                    : PreparingInvoicesSql(start, end, settings.PrepMonitorActive));
        qryInvoices.open();
    } catch (const std::exception& e) {
        qryInvoices.close();
        const QString reason = pw::messageOf(e);
        m_recovery.NoteFailure(reason);
        ShowStandardError(
            finished ? failureText(QStringLiteral("Failed to refresh finished invoices"), reason,
                                   QStringLiteral("TFrmPlatewatch.QueryFinishedInvoices"))
                     : failureText(QStringLiteral("Failed to refresh invoices that are being prepared"),
                                   reason, QStringLiteral("TFrmPlatewatch.QueryPreparingInvoices")));
    }
    m_invoicesModel.SetColourContext(finished, settings.FoodPrep);
    m_invoicesModel.Reset(qryInvoices.result());
    if (selected > 0) {
        for (int row = 0; row < m_invoicesModel.rowCount(); ++row) {
            if (m_invoicesModel.InvoiceNum(row) == selected) {
                qryInvoices.setRecNo(row + 1);
                break;
            }
        }
    }
    qryInvoicesAfterOpen();
    emit changed();
}

// Also after a failed open: an empty list offers no line items.
void TOrderScreen::qryInvoicesAfterOpen()
{
    m_state.BtnDisplayEnabled = !qryInvoices.isEmpty();
}

void TOrderScreen::RefreshData()
{
    m_timerRefreshData.stop();
    try {
        if (m_state.FShowingFinished)
            QueryFinishedInvoices();
        else
            QueryPreparingInvoices();
    } catch (const std::exception& e) {
        ShowStandardError(failureText(QStringLiteral("Failed to refresh data"), pw::messageOf(e),
                                      QStringLiteral("TFrmPlatewatch.RefreshData")));
    }
    m_timerRefreshData.start();
}

void TOrderScreen::timerRefreshDataTimer()
{
    RefreshData();
}

bool TOrderScreen::lineItemsShownByCaption() const
{
    return m_state.BtnDisplayCaption != kDisplayCaption;
}

void TOrderScreen::MoveUp()
{
    (lineItemsShownByCaption() ? qryLineItem : qryInvoices).prior();
    emit changed();
}

void TOrderScreen::MoveDown()
{
    (lineItemsShownByCaption() ? qryLineItem : qryInvoices).next();
    emit changed();
}

int TOrderScreen::execUpdate(const QString& sql)
{
    try {
        m_recovery.EnsureOpen();
        return GenericDB->ExecSQL(sql);
    } catch (const std::exception& e) {
        m_recovery.NoteFailure(pw::messageOf(e));
        throw;
    }
}

void TOrderScreen::MarkSelected()
{
    if (qryInvoices.isEmpty())
        return;
    const int invoiceNum = qryInvoices.fieldByName(QStringLiteral("InvoiceNum")).asInteger();
    if (m_state.FShowingFinished) {
        execUpdate(UndoDoneSql(invoiceNum));
    } else {
        const int orderNum = qryInvoices.fieldByName(QStringLiteral("OrderNum")).asInteger();
        const QString cookedAt = m_connection->dialect().dateTimeText(pw::platform::now());
        // Labels only for an order that was stamped: one gone from the table gets none.
        // A server that keeps its counts to itself (NOCOUNT, -1) stamped it all the same.
        if (execUpdate(MarkDoneSql(cookedAt, invoiceNum)) != 0 && m_printLabels)
            m_printLabels(invoiceNum, orderNum);
    }
    RefreshData();
}

bool TOrderScreen::CountDown()
{
    ++m_state.CountDownTicks;
    if (m_state.CountDownTicks <= 15) {
        m_state.BtnSwitchViewCaption = QStringLiteral("Switch\r View (") +
                                       QString::number(16 - m_state.CountDownTicks) + QLatin1Char(')');
        emit changed();
        return true;
    }
    return false;
}

void TOrderScreen::TmrShowUnpreparedTimer()
{
    if (!CountDown()) {
        m_tmrShowUnprepared.stop();
        UpdateButtonStatus(false);
    }
}

void TOrderScreen::DisplayLineItems()
{
    if (m_state.BtnDisplayCaption != kDisplayCaption) {
        HideLineItems();
        return;
    }
    if (qryInvoices.isEmpty())
        return;
    m_tmrShowUnprepared.stop();
    const int invoiceNum = qryInvoices.fieldByName(QStringLiteral("InvoiceNum")).asInteger();
    try {
        m_recovery.EnsureOpen();
        qryLineItem.close();
        qryLineItem.setSql(pw::kitchen::LineItemsSql(invoiceNum));
        qryLineItem.open();
    } catch (const std::exception& e) {
        m_recovery.NoteFailure(pw::messageOf(e));
        qryLineItem.close();
        m_lineItemsModel.Reset(qryLineItem.result());
        // The finished view keeps counting back to the preparing list.
        if (m_state.FShowingFinished)
            m_tmrShowUnprepared.start();
        emit changed();
        throw;
    }
    m_lineItemsModel.Reset(qryLineItem.result());
    m_state.BtnDisplayCaption = kBackCaption;
    m_state.BtnMarkEnabled = false;
    m_state.BtnSwitchViewEnabled = false;
    m_state.LineItemsShown = true;
    emit changed();
}

void TOrderScreen::HideLineItems()
{
    // Switching on a running countdown must not put its next tick back.
    if (m_state.FShowingFinished && !m_tmrShowUnprepared.isActive())
        m_tmrShowUnprepared.start();
    m_state.BtnDisplayCaption = kDisplayCaption;
    m_state.BtnMarkEnabled = true;
    m_state.BtnSwitchViewEnabled = true;
    m_state.LineItemsShown = false;
    emit changed();
}

void TOrderScreen::BtnDisplayClick()
{
    DisplayLineItems();
    m_state.DisplayBinding = TDisplayBinding::BackClick;
}

void TOrderScreen::BackClick()
{
    HideLineItems();
    m_state.DisplayBinding = TDisplayBinding::BtnDisplayClick;
}

void TOrderScreen::ClickDisplayButton()
{
    if (m_state.DisplayBinding == TDisplayBinding::BtnDisplayClick)
        BtnDisplayClick();
    else
        BackClick();
}

void TOrderScreen::SelectInvoiceRow(int row)
{
    if (row >= 0 && row < qryInvoices.recordCount() && row != InvoiceRow()) {
        qryInvoices.setRecNo(row + 1);
        emit changed();
    }
}

void TOrderScreen::SelectLineItemRow(int row)
{
    if (row >= 0 && row < qryLineItem.recordCount() && row != LineItemRow()) {
        qryLineItem.setRecNo(row + 1);
        emit changed();
    }
}
