#pragma once

#include <QString>

// The staff permission check in front of a guarded function: true lets it run.
class TAccessGuard
{
public:
    virtual ~TAccessGuard() = default;
    virtual bool GetAccess(const QString& activityCode) = 0;
};

// Until a check is in place no guarded function runs.
class TRefusingGuard final : public TAccessGuard
{
public:
    bool GetAccess(const QString&) override { return false; }
};
