#pragma once

#include <QColor>
#include <QFont>

// The looks of the suite's forms, by their stored number.
enum TFormLook
{
    flKeyboard = 0,
    flTouchScreen = 1,
    flNormal = 2
};

// Fonts, colours and sizes that touch-screen forms, message dialogs and pads apply
// for the current look.
class TFormSettings
{
public:
    explicit TFormSettings(TFormLook look = flKeyboard);

    TFormLook Look() const { return m_look; }
    // Stores the look and sets every other value from it; the process's instance also
    // passes the values on to the suite's message and input dialogs.
    void SetLook(TFormLook look);
    void ApplyToMessageDialogs() const;

    QColor ButtonColour;
    QFont ButtonFont;
    QColor ButtonFontColour;
    int ButtonWidth = 64;
    int ButtonHeight = 24;
    // Between the buttons of a button panel; the same for every look.
    int ButtonSpacing = 19;
    Qt::Alignment MessageAlignment = Qt::AlignLeft;
    QColor MessageColour;
    QFont MessageFont;
    QColor MessageFontColour;
    int PanelHeight = 45;

private:
    TFormLook m_look = flKeyboard;
};

// The process's one instance, made at start-up and set to flNormal.
extern TFormSettings* FormSettings;

// Owns the process's FormSettings while it lives: made with flKeyboard, then set to
// flNormal, as every form of the program expects; the global is cleared again at the end.
class TFormSettingsInstance
{
public:
    TFormSettingsInstance();
    ~TFormSettingsInstance();
    TFormSettingsInstance(const TFormSettingsInstance&) = delete;
    TFormSettingsInstance& operator=(const TFormSettingsInstance&) = delete;

private:
    TFormSettings m_settings;
};
