#pragma once

#include "db/query.h"
#include "kitchen/connection_recovery.h"
#include "kitchen/order_models.h"
#include "kitchen/prep_settings.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace pw::db {
class Connection;
}

// Prints the item labels of one order (the kitchen label run).
using TLabelPrinter = std::function<void(int invoiceNum, int orderNum)>;

// Which handler the display button runs when clicked: it swaps itself over on every click.
enum class TDisplayBinding
{
    BtnDisplayClick,
    BackClick
};

// What the kitchen screen shows apart from the grids' rows: captions, which
// buttons work, which grid and which columns are visible.
struct TOrderScreenState
{
    bool FShowingFinished = false;
    int CountDownTicks = 0;
    QString ViewStatusCaption = QStringLiteral("To be Prepared");
    QString BtnMarkCaption = QStringLiteral("Done (4)");
    QString BtnSwitchViewCaption = QStringLiteral("Switch\r\n View (6)");
    QString BtnDisplayCaption = QStringLiteral("Back (5)");
    bool BtnMarkEnabled = true;
    bool BtnSwitchViewEnabled = true;
    bool BtnDisplayEnabled = true;
    bool LineItemsShown = false; // dbGridLineItem in place of dbGridInvoices
    bool LapsedVisible = true;
    bool LeadTimeVisible = false;
    TDisplayBinding DisplayBinding = TDisplayBinding::BtnDisplayClick;
};

// The order preparation screen without its widgets: the two order views, the
// line-item display, marking done and undo, the countdown back to the preparing
// view and the periodic refresh. The main window shows its state and models.
class TOrderScreen : public QObject
{
    Q_OBJECT
public:
    TOrderScreen(pw::db::Connection* connection, TPrepSettingsSource settings, TLabelPrinter printLabels,
                 QObject* parent = nullptr);

    // The keypad: what each Windows virtual-key code does.
    enum TKeypadAction
    {
        kaNone,
        kaQuit,
        kaMoveDown,
        kaMark,
        kaDisplay,
        kaSwitchView,
        kaMoveUp
    };
    static TKeypadAction KeypadAction(int virtualKey);
    // Runs a key's action; every key is the screen's, so the caller drops it afterwards.
    void KeyDown(int virtualKey);

    // The steps of showing the window: the preparing list, order rows shown.
    void Show();
    void UpdateButtonStatus(bool force);
    void QueryPreparingInvoices();
    void QueryFinishedInvoices();
    void RefreshData();
    void MoveUp();
    void MoveDown();
    void MarkSelected();
    bool CountDown();
    void DisplayLineItems();
    void HideLineItems();
    void BtnDisplayClick();
    void BackClick();
    // The display button as it is bound at the moment.
    void ClickDisplayButton();

    void timerRefreshDataTimer();
    void TmrShowUnpreparedTimer();

    // A row chosen on a grid by touch or mouse.
    void SelectInvoiceRow(int row);
    void SelectLineItemRow(int row);
    // Current rows from 0; -1 when the list is empty.
    int InvoiceRow() const { return qryInvoices.recNo() - 1; }
    int LineItemRow() const { return qryLineItem.recNo() - 1; }

    const TOrderScreenState& State() const { return m_state; }
    pw::kitchen::TInvoicesModel& InvoicesModel() { return m_invoicesModel; }
    pw::kitchen::TLineItemsModel& LineItemsModel() { return m_lineItemsModel; }
    QTimer& timerRefreshData() { return m_timerRefreshData; }
    QTimer& TmrShowUnprepared() { return m_tmrShowUnprepared; }
    const pw::kitchen::TConnectionRecovery& Recovery() const { return m_recovery; }

    pw::db::Query qryInvoices;
    pw::db::Query qryLineItem;

signals:
    void changed();
    void closeRequested();

private:
    void queryInvoices(bool finished);
    void qryInvoicesAfterOpen();
    bool lineItemsShownByCaption() const;
    int execUpdate(const QString& sql);

    pw::db::Connection* m_connection;
    TPrepSettingsSource m_settings;
    TLabelPrinter m_printLabels;
    pw::kitchen::TConnectionRecovery m_recovery;
    TOrderScreenState m_state;
    pw::kitchen::TInvoicesModel m_invoicesModel;
    pw::kitchen::TLineItemsModel m_lineItemsModel;
    QTimer m_timerRefreshData;
    QTimer m_tmrShowUnprepared;
};
