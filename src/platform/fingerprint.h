#pragma once

#include <QString>
#include <functional>

namespace pw::platform {

// The fingerprint reader: captures a template and compares two of them.
class FingerprintReader
{
public:
    virtual ~FingerprintReader() = default;
    virtual bool isInstalled() const = 0;
    virtual bool Initialise() = 0;
    virtual void ClearBuffer() = 0;
    // Waits for a finger; empty when the capture was stopped.
    virtual QString Capture() = 0;
    virtual bool Verify() = 0;
    virtual void SetSample(const QString& sampleTemplate) = 0;
    virtual void SetReference(const QString& referenceTemplate) = 0;
    virtual void StopCapture() = 0;
    virtual bool IsConnected() = 0;
    // The reader's progress (OnStatus).
    std::function<void(short status)> OnStatus;
};

} // namespace pw::platform
