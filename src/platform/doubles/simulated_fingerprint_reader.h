#pragma once

#include "platform/fingerprint.h"

#include <QStringList>

namespace pw::platform {

// A reader that "captures" queued templates and matches equal texts.
class SimulatedFingerprintReader final : public FingerprintReader
{
public:
    QStringList captures;
    bool connected = true;
    QStringList calls;

    bool isInstalled() const override { return true; }
    bool Initialise() override { return log(QStringLiteral("Initialise")), true; }
    void ClearBuffer() override { log(QStringLiteral("ClearBuffer")); }
    QString Capture() override
    {
        log(QStringLiteral("Capture"));
        return captures.isEmpty() ? QString() : captures.takeFirst();
    }
    bool Verify() override { return log(QStringLiteral("Verify")), !m_sample.isEmpty() && m_sample == m_reference; }
    void SetSample(const QString& t) override { m_sample = t; }
    void SetReference(const QString& t) override { m_reference = t; }
    void StopCapture() override { log(QStringLiteral("StopCapture")); }
    bool IsConnected() override { return connected; }

private:
    void log(const QString& call) { calls.append(call); }
    QString m_sample;
    QString m_reference;
};

} // namespace pw::platform
