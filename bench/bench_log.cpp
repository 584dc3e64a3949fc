// The cost of one request line in a day's log, at the start of the day and after 10,000 lines.
#include "benchutil.h"
#include "platform/clock.h"
#include "service/dailylog.h"

#include <QTemporaryDir>
#include <chrono>

namespace {

class FixedClock final : public tdx::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 11), QTime(10, 0)); }
};

} // namespace

int main() {
    QTemporaryDir dir;
    FixedClock clock;
    tdx::DailyLog log(dir.path(), clock);
    const QString line =
        log.stamp() +
        QStringLiteral(" paramdata: {\"param\":[{\"pKind\":\"customer\",\"offSet\":\"0\","
                       "\"searchWord\":\"%ec%95%bd%ea%b5%ad\",\"off_id\":\"hangyeol01\","
                       "\"telNo\":\"0212345678\",\"cercode\":"
                       "\"123456050048050055048048051051050051052052052053\"}]}"
                       " threaddata: {\"return\":[{\"result\":\"null\"}]} size=32");
    const int total = 10000, window = 500;
    std::vector<double> times;
    times.reserve(total);
    for (int i = 0; i < total; ++i) {
        const auto start = std::chrono::steady_clock::now();
        log.append(tdx::DailyLog::Kind::Log, line);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double early = median({times.begin(), times.begin() + window});
    const double late = median({times.end() - window, times.end()});
    bench::print("log_entry_early_ms", early);
    bench::print("log_entry_late_ms", late);
    bench::print("log_entry_late_vs_early", late / early);
    return 0;
}
