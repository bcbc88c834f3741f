#pragma once

#include "till/modal_form.h"

class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class TTchButton;

namespace pw::db {
class Connection;
}

// Asks for a free till number and shows the computer, login name and drive
// serial it will be registered with.
class TfrmTillIDSetup : public TModalForm
{
    Q_OBJECT

public:
    explicit TfrmTillIDSetup(QWidget* parent = nullptr);

    pw::db::Connection* AdoConnection() const { return m_connection; }
    void SetAdoConnection(pw::db::Connection* connection) { m_connection = connection; }
    const QString& UserName() const { return m_userName; }
    const QString& ComputerName() const { return m_computerName; }
    const QString& HDSerial() const { return m_hdSerial; }
    int TillID() const { return m_tillID; }

    // An empty name means this computer.
    void SetComputer(const QString& name);
    // Proposes the number after the highest registered one.
    void GetNextTillID();
    void AskOtherComputer();

    void btnOKClick();
    void radThisPCClick();
    void radAnotherPCClick();

    QLabel* Label1 = nullptr;
    QSpinBox* spin = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblUserName = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblComputerName = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblHDSerial = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* radThisPC = nullptr;
    QRadioButton* radAnotherPC = nullptr;
    TTchButton* btnAnotherPC = nullptr;
    TTchButton* btnOK = nullptr;
    TTchButton* btnCancel = nullptr;

protected:
    void FormShow() override;

private:
    pw::db::Connection* m_connection = nullptr;
    QString m_userName;
    QString m_computerName;
    QString m_hdSerial;
    int m_tillID = 0;
};
