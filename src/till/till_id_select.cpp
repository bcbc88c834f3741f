#include "till/till_id_select.h"

#include "db/dm_orvo.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "staff/tch_button.h"
#include "till/till_id.h"
#include "till/till_id_setup.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

} // namespace

TfrmTillIDSelect::TfrmTillIDSelect(QWidget* parent) : TfrmDbSelector(parent)
{
    setObjectName(QStringLiteral("frmTillIDSelect"));
    setWindowTitle(QStringLiteral("Orvo Till ID's"));

    Label1 = new QLabel(QStringLiteral("This Till ID:"), pnlTop);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto* topLayout = new QHBoxLayout(pnlTop);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(Label1);
    topLayout->addStretch();

    nav->setFixedWidth(225);
    grid->setColumns({{QStringLiteral("TillID"), 3, QStringLiteral("TillID")},
                      {QStringLiteral("Computer Name"), 13, QStringLiteral("Computer Name")},
                      {QStringLiteral("Login Name"), 13, QStringLiteral("Login Name")}});
    grid->setReadOnly(true);
    qry->setSql({QStringLiteral("SELECT * FROM Tills"), QStringLiteral("ORDER BY TillID")});
    qry->setKeyField(QStringLiteral("TillsID"));
    connect(qry, &pw::till::EditableQuery::afterInsert, this, &TfrmTillIDSelect::DoInsert);

    m_computerName = GetLocalComputerName();
    SelectedTill = std::make_unique<TTillsItem>();
    SelectedTill->SetAdoConnection(qry->connection());
    ThisTill = std::make_unique<TTillsItem>();
    ThisTill->SetAdoConnection(qry->connection());
    SetAllowEdit(false);
}

TfrmTillIDSelect::~TfrmTillIDSelect() = default;

bool TfrmTillIDSelect::DoRefresh()
{
    QryStrings = QStringList{QStringLiteral("SELECT * FROM Tills"), QStringLiteral("ORDER BY TillID")};
    const bool result = TfrmDbSelector::DoRefresh();
    UpdateThisTillID();
    return result;
}

void TfrmTillIDSelect::UpdateThisTillID()
{
    ThisTill->Clear();
    qry->disableControls();
    pw::db::Bookmark mark;
    std::exception_ptr failure;
    try {
        if (qry->active()) {
            mark = qry->bookmark();
            if (qry->locate(QStringLiteral("Computer Name"), m_computerName, Qt::CaseInsensitive))
                ThisTill->LoadFromDataSet(qry->query());
        }
    } catch (...) {
        failure = std::current_exception();
    }
    if (mark.isValid())
        qry->gotoBookmark(mark);
    btnOK->setEnabled(qry->active() && !qry->isEmpty());
    qry->enableControls();
    if (ThisTill->TillID() >= 1) {
        pnlTop->SetCaption(QString::number(ThisTill->TillID()));
        pnlTop->SetColor(buttonFaceColour());
    } else {
        pnlTop->SetCaption(QStringLiteral("Not Set"));
        pnlTop->SetColor(Qt::red);
    }
    if (failure)
        std::rethrow_exception(failure);
}

void TfrmTillIDSelect::DoInsert()
{
    try {
        TfrmTillIDSetup setup(this);
        setup.SetAdoConnection(dmOrvo ? &dmOrvo->con : qry->connection());
        if (setup.ShowModal() == mrOk) {
            qry->setValue(QStringLiteral("LOGIN NAME"), setup.UserName());
            qry->setValue(QStringLiteral("TILLID"), setup.TillID());
            qry->setValue(QStringLiteral("COMPUTER NAME"), setup.ComputerName());
            qry->setValue(QStringLiteral("HD SERIAL"), setup.HDSerial());
            qry->post();
            UpdateThisTillID();
        }
        if (qry->state() == pw::till::DataSetState::Insert)
            qry->cancel();
    } catch (const std::exception& e) {
        if (qry->state() == pw::till::DataSetState::Insert)
            qry->cancel();
        MessageDlgEx(QStringLiteral("Failed to insert the till information for this computer\rReason: ") +
                         pw::messageOf(e) +
                         QStringLiteral("\r\rException Raised In: TfrmTillIDSelect.DoInsert"),
                     mtError, mbOK);
    }
}

void TfrmTillIDSelect::btnOKClick()
{
    SelectedTill->LoadFromDataSet(qry->query());
    TfrmDbSelector::btnOKClick();
}

void TfrmTillIDSelect::FormShow()
{
    TfrmDbSelector::FormShow();
    nav->button(pw::till::nbEdit)->setVisible(false);
}
