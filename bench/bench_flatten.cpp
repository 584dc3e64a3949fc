// Flattening a 20,000-row "customer" answer against parsing the same bytes alone.
#include "benchutil.h"
#include "service/responsetable.h"
#include "service/textutil.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <rapidjson/document.h>
#include <vector>

static QByteArray customerAnswer(int rows) {
    const char *fields[] = {"m_num",     "m_com",      "m_tel",     "m_name_ceo", "m_hp_ceo",
                            "m_name",    "m_hp",       "add_name",  "add_tel",    "add_name_1",
                            "add_tel_1", "add_name_2", "add_tel_2", "u_name",     "m_bookmark"};
    const QString names[] = {QStringLiteral("(주)한빛상사"), QStringLiteral("김도윤"),
                             QStringLiteral("세무담당"), QStringLiteral("이서연"),
                             QStringLiteral("늘푸른 식품 2호점")};
    QByteArray out = "{\"return\":[";
    for (int r = 0; r < rows; ++r) {
        out += r ? ",{" : "{";
        for (int f = 0; f < 15; ++f) {
            QString value;
            if (f == 0)
                value = QString::number(r + 1);
            else if (f == 2 || f == 4 || f == 6 || f == 8 || f == 10 || f == 12)
                value = QStringLiteral("010%1").arg(10000000 + r * 7 + f);
            else if (f == 14)
                value = QStringLiteral(",1,3,");
            else
                value = names[(r + f) % 5];
            out += '"';
            out += fields[f];
            out += "\":\"";
            out += tdx::text::formEncode(value.toUtf8());
            out += '"';
            if (f < 14)
                out += ',';
        }
        out += '}';
    }
    out += "]}";
    return out;
}

int main() {
    const QByteArray answer = customerAnswer(20000);
    if (qEnvironmentVariableIsSet("TDX_DUMP")) {
        QFile out(qEnvironmentVariable("TDX_DUMP"));
        out.open(QIODevice::WriteOnly);
        out.write(answer);
    }
    std::printf("answer: %lld bytes\n", static_cast<long long>(answer.size()));
    tdx::ResponseTable table;
    // The channel hands its own buffer over; the copies are made before the clock runs.
    std::vector<QByteArray> buffers(9, answer);
    for (QByteArray &b : buffers)
        b.detach();
    std::size_t next = 0;
    const double flatten =
        bench::medianMs(9, [&] { tdx::flatten(std::move(buffers[next++]), table); });
    if (table.rowCount() != 20000 || table.value(19999, 1).isEmpty())
        return 1;
    const double parse = bench::medianMs(9, [&] {
        rapidjson::Document doc;
        doc.Parse(answer.constData(), size_t(answer.size()));
        if (doc.HasParseError())
            std::abort();
    });
    bench::print("flatten_20k_ms", flatten);
    bench::print("parse_20k_ms", parse);
    bench::print("flatten_vs_parse", flatten / parse);
    return 0;
}
