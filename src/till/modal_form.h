#pragma once

#include <QDialog>

// A form shown modally through the platform's modal seam. The show step runs
// before the form appears and the close step may change the result it closed with.
class TModalForm : public QDialog
{
    Q_OBJECT

public:
    explicit TModalForm(QWidget* parent = nullptr);

    // Shows the form modally and returns its modal result (mrOk, mrCancel, ...).
    virtual int ShowModal();
    // Ends the modal show with this result; a handler that wants the form to stay
    // open sets the result back to mrNone.
    void CloseWith(int result);
    // The size of the area inside the border.
    void SetClientSize(int width, int height) { resize(width, height); }

protected:
    // The form's show handler.
    virtual void FormShow() {}
    // The form's close handler; it may change the modal result.
    virtual void FormClose(int& /*modalResult*/) {}

    void showEvent(QShowEvent* e) override;
    // Escape and the window's close box close with Cancel.
    void reject() override;

private:
    bool m_inShowModal = false;
};
