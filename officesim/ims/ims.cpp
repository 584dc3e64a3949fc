// libSKB_OpenAPI_IMS: the polled IMS library interface over the simulated telephone line.
// Events from the line are queued by a reader thread and handed out one per IMS_GetEvent.
// Strings cross the interface in CP949 and the line in UTF-8.
#include "telephony/imsrecord.h"

#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iconv.h>
#include <mutex>
#include <netinet/in.h>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#define IMS_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::string convert(const std::string &in, const char *to, const char *from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return in;
    std::string out(in.size() * 4 + 4, '\0');
    char *src = const_cast<char *>(in.data());
    size_t srcLeft = in.size();
    char *dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) {
            // A character the other side cannot show: skip one byte, write "?".
            if (dstLeft == 0)
                break;
            *dst++ = '?';
            --dstLeft;
            ++src;
            --srcLeft;
        }
    }
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
}

std::string toUtf8(const char *cp949) {
    return convert(cp949 ? cp949 : "", "UTF-8", "CP949");
}
std::string toCp949(const std::string &utf8) {
    return convert(utf8, "CP949//TRANSLIT", "UTF-8");
}

std::string escape(const std::string &s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::vector<std::string> fields(const std::string &line) {
    std::vector<std::string> out(1);
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            out.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char n = line[++i];
            out.back() += n == 't' ? '\t' : n == 'n' ? '\n' : n == 'r' ? '\r' : n;
        } else {
            out.back() += c;
        }
    }
    return out;
}

void copyField(char *dst, size_t size, const std::string &utf8) {
    const std::string text = toCp949(utf8);
    const size_t n = std::min(text.size(), size - 1);
    std::memcpy(dst, text.data(), n);
    dst[n] = '\0';
}

class Connection {
public:
    ~Connection() { close(); }

    bool open() {
        reapDeadConnection();
        std::lock_guard lock(m_mutex);
        if (m_fd >= 0)
            return true;
        std::string address = "127.0.0.1:18090";
        if (const char *env = std::getenv("TDX_IMS_LINE"); env && *env)
            address = env;
        const size_t colon = address.rfind(':');
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(static_cast<uint16_t>(std::atoi(address.c_str() + colon + 1)));
        if (inet_pton(AF_INET, address.substr(0, colon).c_str(), &sa.sin_addr) != 1)
            return false;
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0)
            return false;
        if (::connect(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0) {
            ::close(fd);
            return false;
        }
        m_fd = fd;
        m_dead = false;
        m_reader = std::thread([this, fd] { read(fd); });
        sendLocked({"HELLO", "ims"});
        return true;
    }

    void close() {
        {
            std::lock_guard lock(m_mutex);
            if (m_fd >= 0)
                ::shutdown(m_fd, SHUT_RDWR);
        }
        if (m_reader.joinable())
            m_reader.join();
        std::lock_guard lock(m_mutex);
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        m_dead = false;
    }

    bool send(const std::vector<std::string> &f) {
        if (!open())
            return false;
        std::lock_guard lock(m_mutex);
        return sendLocked(f);
    }

    bool nextEvent(ImsEventRecord *record) {
        std::lock_guard lock(m_mutex);
        if (m_events.empty())
            return false;
        *record = m_events.front();
        m_events.pop_front();
        return true;
    }

    // Sends a command and waits for its "RESULT" answer.
    int request(const std::vector<std::string> &f) {
        if (!open())
            return 32785; // API_FC_HOST_CONNECT_FAIL
        std::unique_lock lock(m_mutex);
        m_result.reset();
        sendLocked(f);
        if (!m_resultReady.wait_for(lock, std::chrono::seconds(5),
                                    [this] { return m_result.has_value(); }))
            return 32783; // API_FC_FAIL
        return *m_result;
    }

private:
    bool sendLocked(const std::vector<std::string> &f) {
        std::string line;
        for (size_t i = 0; i < f.size(); ++i) {
            if (i)
                line += '\t';
            line += escape(f[i]);
        }
        line += '\n';
        return m_fd >= 0 && !m_dead &&
               ::send(m_fd, line.data(), line.size(), MSG_NOSIGNAL) == ssize_t(line.size());
    }

