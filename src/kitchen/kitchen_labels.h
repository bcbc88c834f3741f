#pragma once

#include "kitchen/products_ex.h"

#include <QString>

#include <functional>

// The till's label settings, read afresh for every print run.
struct TLabelSettings
{
    QString PrinterName = QStringLiteral("LPT1"); // "PLABEL DEV"; empty prints no labels
    float MarginInches = 0.6f;                    // "PRINT LABEL MARGIN"
    bool SideBySide = true;                       // "PRINT SIDEBYSIDE"
    bool WaiterDetails = false;                   // "WAITER DETAILS"
};

using TLabelSettingsSource = std::function<TLabelSettings()>;

// The till's label settings as the settings store holds them.
TLabelSettings LabelSettingsFromOrvoSettings();

// Prints one label per prepared product of an order on the till's label printer.
class TKitchenLabels
{
public:
    // Reads the settings from OrvoSettings at every run.
    TKitchenLabels();
    explicit TKitchenLabels(TLabelSettingsSource settings);

    // Reads the invoice's products through GenericDB and prints their labels.
    // Raises when the label printer is missing or the query fails.
    void PrintLabels(int invoiceNum, int orderNum, const QString& waiterName = QString());
    void PrintProductLabels(int orderNum, const TProductsEx& products, const QString& waiterName);

    static QString LabelSql(int invoiceNum);
    // The extras of one product as one short text: at most about 25 characters,
    // with ",..." when something was left out.
    static QString ExtrasText(const QStringList& extras);

    static constexpr int ColumnWidthPixels = 320;

private:
    TLabelSettingsSource m_settings;
};

// The process's one instance, made at start-up.
extern TKitchenLabels* KitchenLabels;
