#pragma once

#include "platform/registry.h"

#include <QHash>
#include <QVariant>

namespace pw::platform {

// A registry held in memory; a key can be made unopenable to act out a locked-down machine.
class MemoryRegistry final : public Registry
{
public:
    bool openKey(const QString& keyPath, bool create) override
    {
        if (m_blocked)
            return false;
        if (!m_keys.contains(keyPath)) {
            if (!create)
                return false;
            m_keys.insert(keyPath, {});
        }
        return true;
    }
    bool valueExists(const QString& keyPath, const QString& name) const override
    {
        return m_keys.value(keyPath).contains(name);
    }
    std::optional<QString> readString(const QString& keyPath, const QString& name) const override
    {
        const auto values = m_keys.value(keyPath);
        if (!values.contains(name))
            return std::nullopt;
        return values.value(name).toString();
    }
    bool writeString(const QString& keyPath, const QString& name, const QString& value) override
    {
        if (m_blocked)
            return false;
        m_keys[keyPath][name] = value;
        return true;
    }
    std::optional<bool> readBool(const QString& keyPath, const QString& name) const override
    {
        const auto values = m_keys.value(keyPath);
        if (!values.contains(name))
            return std::nullopt;
        return values.value(name).toInt() != 0;
    }
    bool writeBool(const QString& keyPath, const QString& name, bool value) override
    {
        if (m_blocked)
            return false;
        m_keys[keyPath][name] = value ? 1 : 0;
        return true;
    }

    void setBlocked(bool blocked) { m_blocked = blocked; }
    QVariant value(const QString& keyPath, const QString& name) const { return m_keys.value(keyPath).value(name); }

private:
    QHash<QString, QHash<QString, QVariant>> m_keys;
    bool m_blocked = false;
};

} // namespace pw::platform
