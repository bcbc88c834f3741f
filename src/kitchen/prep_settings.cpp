#include "kitchen/prep_settings.h"

#include "settings/orvo_settings.h"

TPrepSettings PrepSettingsFromOrvoSettings()
{
    TOrvoGlobalSettings& global = *OrvoSettings->Global;
    TPrepSettings settings;
    settings.DayStart = global.Key(QStringLiteral("DAY START"))->AsTime();
    settings.FoodPrep = global.Key(QStringLiteral("FOOD PREP"))->AsTime();
    settings.PrepMonitorActive = global.Key(QStringLiteral("APP_PREPMONITOR_ACTIVE"))->AsBoolean();
    return settings;
}
