// Form look values, the amount edit and the two text helpers.
#include "settings/dbi_currency.h"
#include "settings/form_settings.h"
#include "settings/text_utils.h"

#include "errors/message_look.h"

#include <QFocusEvent>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

namespace {

struct LocaleGuard
{
    QLocale saved;
    ~LocaleGuard() { QLocale::setDefault(saved); }
};

void sendFocus(QWidget& widget, QEvent::Type type)
{
    QFocusEvent event(type, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

class TestFormLook : public QObject
{
    Q_OBJECT

private slots:
    void valuesByLook_data()
    {
        QTest::addColumn<int>("look");
        QTest::addColumn<QString>("messageFont");
        QTest::addColumn<int>("messageSize");
        QTest::addColumn<bool>("messageBold");
        QTest::addColumn<int>("panelHeight");
        QTest::newRow("keyboard") << int(flKeyboard) << "Tahoma" << 8 << false << 45;
        QTest::newRow("touch screen") << int(flTouchScreen) << "Arial" << 10 << true << 45;
        QTest::newRow("normal") << int(flNormal) << "Tahoma" << 8 << false << 40;
    }
    void valuesByLook()
    {
        QFETCH(int, look);
        QFETCH(QString, messageFont);
        QFETCH(int, messageSize);
        QFETCH(bool, messageBold);
        QFETCH(int, panelHeight);
        TFormSettings settings(flNormal);
        settings.SetLook(static_cast<TFormLook>(look));
        QCOMPARE(int(settings.Look()), look);
        QCOMPARE(settings.MessageFont.family(), messageFont);
        QCOMPARE(settings.MessageFont.pointSize(), messageSize);
        QCOMPARE(settings.MessageFont.bold(), messageBold);
        QCOMPARE(settings.PanelHeight, panelHeight);
        QCOMPARE(settings.ButtonFont.family(), QStringLiteral("Tahoma"));
        QCOMPARE(settings.ButtonFont.pointSize(), 8);
        QCOMPARE(settings.ButtonWidth, 64);
        QCOMPARE(settings.ButtonHeight, 24);
        QCOMPARE(settings.ButtonSpacing, 19);
        QCOMPARE(settings.MessageAlignment, Qt::Alignment(Qt::AlignLeft));
        QCOMPARE(settings.ButtonFontColour, QColor(Qt::black));
    }

    void theProcessLookReachesTheMessageDialogs()
    {
        const pw::errors::TMessageLook saved = pw::errors::messageLook();
        TFormSettings settings(flKeyboard);
        FormSettings = &settings;
        settings.SetLook(flTouchScreen);
        QCOMPARE(pw::errors::messageLook().messageFontName, QStringLiteral("Arial"));
        QCOMPARE(pw::errors::messageLook().messageFontSize, 10);
        settings.SetLook(flNormal);
        QCOMPARE(pw::errors::messageLook().messageFontName, QStringLiteral("Tahoma"));
        FormSettings = nullptr;
        pw::errors::messageLook() = saved;
    }

    void theProcessInstanceIsNormalWhileItLives()
    {
        const pw::errors::TMessageLook saved = pw::errors::messageLook();
        {
            TFormSettingsInstance instance;
            QVERIFY(FormSettings);
            QCOMPARE(int(FormSettings->Look()), int(flNormal));
            QCOMPARE(FormSettings->PanelHeight, 40);
            QCOMPARE(pw::errors::messageLook().messageFontName, QStringLiteral("Tahoma"));
        }
        QVERIFY(!FormSettings);
        pw::errors::messageLook() = saved;
    }

    void typing_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<qint64>("maxValue");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("refused");
        QTest::newRow("third decimal") << "en_US" << 2 << qint64(0) << "12.345"
                                       << "12.34" << 1;
        QTest::newRow("second separator") << "en_US" << 2 << qint64(0) << "1.2."
                                          << "1.2" << 1;
        QTest::newRow("maximum 100") << "en_US" << 2 << qint64(1000000) << "1000"
                                     << "100" << 1;
        QTest::newRow("minus") << "en_US" << 2 << qint64(0) << "-5"
                               << "5" << 1;
        QTest::newRow("letters and blanks") << "en_US" << 2 << qint64(0) << "1a 2"
                                            << "12" << 2;
        QTest::newRow("no decimals") << "en_US" << 0 << qint64(0) << "1.5"
                                     << "15" << 1;
        QTest::newRow("no decimals, separator first") << "en_US" << 0 << qint64(0) << ".5"
                                                      << "5" << 1;
        QTest::newRow("above the maximum first") << "en_US" << 2 << qint64(80000) << "97"
                                                 << "7" << 1;
        QTest::newRow("no limit") << "en_US" << -1 << qint64(0) << "1.23456"
                                  << "1.23456" << 0;
        QTest::newRow("comma separator") << "de_DE" << 2 << qint64(0) << "3.1,4"
                                         << "31,4" << 1;
    }
    void typing()
    {
        QFETCH(QString, locale);
        QFETCH(int, decimals);
        QFETCH(qint64, maxValue);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, refused);
        LocaleGuard guard;
        QLocale::setDefault(QLocale(locale));
        TdbiCurrency edit;
        edit.SetDecimalPlaces(decimals);
        edit.SetMaxValue(maxValue);
        edit.clear();
        QSignalSpy refusals(&edit, &TdbiCurrency::charRefused);
        QTest::keyClicks(&edit, keys);
        QCOMPARE(edit.text(), text);
        QCOMPARE(refusals.size(), refused);
    }

    // The limit is checked on the text as it will be, with the digit where the caret is.
    void theMaximumCountsWhereTheCaretIs()
    {
        LocaleGuard guard;
        QLocale::setDefault(QLocale("en_US"));
        TdbiCurrency edit;
        edit.SetMaxValue(2500000);
        edit.setText("20");
        QSignalSpy refusals(&edit, &TdbiCurrency::charRefused);
        edit.setCursorPosition(0);
        QTest::keyClick(&edit, '3');
        QCOMPARE(edit.text(), QStringLiteral("20"));
        QCOMPARE(refusals.size(), 1);
        QTest::keyClick(&edit, '1');
        QCOMPARE(edit.text(), QStringLiteral("120"));
    }

    void typedTextIsTheValue()
    {
        LocaleGuard guard;
        QLocale::setDefault(QLocale("en_US"));
        TdbiCurrency edit;
        edit.clear();
        QTest::keyClicks(&edit, "12.34");
        QCOMPARE(edit.Value(), std::int64_t(123400));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.Value(), std::int64_t(123000));
        edit.SetValue(5000000);
        QCOMPARE(edit.text(), QStringLiteral("500"));
    }

