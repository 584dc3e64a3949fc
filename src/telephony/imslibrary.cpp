#include "telephony/imslibrary.h"

#include "service/codec.h"

#include <cstring>

namespace tdx {

namespace {

// A zero-terminated CP949 field of at most `limit` bytes.
QString field(const char *bytes, std::size_t size, std::size_t limit) {
    const std::size_t n = strnlen(bytes, std::min(size, limit));
    return cp949::decode(QByteArray(bytes, qsizetype(n)));
}

} // namespace

ImsEvent ImsEvent::fromRecord(const ImsEventRecord &r) {
    ImsEvent e;
    e.service = r.Service;
    e.evtType = r.EvtType;
    e.result = r.Result;
    e.dn1 = field(r.Dn1, sizeof r.Dn1, 31);
    e.dn2 = field(r.Dn2, sizeof r.Dn2, 31);
    e.extInfo = field(r.ExtInfo, sizeof r.ExtInfo, 1023);
    return e;
}

LoadedImsLibrary::LoadedImsLibrary(const QString &name) : m_library(name) {
    if (!m_library.load())
        return;
    auto resolve = [this](auto &fn, const char *symbol) {
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(m_library.resolve(symbol));
        return fn != nullptr;
    };
    m_ok = resolve(m_init, "IMS_Init") && resolve(m_login, "IMS_Login") &&
           resolve(m_getEvent, "IMS_GetEvent") && resolve(m_clickCall, "IMS_ClickCall_Start") &&
           resolve(m_sendSms, "IMS_SendSms") && resolve(m_termRecStart, "IMS_TermRec_Start") &&
           resolve(m_termRecStop, "IMS_TermRec_Stop") &&
           resolve(m_transfer, "IMS_CallTransfer_Start") && resolve(m_authSms, "IMS_AuthSms") &&
           resolve(m_createUser, "IMS_CreateUser") && resolve(m_close, "IMS_Close");
}

void LoadedImsLibrary::IMS_Init(const QString &key) {
    if (m_ok)
        m_init(cp949::encode(key).constData());
}

void LoadedImsLibrary::IMS_Login(const QString &id, const QString &password) {
    if (m_ok)
        m_login(cp949::encode(id).constData(), cp949::encode(password).constData());
}

bool LoadedImsLibrary::IMS_GetEvent(ImsEvent &event) {
    if (!m_ok)
        return false;
    ImsEventRecord record;
    std::memset(&record, 0, sizeof record);
    if (m_getEvent(&record) != 0)
        return false;
    event = ImsEvent::fromRecord(record);
    return true;
}

void LoadedImsLibrary::IMS_ClickCall_Start(const QString &number, int record, int a, int b) {
    if (m_ok)
        m_clickCall(cp949::encode(number).constData(), record, a, b);
}

void LoadedImsLibrary::IMS_SendSms(const QString &destinations, const QString &message) {
    if (m_ok)
        m_sendSms(cp949::encode(destinations).constData(), cp949::encode(message).constData());
}

void LoadedImsLibrary::IMS_TermRec_Start() {
    if (m_ok)
        m_termRecStart();
}

void LoadedImsLibrary::IMS_TermRec_Stop() {
    if (m_ok)
        m_termRecStop();
}

void LoadedImsLibrary::IMS_CallTransfer_Start(const QString &target, int x) {
    if (m_ok)
        m_transfer(cp949::encode(target).constData(), x);
}

void LoadedImsLibrary::IMS_AuthSms(const QString &phone) {
    if (m_ok)
        m_authSms(cp949::encode(phone).constData());
}

int LoadedImsLibrary::IMS_CreateUser(const QString &id, const QString &password,
                                     const QString &phone, const QString &code) {
    if (!m_ok)
        return -1;
    return m_createUser(cp949::encode(id).constData(), cp949::encode(password).constData(),
                        cp949::encode(phone).constData(), cp949::encode(code).constData());
}

void LoadedImsLibrary::IMS_Close() {
    if (m_ok)
        m_close();
}

} // namespace tdx
