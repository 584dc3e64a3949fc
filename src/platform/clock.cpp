#include "platform/clock.h"

namespace tdx {

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

} // namespace tdx
