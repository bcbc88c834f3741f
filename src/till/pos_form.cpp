#include "till/pos_form.h"

#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "settings/orvo_settings.h"
#include "staff/tch_button.h"
#include "startup/centre_form_on_monitor.h"

#include <QScopeGuard>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

TPosFormEmployeeFactory& employeeFactory()
{
    static TPosFormEmployeeFactory factory;
    return factory;
}

QFont arial(int points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace

void SetPosFormEmployeeFactory(TPosFormEmployeeFactory factory)
{
    employeeFactory() = std::move(factory);
}

TfrmPosForm::TfrmPosForm(QWidget* parent) : TfrmPosForm(parent, CreateHandler::Base) {}

TfrmPosForm::TfrmPosForm(QWidget* parent, CreateHandler handler) : TModalForm(parent)
{
    Build();
    if (handler == CreateHandler::Base) {
        if (employeeFactory())
            m_emp = employeeFactory()();
        m_showBorder = false;
    }
}

TfrmPosForm::~TfrmPosForm() = default;

void TfrmPosForm::Build()
{
    setObjectName(QStringLiteral("frmPosForm"));
    setWindowTitle(QStringLiteral("frmPosForm"));
    SetClientSize(696, 480);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);

    auto* formLayout = new QVBoxLayout(this);
    formLayout->setContentsMargins(0, 0, 0, 0);
    pnlMain = new QWidget(this);
    pnlMain->setObjectName(QStringLiteral("pnlMain"));
    formLayout->addWidget(pnlMain);
    auto* mainLayout = new QVBoxLayout(pnlMain);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);

    pnlBottom = new TZqControlsPanel(pnlMain);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    pnlBottom->SetBevelOuter(bvNone);
    pnlBottom->SetColor(palette().color(QPalette::Window));
    pnlBottom->SetFontBkGnd(buttonFaceColour());
    pnlBottom->SetAlign(alBottom);
    pnlBottom->SetVAlignment(vaTop);
    pnlBottom->SetHorizAlignment(taCenter);
    pnlBottom->SetHorizSpacing(12);
    pnlBottom->SetLayout(loHorizontal);
    pnlBottom->SetVertAlignment(vaMiddle);
    pnlBottom->SetVertSpacing(5);
    pnlBottom->setFixedHeight(45);
    mainLayout->addStretch();
    mainLayout->addWidget(pnlBottom);
}

void TfrmPosForm::SetEmpNum(const QString& empNum)
{
    if (!m_connection)
        throw pw::Exception(QStringLiteral("TfrmPosForm.AdoConnection property has not been set"));
    m_empNum = empNum;
    if (empNum.isEmpty())
        return;
    if (!m_emp && employeeFactory())
        m_emp = employeeFactory()();
    if (!m_emp)
        return;
    m_emp->SetAdoConnection(m_connection);
    m_emp->Load(empNum);
}

void TfrmPosForm::SetFormLook(TFormLook look)
{
    m_formLook = look;
    if (FormSettings)
        FormSettings->SetLook(look);
    switch (look) {
    case flNormal:
        SetDialogBorder(true);
        setFont(arial(8, false));
        break;
    case flKeyboard:
        SetDialogBorder(true);
        setFont(arial(10, true));
        break;
    case flTouchScreen:
        SetDialogBorder(m_showBorder);
        setFont(arial(10, true));
        break;
    }
    ArrangeControlsPanel(pnlBottom);
}

void TfrmPosForm::ApplyFormLook()
{
    SetFormLook(FormSettings ? FormSettings->Look() : m_formLook);
}

void TfrmPosForm::ArrangeControlsPanel(TZqControlsPanel* panel)
{
    if (!panel)
        return;
    // The panel is arranged even when sizing a button failed.
    auto arrange = qScopeGuard([panel] { panel->Arrange(); });
    if (!FormSettings)
        return;
    const TFormSettings& look = *FormSettings;
    panel->setFixedHeight(look.PanelHeight);
    panel->SetHorizSpacing(look.ButtonSpacing);
    panel->SetVertAlignment(vaMiddle);
    for (QObject* child : panel->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow())
            continue;
        control->resize(look.ButtonWidth, look.ButtonHeight);
        if (auto* speed = qobject_cast<QToolButton*>(control)) {
            QFont font = speed->font();
            font.setBold(true);
            speed->setFont(font);
        } else if (auto* touch = qobject_cast<TTchButton*>(control)) {
            touch->setFont(look.ButtonFont);
            touch->SetFontColor(look.ButtonFontColour);
            touch->SetColor(look.ButtonColour);
        } else {
            control->setFont(look.ButtonFont);
        }
    }
}

void TfrmPosForm::SetShowBorder(bool on)
{
    m_showBorder = on;
    if (on)
        SetDialogBorder(true);
}

bool TfrmPosForm::HasBorder() const
{
    return !windowFlags().testFlag(Qt::FramelessWindowHint);
}

void TfrmPosForm::SetDialogBorder(bool on)
{
    if (HasBorder() == on)
        return;
    const bool visible = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, !on);
    if (visible)
        show();
}

int TfrmPosForm::ShowModal()
{
    ApplyFormLook();
    if (m_showBorder)
        SetDialogBorder(true);
    return TModalForm::ShowModal();
}

void TfrmPosForm::FormShow()
{
    ArrangeControlsPanel(pnlBottom);
    if (OrvoSettings && OrvoSettings->Local)
        CentreFormOnMonitor(OrvoSettings->Local->Key(QStringLiteral("INV MONITOR"))->AsInteger(), this);
}

void TfrmPosForm::FormClose(int&)
{
    m_showBorder = false;
}
