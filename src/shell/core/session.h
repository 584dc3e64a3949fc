#pragma once

#include "service/request.h"

#include <QString>

namespace tdx {

// The staff member behind the desk phone, from "myname".
struct UserRecord {
    QString name;
    QString title;
    QString number;     // sent as "u_num"
    QString total;      // all customers
    QString mine;       // customers in the user's charge
    QString bookmarked; // customers the user bookmarked
    QString officeName;

    // The name as the main view shows it: name, or name + "[" + title + "]".
    QString display() const {
        return title.isEmpty() ? name : name + QLatin1Char('[') + title + QLatin1Char(']');
    }
};

// The session state the main window holds for the lifetime of the process.
struct Session {
    bool loggedIn = false;
    QString officeId;          // from the login answer; sent as "off_id"
    QString accountId;         // typed in the login view
    QString password;          // the service password typed in the login view
    QString officePhone;       // typed in the login view; also the telephony account
    QString telephonyPassword; // settings value "upluspass"
    UserRecord user;
    int listMode = 0;  // 0 all, 1 my customers, 2 bookmarks, 3 group
    QString firstShow; // "active" after the first activation
    bool autoLoginRequested = false;

    Identity identity() const { return {officeId, accountId, officePhone}; }
};

} // namespace tdx
