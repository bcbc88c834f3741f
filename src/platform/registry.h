#pragma once

#include <QString>
#include <optional>

namespace pw::platform {

// The machine-wide store of small per-computer values (the connection profile).
// Key paths use backslashes as on Windows ("\Software\Zenquil\Orvo").
class Registry
{
public:
    virtual ~Registry() = default;
    // Opens (and with create, makes) a key; false when it cannot be opened or written.
    virtual bool openKey(const QString& keyPath, bool create) = 0;
    virtual bool valueExists(const QString& keyPath, const QString& name) const = 0;
    virtual std::optional<QString> readString(const QString& keyPath, const QString& name) const = 0;
    virtual bool writeString(const QString& keyPath, const QString& name, const QString& value) = 0;
    // Booleans are kept as 32-bit integers 0 or 1.
    virtual std::optional<bool> readBool(const QString& keyPath, const QString& name) const = 0;
    virtual bool writeBool(const QString& keyPath, const QString& name, bool value) = 0;
};

} // namespace pw::platform
