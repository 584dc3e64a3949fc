#pragma once

#include <QDateTime>

namespace tdx {

// The hour of the day is an input like any other: reminders, due dates, log retention and the
// request code all read it from here, so tests can set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};

} // namespace tdx
