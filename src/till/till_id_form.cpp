#include "till/till_id_form.h"

#include "db/dm_orvo.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "staff/tch_button.h"
#include "till/till_id.h"
#include "till/till_id_setup.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

} // namespace

TfrmTillID::TfrmTillID(QWidget* parent) : TModalForm(parent)
{
    setObjectName(QStringLiteral("frmTillID"));
    setWindowTitle(QStringLiteral("Till ID"));
    SetClientSize(287, 232);

    qryTills = new pw::till::EditableQuery(nullptr, this);
    qryTills->setObjectName(QStringLiteral("qryTills"));
    qryTills->setKeyField(QStringLiteral("TillsID"));

    GroupBox1 = new QGroupBox(QStringLiteral("Registered Tills"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(0, 0, 287, 185);
    QFont bold = GroupBox1->font();
    bold.setBold(true);
    GroupBox1->setFont(bold);
    auto* groupLayout = new QVBoxLayout(GroupBox1);
    groupLayout->setContentsMargins(2, 2, 2, 2);
    groupLayout->setSpacing(0);

    dbnav = new pw::till::DbNavigator(GroupBox1);
    dbnav->setObjectName(QStringLiteral("dbnav"));
    dbnav->setFixedHeight(37);
    dbnav->setVisibleButtons({pw::till::nbPrior, pw::till::nbInsert, pw::till::nbDelete, pw::till::nbNext});
    dbnav->setShowCaptions(true);
    dbnav->setButtonSize(70, 37);
    dbnav->button(pw::till::nbPrior)->setObjectName(QStringLiteral("dbnavPrior"));
    dbnav->button(pw::till::nbInsert)->setObjectName(QStringLiteral("dbnavInsert"));
    dbnav->button(pw::till::nbDelete)->setObjectName(QStringLiteral("dbnavDelete"));
    dbnav->button(pw::till::nbNext)->setObjectName(QStringLiteral("dbnavNext"));
    dbnav->setDataSet(qryTills);
    groupLayout->addWidget(dbnav);

    wwDBGrid1 = new pw::till::DbGrid(GroupBox1);
    wwDBGrid1->setObjectName(QStringLiteral("wwDBGrid1"));
    wwDBGrid1->setColumns({{QStringLiteral("TillID"), 10, QStringLiteral("TillID")},
                           {QStringLiteral("Computer Name"), 30, QStringLiteral("Computer Name")}});
    wwDBGrid1->setConfirmDelete(true);
    wwDBGrid1->setDataSet(qryTills);
    groupLayout->addWidget(wwDBGrid1, 1);

    Label2 = new QLabel(QStringLiteral("This Computers Till ID:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(4, 188);
    lblTillID = new QLabel(QStringLiteral("Not Set"), this);
    lblTillID->setObjectName(QStringLiteral("lblTillID"));
    lblTillID->setAutoFillBackground(true);
    lblTillID->move(112, 188);

    btnOK = new TTchButton(this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->SetCaption(QStringLiteral("&OK"));
    btnOK->setGeometry(106, 204, 75, 25);

    connect(btnOK, &TTchButton::OnClick, this, [this] {
        SetTillIDProperty();
        CloseWith(mrOk);
    });
    connect(qryTills, &pw::till::EditableQuery::afterInsert, this, &TfrmTillID::qryTillsAfterInsert);
    connect(qryTills, &pw::till::EditableQuery::afterPost, this, [this] { SetTillIDProperty(); });
    connect(qryTills, &pw::till::EditableQuery::afterDelete, this, [this] { SetTillIDProperty(); });
}

void TfrmTillID::SetAdoConnection(pw::db::Connection* connection)
{
    m_connection = connection;
    qryTills->setConnection(connection);
}

void TfrmTillID::FormShow()
{
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    RefreshData();
}

bool TfrmTillID::RefreshData()
{
    bool result = false;
    qryTills->disableControls();
    try {
        if (qryTills->active()) {
            qryTills->requery();
        } else {
            qryTills->setSql({QStringLiteral("SELECT * FROM tills")});
            qryTills->open();
        }
        SetTillIDProperty();
        result = true;
    } catch (const std::exception& e) {
        MessageDlgEx(QStringLiteral("Could not get the list of registered tills\rReason: ") +
                         pw::messageOf(e) + QStringLiteral("\r\rException Raised In: TfrmTillID.RefreshData"),
                     mtError, mbOK);
    }
    qryTills->enableControls();
    return result;
}

bool TfrmTillID::SetTillIDProperty()
{
    m_id = 0;
    if (!qryTills->active() && !RefreshData()) {
        ShowTillID();
        return false;
    }
    bool result = false;
    qryTills->disableControls();
    const pw::db::Bookmark mark = qryTills->bookmark();
    try {
        if (qryTills->locate(QStringLiteral("COMPUTER NAME"), GetLocalComputerName(), Qt::CaseInsensitive))
            m_id = qryTills->query().fieldByName(QStringLiteral("TILLID")).asInteger();
        result = true;
    } catch (const std::exception& e) {
        MessageDlgEx(QStringLiteral("Could not set the Till ID property\rReason: ") + pw::messageOf(e) +
                         QStringLiteral("\r\rException Raised In: TfrmTillID.SetTillIDProperty"),
                     mtError, mbOK);
    }
    if (mark.isValid())
        qryTills->gotoBookmark(mark);
    qryTills->enableControls();
    ShowTillID();
    return result;
}

void TfrmTillID::ShowTillID()
{
    QPalette palette = lblTillID->palette();
    if (m_id == 0) {
        lblTillID->setText(QStringLiteral("Not Set"));
        palette.setColor(QPalette::Window, Qt::red);
    } else {
        lblTillID->setText(QString::number(m_id));
        palette.setColor(QPalette::Window, buttonFaceColour());
    }
    lblTillID->setPalette(palette);
    lblTillID->adjustSize();
}

void TfrmTillID::qryTillsAfterInsert()
{
    try {
        TfrmTillIDSetup setup(this);
        setup.SetAdoConnection(dmOrvo ? &dmOrvo->con : m_connection);
        if (setup.ShowModal() == mrOk) {
            qryTills->setValue(QStringLiteral("LOGIN NAME"), setup.UserName());
            qryTills->setValue(QStringLiteral("TILLID"), setup.TillID());
            qryTills->setValue(QStringLiteral("COMPUTER NAME"), setup.ComputerName());
            qryTills->setValue(QStringLiteral("HD SERIAL"), setup.HDSerial());
            qryTills->post();
        }
        if (qryTills->state() == pw::till::DataSetState::Insert)
            qryTills->cancel();
    } catch (const std::exception& e) {
        if (qryTills->state() == pw::till::DataSetState::Insert)
            qryTills->cancel();
        MessageDlgEx(
            QStringLiteral("Orvo failed to insert the till information for this computer\rReason: ") +
                pw::messageOf(e) + QStringLiteral("\r\rException Raised In: TfrmTillID.qryTillsAfterInsert"),
            mtError, mbOK);
    }
}
