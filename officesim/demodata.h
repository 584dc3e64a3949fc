#pragma once

#include <QDateTime>
#include <QString>

namespace officesim {

class Store;

struct DemoOptions {
    int customers = 300;
    quint32 seed = 20261211;
    QDateTime now = QDateTime::currentDateTime();
};

// The demo office, written once into an empty store:
//   office "hangyeol01" (한결세무회계), login account "demo" / "demo1234",
//   staff desks 0212345678 (the demo user, 김도윤) … 0212345683, a desk 0212340000 with nobody
//   at it, and a second office "tstoffice" (account "tester" / "test1234", desk 0312345678).
struct Demo {
    static constexpr const char *kOffice = "hangyeol01";
    static constexpr const char *kOfficeName = "한결세무회계";
    static constexpr const char *kAccount = "demo";
    static constexpr const char *kPassword = "demo1234";
    static constexpr const char *kPhone = "0212345678";
    static constexpr const char *kUnstaffedPhone = "0212340000";
    static constexpr int kUser = 1;
    static constexpr int kStaff = 6;
    static constexpr const char *kTestOffice = "tstoffice";
    static constexpr const char *kTestAccount = "tester";
    static constexpr const char *kTestPassword = "test1234";
    static constexpr const char *kTestPhone = "0312345678";
};

// True when the store already holds an office (nothing is written then).
bool seedDemo(Store &store, const DemoOptions &options);

// A valid Korean business registration number built from its first nine digits.
QString businessNumber(const QString &firstNine);

// Salted password hash as the service stores it.
QString passwordHash(const QString &salt, const QString &password);

} // namespace officesim
