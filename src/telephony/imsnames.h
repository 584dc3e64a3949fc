#pragma once

#include <QString>

// The names of the IMS library's service, event-type and result numbers ("Unknown" for any
// other number), as the IMS log writes them.
namespace tdx::ims {

QString serviceName(int service);
QString eventName(int evtType);
QString resultName(int result);

inline constexpr int kSuccess = 0;
inline constexpr int kUserAlreadyAdded = 32776;
inline constexpr int kInvalidDn = 16925;

} // namespace tdx::ims
