#pragma once

#include "till/db_grid.h"
#include "till/db_navigator.h"
#include "till/editable_query.h"
#include "till/modal_form.h"

class QGroupBox;
class QLabel;
class TTchButton;

namespace pw::db {
class Connection;
}

// A plain list of the registered tills with this computer's till number.
class TfrmTillID : public TModalForm
{
    Q_OBJECT

public:
    explicit TfrmTillID(QWidget* parent = nullptr);

    // This computer's till number; 0 when it has none.
    int ID() const { return m_id; }
    pw::db::Connection* AdoConnection() const { return m_connection; }
    void SetAdoConnection(pw::db::Connection* connection);

    bool RefreshData();
    bool SetTillIDProperty();
    void qryTillsAfterInsert();

    QGroupBox* GroupBox1 = nullptr;
    pw::till::DbNavigator* dbnav = nullptr;
    pw::till::DbGrid* wwDBGrid1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblTillID = nullptr;
    TTchButton* btnOK = nullptr;
    pw::till::EditableQuery* qryTills = nullptr;

protected:
    void FormShow() override;

private:
    void ShowTillID();

    pw::db::Connection* m_connection = nullptr;
    int m_id = 0;
};
