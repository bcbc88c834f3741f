#include "startup/centre_form_on_monitor.h"

#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "platform/platform.h"

#include <QWidget>

void CentreFormOnMonitor(int monitor, QWidget* form)
{
    try {
        const int index = monitor & 0x7F;
        const QList<QRect> monitors = pw::platform::monitors().monitors();
        if (!form || index >= monitors.size())
            throw pw::Exception(QStringLiteral("Invalid monitor"));
        const QRect& area = monitors[index];
        // The whole window, frame included, is centred.
        const QSize size = form->frameGeometry().size();
        form->move(area.left() + area.width() / 2 - size.width() / 2,
                   area.top() + area.height() / 2 - size.height() / 2);
    } catch (const std::exception&) {
        MessageDlgEx(QStringLiteral("Invalid monitor"), mtInformation, mbOK);
    }
}
