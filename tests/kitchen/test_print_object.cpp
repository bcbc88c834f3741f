#include "errors/exception.h"
#include "kitchen/print_object.h"
#include "platform/qt/painter_print_job.h"
#include "platform_doubles.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPrinter>
#include <QtTest>

using pw::platform::PdfJobRecord;
using pw::platform::PrintedText;

// The print object on the PDF printer double: 203 dots per inch, a 4 x 2 inch label
// and a 20-pixel unprintable border unless a test says otherwise.
class TestPrintObject : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<pw::test::PlatformDoubles> doubles;

    const PdfJobRecord& job() const { return doubles->printers.jobs.front(); }

private slots:
    void init() { doubles = std::make_unique<pw::test::PlatformDoubles>(); }
    void cleanup() { doubles.reset(); }

    void startReadsGeometryFromPrinter()
    {
        doubles->printers.pageInches = QSizeF(4.0, 2.0);
        doubles->printers.borderPixels = QMargins(20, 12, 30, 16);
        TPrintObject print(QStringLiteral("Geometry"));
        print.Start();
        QCOMPARE(print.ResolutionX(), 203);
        QCOMPARE(print.ResolutionY(), 203);
        QCOMPARE(print.PhysicalWidth(), 812);
        QCOMPARE(print.PhysicalHeight(), 406);
        QCOMPARE(print.PhysicalWidthInches(), 4.0f);
        QCOMPARE(print.PhysicalHeightInches(), 2.0f);
        QCOMPARE(print.LeftBorder(), 20);
        QCOMPARE(print.TopBorder(), 12);
        QCOMPARE(print.RightBorder(), 30);
        QCOMPARE(print.BottomBorder(), 16);
        // Start sets the margins to the borders.
        QCOMPARE(print.LeftMargin(), 20);
        QCOMPARE(print.TopMargin(), 12);
        QCOMPARE(print.RightMargin(), 30);
        QCOMPARE(print.BottomMargin(), 16);
        QVERIFY(print.AutoPaging);
        QCOMPARE(print.CurrentY, 0.0f);
        QCOMPARE(print.Tab, 0.0f);
        print.Finish();
        QVERIFY(job().finished);
        QCOMPARE(job().title, QStringLiteral("Geometry"));
        QVERIFY(QFileInfo(job().file).size() > 0);
    }

    // The geometry a Qt printer reports, as real printers deliver it: margins that are
    // whole points come back as whole pixels.
    void painterJobReadsPrinterGeometry()
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(doubles->printers.folder() + QStringLiteral("/geometry.pdf"));
        printer->setResolution(144);
        printer->setPageLayout(
            QPageLayout(QPageSize(QSizeF(4, 2), QPageSize::Inch, {}, QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(9, 18, 6, 0), QPageLayout::Point, QMarginsF()));
        auto job = pw::platform::PainterPrintJob::start(std::move(printer));
        QVERIFY(job);
        const pw::platform::PrinterGeometry g = job->geometry();
        QCOMPARE(g.dpiX, 144);
        QCOMPARE(g.dpiY, 144);
        QCOMPARE(g.physicalWidth, 576);
        QCOMPARE(g.physicalHeight, 288);
        QCOMPARE(g.offsetX, 18);
        QCOMPARE(g.offsetY, 36);
        QCOMPARE(g.printableWidth, 576 - 18 - 12);
        QCOMPARE(g.printableHeight, 288 - 36);
        QVERIFY(job->finish());
    }

    void queueResolution_data()
    {
        QTest::addColumn<QList<int>>("supported");
        QTest::addColumn<int>("chosen");
        QTest::newRow("one") << QList<int>{300} << 300;
        QTest::newRow("the print head's beside finer modes") << QList<int>{300, 203, 600} << 203;
        QTest::newRow("none listed") << QList<int>{} << 203;
    }
    void queueResolution()
    {
        QFETCH(QList<int>, supported);
        QFETCH(int, chosen);
        QCOMPARE(pw::platform::queueLayoutResolution(supported), chosen);
    }

    // A queue's printer starts at 1200 dpi on A4; set up from the queue it lays the job
    // out on the label at the label printer's resolution, so 320 pixels stay 1.58 inches.
    void queueDefaultsGiveTheLabelGeometry()
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(doubles->printers.folder() + QStringLiteral("/queue.pdf"));
        const QPageSize label(QSizeF(4, 2), QPageSize::Inch, QStringLiteral("w288h144"),
                              QPageSize::ExactMatch);
        pw::platform::useQueueDefaults(*printer, 203, label);
        auto job = pw::platform::PainterPrintJob::start(std::move(printer));
        QVERIFY(job);
        const pw::platform::PrinterGeometry g = job->geometry();
        QCOMPARE(g.dpiX, 203);
        QCOMPARE(g.dpiY, 203);
        QCOMPARE(g.physicalWidth, 812);
        QCOMPARE(g.physicalHeight, 406);
        QVERIFY(job->finish());
    }

    void conversionsTruncate_data()
    {
        QTest::addColumn<double>("inches");
        QTest::addColumn<int>("pixels");
        QTest::newRow("0.6 inch is 121.8") << 0.6 << 121;
        QTest::newRow("1 inch") << 1.0 << 203;
        QTest::newRow("0.5 inch is 101.5") << 0.5 << 101;
        QTest::newRow("negative toward zero") << -0.6 << -121;
    }
    void conversionsTruncate()
    {
        QFETCH(double, inches);
        QFETCH(int, pixels);
        TPrintObject print;
        print.Start();
        QCOMPARE(print.InchesToPixelsX(static_cast<float>(inches)), pixels);
        QCOMPARE(print.InchesToPixelsY(static_cast<float>(inches)), pixels);
        QCOMPARE(print.PixelsToInchesX(203), 1.0f);
        QCOMPARE(print.PixelsToInchesY(406), 2.0f);
        print.Finish();
    }

    void writeOutPlacesTextFromPageEdge()
    {
        TPrintObject print;
        print.Start();
        print.SetDetailArea(0, 2);
        print.SetFontInformation(QStringLiteral("Arial Narrow"), 10, 0);
        // 0.6 inch is pixel 121 from the sheet's edge, 101 into the printable area.
        print.WriteOut(QStringLiteral("first"), 0.6f, 0);
        // A smaller font for the next line: its own line height counts.
        print.SetFontInformation(QStringLiteral("Arial Narrow"), 8, TPrintObject::fsBold);
        const float lineHeight = print.LineHeightInches();
        print.WriteOut(QStringLiteral("second"), 0.6f, -1);
        print.WriteOut(QStringLiteral("same line"), 1.0f, -2);
        print.Finish();

        const QList<PrintedText> texts = job().texts;
        QCOMPARE(texts.size(), 3);
        QCOMPARE(texts[0].pos, QPoint(101, 0)); // Y = 0 is clamped to the top border
        QCOMPARE(texts[0].family, QStringLiteral("Arial Narrow"));
        QCOMPARE(texts[0].pointSize, 10);
        QVERIFY(!texts[0].bold);
        // The next line is one 8-point line below the top edge of the sheet.
        const int expectedY = print.InchesToPixelsY(lineHeight) - 20;
        QCOMPARE(texts[1].pos, QPoint(101, expectedY));
        QCOMPARE(texts[1].pointSize, 8);
        QVERIFY(texts[1].bold);
        QCOMPARE(print.CurrentY, lineHeight);
        QCOMPARE(texts[2].pos, QPoint(203 - 20, expectedY));

        // The line height is the 8-point font's height plus leading at 203 dpi.
        QFont font(QStringLiteral("Arial Narrow"));
        font.setPointSize(8);
        font.setBold(true);
        QPrinter probe(QPrinter::HighResolution);
        probe.setOutputFormat(QPrinter::PdfFormat);
        probe.setResolution(203);
        const QFontMetrics fm(font, &probe);
        QVERIFY(qAbs(print.InchesToPixelsY(lineHeight) - (fm.height() + qMax(0, fm.leading()))) <= 1);
    }

    void writeOutPositions_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<float>("tab");
        QTest::addColumn<QPoint>("drawnAt");
        QTest::newRow("left margin when X negative") << -1.0f << 1.0f << 0.0f << QPoint(0, 203 - 20);
        QTest::newRow("X inside the border is raised to it") << 0.05f << 0.5f << 0.0f << QPoint(0, 101 - 20);
        QTest::newRow("tab is added") << 0.6f << 0.5f << 0.5f << QPoint(121 + 101 - 20, 101 - 20);
        // 2 inches is 406 pixels, the sheet's height: not beyond it, so kept.
        QTest::newRow("Y at the sheet's height") << 1.0f << 2.0f << 0.0f << QPoint(203 - 20, 406 - 20);
        QTest::newRow("Y beyond the sheet is its last printable line")
            << 1.0f << 3.0f << 0.0f << QPoint(203 - 20, 406 - 20 - 20);
    }
    void writeOutPositions()
    {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(float, tab);
        QFETCH(QPoint, drawnAt);
        TPrintObject print;
        print.Start();
        print.SetTab(tab);
        print.WriteOut(QStringLiteral("text"), x, y);
        QCOMPARE(print.CurrentY, y);
        print.Finish();
        QCOMPARE(job().texts.size(), 1);
        QCOMPARE(job().texts[0].pos, drawnAt);
    }

    void centredAndRightIgnoreTab()
    {
        doubles->printers.borderPixels = QMargins(20, 20, 30, 20);
        TPrintObject print;
        print.Start();
        print.SetFontInformation(QStringLiteral("Arial Narrow"), 10, 0);
        print.SetTab(1.0f);
        const QString text = QStringLiteral("Centre me");
        const int width = print.TextWidthPixels(text);
        print.WriteOutCentred(text, 0.5f);
        print.WriteOutRight(text, 1.0f);
        QCOMPARE(print.Tab, 1.0f);
        print.Finish();

        const int centredX = (20 + 812 - 30) / 2 - width / 2;
        const int rightX = 812 - 20 - 30 - width;
        QCOMPARE(job().texts.size(), 2);
        QCOMPARE(job().texts[0].pos.x(), print.InchesToPixelsX(print.PixelsToInchesX(centredX)) - 20);
        QVERIFY(qAbs(job().texts[0].pos.x() - (centredX - 20)) <= 1);
        QCOMPARE(job().texts[1].pos.x(), print.InchesToPixelsX(print.PixelsToInchesX(rightX)) - 20);
        QVERIFY(qAbs(job().texts[1].pos.x() - (rightX - 20)) <= 1);
    }

    void formatColumnPadsAndCuts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("short text is padded") << QStringLiteral("Order #: 12") << 320;
        QTest::newRow("empty text is all blanks") << QString() << 320;
        QTest::newRow("long text is cut")
            << QStringLiteral("Extra Large Meat Feast Pizza with Garlic") << 320;
        QTest::newRow("narrow column") << QStringLiteral("Margherita") << 40;
    }
    void formatColumnPadsAndCuts()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        TPrintObject print;
        print.Start();
        print.SetFontInformation(QStringLiteral("Arial Narrow"), 12, TPrintObject::fsBold);
        const QString suffix = QStringLiteral(" ");
        const QString result = print.FormatColumn(text, suffix, width);
        QVERIFY(result.endsWith(suffix));
        QVERIFY2(print.TextWidthPixels(result) <= width, qPrintable(result));
        if (print.TextWidthPixels(text + suffix) > width) {
            // Cut: the longest start of the text that fits with the suffix.
            const QString kept = result.chopped(suffix.size());
            QVERIFY(text.startsWith(kept));
            QVERIFY(kept.size() < text.size());
            QVERIFY(print.TextWidthPixels(text.left(kept.size() + 1) + suffix) > width);
        } else {
            // Padded: one more blank would pass the column's width.
            QVERIFY(result.startsWith(text));
            QCOMPARE(result.mid(text.size()).trimmed(), QString());
            QVERIFY(result.size() > text.size() + suffix.size());
            QVERIFY(print.TextWidthPixels(result + QLatin1Char(' ')) > width);
        }
        print.Finish();
    }

    void setMarginsFallsBackToBorders_data()
    {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("right");
        QTest::addColumn<int>("leftPixels");
        QTest::addColumn<int>("rightPixels");
        QTest::newRow("5 and 5 on an 8-inch page") << 5.0f << 5.0f << 20 << 30;
        QTest::newRow("4 and 4 reach the width") << 4.0f << 4.0f << 20 << 30;
        QTest::newRow("1 and 0.5") << 1.0f << 0.5f << 203 << 101;
        QTest::newRow("zero and negative are borders") << 0.0f << -1.0f << 20 << 30;
        QTest::newRow("inside the border is raised") << 0.05f << 0.1f << 20 << 30;
    }
    void setMarginsFallsBackToBorders()
    {
        QFETCH(float, left);
        QFETCH(float, right);
        QFETCH(int, leftPixels);
        QFETCH(int, rightPixels);
        doubles->printers.pageInches = QSizeF(8.0, 10.0);
        doubles->printers.borderPixels = QMargins(20, 15, 30, 25);
        TPrintObject print;
        print.Start();
        print.SetMargins(1.0f, 0.5f, left, right);
        QCOMPARE(print.LeftMargin(), leftPixels);
        QCOMPARE(print.RightMargin(), rightPixels);
        QCOMPARE(print.TopMargin(), 203);
        QCOMPARE(print.BottomMargin(), 101);
        print.SetMargins(6.0f, 4.0f, 1.0f, 1.0f);
        QCOMPARE(print.TopMargin(), 15);
        QCOMPARE(print.BottomMargin(), 25);
        print.Finish();
    }

    void detailAreaAndAutoPaging()
    {
        TPrintObject print;
        print.Start();
        print.SetFontInformation(QStringLiteral("Arial Narrow"), 10, 0);
        const float lineHeight = print.LineHeightInches();
        print.SetDetailArea(0.5f, 0.5f + 2.5f * lineHeight);
        QCOMPARE(print.CurrentY, 0.5f - lineHeight);
        print.ResetCurrentLine();
        QCOMPARE(print.CurrentY, 0.5f);
        // Lines 1 and 2 fit below the top line; line 3 passes the bottom and starts page 2.
        for (int i = 1; i <= 3; ++i)
            print.WriteOut(QStringLiteral("line %1").arg(i), 0.6f, -1);
        QCOMPARE(print.PageNumber(), 2);
        print.Finish();

        QCOMPARE(job().pageCount, 2);
        QCOMPARE(job().linesOnPage(1), QStringList({QStringLiteral("line 1"), QStringLiteral("line 2")}));
        QCOMPARE(job().linesOnPage(2), QStringList{QStringLiteral("line 3")});
        // A new page starts one line above the detail area, so its first line is at the top.
        QCOMPARE(job().textsOnPage(2)[0].pos.y(), print.InchesToPixelsY(0.5f) - 20);
    }

    void autoPagingOffKeepsThePage()
    {
        TPrintObject print;
        print.Start();
        print.SetDetailArea(0, 0.1f);
        print.SetAutoPaging(false);
        for (int i = 1; i <= 3; ++i)
            print.WriteOut(QStringLiteral("line %1").arg(i), 0.6f, -1);
        print.Finish();
        QCOMPARE(job().pageCount, 1);
        QCOMPARE(job().texts.size(), 3);
    }

    void decorationsOnEveryPage()
    {
        TPrintObject print;
        print.Start();
        print.SetFontInformation(QStringLiteral("Arial Narrow"), 10, 0);
        print.SetHeaderInformation(1, 0.1f, QStringLiteral("Kitchen"), TPrintObject::alCentre,
                                   QStringLiteral("Liberation Sans"), 14, TPrintObject::fsBold);
        print.SetFooterInformation(2, 1.8f, QStringLiteral("Footer"), TPrintObject::alLeft,
                                   QStringLiteral("Liberation Sans"), 8, 0);
        print.SetPageNumberInformation(1.8f, QStringLiteral("Page %d"), TPrintObject::alRight,
                                       QStringLiteral("Liberation Sans"), 8, TPrintObject::fsItalic);
        print.SetHeaderBox(0.2f, 0.2f, 1.2f, 0.7f, 2, 0);
        print.WriteOut(QStringLiteral("body 1"), 0.6f, 1.0f);
        print.NewPage();
        print.WriteOut(QStringLiteral("body 2"), 0.6f, 1.0f);
        print.Finish();

        for (int page = 1; page <= 2; ++page) {
            const QStringList lines = job().linesOnPage(page);
            QCOMPARE(lines, QStringList({QStringLiteral("body %1").arg(page), QStringLiteral("Kitchen"),
                                         QStringLiteral("Footer"), QStringLiteral("Page %1").arg(page)}));
            const QList<PrintedText> texts = job().textsOnPage(page);
            QCOMPARE(texts[1].family, QStringLiteral("Liberation Sans"));
            QCOMPARE(texts[1].pointSize, 14);
            QVERIFY(texts[1].bold);
            QCOMPARE(texts[2].pos.x(), 0); // the left margin
            QVERIFY(texts[3].italic);
        }
        // The body font comes back after the decorations.
        QCOMPARE(doubles->printers.jobs.front().pageCount, 2);
        QCOMPARE(job().boxes.size(), 2);
        QCOMPARE(job().boxes[0].box, QRect(40 - 20, 40 - 20, 243 - 40, 142 - 40));
        QCOMPARE(job().boxes[0].greyShade, 255); // unshaded is white
        QCOMPARE(job().boxes[0].penWidth, 2);
    }

    void fontComesBackAfterDecorations()
    {
        TPrintObject print;
        print.Start();
        print.SetFontInformation(QStringLiteral("Arial Narrow"), 10, 0);
        print.SetHeaderInformation(1, 0.1f, QStringLiteral("Head"), TPrintObject::alLeft,
                                   QStringLiteral("Liberation Sans"), 14, TPrintObject::fsBold);
        print.NewPage();
        print.WriteOut(QStringLiteral("body"), 0.6f, 1.0f);
        print.Finish();
        const PrintedText body = job().textsOnPage(2)[0];
        QCOMPARE(body.text, QStringLiteral("body"));
        QCOMPARE(body.family, QStringLiteral("Arial Narrow"));
        QCOMPARE(body.pointSize, 10);
        QVERIFY(!body.bold);
    }

    void drawBoxGreyFill()
    {
        TPrintObject print;
        print.Start();
        print.DrawBox(0.6f, 0.5f, 1.0f, 1.0f, 1, 192);
        print.Finish();
        QCOMPARE(job().boxes.size(), 1);
        QCOMPARE(job().boxes[0].box, QRect(101, 101 - 20, 203 - 121, 203 - 101));
        QCOMPARE(job().boxes[0].greyShade, 192);
    }

    void startFailsWhenPrinterRefuses()
    {
        doubles->printers.refuseJobs = true;
        doubles->printers.setCurrentPrinter(QStringLiteral("Broken"));
        TPrintObject print;
        try {
            print.Start();
            QFAIL("Start should raise");
        } catch (const pw::Exception& e) {
            QCOMPARE(e.message(), QStringLiteral("Could not start printing on the printer [Broken]"));
        }
        QVERIFY(!print.Printing());
        print.Finish(); // nothing to end
    }
};

QTEST_MAIN(TestPrintObject)
#include "test_print_object.moc"
