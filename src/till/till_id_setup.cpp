#include "till/till_id_setup.h"

#include "db/query.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "staff/tch_button.h"
#include "till/till_id.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, bool regular = false)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    if (regular) {
        QFont font = label->font();
        font.setBold(false);
        label->setFont(font);
    }
    label->adjustSize();
    return label;
}

} // namespace

TfrmTillIDSetup::TfrmTillIDSetup(QWidget* parent) : TModalForm(parent)
{
    setObjectName(QStringLiteral("frmTillIDSetup"));
    setWindowTitle(QStringLiteral("Till Identification Setup"));
    SetClientSize(299, 164);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);

    Label1 = makeLabel(this, "Label1", QStringLiteral("Unique Till ID"), 4, 6);
    Label1->resize(241, 18);
    spin = new QSpinBox(this);
    spin->setObjectName(QStringLiteral("spin"));
    spin->setGeometry(248, 2, 41, 26);
    spin->setRange(1, 10);
    spin->setValue(1);
    QFont regular = font;
    regular.setBold(false);
    spin->setFont(regular);

    Label5 = makeLabel(this, "Label5", QStringLiteral("Logged In As:"), 4, 32);
    lblUserName = makeLabel(this, "lblUserName", QStringLiteral("Name Here"), 131, 32, true);
    Label2 = makeLabel(this, "Label2", QStringLiteral("Computer:"), 4, 52);
    lblComputerName = makeLabel(this, "lblComputerName", QStringLiteral("Name Here"), 131, 52);
    Label3 = makeLabel(this, "Label3", QStringLiteral("Hard Drive Serial #"), 4, 72);
    lblHDSerial = makeLabel(this, "lblHDSerial", QStringLiteral("Serial Here"), 131, 72);

    GroupBox1 = new QGroupBox(QStringLiteral("Till ID Is For..."), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(52, 88, 205, 61);
    radThisPC = new QRadioButton(QStringLiteral("This Computer"), GroupBox1);
    radThisPC->setObjectName(QStringLiteral("radThisPC"));
    radThisPC->setGeometry(8, 16, 120, 17);
    radThisPC->setChecked(true);
    radAnotherPC = new QRadioButton(QStringLiteral("Another Computer"), GroupBox1);
    radAnotherPC->setObjectName(QStringLiteral("radAnotherPC"));
    radAnotherPC->setGeometry(8, 36, 140, 17);
    btnAnotherPC = new TTchButton(GroupBox1);
    btnAnotherPC->setObjectName(QStringLiteral("btnAnotherPC"));
    btnAnotherPC->SetCaption(QStringLiteral("..."));
    btnAnotherPC->setGeometry(164, 32, 33, 21);
    btnAnotherPC->setEnabled(false);
    GroupBox1->setVisible(false);

    btnOK = new TTchButton(this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->SetCaption(QStringLiteral("&OK"));
    btnOK->setGeometry(68, 92, 75, 40);
    btnOK->SetModalResult(mrOk);
    btnOK->SetDefault(true);
    btnCancel = new TTchButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->SetCaption(QStringLiteral("&Cancel"));
    btnCancel->setGeometry(148, 92, 75, 40);
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetCancel(true);

    connect(btnOK, &TTchButton::OnClick, this, &TfrmTillIDSetup::btnOKClick);
    connect(btnCancel, &TTchButton::OnClick, this, [this] { CloseWith(mrCancel); });
    connect(radThisPC, &QRadioButton::clicked, this, &TfrmTillIDSetup::radThisPCClick);
    connect(radAnotherPC, &QRadioButton::clicked, this, &TfrmTillIDSetup::radAnotherPCClick);
    connect(btnAnotherPC, &TTchButton::OnClick, this, &TfrmTillIDSetup::AskOtherComputer);
}

void TfrmTillIDSetup::FormShow()
{
    SetComputer(QString());
    GetNextTillID();
}

void TfrmTillIDSetup::SetComputer(const QString& name)
{
    const QString computer = name.toUpper();
    m_userName = GetLoginName();
    m_hdSerial = GetHardDiskSerial(QLatin1Char('C'), computer);
    m_computerName = computer.isEmpty() ? GetLocalComputerName().toUpper() : computer;
    lblUserName->setText(m_userName);
    lblComputerName->setText(m_computerName);
    lblHDSerial->setText(m_hdSerial);
    for (QLabel* label : {lblUserName, lblComputerName, lblHDSerial})
        label->adjustSize();
    if (m_hdSerial != QLatin1String("0")) {
        btnOK->setEnabled(true);
        return;
    }
    MessageDlgEx(QStringLiteral("The specified computer could not be found"), mtInformation, mbOK);
    btnOK->setEnabled(false);
}

void TfrmTillIDSetup::GetNextTillID()
{
    try {
        pw::db::Query query(m_connection);
        query.setSql({QStringLiteral("SELECT DISTINCT tillid"), QStringLiteral("FROM tills"),
                      QStringLiteral("ORDER BY tillid ASC")});
        query.open();
        if (query.isEmpty()) {
            spin->setValue(1);
        } else {
            query.last();
            // The spin edit keeps the number within its range.
            spin->setValue(query.fieldByName(QStringLiteral("TILLID")).asInteger() + 1);
        }
    } catch (const std::exception& e) {
        MessageDlgEx(QStringLiteral("Failed to locate the list of used till ID's\r\rError: ") +
                         pw::messageOf(e) +
                         QStringLiteral("\r\rException Raised In: TfrmTillIDSetup.GetNextTillID"),
                     mtError, mbOK);
    }
}

void TfrmTillIDSetup::btnOKClick()
{
    // The dialog stays open unless the number is free.
    setResult(mrNone);
    try {
        pw::db::Query query(m_connection);
        query.setSql({QStringLiteral("SELECT * FROM tills"),
                      QStringLiteral("WHERE TillID = ") + QString::number(spin->value())});
        query.open();
        if (query.isEmpty()) {
            m_tillID = spin->value();
            CloseWith(mrOk);
            return;
        }
        MessageDlgEx(QStringLiteral("The Till ID ") + QString::number(spin->value()) +
                         QStringLiteral(" has already been registered by...\rComputer: ") +
                         query.fieldByName(QStringLiteral("Computer Name")).asString().toUpper(),
                     mtInformation, mbOK);
    } catch (const std::exception& e) {
        MessageDlgEx(QStringLiteral("Failed to update the till ID\r\rError: ") + pw::messageOf(e) +
                         QStringLiteral("\r\rException Raised In: TfrmTillIDSetup.btnOKClick"),
                     mtError, mbOK);
    }
}

void TfrmTillIDSetup::radThisPCClick()
{
    btnAnotherPC->setEnabled(false);
    SetComputer(QString());
}

void TfrmTillIDSetup::radAnotherPCClick()
{
    btnAnotherPC->setEnabled(true);
    AskOtherComputer();
}

void TfrmTillIDSetup::AskOtherComputer()
{
    QString name = m_computerName;
    if (!InputQueryEx(QStringLiteral("Computer Name"), QStringLiteral("Enter the required computer name"),
                      name))
        return;
    name = name.toUpper();
    if (name != GetLocalComputerName().toUpper()) {
        SetComputer(name);
        return;
    }
    radThisPC->setChecked(true);
    radThisPCClick();
}
