#pragma once

#include <functional>

// The GLOBAL settings the order screen reads afresh at every order query, so a
// change made in the settings dialog shows within one refresh. Times and
// durations are day counts, as the settings store reads them.
struct TPrepSettings
{
    double DayStart = 5.0 / 24.0;           // "DAY START"
    double FoodPrep = 12.0 / (24.0 * 60.0); // "FOOD PREP"
    bool PrepMonitorActive = false;         // "APP_PREPMONITOR_ACTIVE"
};

using TPrepSettingsSource = std::function<TPrepSettings()>;

// The preparation settings as OrvoSettings holds them (its GLOBAL class).
TPrepSettings PrepSettingsFromOrvoSettings();
