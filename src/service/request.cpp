#include "service/request.h"

#include "service/scrambler.h"
#include "service/textutil.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace tdx {

QString encode_value(const QString &value) {
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("&singile"));
    v.replace(QLatin1Char('"'), QStringLiteral("&double"));
    v.replace(QLatin1Char('+'), QStringLiteral("%2B"));
    return QString::fromLatin1(text::formEncode(v.toUtf8()));
}

std::optional<QString> decode_value(const QString &value) {
    const QString t = value.trimmed();
    if (t.isEmpty())
        return QString();
    const auto bytes = text::formDecode(t.toUtf8());
    if (!bytes)
        return std::nullopt;
    QString out = QString::fromUtf8(*bytes);
    if (out.contains(QLatin1Char('&'))) {
        out.replace(QStringLiteral("&singile"), QStringLiteral("'"));
        out.replace(QStringLiteral("&double"), QStringLiteral("\""));
    }
    return out;
}

QString make_cercode(const QDateTime &localTime, const std::function<int()> &random) {
    const int r1 = random(), r2 = random(), r3 = random();
    const QStringList parts =
        localTime.toString(QStringLiteral("yyyy-MM-dd-HH-mm-ss")).split(QLatin1Char('-'));
    const QString time = parts.size() == 6 ? parts.join(QString()) : QStringLiteral("00");
    const QByteArray scrambled =
        scrambler::scramble(time.toLatin1(), {quint16(r1), quint16(r2), quint16(r3)});
    auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return two(r1) + two(r2) + two(r3) + QString::fromLatin1(scrambled);
}

QString make_cercode(const Clock &clock) {
    return make_cercode(clock.now(), [] { return int(QRandomGenerator::global()->bounded(99)); });
}

QString RequestLists::build(const Identity &who, const QString &cercode) const {
    QStringList names = m_names, values = m_values;
    names << QStringLiteral("off_id") << QStringLiteral("telNo") << QStringLiteral("cercode");
    values << who.offId() << who.officePhone << cercode;
    if (names.size() != values.size())
        return QStringLiteral("discord");
    QString json = QStringLiteral("{\"param\":[{");
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i)
            json += QLatin1Char(',');
        json += QLatin1Char('"') + names[i].trimmed() + QStringLiteral("\":\"") +
                encode_value(values[i]).trimmed() + QLatin1Char('"');
    }
    return json + QStringLiteral("}]}");
}

QString maskSecrets(const QString &json) {
    // Service password, telephony password, SK Broadband password, Hometax password and the
    // homepage board password: the service receives them, log files never do.
    static const QRegularExpression secret(
        QStringLiteral("\"(passwd|pw|skb_pass|hometax_pwd|m_pwd|pass|upluspass)\":\"[^\"]*\""));
    QString out = json;
    out.replace(secret, QStringLiteral("\"\\1\":\"****\""));
    return out;
}

} // namespace tdx
