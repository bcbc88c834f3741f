#include "settings/form_settings.h"

#include "errors/message_dialog.h"
#include "errors/message_look.h"

TFormSettings* FormSettings = nullptr;

namespace {

QFont makeFont(const QString& family, int points, bool bold)
{
    QFont font(family);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace

TFormSettings::TFormSettings(TFormLook look)
{
    SetLook(look);
}

void TFormSettings::SetLook(TFormLook look)
{
    m_look = look;
    ButtonColour = buttonFaceColour();
    ButtonFont = makeFont(QStringLiteral("Tahoma"), 8, false);
    ButtonFontColour = Qt::black;
    ButtonWidth = 64;
    ButtonHeight = 24;
    MessageAlignment = Qt::AlignLeft;
    MessageColour = buttonFaceColour();
    // Touch screens are read from further away: a larger, bold message.
    MessageFont = look == flTouchScreen ? makeFont(QStringLiteral("Arial"), 10, true)
                                        : makeFont(QStringLiteral("Tahoma"), 8, false);
    MessageFontColour = Qt::black;
    PanelHeight = look == flNormal ? 40 : 45;
    if (this == FormSettings)
        ApplyToMessageDialogs();
}

void TFormSettings::ApplyToMessageDialogs() const
{
    pw::errors::TMessageLook& look = pw::errors::messageLook();
    look.buttonWidth = ButtonWidth;
    look.buttonHeight = ButtonHeight;
    look.buttonFontName = ButtonFont.family();
    look.buttonFontSize = ButtonFont.pointSize();
    look.buttonFontColour = ButtonFontColour;
    look.messageFontName = MessageFont.family();
    look.messageFontSize = MessageFont.pointSize();
    look.messageFontColour = MessageFontColour;
    look.messageAlignment = MessageAlignment;
}

TFormSettingsInstance::TFormSettingsInstance() : m_settings(flKeyboard)
{
    FormSettings = &m_settings;
    m_settings.SetLook(flNormal);
}

TFormSettingsInstance::~TFormSettingsInstance()
{
    if (FormSettings == &m_settings)
        FormSettings = nullptr;
}