    void read(int fd) {
        std::string buffer;
        char chunk[4096];
        for (;;) {
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0)
                break;
            buffer.append(chunk, size_t(n));
            size_t nl;
            while ((nl = buffer.find('\n')) != std::string::npos) {
                handle(fields(buffer.substr(0, nl)));
                buffer.erase(0, nl + 1);
            }
        }
        // The line is gone: the library says so as the real one does.
        ImsEventRecord lost{};
        lost.Service = 30;
        lost.EvtType = 258; // EVT_DISCONNECTED
        std::lock_guard lock(m_mutex);
        m_events.push_back(lost);
        m_dead = true;
        (void)fd;
    }

    // A connection whose reader ended is closed before a new one is made.
    void reapDeadConnection() {
        {
            std::lock_guard lock(m_mutex);
            if (!m_dead)
                return;
        }
        close();
    }

    void handle(const std::vector<std::string> &f) {
        std::lock_guard lock(m_mutex);
        if (f[0] == "RESULT" && f.size() > 1) {
            m_result = std::atoi(f[1].c_str());
            m_resultReady.notify_all();
        } else if (f[0] == "IMSEVT" && f.size() >= 7) {
            ImsEventRecord r{};
            r.Service = std::atoi(f[1].c_str());
            r.EvtType = std::atoi(f[2].c_str());
            r.Result = std::atoi(f[3].c_str());
            copyField(r.Dn1, sizeof r.Dn1, f[4]);
            copyField(r.Dn2, sizeof r.Dn2, f[5]);
            copyField(r.ExtInfo, sizeof r.ExtInfo, f[6]);
            m_events.push_back(r);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_resultReady;
    std::optional<int> m_result;
    std::deque<ImsEventRecord> m_events;
    std::thread m_reader;
    int m_fd = -1;
    bool m_dead = false;
};

Connection &line() {
    static Connection c;
    return c;
}

std::string str(const char *s) {
    return toUtf8(s);
}

} // namespace

IMS_EXPORT int IMS_CALL IMS_Init(const char *appKey) {
    return line().send({"INIT", str(appKey)}) ? 0 : 32769; // API_FC_INIT_FAIL
}

IMS_EXPORT int IMS_CALL IMS_Login(const char *id, const char *password) {
    return line().send({"LOGIN", str(id), str(password)}) ? 0 : 32785;
}

IMS_EXPORT int IMS_CALL IMS_GetEvent(ImsEventRecord *record) {
    if (!record)
        return 1;
    return line().nextEvent(record) ? 0 : 1;
}

IMS_EXPORT int IMS_CALL IMS_ClickCall_Start(const char *number, int record, int a, int b) {
    return line().send({"CLICKCALL", str(number), std::to_string(record), std::to_string(a),
                        std::to_string(b)})
               ? 0
               : 32785;
}

IMS_EXPORT int IMS_CALL IMS_SendSms(const char *destinations, const char *message) {
    return line().send({"SENDSMS", str(destinations), str(message)}) ? 0 : 32785;
}

IMS_EXPORT int IMS_CALL IMS_TermRec_Start() {
    return line().send({"TERMREC_START"}) ? 0 : 32785;
}

IMS_EXPORT int IMS_CALL IMS_TermRec_Stop() {
    return line().send({"TERMREC_STOP"}) ? 0 : 32785;
}

IMS_EXPORT int IMS_CALL IMS_CallTransfer_Start(const char *target, int x) {
    return line().send({"TRANSFER", str(target), std::to_string(x)}) ? 0 : 32785;
}

IMS_EXPORT int IMS_CALL IMS_AuthSms(const char *phone) {
    return line().send({"AUTHSMS", str(phone)}) ? 0 : 32785;
}

IMS_EXPORT int IMS_CALL IMS_CreateUser(const char *id, const char *password, const char *phone,
                                       const char *code) {
    return line().request({"CREATEUSER", str(id), str(password), str(phone), str(code)});
}

IMS_EXPORT int IMS_CALL IMS_Close() {
    line().send({"CLOSE"});
    line().close();
    return 0;
}
