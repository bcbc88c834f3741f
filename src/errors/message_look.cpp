#include "errors/message_look.h"

#include "platform/platform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace pw::errors {

QFont TMessageLook::buttonFont() const
{
    QFont font(buttonFontName);
    font.setPointSize(buttonFontSize);
    return font;
}

QFont TMessageLook::messageFont() const
{
    QFont font(messageFontName);
    font.setPointSize(messageFontSize);
    return font;
}

TMessageLook& messageLook()
{
    static TMessageLook look;
    return look;
}

QRect dialogScreen()
{
    const QList<QRect> monitors = pw::platform::monitors().monitors();
    if (!monitors.isEmpty())
        return monitors.first();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry();
    return QRect(0, 0, 1024, 768);
}

void centreOnDialogScreen(QWidget& form)
{
    const QRect screen = dialogScreen();
    form.move(screen.left() + screen.width() / 2 - form.width() / 2,
              screen.top() + screen.height() / 2 - form.height() / 2);
}

} // namespace pw::errors
