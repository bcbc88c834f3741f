#include "kitchen/standard_message.h"

#include "errors/message_dialog.h"

#include <QGuiApplication>

namespace pw::kitchen {

void ShowStandardError(const QString& text)
{
    ShowSystemMessage(QMessageBox::Critical, QStringLiteral("Error"),
                      QGuiApplication::applicationDisplayName(), text);
}

} // namespace pw::kitchen
