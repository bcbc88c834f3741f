#include "platform/qt/settings_registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace pw::platform {
namespace {

QStringList keyParts(const QString& keyPath)
{
    QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    // The "Software" level means nothing outside the Windows registry.
    if (!parts.isEmpty() && parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    return parts;
}

} // namespace

SettingsRegistry::SettingsRegistry(QString folder) : m_folder(std::move(folder))
{
    if (m_folder.isEmpty())
        m_folder = defaultFolder();
}

QString SettingsRegistry::defaultFolder()
{
#ifdef Q_OS_WIN
    return {};
#else
    return QStringLiteral("/etc/xdg");
#endif
}

QString SettingsRegistry::location(const QString& keyPath) const
{
#ifdef Q_OS_WIN
    if (m_folder.isEmpty())
        return QStringLiteral("HKEY_LOCAL_MACHINE") + (keyPath.startsWith(QLatin1Char('\\')) ? keyPath
                                                                                             : QLatin1Char('\\') + keyPath);
#endif
    const QStringList parts = keyParts(keyPath);
    if (parts.isEmpty())
        return {};
    return QDir(m_folder).filePath(parts.join(QLatin1Char('/')) + QStringLiteral(".conf"));
}

static QSettings::Format formatFor(const QString& location)
{
    return location.startsWith(QLatin1String("HKEY_")) ? QSettings::NativeFormat : QSettings::IniFormat;
}

bool SettingsRegistry::openKey(const QString& keyPath, bool create)
{
    const QString where = location(keyPath);
    if (where.isEmpty())
        return false;
    if (formatFor(where) == QSettings::NativeFormat) {
        QSettings settings(where, QSettings::NativeFormat);
        return settings.status() == QSettings::NoError && (create || settings.isWritable());
    }
    QFileInfo file(where);
    if (file.exists())
        return file.isReadable() && file.isWritable();
    if (!create)
        return false;
    if (!QDir().mkpath(file.absolutePath()))
        return false;
    QFileInfo folder(file.absolutePath());
    return folder.isWritable();
}

bool SettingsRegistry::valueExists(const QString& keyPath, const QString& name) const
{
    const QString where = location(keyPath);
    if (where.isEmpty())
        return false;
    QSettings settings(where, formatFor(where));
    return settings.contains(name);
}

std::optional<QString> SettingsRegistry::readString(const QString& keyPath, const QString& name) const
{
    const QString where = location(keyPath);
    if (where.isEmpty())
        return std::nullopt;
    QSettings settings(where, formatFor(where));
    if (!settings.contains(name))
        return std::nullopt;
    return settings.value(name).toString();
}

bool SettingsRegistry::writeString(const QString& keyPath, const QString& name, const QString& value)
{
    const QString where = location(keyPath);
    if (where.isEmpty())
        return false;
    QSettings settings(where, formatFor(where));
    settings.setValue(name, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::optional<bool> SettingsRegistry::readBool(const QString& keyPath, const QString& name) const
{
    const QString where = location(keyPath);
    if (where.isEmpty())
        return std::nullopt;
    QSettings settings(where, formatFor(where));
    if (!settings.contains(name))
        return std::nullopt;
    return settings.value(name).toInt() != 0;
}

bool SettingsRegistry::writeBool(const QString& keyPath, const QString& name, bool value)
{
    const QString where = location(keyPath);
    if (where.isEmpty())
        return false;
    QSettings settings(where, formatFor(where));
    settings.setValue(name, value ? 1 : 0);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace pw::platform
