#pragma once

#include "till/modal_form.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QWidget;
class TOrvoGlobalSettings;

// The program's own settings: whether the suite's preparation (oven) monitor is
// in use, the GLOBAL setting "APP_PREPMONITOR_ACTIVE" shared by every till.
class TfrmPlatewatchSettings : public TModalForm
{
    Q_OBJECT
public:
    explicit TfrmPlatewatchSettings(TOrvoGlobalSettings* global, QWidget* parent = nullptr);

    void FormShow() override;
    // Saves the GLOBAL settings; a failure leaves the dialog open and goes to the caller.
    void btnOKClick();
    void btnCancelClick();

    QGroupBox* grpAppSettings;
    QCheckBox* chkUseCustomePrepMonitor;
    QWidget* pnlButtons;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    TOrvoGlobalSettings* m_global;
};
