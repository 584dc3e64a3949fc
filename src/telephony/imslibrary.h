#pragma once

#include "telephony/imsrecord.h"

#include <QLibrary>
#include <QString>

namespace tdx {

// One event of the IMS library, its texts decoded.
struct ImsEvent {
    int service = 0;
    int evtType = 0;
    int result = 0;
    QString dn1;     // at most 31 characters
    QString dn2;     // at most 31 characters
    QString extInfo; // at most 1023 characters

    static ImsEvent fromRecord(const ImsEventRecord &record);
};

// The SK Broadband IMS library's eleven functions.
class ImsLibrary {
public:
    virtual ~ImsLibrary() = default;
    virtual bool available() const = 0;
    virtual void IMS_Init(const QString &applicationKey) = 0;
    virtual void IMS_Login(const QString &id, const QString &password) = 0;
    // True when one event was copied (the library answered 0).
    virtual bool IMS_GetEvent(ImsEvent &event) = 0;
    virtual void IMS_ClickCall_Start(const QString &number, int record, int a, int b) = 0;
    virtual void IMS_SendSms(const QString &destinations, const QString &message) = 0;
    virtual void IMS_TermRec_Start() = 0;
    virtual void IMS_TermRec_Stop() = 0;
    virtual void IMS_CallTransfer_Start(const QString &target, int x) = 0;
    virtual void IMS_AuthSms(const QString &phone) = 0;
    virtual int IMS_CreateUser(const QString &id, const QString &password, const QString &phone,
                               const QString &code) = 0;
    virtual void IMS_Close() = 0;
};

// The library loaded at run time with QLibrary, strings passed in CP949.
class LoadedImsLibrary final : public ImsLibrary {
public:
    // name: "SKB_OpenAPI_IMS" (or a path to it).
    explicit LoadedImsLibrary(const QString &name);
    bool available() const override { return m_ok; }
    QString errorString() const { return m_library.errorString(); }

    void IMS_Init(const QString &applicationKey) override;
    void IMS_Login(const QString &id, const QString &password) override;
    bool IMS_GetEvent(ImsEvent &event) override;
    void IMS_ClickCall_Start(const QString &number, int record, int a, int b) override;
    void IMS_SendSms(const QString &destinations, const QString &message) override;
    void IMS_TermRec_Start() override;
    void IMS_TermRec_Stop() override;
    void IMS_CallTransfer_Start(const QString &target, int x) override;
    void IMS_AuthSms(const QString &phone) override;
    int IMS_CreateUser(const QString &id, const QString &password, const QString &phone,
                       const QString &code) override;
    void IMS_Close() override;

private:
    using Str1 = int(IMS_CALL *)(const char *);
    using Str2 = int(IMS_CALL *)(const char *, const char *);
    using Str4 = int(IMS_CALL *)(const char *, const char *, const char *, const char *);
    using Void = int(IMS_CALL *)();
    using GetEvent = int(IMS_CALL *)(ImsEventRecord *);
    using ClickCall = int(IMS_CALL *)(const char *, int, int, int);
    using Transfer = int(IMS_CALL *)(const char *, int);

    QLibrary m_library;
    bool m_ok = false;
    Str1 m_init = nullptr, m_authSms = nullptr;
    Str2 m_login = nullptr, m_sendSms = nullptr;
    Str4 m_createUser = nullptr;
    Void m_termRecStart = nullptr, m_termRecStop = nullptr, m_close = nullptr;
    GetEvent m_getEvent = nullptr;
    ClickCall m_clickCall = nullptr;
    Transfer m_transfer = nullptr;
};

} // namespace tdx
