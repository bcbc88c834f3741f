#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

namespace pw::errors {

// The form look of the suite's message and input dialogs. The settings layer
// may change these once it has read the suite's form look; until then the
// suite's defaults apply.
struct TMessageLook
{
    int buttonWidth = 64;
    int buttonHeight = 24;
    QString buttonFontName = QStringLiteral("Tahoma");
    int buttonFontSize = 8; // points
    QColor buttonFontColour = Qt::black;
    QString messageFontName = QStringLiteral("Tahoma");
    int messageFontSize = 8; // points
    QColor messageFontColour = Qt::black;
    Qt::Alignment messageAlignment = Qt::AlignLeft;

    QFont buttonFont() const;
    QFont messageFont() const;
};

TMessageLook& messageLook();

// The screen the suite's dialogs are measured against and centred on: the first
// monitor of the workstation.
QRect dialogScreen();

// Places a form of the given size in the middle of the dialog screen.
void centreOnDialogScreen(QWidget& form);

} // namespace pw::errors
