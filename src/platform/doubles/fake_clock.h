#pragma once

#include "platform/clock.h"

namespace pw::platform {

// A clock that stands still until a test moves it.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QDateTime at = QDateTime(QDate(2026, 12, 11), QTime(18, 7))) : m_now(std::move(at)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& at) { m_now = at; }
    void setTime(const QTime& time) { m_now.setTime(time); }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

} // namespace pw::platform
