#include "errors/message_dialog.h"

#include "platform/platform.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct ButtonSpec
{
    TMsgDlgBtn bit;
    const char* caption;
    int result;
};

const ButtonSpec kButtons[] = {
    {mbYes, "&Yes", mrYes},       {mbNo, "&No", mrNo},           {mbOK, "OK", mrOk},
    {mbCancel, "Cancel", mrCancel}, {mbAbort, "Abort", mrAbort},   {mbRetry, "&Retry", mrRetry},
    {mbIgnore, "&Ignore", mrIgnore}, {mbAll, "&All", mrAll},       {mbNoToAll, "NoToAll", mrNoToAll},
    {mbYesToAll, "YesToAll", mrYesToAll}, {mbHelp, "&Help", mrNone},
};

QString captionFor(TMsgDlgType type)
{
    switch (type) {
    case mtWarning:
        return QStringLiteral("Warning");
    case mtError:
        return QStringLiteral("Error");
    case mtInformation:
        return QStringLiteral("Information");
    case mtConfirmation:
        return QStringLiteral("Confirm");
    case mtCustom:
        break;
    }
    return QApplication::applicationName();
}

} // namespace

QColor buttonFaceColour() { return QApplication::palette().color(QPalette::Button); }

int MessageDlgEx(const QString& msg, TMsgDlgType dlgType, TMsgDlgButtons buttons, const QString& logFile, int,
                 int, const QColor&)
{
    QDialog dialog;
    dialog.setWindowTitle(captionFor(dlgType));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(QString(msg).replace(QLatin1Char('\r'), QLatin1Char('\n')), &dialog);
    label->setObjectName(QStringLiteral("Message"));
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    pw::platform::ShownDialog shown{captionFor(dlgType), captionFor(dlgType), msg, {}};
    for (const ButtonSpec& spec : kButtons) {
        if (!(buttons & spec.bit))
            continue;
        auto* button = new QPushButton(QString::fromLatin1(spec.caption), &dialog);
        const int result = spec.result;
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, result] { dialog.done(result); });
        row->addWidget(button);
        shown.buttons.append(button->text());
    }
    const int result = pw::platform::modalRunner().run(dialog, shown);
    if (result == mrYes && !logFile.isEmpty())
        pw::platform::shell().openDocument(logFile);
    return result;
}

void ShowErrorMsg(const QString& msg, const QString& logFile, int helpCtx)
{
    MessageDlgEx(msg, mtError, mbOK, logFile, helpCtx, 0, buttonFaceColour());
}

void ShowInfoMsg(const QString& msg, const QString& logFile, int helpCtx)
{
    MessageDlgEx(msg, mtInformation, mbOK, logFile, helpCtx, 0, buttonFaceColour());
}

void ReportError(const QString& whatFailed, const QString& reason, const QString& raisedIn, const QString& logFile,
                 int helpCtx)
{
    MessageDlgEx(whatFailed + QStringLiteral("\rReason: ") + reason + QStringLiteral("\r\rRaised In: ") + raisedIn,
                 mtError, mbOK, logFile, helpCtx, 0, buttonFaceColour());
}

bool InputQueryEx(const QString& caption, const QString& prompt, QString& value)
{
    QDialog dialog;
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(prompt, &dialog));
    auto* edit = new QLineEdit(value, &dialog);
    edit->setObjectName(QStringLiteral("edit"));
    layout->addWidget(edit);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(box);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const int result = pw::platform::modalRunner().run(dialog, {caption, caption, prompt, {"OK", "Cancel"}});
    if (result != QDialog::Accepted || edit->text().trimmed().isEmpty())
        return false;
    value = edit->text();
    return true;
}
