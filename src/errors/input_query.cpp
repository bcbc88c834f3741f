#include "errors/message_dialog.h"

#include "errors/message_look.h"
#include "platform/platform.h"

#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace {

// Scales a dialog unit the way the window system does: rounded, not truncated.
int mulDiv(int number, int numerator, int denominator)
{
    return static_cast<int>(std::lround(static_cast<double>(number) * numerator / denominator));
}

} // namespace

bool InputQueryEx(const QString& caption, const QString& prompt, QString& value)
{
    const pw::errors::TMessageLook& look = pw::errors::messageLook();
    QDialog form;
    form.setObjectName(QStringLiteral("frmInputQuery"));
    form.setWindowTitle(caption);
    form.setFont(look.messageFont());

    // Everything is laid out in units of the message font's average character.
    const QFontMetrics metrics(look.messageFont());
    const int dx =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
        52;
    const int dy = metrics.height();
    const int clientWidth = mulDiv(180, dx, 4);
    const int left = mulDiv(8, dx, 4);
    const int maxWidth = mulDiv(164, dx, 4);

    auto* label = new QLabel(prompt, &form);
    label->setObjectName(QStringLiteral("Prompt"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(look.messageFont());
    const QRect textRect = metrics.boundingRect(QRect(0, 0, maxWidth, 0), Qt::TextWordWrap, prompt);
    label->setGeometry(left, mulDiv(8, dy, 8), qMin(textRect.width(), maxWidth), textRect.height());

    auto* edit = new QLineEdit(value, &form);
    edit->setObjectName(QStringLiteral("edit"));
    edit->setMaxLength(255);
    edit->setGeometry(left, label->geometry().bottom() + 1 + 5, maxWidth, edit->sizeHint().height());
    edit->selectAll();
    edit->setFocus();

    const int buttonTop = edit->geometry().bottom() + 1 + 15;
    auto* ok = new QPushButton(QStringLiteral("OK"), &form);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setFont(look.buttonFont());
    ok->setDefault(true);
    ok->setGeometry(clientWidth / 2 - 9 - look.buttonWidth, buttonTop, look.buttonWidth, look.buttonHeight);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &form);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setFont(look.buttonFont());
    cancel->setGeometry(clientWidth / 2 + 9, buttonTop, look.buttonWidth, look.buttonHeight);
    QObject::connect(ok, &QPushButton::clicked, &form, [&form] { form.done(mrOk); });
    QObject::connect(cancel, &QPushButton::clicked, &form, [&form] { form.done(mrCancel); });

    form.setFixedSize(clientWidth, buttonTop + look.buttonHeight + 13);
    pw::errors::centreOnDialogScreen(form);

    const int result =
        pw::platform::modalRunner().run(form, {caption, caption, prompt, {ok->text(), cancel->text()}});
    if (result != mrOk)
        return false;
    value = edit->text().trimmed();
    return !value.isEmpty();
}
