#include "till/modal_form.h"

#include "errors/message_dialog.h"
#include "platform/platform.h"
#include "staff/tch_button.h"

#include <QShowEvent>

TModalForm::TModalForm(QWidget* parent) : QDialog(parent) {}

int TModalForm::ShowModal()
{
    setResult(mrNone);
    FormShow();
    pw::platform::ShownDialog shown{QString::fromLatin1(metaObject()->className()), windowTitle(), {}, {}};
    for (const TTchButton* button : findChildren<TTchButton*>()) {
        if (!button->isHidden())
            shown.buttons.append(button->Caption());
    }
    m_inShowModal = true;
    int result = mrNone;
    try {
        result = pw::platform::modalRunner().run(*this, shown);
    } catch (...) {
        m_inShowModal = false;
        throw;
    }
    m_inShowModal = false;
    FormClose(result);
    setResult(result);
    return result;
}

void TModalForm::CloseWith(int result)
{
    setResult(result);
    if (isVisible() && result != mrNone)
        done(result);
}

void TModalForm::showEvent(QShowEvent* e)
{
    // A modal show has run the show step already.
    if (!m_inShowModal && !e->spontaneous())
        FormShow();
    QDialog::showEvent(e);
}

void TModalForm::reject()
{
    CloseWith(mrCancel);
}
