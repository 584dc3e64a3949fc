#pragma once

namespace officesim {

class Store;

// Creates the tables of the office service when they are missing.
void createSchema(Store &store);

// Tables whose rows the inspection endpoints may show.
inline constexpr const char *kEffectTables[] = {
    "sms_log",       "reports",    "recordings",  "exceptions",    "history",
    "kakao_batches", "kakao_rows", "kakao_sends", "notifications", "calls",
    "staff",         "groups",     "calendar"};

} // namespace officesim
