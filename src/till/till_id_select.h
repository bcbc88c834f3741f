#pragma once

#include "settings/tills_item.h"
#include "till/db_selector.h"

#include <memory>

class QLabel;

// The list of registered tills: picks a till, and registers this computer when a
// row is inserted.
class TfrmTillIDSelect : public TfrmDbSelector
{
    Q_OBJECT

public:
    explicit TfrmTillIDSelect(QWidget* parent = nullptr);
    ~TfrmTillIDSelect() override;

    bool DoRefresh() override;
    // Finds this computer's row and shows its till number in the top panel.
    void UpdateThisTillID();
    // After a row was inserted: asks for the till details and posts them.
    void DoInsert();

    const QString& ComputerName() const { return m_computerName; }

    QLabel* Label1 = nullptr;
    // The till the user chose with OK.
    std::unique_ptr<TTillsItem> SelectedTill;
    // This computer's till; TillID -1 when it is not registered.
    std::unique_ptr<TTillsItem> ThisTill;

protected:
    void btnOKClick() override;
    void FormShow() override;

private:
    QString m_computerName;
};
