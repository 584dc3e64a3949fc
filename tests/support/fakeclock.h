#pragma once

#include "platform/clock.h"

namespace tdx::test {

class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2026, 12, 11), QTime(10, 0, 0)))
        : m_now(std::move(now)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }
    void advanceSecs(qint64 secs) { m_now = m_now.addSecs(secs); }

private:
    QDateTime m_now;
};

} // namespace tdx::test
