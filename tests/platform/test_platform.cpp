#include "platform/platform.h"
#include "platform/qt/settings_registry.h"

#include "platform_doubles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace pw::platform;

namespace {
const QString orvoKey = QStringLiteral("\\Software\\Zenquil\\Orvo");
}

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void registryKeepsValuesInOneFilePerKey();
    void registryMissingValues();
    void registryReadsTheProfileTheDemoWrites();
    void registryUnopenableFolder();
    void servicesSwapAndComeBack();
};

void TestPlatform::registryKeepsValuesInOneFilePerKey()
{
    QTemporaryDir dir;
    SettingsRegistry registry(dir.path());
    QCOMPARE(registry.location(orvoKey), QDir(dir.path()).filePath(QStringLiteral("Zenquil/Orvo.conf")));
    QVERIFY(!registry.openKey(orvoKey, false));
    QVERIFY(registry.openKey(orvoKey, true));

    const QString text =
        QStringLiteral("Provider=SQLOLEDB.1;User ID=O'Brien;Password=k\"v;w;Data Source=10.0.0.5,1433;");
    QVERIFY(registry.writeString(orvoKey, QStringLiteral("Msde-ConnectionString"), text));
    QVERIFY(registry.writeBool(orvoKey, QStringLiteral("Msde-Failed"), true));

    // A second object (a later start of the program) reads the same values.
    const SettingsRegistry again(dir.path());
    QVERIFY(again.valueExists(orvoKey, QStringLiteral("Msde-ConnectionString")));
    QCOMPARE(again.readString(orvoKey, QStringLiteral("Msde-ConnectionString")),
             std::optional<QString>(text));
    QCOMPARE(again.readBool(orvoKey, QStringLiteral("Msde-Failed")), std::optional<bool>(true));
    QVERIFY(registry.writeBool(orvoKey, QStringLiteral("Msde-Failed"), false));
    QCOMPARE(again.readBool(orvoKey, QStringLiteral("Msde-Failed")), std::optional<bool>(false));
    QVERIFY(QFile::exists(registry.location(orvoKey)));
}

void TestPlatform::registryMissingValues()
{
    QTemporaryDir dir;
    SettingsRegistry registry(dir.path());
    QVERIFY(registry.writeString(orvoKey, QStringLiteral("Other"), QStringLiteral("x")));
    QVERIFY(!registry.valueExists(orvoKey, QStringLiteral("Msde-Failed")));
    QCOMPARE(registry.readBool(orvoKey, QStringLiteral("Msde-Failed")), std::optional<bool>());
    QCOMPARE(registry.readString(orvoKey, QStringLiteral("Msde-ConnectionString")), std::optional<QString>());
    QCOMPARE(registry.readString(QStringLiteral("\\Software\\Zenquil\\Nothing"), QStringLiteral("Other")),
             std::optional<QString>());
}

void TestPlatform::registryReadsTheProfileTheDemoWrites()
{
    // The form scripts/demo writes into the system-wide file.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Zenquil")));
    QFile file(QDir(dir.path()).filePath(QStringLiteral("Zenquil/Orvo.conf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "[General]\n"
        "Msde-ConnectionString=\"Provider=SQLite;Data Source=/home/cook/.local/share/platewatch/demo.db\"\n"
        "Msde-Failed=0\n");
    file.close();

    const SettingsRegistry registry(dir.path());
    QCOMPARE(registry.readString(orvoKey, QStringLiteral("Msde-ConnectionString")),
             std::optional<QString>(
                 QStringLiteral("Provider=SQLite;Data Source=/home/cook/.local/share/platewatch/demo.db")));
    QCOMPARE(registry.readBool(orvoKey, QStringLiteral("Msde-Failed")), std::optional<bool>(false));
}

void TestPlatform::registryUnopenableFolder()
{
    // The folder cannot exist: a plain file stands where it would be.
    QTemporaryDir dir;
    const QString blocker = QDir(dir.path()).filePath(QStringLiteral("etc"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    SettingsRegistry registry(blocker + QStringLiteral("/xdg"));
    QVERIFY(!registry.openKey(orvoKey, true));
    QVERIFY(!registry.writeString(orvoKey, QStringLiteral("Msde-ConnectionString"), QStringLiteral("x")));
    QVERIFY(!registry.writeBool(orvoKey, QStringLiteral("Msde-Failed"), true));
    QCOMPARE(registry.readString(orvoKey, QStringLiteral("Msde-ConnectionString")), std::optional<QString>());
}

void TestPlatform::servicesSwapAndComeBack()
{
    Clock& realClock = pw::platform::clock();
    Registry& realRegistry = registry();
    {
        FakeClock fake(QDateTime(QDate(2024, 3, 1), QTime(4, 59)));
        QCOMPARE(setClock(&fake), nullptr);
        QCOMPARE(&pw::platform::clock(), &fake);
        QCOMPARE(now(), QDateTime(QDate(2024, 3, 1), QTime(4, 59)));
        QCOMPARE(setClock(nullptr), &fake);
        QCOMPARE(&pw::platform::clock(), &realClock);
    }
    {
        pw::test::PlatformDoubles doubles;
        QCOMPARE(&pw::platform::clock(), &doubles.clock);
        QCOMPARE(&registry(), &doubles.registry);
        QCOMPARE(&systemInfo(), &doubles.systemInfo);
        QCOMPARE(&modalRunner(), &doubles.modal);
        doubles.clock.advanceSeconds(60);
        QCOMPARE(now(), doubles.clock.now());
    }
    QCOMPARE(&pw::platform::clock(), &realClock);
    QCOMPARE(&registry(), &realRegistry);
}

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
