#include "officesim/demodata.h"

#include "officesim/records.h"
#include "officesim/store.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <random>

namespace officesim {

QString businessNumber(const QString &firstNine) {
    static const int weights[] = {1, 3, 7, 1, 3, 7, 1, 3};
    int sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += firstNine[i].digitValue() * weights[i];
    const int d9 = firstNine[8].digitValue();
    sum += (5 * d9) / 10 + (5 * d9) % 10;
    return firstNine + QString::number((10 - sum % 10) % 10);
}

QString passwordHash(const QString &salt, const QString &password) {
    return QString::fromLatin1(
        QCryptographicHash::hash((salt + QLatin1Char(':') + password).toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex());
}

namespace {

class Rng {
public:
    explicit Rng(quint32 seed) : m_gen(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_gen); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, std::size_t N> const T &pick(const T (&items)[N]) {
        return items[below(int(N))];
    }
    QString digits(int count) {
        QString s;
        for (int i = 0; i < count; ++i)
            s += QChar(u'0' + below(10));
        return s;
    }

private:
    std::mt19937 m_gen;
};

const char16_t *kSurnames[] = {u"김", u"이", u"박", u"최", u"정", u"강", u"조", u"윤",
                               u"장", u"임", u"한", u"오", u"서", u"신", u"권", u"황"};
const char16_t *kGiven[] = {u"민준", u"서연", u"도윤", u"지우", u"하준", u"서윤", u"시우",
                            u"지호", u"하은", u"예준", u"수아", u"지민", u"현우", u"채원",
                            u"정훈", u"영희", u"상철", u"미경", u"성민", u"은정"};
const char16_t *kStems[] = {u"한빛", u"대성",   u"미래", u"동해",   u"새한",   u"우리", u"청솔",
                            u"태양", u"한길",   u"금강", u"백두",   u"늘푸른", u"다온", u"세종",
                            u"가람", u"해오름", u"초록", u"온누리", u"바른",   u"으뜸"};
const char16_t *kCorpKinds[] = {u"상사", u"건설",   u"물산",       u"테크", u"식품", u"무역",
                                u"산업", u"디자인", u"엔지니어링", u"유통", u"정밀", u"소프트"};
const char16_t *kShopKinds[] = {u"식당",   u"약국", u"치과의원", u"부동산", u"카페",   u"미용실",
                                u"정육점", u"학원", u"꽃집",     u"세탁소", u"한의원", u"인테리어"};
const char16_t *kRoads[] = {u"서울특별시 중구 세종대로",      u"서울특별시 강남구 테헤란로",
                            u"경기도 성남시 분당구 판교역로", u"서울특별시 마포구 월드컵북로",
                            u"인천광역시 남동구 인주대로",    u"부산광역시 해운대구 센텀중앙로"};
const char16_t *kAddLabels[] = {u"경리", u"세무담당", u"사장님 자택", u"공장", u"총무"};
const char16_t *kMemos[] = {u"부가세 자료 요청함",
                            u"급여대장 전달 예정",
                            u"법인세 신고 관련 문의[enter]다음 주 재통화",
                            u"4대보험 취득신고 문의",
                            u"세금계산서 발행 요청",
                            u"종합소득세 상담[enter]자료 메일로 받기로 함",
                            u"원천세 신고 확인"};

QString personName(Rng &rng) {
    return QString::fromUtf16(rng.pick(kSurnames)) + QString::fromUtf16(rng.pick(kGiven));
}

QString mobile(Rng &rng) {
    const int kind = rng.below(20);
    if (kind == 0)
        return QStringLiteral("011") + rng.digits(7);
    if (kind == 1)
        return QStringLiteral("017") + rng.digits(7);
    if (kind == 2)
        return QStringLiteral("019") + rng.digits(7);
    if (kind == 3)
        return QStringLiteral("010-") + rng.digits(4) + QLatin1Char('-') + rng.digits(4);
    return QStringLiteral("010") + rng.digits(8);
}

// Landlines in every length the phone formatter knows, a few stored with dashes.
QString landline(Rng &rng) {
    switch (rng.below(8)) {
    case 0:
        return QStringLiteral("02") + rng.digits(7);
    case 1:
    case 2:
        return QStringLiteral("02") + QChar(u'2' + rng.below(7)) + rng.digits(7);
    case 3:
        return QStringLiteral("031") + QChar(u'2' + rng.below(7)) + rng.digits(6);
    case 4:
        return QStringLiteral("031") + QChar(u'2' + rng.below(7)) + rng.digits(7);
    case 5:
        return QStringLiteral("070") + rng.digits(8);
    case 6:
        return QStringLiteral("1588") + rng.digits(4);
    default:
        return QStringLiteral("02-") + QChar(u'2' + rng.below(7)) + rng.digits(2) +
               QLatin1Char('-') + rng.digits(4);
    }
}

QString stamp(const QDateTime &t) {
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

bool seedDemo(Store &store, const DemoOptions &options) {
    if (store.scalar(QStringLiteral("SELECT COUNT(*) FROM offices")).toInt() > 0)
        return false;
    Rng rng(options.seed);
    const QString office = QString::fromLatin1(Demo::kOffice);
    const QString now = stamp(options.now);
    store.db().transaction();

    auto addAccount = [&](const QString &id, const QString &pw, const QString &off) {
        const QString salt = rng.digits(16);
        store.exec(QStringLiteral("INSERT INTO accounts VALUES (?, ?, ?, ?)"),
                   {id, off, salt, passwordHash(salt, pw)});
    };
    store.exec(QStringLiteral("INSERT INTO offices VALUES (?, ?)"),
               {office, QString::fromUtf8(Demo::kOfficeName)});
    addAccount(QString::fromLatin1(Demo::kAccount), QString::fromLatin1(Demo::kPassword), office);

    struct StaffRow {
        const char16_t *name;
        const char16_t *position;
        const char *hp;
    };
    const StaffRow staff[Demo::kStaff] = {
        {u"김도윤", u"대표세무사", "01031415926"}, {u"이서연", u"실장", "01027182818"},
        {u"박지호", u"과장", "01016180339"},       {u"최하은", u"대리", "01014142135"},
        {u"정민준", u"주임", "01017320508"},       {u"한지우", u"", "01022360679"}};
    for (int i = 0; i < Demo::kStaff; ++i) {
        const QString tel = QStringLiteral("02123456%1").arg(78 + i);
        store.exec(QStringLiteral("INSERT INTO staff (u_num, off_id, u_name, u_position, u_tel, "
                                  "u_hp) VALUES (?, ?, ?, ?, ?, ?)"),
                   {i + 1, office, QString::fromUtf16(staff[i].name),
                    QString::fromUtf16(staff[i].position), tel, QString::fromLatin1(staff[i].hp)});
        store.exec(QStringLiteral("INSERT INTO lines VALUES (?, ?)"), {tel, office});
    }
    store.exec(QStringLiteral("INSERT INTO lines VALUES (?, ?)"),
               {QString::fromLatin1(Demo::kUnstaffedPhone), office});

    // A second, nearly empty office whose id carries the test marker.
    const QString testOffice = QString::fromLatin1(Demo::kTestOffice);
    store.exec(QStringLiteral("INSERT INTO offices VALUES (?, ?)"),
               {testOffice, QStringLiteral("테스트세무서")});
    addAccount(QString::fromLatin1(Demo::kTestAccount), QString::fromLatin1(Demo::kTestPassword),
               testOffice);
    store.exec(QStringLiteral("INSERT INTO staff (off_id, u_name, u_position, u_tel, u_hp) "
                              "VALUES (?, ?, ?, ?, ?)"),
               {testOffice, QStringLiteral("시험사용자"), QStringLiteral("사원"),
                QString::fromLatin1(Demo::kTestPhone), QStringLiteral("01000000000")});
    store.exec(QStringLiteral("INSERT INTO lines VALUES (?, ?)"),
               {QString::fromLatin1(Demo::kTestPhone), testOffice});

    // Customers.
    QList<qint64> customers;
    QStringList customerPhones;
    for (int i = 0; i < options.customers; ++i) {
        Record c;
        const bool corp = rng.chance(55);
        const QString stem = QString::fromUtf16(rng.pick(kStems));
        if (corp) {
            const QString kind = QString::fromUtf16(rng.pick(kCorpKinds));
            switch (rng.below(3)) {
            case 0:
                c[QStringLiteral("m_com")] = QStringLiteral("(주)") + stem + kind;
                break;
            case 1:
                c[QStringLiteral("m_com")] = QStringLiteral("주식회사 ") + stem + kind;
                break;
            default:
                c[QStringLiteral("m_com")] = stem + kind + QStringLiteral("(주)");
                break;
            }
        } else {
            c[QStringLiteral("m_com")] = stem + QString::fromUtf16(rng.pick(kShopKinds));
        }
        if (i % 7 == 0)
            c[QStringLiteral("m_com")] += QStringLiteral(" %1호점").arg(i / 7 % 9 + 1);
        c[QStringLiteral("m_gubun")] = corp ? QStringLiteral("0") : QStringLiteral("1");
        const QString middle =
            corp ? QStringLiteral("8%1").arg(1 + rng.below(8))
                 : QStringLiteral("%1").arg(1 + rng.below(79), 2, 10, QLatin1Char('0'));
        c[QStringLiteral("m_comNum")] =
            businessNumber(QString::number(101 + rng.below(899)) + middle + rng.digits(4));
        c[QStringLiteral("m_corNum")] =
            corp ? QStringLiteral("110111") + rng.digits(7)
                 : QStringLiteral("%1%2%3")
                           .arg(60 + rng.below(40))
                           .arg(1 + rng.below(12), 2, 10, QLatin1Char('0'))
                           .arg(1 + rng.below(28), 2, 10, QLatin1Char('0')) +
                       QString::number(1 + rng.below(2)) + rng.digits(6);
        c[QStringLiteral("u_num")] =
            rng.chance(8) ? QStringLiteral("0") : QString::number(1 + i % Demo::kStaff);
        c[QStringLiteral("m_addrZip")] = QString::number(10000 + rng.below(89999));
        c[QStringLiteral("m_addr")] =
            QString::fromUtf16(rng.pick(kRoads)) +
            QStringLiteral(" %1 %2층").arg(1 + rng.below(300)).arg(1 + rng.below(15));
        const bool noNumbers = rng.chance(2);
        if (!noNumbers) {
            c[QStringLiteral("m_tel")] = landline(rng);
            c[QStringLiteral("m_name_ceo")] = personName(rng);
            if (rng.chance(85))
                c[QStringLiteral("m_hp_ceo")] = mobile(rng);
            if (rng.chance(60)) {
                c[QStringLiteral("m_name")] = personName(rng);
                c[QStringLiteral("m_hp")] = rng.chance(90) ? mobile(rng) : landline(rng);
            }
            const int adds = rng.chance(30) ? (rng.chance(30) ? (rng.chance(40) ? 3 : 2) : 1) : 0;
            const char *nameCols[] = {"add_name", "add_name_1", "add_name_2"};
            const char *telCols[] = {"add_tel", "add_tel_1", "add_tel_2"};
            for (int a = 0; a < adds; ++a) {
                c[QString::fromLatin1(nameCols[a])] = QString::fromUtf16(rng.pick(kAddLabels));
                c[QString::fromLatin1(telCols[a])] = rng.chance(50) ? mobile(rng) : landline(rng);
            }
        }
        if (rng.chance(20))
            c[QStringLiteral("m_memo")] = QString::fromUtf16(rng.pick(kMemos));
        c[QStringLiteral("m_use")] = rng.chance(95) ? QStringLiteral("1") : QStringLiteral("0");
        if (rng.chance(12))
            c[QStringLiteral("m_bookmark")] =
                rng.chance(25) ? QStringLiteral(",2,1,") : QStringLiteral(",1,");
        else if (rng.chance(5))
            c[QStringLiteral("m_bookmark")] = QStringLiteral(",3,");
        const qint64 id = insertCustomer(store, office, c);
        customers << id;
        customerPhones << digitsOnly(c.value(QStringLiteral("m_tel")));
    }

    // Groups of the demo user.
    auto members = [&](int count) {
        QString m = QStringLiteral(",");
        for (int i = 0; i < count && i < customers.size(); ++i)
            m += QString::number(customers[(i * 7 + count) % customers.size()]) + QLatin1Char(',');
        return m;
    };
    const std::pair<const char16_t *, int> groups[] = {
        {u"VIP 거래처", 10}, {u"부가세 신고 대상", 25}, {u"법인 정기점검", 5}};
    for (const auto &g : groups)
        store.exec(QStringLiteral("INSERT INTO groups (off_id, u_num, g_name, m_nums) "
                                  "VALUES (?, ?, ?, ?)"),
                   {office, Demo::kUser, QString::fromUtf16(g.first), members(g.second)});

    // Call history over the last three weeks.
    const char *flags[] = {"0", "1", "1", "1", "0", "2", "10"};
    for (int u = 1; u <= Demo::kStaff; ++u) {
        const int calls = u == Demo::kUser ? 70 : 30;
        for (int k = 0; k < calls; ++k) {
            const QDateTime at = options.now.addSecs(-qint64(rng.below(21 * 24 * 60)) * 60);
            QString tel = customerPhones.isEmpty()
                              ? QString()
                              : customerPhones.value(rng.below(int(customerPhones.size())));
            if (tel.isEmpty() || rng.chance(15))
                tel = QStringLiteral("010") + rng.digits(8);
            store.exec(QStringLiteral("INSERT INTO calls (off_id, u_num, c_tel, c_flag, c_date, "
                                      "c_content) VALUES (?, ?, ?, ?, ?, ?)"),
                       {office, u, tel, QString::fromLatin1(rng.pick(flags)), stamp(at),
                        rng.chance(50) ? QString::fromUtf16(rng.pick(kMemos)) : QString()});
        }
    }

    // Notifications of every kind for the demo user; the newest three unread.
    const char *kinds[] = {"ooo_q",       "ooo_a",       "velmo_q", "velmo_a",
                           "quotation_k", "quotation_s", "trans_s", "trans_e"};
    int n = 0;
    for (const char *kind : kinds) {
        const QDateTime at = options.now.addSecs(-qint64(8 - n) * 5 * 3600);
        QVariant task;
        QString name = personName(rng);
        if (QByteArray(kind).startsWith("trans")) {
            const bool known = n % 2 == 0;
            const QString tel = known && !customerPhones.value(3).isEmpty()
                                    ? customerPhones.value(3)
                                    : QStringLiteral("01055554444");
            store.exec(QStringLiteral("INSERT INTO tasks (off_id, from_u_num, c_date, c_tel, "
                                      "c_content) VALUES (?, ?, ?, ?, ?)"),
                       {office, 2, stamp(at), tel, QStringLiteral("고객 문의 전달드립니다.")});
            task = store.scalar(QStringLiteral("SELECT last_insert_rowid()"));
            name = QStringLiteral("이서연");
        }
        store.exec(QStringLiteral("INSERT INTO notifications (off_id, u_num, kind, name, created, "
                                  "is_read, task) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                   {office, Demo::kUser, QString::fromLatin1(kind), name, stamp(at), n >= 5 ? 0 : 1,
                    task});
        ++n;
    }

    // Calendar entries around today.
    const char16_t *times[] = {u"09:30", u"14:00", u"17:00"};
    const char *leads[] = {"10", "30", "60"};
    for (int day = -3; day <= 30; ++day) {
        const QString date = options.now.date().addDays(day).toString(QStringLiteral("yyyy-MM-dd"));
        for (int t = 0; t < 3; ++t)
            store.exec(QStringLiteral("INSERT INTO calendar (off_id, u_num, s_date, s_date_t, "
                                      "alrim, kakao_code) VALUES (?, ?, ?, ?, ?, ?)"),
                       {office, Demo::kUser, date, QString::fromUtf16(times[t]),
                        QString::fromLatin1(leads[t]), QStringLiteral("CAL%1").arg(t + 1)});
    }

    // Two saved AlimTalk batches for VAT in this half of the year.
    const int y = options.now.date().year(), m = options.now.date().month();
    const QString period = m <= 3   ? QStringLiteral("%1년 2기 확정").arg(y - 1)
                           : m <= 6 ? QStringLiteral("%1년 1기 예정").arg(y)
                           : m <= 9 ? QStringLiteral("%1년 1기 확정").arg(y)
                                    : QStringLiteral("%1년 2기 예정").arg(y);
    for (int b = 0; b < 2; ++b) {
        const int rows = customers.isEmpty() ? 0 : b == 0 ? 5 : 8;
        store.exec(QStringLiteral("INSERT INTO kakao_batches (off_id, user_id, s_kind, s_type, "
                                  "s_limit, s_cnt, created) VALUES (?, ?, '1', ?, ?, ?, ?)"),
                   {office, QString::fromLatin1(Demo::kAccount), period,
                    options.now.date().addDays(30).toString(QStringLiteral("yyyy-MM-dd")),
                    QString::number(rows), now});
        const qint64 seq = store.scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
        for (int r = 0; r < rows; ++r) {
            QSqlQuery c =
                store.exec(QStringLiteral("SELECT m_comNum, m_com, m_gubun FROM customers "
                                          "WHERE m_num = ?"),
                           {customers.value((b * 11 + r * 3) % customers.size())});
            c.next();
            store.exec(
                QStringLiteral("INSERT INTO kakao_rows (seq, ord, m_comNum, m_com, m_gubun, "
                               "m_hp, price, bank1, bank2, bank3, bank4, bank5, up1, up2) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, '', '', '', '', '')"),
                {seq, r, c.value(0), c.value(1), c.value(2),
                 QStringLiteral("010-%1-%2").arg(rng.digits(4), rng.digits(4)),
                 QString::number((1 + rng.below(500)) * 10000),
                 QStringLiteral("0126") + rng.digits(15),
                 QStringLiteral("신한 562-") + rng.digits(3) + QLatin1Char('-') + rng.digits(6)});
        }
    }
    store.db().commit();
    return true;
}

} // namespace officesim
