// One instance per Windows session: the named mutex "MyMutex2"; a second start reads the running
// window's handle from hd.code and sends it the copy-data notice (dwData 100, "Mutex" + NUL).
#include "platform/singleinstance.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLockFile>
#include <windows.h>

namespace tdx {

namespace {

constexpr ULONG_PTR kNoticeId = 100;

class CopyDataFilter final : public QAbstractNativeEventFilter {
public:
    explicit CopyDataFilter(SingleInstance *owner) : m_owner(owner) {}
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override {
        if (type != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message != WM_COPYDATA)
            return false;
        const auto *cds = reinterpret_cast<const COPYDATASTRUCT *>(msg->lParam);
        if (!cds || cds->dwData != kNoticeId)
            return false;
        const QByteArray data(static_cast<const char *>(cds->lpData), int(cds->cbData));
        QMetaObject::invokeMethod(
            m_owner, [owner = m_owner, data] { Q_EMIT owner->noticeReceived(data); },
            Qt::QueuedConnection);
        *result = 1;
        return true;
    }

private:
    SingleInstance *m_owner;
};

struct Native {
    HANDLE mutex = nullptr;
    std::unique_ptr<CopyDataFilter> filter;
    ~Native() {
        if (filter)
            QCoreApplication::instance()->removeNativeEventFilter(filter.get());
        if (mutex)
            CloseHandle(mutex);
    }
};

} // namespace

SingleInstance::SingleInstance(QString key, QObject *parent)
    : QObject(parent), m_key(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::sessionKey() {
    return QStringLiteral("MyMutex2");
}

SingleInstance::Role SingleInstance::claim() {
    auto native = std::make_shared<Native>();
    native->mutex = CreateMutexW(nullptr, TRUE, reinterpret_cast<LPCWSTR>(m_key.utf16()));
    if (!native->mutex || GetLastError() != ERROR_SUCCESS)
        return Role::Secondary;
    native->filter = std::make_unique<CopyDataFilter>(this);
    QCoreApplication::instance()->installNativeEventFilter(native->filter.get());
    m_native = native;
    return Role::Primary;
}

bool SingleInstance::notifyPrimary(const QByteArray &notice, int) {
    // The running instance wrote its main window's handle next to the program. Without a
    // readable handle the notice cannot go anywhere, and this start still ends.
    QFile hd(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("hd.code")));
    if (!hd.open(QIODevice::ReadOnly))
        return false;
    bool ok = false;
    const qulonglong value = hd.readAll().trimmed().toULongLong(&ok);
    const HWND window = reinterpret_cast<HWND>(static_cast<quintptr>(value));
    if (!ok || !IsWindow(window))
        return false;
    SetForegroundWindow(window);
    QByteArray data = notice;
    data.append('\0');
    COPYDATASTRUCT cds;
    cds.dwData = kNoticeId;
    cds.cbData = DWORD(notice.size());
    cds.lpData = data.data();
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    return true;
}

} // namespace tdx
