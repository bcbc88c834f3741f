#include "kitchen/kitchen_labels.h"

#include "db/generic_db.h"
#include "errors/exception.h"
#include "kitchen/print_object.h"
#include "platform/platform.h"
#include "settings/text_utils.h"

#include <QScopeGuard>

TKitchenLabels* KitchenLabels = nullptr;

namespace {

const QChar CR(13);
const QString LabelFont = QStringLiteral("Arial Narrow");

QString missingPrinterMessage(const QString& printerName, const QStringList& installed)
{
    QString message = QStringLiteral("Failed to find the label printer [") + printerName +
                      QStringLiteral("] in the list of available windows printers") + CR + CR +
                      QStringLiteral("Available printers are...") + CR + CR;
    if (installed.isEmpty())
        return message + QStringLiteral("No windows printers available");
    for (const QString& name : installed)
        message += name + CR;
    return message;
}

} // namespace

TKitchenLabels::TKitchenLabels() : m_settings(&LabelSettingsFromOrvoSettings) {}

TKitchenLabels::TKitchenLabels(TLabelSettingsSource settings) : m_settings(std::move(settings)) {}

QString TKitchenLabels::LabelSql(int invoiceNum)
{
    return QStringLiteral("SELECT LineItem.LineNum, Prices.LabelDesc, Prices.[Size], Catmenu.Description "
                          "FROM Prices JOIN LineItem ON LineItem.Code = Prices.Code "
                          "JOIN CatMenu ON Prices.CatMenuCode = CatMenu.CatMenuCode "
                          "JOIN PricesLinkPrinters ON Prices.Recipe = PricesLinkPrinters.fkPricesID "
                          "WHERE LineItem.InvoiceNum = ") +
           QString::number(invoiceNum) + QStringLiteral(" ") + QStringLiteral("AND LabelDesc IS NOT NULL ") +
           QStringLiteral("AND LabelDesc <> '' ") +
           QStringLiteral("GROUP BY LineItem.LineNum, Prices.LabelDesc, Prices.[Size], Catmenu.Description");
}

void TKitchenLabels::PrintLabels(int invoiceNum, int orderNum, const QString& waiterName)
{
    if (!GenericDB)
        throw pw::Exception(QStringLiteral("Cannot print labels before the database is open"));
    TProductsEx products;
    {
        // The query is shared: read it to the end and close it before printing.
        pw::db::Query& query = GenericDB->Query;
        const auto closer = qScopeGuard([&query] { query.close(); });
        GenericDB->OpenQuery(LabelSql(invoiceNum), pw::db::Query::ClientSide);
        if (query.isEmpty())
            return;
        TProductEx* current = nullptr;
        for (query.first(); !query.eof(); query.next()) {
            const QString labelDesc = query.fieldByName(QStringLiteral("LabelDesc")).asString();
            const QString size = query.fieldByName(QStringLiteral("Size")).asString();
            const QString category =
                TrimBlanks(query.fieldByName(QStringLiteral("Description")).asString()).toUpper();
            if (category != QLatin1String("EXTRA") && category != QLatin1String("NONE")) {
                current = &products.Add(labelDesc, size);
                continue;
            }
            // An extra before any product labels itself.
            if (!current)
                current = &products.Add(labelDesc, size);
            current->Extras.append(labelDesc);
        }
    }
    PrintProductLabels(orderNum, products, waiterName);
}

QString TKitchenLabels::ExtrasText(const QStringList& extras)
{
    if (extras.isEmpty())
        return QString();
    QString text = extras.first().left(25);
    bool cut = text.length() < extras.first().length();
    for (int q = 1; q < extras.size(); ++q) {
        const int room = 25 - q - static_cast<int>(text.length());
        const QString kept = room > 0 ? extras.at(q).left(room) : QString();
        cut = cut || kept.length() < extras.at(q).length();
        text += QLatin1Char(',') + kept;
    }
    // Compared with the kept characters rather than the text's length, so that the
    // commas cannot hide an extra that was left out.
    if (cut)
        text += QStringLiteral(",...");
    return text;
}

void TKitchenLabels::PrintProductLabels(int orderNum, const TProductsEx& products, const QString& waiterName)
{
    const TLabelSettings settings = m_settings();
    if (settings.PrinterName.isEmpty() || products.Count() == 0)
        return;

    QStringList extrasTexts;
    for (int i = 0; i < products.Count(); ++i)
        extrasTexts.append(ExtrasText(products.Items(i).Extras));

    pw::platform::Printers& printers = pw::platform::printers();
    const QStringList installed = printers.installedPrinters();
    if (!installed.contains(settings.PrinterName))
        throw pw::Exception(missingPrinterMessage(settings.PrinterName, installed));
    printers.setCurrentPrinter(settings.PrinterName);

    TPrintObject print(QStringLiteral("Kitchen labels"));
    print.Start();
    try {
        print.SetMargins(0, 0, 0, 0);
        print.SetDetailArea(0, 30);
        print.SetAutoPaging(false);
        print.ResetCurrentLine();

        const int count = products.Count();
        const QString orderText = QStringLiteral("Order #: ") + QString::number(orderNum);
        const QString waiterText = QStringLiteral("Wtr:") + waiterName;
        int k = 1;
        while (k <= count) {
            const bool sideBySide = settings.SideBySide && k + 1 <= count;
            const TProductEx& left = products.Items(k - 1);
            const TProductEx* right = sideBySide ? &products.Items(k) : nullptr;
            const auto line = [&](int size, TPrintObject::TFontStyles style, const QString& leftText,
                                  const QString& rightText, float y) {
                print.SetFontInformation(LabelFont, size, style);
                QString text = print.FormatColumn(leftText, QStringLiteral(" "), ColumnWidthPixels);
                if (sideBySide)
                    text += rightText;
                print.WriteOut(text, settings.MarginInches, y);
            };
            const auto itemText = [count](int position) {
                return QStringLiteral("Item ") + QString::number(position) + QStringLiteral(" of ") +
                       QString::number(count);
            };

            line(10, 0, orderText, orderText, 0);
            line(12, TPrintObject::fsBold, left.LabelDesc, right ? right->LabelDesc : QString(), -1);
            line(10, 0, left.Size, right ? right->Size : QString(), -1);
            line(8, 0, extrasTexts.at(k - 1), right ? extrasTexts.at(k) : QString(), -1);
            line(10, 0, itemText(k), itemText(k + 1), -1);
            if (settings.WaiterDetails && !waiterName.isEmpty())
                line(10, 0, waiterText, waiterText, -1);

            k += sideBySide ? 2 : 1;
            if (k <= count)
                print.NewPage();
        }
    } catch (...) {
        // The job is ended whatever went wrong; the first failure is the one reported.
        try {
            print.Finish();
        } catch (...) {
        }
        throw;
    }
    print.Finish();
}
