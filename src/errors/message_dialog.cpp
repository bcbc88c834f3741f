#include "errors/message_dialog.h"

#include "errors/message_look.h"
#include "platform/platform.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

namespace {

struct ButtonSpec
{
    TMsgDlgBtn bit;
    const char* name;
    const char* caption;
    int result;
};

// In the order the buttons are laid out.
const ButtonSpec kButtons[] = {
    {mbYes, "Yes", "&Yes", mrYes},
    {mbNo, "No", "&No", mrNo},
    {mbOK, "OK", "OK", mrOk},
    {mbCancel, "Cancel", "Cancel", mrCancel},
    {mbAbort, "Abort", "Abort", mrAbort},
    {mbRetry, "Retry", "&Retry", mrRetry},
    {mbIgnore, "Ignore", "&Ignore", mrIgnore},
    {mbAll, "All", "&All", mrAll},
    {mbNoToAll, "NoToAll", "NoToAll", mrNoToAll},
    {mbYesToAll, "YesToAll", "YesToAll", mrYesToAll},
    {mbHelp, "Help", "&Help", mrNone},
};

const int kButtonSpacing = 19;
const int kIconSize = 32;

TMsgDlgBtn defaultButtonOf(TMsgDlgButtons buttons)
{
    if (buttons & mbOK)
        return mbOK;
    if (buttons & mbYes)
        return mbYes;
    return mbRetry;
}

TMsgDlgBtn cancelButtonOf(TMsgDlgButtons buttons)
{
    if (buttons & mbCancel)
        return mbCancel;
    if (buttons & mbNo)
        return mbNo;
    return mbOK;
}

QString displayText(const QString& msg)
{
    QString text = msg;
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

QColor buttonFaceColour()
{
    return QApplication::palette().color(QPalette::Button);
}

QString MessageDlgCaption(TMsgDlgType dlgType)
{
    switch (dlgType) {
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
    return QGuiApplication::applicationDisplayName();
}

QIcon MessageDlgIcon(TMsgDlgType dlgType)
{
    QStyle* style = QApplication::style();
    switch (dlgType) {
    case mtWarning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case mtError:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case mtInformation:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case mtConfirmation:
        return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    case mtCustom:
        break;
    }
    return {};
}

std::unique_ptr<TfrmTimerForm> CreateMessageDialogEx(const QString& msg, TMsgDlgType dlgType,
                                                     TMsgDlgButtons buttons, const QString& logFile,
                                                     int timeout)
{
    const pw::errors::TMessageLook& look = pw::errors::messageLook();
    auto form = std::make_unique<TfrmTimerForm>();
    form->setLayoutDirection(QApplication::layoutDirection());
    const bool wantLogButton = !logFile.isEmpty() && QFileInfo::exists(logFile);

    int buttonCount = wantLogButton ? 1 : 0;
    for (const ButtonSpec& entry : kButtons)
        buttonCount += (buttons & entry.bit) ? 1 : 0;
    const int rowWidth =
        buttonCount == 0 ? 0 : buttonCount * look.buttonWidth + (buttonCount - 1) * kButtonSpacing;

    form->setWindowTitle(MessageDlgCaption(dlgType));
    const QIcon icon = MessageDlgIcon(dlgType);
    int iconWidth = 0;
    int iconHeight = 0;
    if (!icon.isNull()) {
        auto* image = new QLabel(form.get());
        image->setObjectName(QStringLiteral("Image"));
        image->setPixmap(icon.pixmap(kIconSize, kIconSize));
        image->setGeometry(8, 8, kIconSize, kIconSize);
        iconWidth = iconHeight = kIconSize;
    }

    auto* label = new QLabel(form.get());
    label->setObjectName(QStringLiteral("Message"));
    label->setTextFormat(Qt::PlainText);
    label->setFont(look.messageFont());
    label->setAlignment(look.messageAlignment | Qt::AlignTop);
    QPalette labelPalette = label->palette();
    labelPalette.setColor(QPalette::WindowText, look.messageFontColour);
    label->setPalette(labelPalette);
    label->setText(displayText(msg));

    // Measured line by line: a line wider than half the screen wraps there.
    const QFontMetrics metrics(label->font());
    const QStringList lines = msg.split(QLatin1Char('\r'));
    int widest = 0;
    for (const QString& line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    const int halfScreen = pw::errors::dialogScreen().width() / 2;
    int labelWidth = widest;
    int labelHeight = static_cast<int>(lines.size()) * metrics.height();
    if (widest > halfScreen) {
        label->setWordWrap(true);
        labelWidth = halfScreen;
        labelHeight =
            metrics.boundingRect(QRect(0, 0, halfScreen, 0), Qt::TextWordWrap, displayText(msg)).height();
    }
    // The suite's dialogs keep a line of room per line of text below the message.
    labelHeight += static_cast<int>(msg.count(QLatin1Char('\r')) + 1) * metrics.height();

    const TMsgDlgBtn defaultBit = defaultButtonOf(buttons);
    const TMsgDlgBtn cancelBit = cancelButtonOf(buttons);

    const int clientWidth = qMax(labelWidth + iconWidth + 10, rowWidth) + 16;
    const int clientHeight = qMax(iconHeight, labelHeight) + 8 + 10 + look.buttonHeight + 8;
    form->setFixedSize(clientWidth, clientHeight);
    pw::errors::centreOnDialogScreen(*form);

    label->setGeometry(iconWidth + 18, 8, labelWidth, labelHeight);

    QPalette buttonPalette = form->palette();
    buttonPalette.setColor(QPalette::ButtonText, look.buttonFontColour);
    auto addButton = [&](const QString& name, const QString& caption, int result, int x) {
        auto* button = new QPushButton(caption, form.get());
        button->setObjectName(name);
        button->setFont(look.buttonFont());
        button->setPalette(buttonPalette);
        button->setGeometry(x, clientHeight - 8 - look.buttonHeight, look.buttonWidth, look.buttonHeight);
        setModalResult(button, result);
        // A button without a modal result (Help) leaves the dialog open.
        if (result != mrNone) {
            TfrmTimerForm* owner = form.get();
            QObject::connect(button, &QPushButton::clicked, owner, [owner, result] { owner->done(result); });
        }
        return button;
    };

    int x = (clientWidth - rowWidth) / 2;
    for (const ButtonSpec& entry : kButtons) {
        if (!(buttons & entry.bit))
            continue;
        QPushButton* button =
            addButton(QString::fromLatin1(entry.name), QString::fromLatin1(entry.caption), entry.result, x);
        if (entry.bit == defaultBit) {
            button->setDefault(true);
            button->setFocus();
            if (timeout > 0) {
                form->CountdownButton = button;
                form->CountdownCaption = button->text();
                form->TimeoutResult = entry.result;
            }
        }
        if (entry.bit == cancelBit)
            form->SetCancelButton(button);
        x += look.buttonWidth + kButtonSpacing;
    }
    if (wantLogButton)
        addButton(QStringLiteral("btnLogFile"), QStringLiteral("View Log"), mrYes, x);

    form->SetTimeout(timeout);
    return form;
}

int MessageDlgEx(const QString& msg, TMsgDlgType dlgType, TMsgDlgButtons buttons, const QString& logFile, int,
                 int timeout, const QColor& colour)
{
    std::unique_ptr<TfrmTimerForm> form = CreateMessageDialogEx(msg, dlgType, buttons, logFile, timeout);
    if (colour.isValid()) {
        QPalette palette = form->palette();
        palette.setColor(QPalette::Window, colour);
        form->setPalette(palette);
        form->setAutoFillBackground(true);
    }
    const QString kind = dlgType == mtCustom ? QStringLiteral("Custom") : MessageDlgCaption(dlgType);
    pw::platform::ShownDialog shown{kind, form->windowTitle(), msg, {}};
    for (const QPushButton* button : form->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        shown.buttons.append(button->text());
    const int result = pw::platform::modalRunner().run(*form, shown);
    if (result == mrYes && !logFile.isEmpty())
        pw::platform::shell().openDocument(logFile);
    return result;
}

void ShowSystemMessage(QMessageBox::Icon icon, const QString& kind, const QString& caption,
                       const QString& text)
{
    QMessageBox box(icon, caption, displayText(text), QMessageBox::Ok);
    pw::platform::modalRunner().run(box, {kind, caption, text, {QStringLiteral("OK")}});
}

void ShowErrorMsg(const QString& msg, const QString& logFile, int helpCtx)
{
    MessageDlgEx(msg, mtError, mbOK, logFile, helpCtx, 0, buttonFaceColour());
}

void ShowInfoMsg(const QString& msg, const QString& logFile, int helpCtx)
{
    MessageDlgEx(msg, mtInformation, mbOK, logFile, helpCtx, 0, buttonFaceColour());
}

void ReportError(const QString& whatFailed, const QString& reason, const QString& raisedIn,
                 const QString& logFile, int helpCtx)
{
    MessageDlgEx(whatFailed + QStringLiteral("\rReason: ") + reason + QStringLiteral("\r\rRaised In: ") +
                     raisedIn,
                 mtError, mbOK, logFile, helpCtx, 0, buttonFaceColour());
}
