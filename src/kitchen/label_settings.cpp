#include "errors/exception.h"
#include "kitchen/kitchen_labels.h"
#include "settings/orvo_settings.h"
#include "settings/text_utils.h"

// The label settings are this till's own (its local class), read at every print run
// so that a change made in the settings dialog counts for the next order.
TLabelSettings LabelSettingsFromOrvoSettings()
{
    if (!OrvoSettings || !OrvoSettings->Local)
        throw pw::Exception(QStringLiteral("Cannot print labels before the settings are loaded"));
    TOrvoLocalSettings& local = *OrvoSettings->Local;
    TLabelSettings settings;
    settings.PrinterName = UpToNul(local.Key(QStringLiteral("PLABEL DEV"))->Value());
    settings.MarginInches = static_cast<float>(local.Key(QStringLiteral("PRINT LABEL MARGIN"))->AsFloat());
    settings.SideBySide = local.Key(QStringLiteral("PRINT SIDEBYSIDE"))->AsBoolean();
    settings.WaiterDetails = local.Key(QStringLiteral("WAITER DETAILS"))->AsBoolean();
    return settings;
}
