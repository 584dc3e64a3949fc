#include "telephony/imsnames.h"

#include <iterator>

namespace tdx::ims {

namespace {

// Names of consecutive numbers from `first` on.
template <std::size_t N> QString lookup(int n, int first, const char *const (&names)[N]) {
    if (n >= first && n < first + int(N))
        return QString::fromLatin1(names[n - first]);
    return {};
}

const char *const kServices[] = {"IMS_SVC_CONFERENCE",
                                 "IMS_SVC_CLICK_CALL",
                                 "IMS_SVC_SEND_SMS",
                                 "IMS_SVC_RECV_SMS",
                                 "IMS_SVC_TTS_RS",
                                 "IMS_SVC_TTS_MSG",
                                 "IMS_SVC_TTS_AUTH",
                                 "IMS_SVC_CID",
                                 "IMS_SVC_TERM_REC",
                                 "IMS_SVC_ABS_NOTI",
                                 "IMS_SVC_CALL_FWD",
                                 "IMS_SVC_ORIGCALL_START_NOTI",
                                 "IMS_SVC_ORIGCALL_END_NOTI",
                                 "IMS_SVC_TERMCALL_START_NOTI",
                                 "IMS_SVC_TERMCALL_END_NOTI",
                                 "IMS_SVC_CALL_TRANSFER",
                                 "IMS_SVC_CALL_PICKUP",
                                 "IMS_SVC_SEND_MMS",
                                 "IMS_SVC_RECV_MMS",
                                 "IMS_SVC_CALLBUSYNOTI",
                                 "IMS_SVC_CTRNOTI",
                                 "IMS_SVC_CPUNOTI",
                                 "IMS_SVC_GET_SERVICE_INFO"};

const char *const kEvents0[] = {"EVT_TIMEOUT", "EVT_NORMAL", "EVT_SYS_FAULT"};
const char *const kEvents256[] = {"EVT_CONNECTING",      "EVT_CONNECTED",   "EVT_DISCONNECTED",
                                  "EVT_CONNECTION_FAIL", "EVT_LOGIN",       "EVT_LOGOUT",
                                  "EVT_SET_REST",        "EVT_SUBS_DN_QRY", "EVT_MON_DN_QRY",
                                  "EVT_MON_DN_ADD",      "EVT_MON_DN_DEL"};
const char *const kEvents512[] = {"EVT_AUTH_SMS", "EVT_AUTH_TTS"};
const char *const kEvents528[] = {"EVT_CREATE_USER", "EVT_CHG_PASSWD", "EVT_GET_SVCINFO"};
const char *const kEvents768[] = {"EVT_SERVICE_INFO",   "EVT_CALL_STATUS",   "EVT_START_SERVICE",
                                  "EVT_STOP_SERVICE",   "EVT_READY_SERVICE", "EVT_ANSWER",
                                  "EVT_INIT_RECORD",    "EVT_START_RECORD",  "EVT_STOP_RECORD",
                                  "EVT_PTPNT_ADD",      "EVT_PTPNT_DEL",     "EVT_PTPNT_EXPEL",
                                  "EVT_REQUEST_SERVICE"};

const char *const kClif[] = {"CLIF_FC_IMS_INVALID_MSG",
                             "CLIF_FC_IMS_USER_STOP",
                             "CLIF_FC_IMS_ALREADY_EXIST",
                             "CLIF_FC_IMS_CALLER_UNALLOC",
                             "CLIF_FC_IMS_CALLER_BUSY",
                             "CLIF_FC_IMS_CALLER_NOANS",
                             "CLIF_FC_IMS_CALLER_DISCONNECT",
                             "CLIF_FC_IMS_CALLER_NOTREACHABLE",
                             "CLIF_FC_IMS_CALLER_NOTAVAILABLE",
                             "CLIF_FC_IMS_CALLER_SVCRELEASE",
                             "CLIF_FC_IMS_CALLER_SVCCANCEL",
                             "CLIF_FC_IMS_CALLER_ABANDON",
                             "CLIF_FC_IMS_CALLEE_UNALLOC",
                             "CLIF_FC_IMS_CALLEE_BUSY",
                             "CLIF_FC_IMS_CALLEE_NOANS",
                             "CLIF_FC_IMS_CALLEE_DISCONNECT",
                             "CLIF_FC_IMS_CALLEE_NOTREACHABLE",
                             "CLIF_FC_IMS_CALLEE_NOTAVAILABLE",
                             "CLIF_FC_IMS_CALLEE_SVCRELEASE",
                             "CLIF_FC_IMS_CALLEE_SVCCANCEL",
                             "CLIF_FC_IMS_CALL_FAULT",
                             "CLIF_FC_IMS_INVALID_USERID",
                             "CLIF_FC_IMS_INVALID_PASSWD",
                             "CLIF_FC_IMS_INVALID_AUTH_NO",
                             "CLIF_FC_IMS_RSRC_BUSY",
                             "CLIF_FC_IMS_ASIFP_SESS_END",
                             "CLIF_FC_IMS_SYS_FAULT",
                             "CLIF_FC_IMS_INVALID_APPKEY",
                             "CLIF_FC_IMS_INVALID_SPID",
                             "CLIF_FC_IMS_INVALID_DN",
                             "CLIF_FC_IMS_NOT_ALLOWED_SERVICE",
                             "CLIF_FC_IMS_USER_DISCONNECTED",
                             "CLIF_FC_MAX_REG_USER_EXCEED",
                             "CLIF_FC_MAX_REF_DN_EXCEED",
                             "CLIF_FC_IMS_INVALID_PASSWD_EXPIRED",
                             "CLIF_FC_IMS_INVALID_PASSWD_REUSE_TERM",
                             "CLIF_MAX_IMS_ERROR_CODE"};

const char *const kApi[] = {"API_FC_ETC_FAIL",
                            "API_FC_INIT_FAIL",
                            "API_FC_HB_TIMEOUT",
                            "API_FC_INVALID_MSG",
                            "API_FC_IN_SERVICE",
                            "API_FC_NOT_IN_SERVICE",
                            "API_FC_INVALID_SERVICE_STS",
                            "API_FC_ALREADY_LOGIN",
                            "API_FC_USER_ALREADY_ADDED",
                            "API_FC_USER_NOT_ADDED",
                            "API_FC_MAX_USER_EXCEEDED",
                            "API_FC_USER_NOT_LOGIN",
                            "API_FC_PARTIAL_FAIL",
                            "API_FC_NOT_READY",
                            "API_FC_INVALID_CALL_STATUS",
                            "API_FC_FAIL",
                            "API_FC_DISP_CONNECT_FAIL",
                            "API_FC_HOST_CONNECT_FAIL",
                            "API_FC_MAX_CONN_EXCEEDED",
                            "API_FC_ALREADY_INIT",
                            "API_FC_HOST_NOT_CONNECTED",
                            "API_FC_SEND_FAIL",
                            "API_FC_INVALID_RECV_DATA",
                            "API_FC_INVALID_ID",
                            "API_FC_INVALID_DN",
                            "API_FC_INVALID_PASSWD",
                            "API_FC_INVALID_COMMAND_TYPE",
                            "API_FC_INVALID_APPKEY",
                            "API_FC_INVALID_AUTHNO",
                            "API_FC_BUSY",
                            "API_FC_NO_ANSWER",
                            "API_FC_NOT_REACHABLE",
                            "API_FC_ABANDON",
                            "API_FC_NOT_RECORDING",
                            "API_FC_ALREADY_RECORDING",
                            "API_FC_RECORDING_STOPED",
                            "API_FC_NOT_AVAILABLE_RECORDING",
                            "API_FC_NOT_AVAILABLE_SERVCE",
                            "API_FC_UNALLOC",
                            "API_FC_RECORD_FAIL",
                            "API_FC_RECORD_TIME_EXPIRED",
                            "API_FC_INVALID_PASSWD_LENGTH",
                            "API_FC_INVALID_PASSWD_CHARACTOR",
                            "API_FC_INVALID_PASSWD_EXPIRED",
                            "API_FC_INVALID_PASSWD_REUSE_TERM",
                            "API_FC_TEMPORARY_INABILITY"};

const char *const kApi32880[] = {"API_FC_LOG_FAIL",          "API_FC_MAX_REG_USER_EXCEED",
                                 "API_FC_MAX_REF_DN_EXCEED", "API_FC_LIMIT_EXCEED",
                                 "API_FC_OVER_LENGTH",       "API_FC_NOT_ALLOWED_SERVICE"};

QString orUnknown(const QString &name) {
    return name.isEmpty() ? QStringLiteral("Unknown") : name;
}

static_assert(std::size(kClif) == 37 && std::size(kApi) == 46 && std::size(kApi32880) == 6);
static_assert(std::size(kEvents256) == 11 && std::size(kEvents768) == 13);

} // namespace

QString serviceName(int service) {
    if (service == 30)
        return QStringLiteral("IMS_SVC_NORMAL");
    return orUnknown(lookup(service, 0, kServices));
}

QString eventName(int t) {
    QString n = lookup(t, 0, kEvents0);
    if (n.isEmpty())
        n = lookup(t, 256, kEvents256);
    if (n.isEmpty())
        n = lookup(t, 512, kEvents512);
    if (n.isEmpty())
        n = lookup(t, 528, kEvents528);
    if (n.isEmpty())
        n = lookup(t, 768, kEvents768);
    return orUnknown(n);
}

QString resultName(int r) {
    if (r == 0)
        return QStringLiteral("SUCCESS");
    QString n = lookup(r, 16896, kClif);
    if (n.isEmpty())
        n = lookup(r, 32768, kApi);
    if (n.isEmpty())
        n = lookup(r, 32880, kApi32880);
    return orUnknown(n);
}

} // namespace tdx::ims
