#pragma once

#include "settings/form_settings.h"
#include "till/modal_form.h"
#include "till/zq_panels.h"

#include <functional>
#include <memory>

namespace pw::db {
class Connection;
}

// The employee (with the attendance row) a touch-screen form works for. The
// staff records provide the implementation through the factory below.
class TPosFormEmployee
{
public:
    virtual ~TPosFormEmployee() = default;
    virtual void SetAdoConnection(pw::db::Connection* connection) = 0;
    // Loads the employee by number; false when there is none.
    virtual bool Load(const QString& empNum) = 0;
};

using TPosFormEmployeeFactory = std::function<std::unique_ptr<TPosFormEmployee>()>;
// Installed once at start-up by the staff records; forms made before it have no employee.
void SetPosFormEmployeeFactory(TPosFormEmployeeFactory factory);

// The base of the suite's small touch-screen forms: a bottom row of buttons laid
// out from the current form look, the look's border and font, and centring on
// the till's invoice monitor.
class TfrmPosForm : public TModalForm
{
    Q_OBJECT

public:
    explicit TfrmPosForm(QWidget* parent = nullptr);
    ~TfrmPosForm() override;

    pw::db::Connection* AdoConnection() const { return m_connection; }
    void SetAdoConnection(pw::db::Connection* connection) { m_connection = connection; }
    TPosFormEmployee* Emp() const { return m_emp.get(); }
    const QString& EmpNum() const { return m_empNum; }
    virtual void SetEmpNum(const QString& empNum);
    TFormLook FormLook() const { return m_formLook; }
    virtual void SetFormLook(TFormLook look);
    virtual void ArrangeControlsPanel(TZqControlsPanel* panel);
    virtual void ApplyFormLook();
    bool ShowBorder() const { return m_showBorder; }
    void SetShowBorder(bool on);
    // True while the form has a dialog border; false when it has none.
    bool HasBorder() const;

    int ShowModal() override;

    QWidget* pnlMain = nullptr;
    TZqControlsPanel* pnlBottom = nullptr;

protected:
    // For descendants whose create and destroy handlers replace this form's:
    // they start without an employee.
    enum class CreateHandler
    {
        Base,
        Own
    };
    TfrmPosForm(QWidget* parent, CreateHandler handler);

    void FormShow() override;
    void FormClose(int& modalResult) override;
    void SetDialogBorder(bool on);

private:
    void Build();

    pw::db::Connection* m_connection = nullptr;
    std::unique_ptr<TPosFormEmployee> m_emp;
    QString m_empNum;
    TFormLook m_formLook = flNormal;
    bool m_showBorder = false;
};
