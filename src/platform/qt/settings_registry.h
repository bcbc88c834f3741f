#pragma once

#include "platform/registry.h"

namespace pw::platform {

// The registry on Qt settings: on Windows the key under HKEY_LOCAL_MACHINE;
// elsewhere one settings file per key under a system-wide folder
// ("\Software\Zenquil\Orvo" is <folder>/Zenquil/Orvo.conf).
class SettingsRegistry final : public Registry
{
public:
    // An empty folder means the platform's system-wide configuration folder.
    explicit SettingsRegistry(QString folder = {});

    bool openKey(const QString& keyPath, bool create) override;
    bool valueExists(const QString& keyPath, const QString& name) const override;
    std::optional<QString> readString(const QString& keyPath, const QString& name) const override;
    bool writeString(const QString& keyPath, const QString& name, const QString& value) override;
    std::optional<bool> readBool(const QString& keyPath, const QString& name) const override;
    bool writeBool(const QString& keyPath, const QString& name, bool value) override;

    // Where a key lives: the registry path on Windows, the file elsewhere.
    QString location(const QString& keyPath) const;
    static QString defaultFolder();

private:
    QString m_folder;
};

} // namespace pw::platform