    void aBadTextKeepsTheValue()
    {
        TdbiCurrency edit;
        edit.SetValue(25000);
        QVERIFY(!edit.ParseText("1.2.3"));
        QCOMPARE(edit.Value(), std::int64_t(25000));
        QVERIFY(edit.ParseText("R -7.5x"));
        QVERIFY(edit.ParseText(""));
    }

    void parseTextKeepsOnlyALeadingSign_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("leading minus") << "-7.5" << qint64(-75000);
        QTest::newRow("currency symbol") << "$1,234.50" << qint64(12345000);
        QTest::newRow("inner minus dropped") << "1-2" << qint64(120000);
        QTest::newRow("empty") << "" << qint64(0);
    }
    void parseTextKeepsOnlyALeadingSign()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        LocaleGuard guard;
        QLocale::setDefault(QLocale("en_US"));
        TdbiCurrency edit;
        QVERIFY(edit.ParseText(text));
        edit.blockSignals(true);
        edit.setText(text);
        QCOMPARE(qint64(edit.Value()), value);
    }

    void leavingFormatsAndEnteringShowsThePlainNumber()
    {
        LocaleGuard guard;
        QLocale::setDefault(QLocale("en_US"));
        TdbiCurrency edit;
        edit.SetIsCurrency(true);
        edit.SetFormatOnExit("%m");
        QCOMPARE(edit.text(), QStringLiteral("$0.00"));
        sendFocus(edit, QEvent::FocusIn);
        edit.clear();
        QTest::keyClicks(&edit, "12.5");
        sendFocus(edit, QEvent::FocusOut);
        QCOMPARE(edit.text(), QStringLiteral("$12.50"));
        QCOMPARE(edit.Value(), std::int64_t(125000));
        sendFocus(edit, QEvent::FocusIn);
        QCOMPARE(edit.text(), QStringLiteral("12.5"));
        QCOMPARE(edit.selectedText(), QStringLiteral("12.5"));
    }

    void formatPatterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::newRow("currency") << "%m"
                                  << "$1,234.50";
        QTest::newRow("fixed") << "%.3f"
                               << "1234.500";
        QTest::newRow("thousands") << "%n"
                                   << "1,234.50";
        QTest::newRow("words around") << "Total: %.2f%%"
                                      << "Total: 1234.50%";
        QTest::newRow("width") << "[%10.1f]"
                               << "[    1234.5]";
    }
    void formatPatterns()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        LocaleGuard guard;
        QLocale::setDefault(QLocale("en_US"));
        QCOMPARE(TdbiCurrency::FormatAmount(pattern, 12345000), text);
    }

    void textHelpers()
    {
        QCOMPARE(ReverseText("abc"), QStringLiteral("cba"));
        QCOMPARE(ReverseText(""), QString());
        QCOMPARE(ReplaceText("a-A-a", "a", "b"), QStringLiteral("b-b-b"));
        QCOMPARE(ReplaceText("O'Brien", "'", "''"), QStringLiteral("O''Brien"));
    }
};

QTEST_MAIN(TestFormLook)
#include "test_form_look.moc"
