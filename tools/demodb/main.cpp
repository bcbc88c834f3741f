// platewatch-demodb: writes a SQLite demo database holding one trading day of a
// small shop around the current time, with this computer registered as till 1.

#include "demo_data.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QString file;
    bool replace = false;
    bool badArguments = false;
    const QStringList arguments = app.arguments().mid(1);
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--replace"))
            replace = true;
        else if (argument.startsWith(QLatin1String("--")) || !file.isEmpty())
            badArguments = true;
        else
            file = argument;
    }
    if (badArguments || file.isEmpty()) {
        err << "Usage: platewatch-demodb <database file> [--replace]\n"
            << "Writes a SQLite demo database; an existing file is only overwritten with --replace.\n";
        return 2;
    }

    const QString computerName = pw::platform::systemInfo().computerName();
    QString error;
    if (!pw::demodb::createDemoDatabase(file, pw::platform::now(), computerName, &error, replace)) {
        err << error << '\n';
        return 1;
    }
    out << "Created " << QDir::toNativeSeparators(file) << " with " << computerName.toUpper()
        << " as till 1.\n"
        << "The manager's password is " << pw::demodb::kManagerPassword << ".\n";
    return 0;
}
