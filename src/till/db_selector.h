#pragma once

#include "errors/message_dialog.h"
#include "till/db_grid.h"
#include "till/db_navigator.h"
#include "till/editable_query.h"
#include "till/pos_form.h"

#include <QStringList>

class TTchButton;

// A modal grid over a query given as SQL lines: the user picks a row with OK or
// Enter, or leaves with Cancel or Escape; with editing allowed, rows can be
// inserted, deleted and edited in place.
class TfrmDbSelector : public TfrmPosForm
{
    Q_OBJECT

public:
    explicit TfrmDbSelector(QWidget* parent = nullptr);
    ~TfrmDbSelector() override;

    // The SQL DoRefresh runs.
    QStringList QryStrings;
    // Which of OK, Cancel and Close are shown.
    TMsgDlgButtons Buttons = mbOK | mbCancel;

    bool AllowEdit() const { return m_allowEdit; }
    void SetAllowEdit(bool on);

    virtual bool CtrlEnterPressed();
    virtual bool InsertPressed();
    virtual bool DeletePressed();
    // Runs QryStrings again; true when rows came back. Reports its own failure.
    virtual bool DoRefresh();
    virtual void AfterRefresh(pw::till::EditableQuery& query);
    // Refreshes, then shows the form modally; true exactly when it closed with OK.
    virtual bool Execute();

    // What the form does with a key before its controls see it; true when acted on.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);

    TZQPanel* pnlTop = nullptr;
    pw::till::DbNavigator* nav = nullptr;
    pw::till::DbGrid* grid = nullptr;
    TTchButton* btnOK = nullptr;
    TTchButton* btnCancel = nullptr;
    TTchButton* btnClose = nullptr;
    // The query with its data source: automatic edit follows AllowEdit.
    pw::till::EditableQuery* qry = nullptr;

protected:
    virtual void btnOKClick();
    void btnCancelClick();
    void FormShow() override;
    void FormClose(int& modalResult) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void WatchKeys(QWidget* widget);

    bool m_allowEdit = true;
    struct SeenKey
    {
        const QEvent* event = nullptr;
        int key = 0;
        quint64 timestamp = 0;
        bool operator==(const SeenKey&) const = default;
    };
    SeenKey m_lastKey;
};
