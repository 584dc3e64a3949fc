// Appending one page of 100 customers to the list when it is empty and when 19,900 are loaded,
// and the memory a loaded customer costs (phone directory and screen row).
#include "benchutil.h"
#include "customers/customermodel.h"
#include "customers/directory.h"
#include "service/responsetable.h"
#include "service/textutil.h"

#include <QCoreApplication>
#include <malloc.h>

static QByteArray page(int first) {
    const char *fields[] = {"m_num",     "m_com",      "m_tel",     "m_name_ceo", "m_hp_ceo",
                            "m_name",    "m_hp",       "add_name",  "add_tel",    "add_name_1",
                            "add_tel_1", "add_name_2", "add_tel_2", "u_name",     "m_bookmark"};
    QByteArray out = "{\"return\":[";
    for (int r = 0; r < 100; ++r) {
        out += r ? ",{" : "{";
        for (int f = 0; f < 15; ++f) {
            QString v;
            switch (f) {
            case 0:
                v = QString::number(first + r);
                break;
            case 1:
                v = QStringLiteral("(주)늘푸른엔지니어링 %1호점").arg(first + r);
                break;
            case 3:
            case 5:
            case 13:
                v = QStringLiteral("김도윤");
                break;
            case 7:
                v = QStringLiteral("세무담당");
                break;
            case 14:
                v = QStringLiteral(",1,");
                break;
            default:
                v = f % 2 == 0 ? QStringLiteral("010%1").arg(20000000 + first + r) : QString();
            }
            out += '"';
            out += fields[f];
            out += "\":\"" + tdx::text::formEncode(v.toUtf8()) + '"';
            if (f < 14)
                out += ',';
        }
        out += '}';
    }
    return out + "]}";
}

static std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const int pageCount = 210;
    std::vector<QByteArray> answers;
    for (int p = 0; p < pageCount; ++p)
        answers.push_back(page(p * 100 + 1));
    std::vector<tdx::ResponseTable> pages(pageCount);

    // One list grows page by page, as scrolling does. The first ten appends (onto 0 … 900
    // customers) are set against ten appends onto 19,900 … 20,800, median against median.
    std::vector<double> early, late;
    const std::size_t before = heapInUse();
    auto *dir = new tdx::PhoneDirectory;
    auto *model = new tdx::CustomerListModel;
    std::size_t perCustomer = 0;
    for (int p = 0; p < pageCount; ++p) {
        // Each page arrives as an answer in the primary table; the list keeps what it needs.
        tdx::flatten(answers[std::size_t(p)], pages[std::size_t(p)]);
        const double ms = bench::medianMs(1, [&] {
            dir->append(pages[std::size_t(p)]);
            model->appendPage(pages[std::size_t(p)]);
        });
        if (p < 10)
            early.push_back(ms);
        else if (p >= 199)
            late.push_back(ms);
        if (p == 199)
            perCustomer = (heapInUse() - before) / 20000;
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    bench::print("page_append_early_ms", median(early));
    bench::print("page_append_late_ms", median(late));
    bench::print("page_append_late_vs_early", median(late) / median(early));
    // What a loaded customer costs: its screen row, its directory row and its share of the
    // answer texts the two keep.
    bench::print("bytes_per_customer", double(perCustomer));
    delete model;
    delete dir;
    return 0;
}
