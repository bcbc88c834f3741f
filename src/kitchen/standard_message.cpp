#include "kitchen/standard_message.h"

#include "platform/platform.h"

#include <QApplication>
#include <QMessageBox>

namespace pw::kitchen {

void ShowStandardError(const QString& text)
{
    const QString caption = QGuiApplication::applicationDisplayName();
    QMessageBox box(QMessageBox::Critical, caption,
                    QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')), QMessageBox::Ok);
    platform::modalRunner().run(box, platform::ShownDialog{QStringLiteral("Error"), caption, text, {"OK"}});
}

} // namespace pw::kitchen
