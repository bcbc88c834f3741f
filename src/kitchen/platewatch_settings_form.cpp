#include "kitchen/platewatch_settings_form.h"

#include "errors/message_dialog.h"
#include "settings/orvo_settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>

namespace {
const QString kPrepMonitorKey = QStringLiteral("APP_PREPMONITOR_ACTIVE");
}

TfrmPlatewatchSettings::TfrmPlatewatchSettings(TOrvoGlobalSettings* global, QWidget* parent)
    : TModalForm(parent), m_global(global)
{
    setObjectName(QStringLiteral("frmPlatewatchSettings"));
    setWindowTitle(QStringLiteral("Platewatch Settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(366, 113);

    grpAppSettings = new QGroupBox(QStringLiteral("Settings"), this);
    grpAppSettings->setObjectName(QStringLiteral("grpAppSettings"));
    grpAppSettings->setGeometry(0, 0, 366, 113 - 41);
    chkUseCustomePrepMonitor = new QCheckBox(QStringLiteral("Preperation Monitor In Use"), grpAppSettings);
    chkUseCustomePrepMonitor->setObjectName(QStringLiteral("chkUseCustomePrepMonitor"));
    chkUseCustomePrepMonitor->move(16, 16);
    chkUseCustomePrepMonitor->adjustSize();

    pnlButtons = new QWidget(this);
    pnlButtons->setObjectName(QStringLiteral("pnlButtons"));
    pnlButtons->setGeometry(0, 113 - 41, 366, 41);
    btnOK = new QPushButton(QStringLiteral("&Ok"), pnlButtons);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(98, 8, 75, 25);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), pnlButtons);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(194, 8, 75, 25);
    connect(btnOK, &QPushButton::clicked, this, &TfrmPlatewatchSettings::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmPlatewatchSettings::btnCancelClick);

    if (const QScreen* screen = this->screen())
        move(screen->geometry().center() - rect().center());
}

void TfrmPlatewatchSettings::FormShow()
{
    chkUseCustomePrepMonitor->setChecked(m_global->Key(kPrepMonitorKey)->AsBoolean());
}

void TfrmPlatewatchSettings::btnOKClick()
{
    m_global->Key(kPrepMonitorKey)->SetAsBoolean(chkUseCustomePrepMonitor->isChecked());
    m_global->UpdateAll();
    CloseWith(mrOk);
}

// Nothing is written, whatever the box shows (Escape and the close box cancel too).
void TfrmPlatewatchSettings::btnCancelClick()
{
    CloseWith(mrCancel);
}
