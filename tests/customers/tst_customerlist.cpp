#include "customers/customerstab.h"
#include "customers/popupplacement.h"
#include "officesim/demodata.h"
#include "officesim/records.h"
#include "service/responsetable.h"
#include "shell/mainfrm.h"
#include "shell/widgets/placeholderedit.h"
#include "support/client/clientrig.h"
#include "support/strings.h"
#include "support/widgets.h"

#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

using namespace tdx;
using namespace tdx::test;
using P = FakePrompter;
using Part = CustomerDelegate::Part;

namespace {

officesim::Options office(int customers) {
    officesim::Options o;
    o.customers = customers;
    return o;
}

struct LoggedIn {
    explicit LoggedIn(ClientRig &rig, const char *phone = officesim::Demo::kPhone) : w(rig.ctx) {
        w.FormCreate();
        w.show();
        enter(child<PlaceholderEdit>(w, "phoneEdit"), QString::fromLatin1(phone));
        enter(child<PlaceholderEdit>(w, "idEdit"), QStringLiteral("demo"));
        enter(child<PlaceholderEdit>(w, "passwordEdit"), QStringLiteral("demo1234"));
        QTest::mouseClick(child<QPushButton>(w, "loginButton"), Qt::LeftButton);
    }
    CustomersTab &tab() { return *w.customersTab(); }
    TmainFrm w;
};

QStringList offsetsSent(ClientRig &rig) {
    QStringList out;
    for (const auto &e : rig.sim.journal().withKind(QStringLiteral("customer")))
        out << e.field(QStringLiteral("offSet"));
    return out;
}

void scrollToBottom(CustomersTab &tab) {
    QCoreApplication::processEvents(); // the list lays out new rows on its next turn
    QScrollBar *bar = tab.view()->verticalScrollBar();
    bar->setValue(bar->maximum());
}

qint64 addCustomer(ClientRig &rig, const QString &com, officesim::Record r) {
    r[QStringLiteral("m_com")] = com;
    r[QStringLiteral("m_tel")] = r.value(QStringLiteral("m_tel"), QStringLiteral("0212345000"));
    return officesim::insertCustomer(rig.sim.server().store(),
                                     QString::fromLatin1(officesim::Demo::kOffice), r);
}

} // namespace

class TestCustomerList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pagingWalksTheWholeList() {
        ClientRig rig(office(250));
        LoggedIn s(rig);
        QVERIFY(rig.session.loggedIn);
        QCOMPARE(s.tab().model().customerCount(), 100);
        QVERIFY(child<QSlider>(s.w, "customerSlider")->isVisible());
        scrollToBottom(s.tab());
        QCOMPARE(s.tab().model().customerCount(), 200);
        scrollToBottom(s.tab());
        QCOMPARE(s.tab().model().customerCount(), 250);
        scrollToBottom(s.tab()); // asks for offset 300, which is empty
        scrollToBottom(s.tab());
        s.tab().view()->verticalScrollBar()->setValue(0);
        scrollToBottom(s.tab());
        QCOMPARE(offsetsSent(rig), strs({"0", "100", "200", "300"}));
        QCOMPARE(s.tab().model().customerCount(), 250);
        QCOMPARE(rig.ctx.service.table1().first(), QStringLiteral("null"));
        // Pictures cycle through six within each page; every row keeps its number as hint.
        QCOMPARE(s.tab().model().entry(0).picture, quint8(1));
        QCOMPARE(s.tab().model().entry(6).picture, quint8(1));
        QCOMPARE(s.tab().model().entry(105).picture, quint8(6));
        QCOMPARE(s.tab().model().data(s.tab().model().index(3), Qt::ToolTipRole).toString(),
                 s.w.customerList().directory().cell(3, 0));
        QCOMPARE(s.w.customerList().directory().size(), std::size_t(250));
    }

    void aHundredCustomersNeverAskForASecondPage() {
        ClientRig rig(office(100));
        LoggedIn s(rig);
        QCOMPARE(s.tab().model().customerCount(), 100);
        scrollToBottom(s.tab());
        scrollToBottom(s.tab());
        QCOMPARE(offsetsSent(rig), strs({"0"}));
    }

    void aFailedPageKeepsTheRowsShown() {
        ClientRig rig(office(250));
        LoggedIn s(rig);
        rig.sim.server().route(QStringLiteral("/Tandrivox/get_data.php"),
                               [](const officesim::Request &) {
                                   return officesim::Response::text("down for maintenance", 503);
                               });
        scrollToBottom(s.tab());
        QCOMPARE(s.tab().model().customerCount(), 100);
        QVERIFY(!s.w.loadingVisible());
    }

    void searchFiltersAndCounters() {
        ClientRig rig(office(250));
        LoggedIn s(rig);
        auto *search = child<PlaceholderEdit>(s.w, "searchEdit");
        // A word equal to the placeholder is sent empty.
        search->setText(QString::fromUtf16(CustomersTab::kSearchPlaceholder));
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(rig.sim.journal()
                     .withKind(QStringLiteral("customer"))
                     .last()
                     .field(QStringLiteral("searchWord")),
                 QString());
        enter(search, QStringLiteral("약국"));
        QTest::keyClick(search, Qt::Key_Return);
        const auto last = rig.sim.journal().withKind(QStringLiteral("customer")).last();
        QCOMPARE(last.field(QStringLiteral("searchWord")), QStringLiteral("약국"));
        QCOMPARE(last.field(QStringLiteral("offSet")), QStringLiteral("0"));
        for (int i = 0; i < s.tab().model().rowCount(); ++i)
            QVERIFY(s.tab().model().entry(i).company.contains(QStringLiteral("약국")));

        // "내거래처": the word is dropped, the user's number is sent, the button is highlighted.
        const qint64 before = rig.sim.journal().lastSeq();
        QTest::mouseClick(child<QPushButton>(s.w, "filterMine"), Qt::LeftButton);
        QCOMPARE(rig.session.listMode, 1);
        const auto mine = rig.sim.journal().withKind(QStringLiteral("customer")).last();
        QCOMPARE(mine.fieldNames(),
                 strs({"pKind", "offSet", "searchWord", "u_num", "off_id", "telNo", "cercode"}));
        QCOMPARE(mine.field(QStringLiteral("u_num")), QStringLiteral("1"));
        QCOMPARE(mine.field(QStringLiteral("searchWord")), QString());
        QVERIFY(search->showsPlaceholder());
        QVERIFY(child<QPushButton>(s.w, "filterMine")->property("current").toBool());
        QVERIFY(!child<QPushButton>(s.w, "filterAll")->property("current").toBool());
        QTest::mouseClick(child<QPushButton>(s.w, "filterMine"),
                          Qt::LeftButton); // same mode: nothing
        QCOMPARE(rig.kindsSince(before).size(), 1);

        QTest::mouseClick(child<QPushButton>(s.w, "filterBookmark"), Qt::LeftButton);
        QCOMPARE(rig.sim.journal()
                     .withKind(QStringLiteral("customer"))
                     .last()
                     .field(QStringLiteral("m_bookmark")),
                 QStringLiteral(",1,"));
        for (int i = 0; i < s.tab().model().rowCount(); ++i)
            QVERIFY(s.w.customerList().directory().get_bookmark(QStringLiteral(",1,"),
                                                                s.tab().model().entry(i).number));

        // Showing a group sends its members and puts the header row first.
        s.tab().showGroup(
            Group{QStringLiteral("VIP"), QStringLiteral(",3,8,11,"), QStringLiteral("1")});
        const auto group = rig.sim.journal().withKind(QStringLiteral("customer")).last();
        QCOMPARE(group.field(QStringLiteral("m_nums")), QStringLiteral("3,8,11"));
        QCOMPARE(group.field(QStringLiteral("group")), QStringLiteral("group"));
        QVERIFY(s.tab().model().entry(0).header);
        QCOMPARE(s.tab().model().customerCount(), 3);
        QCOMPARE(child<QPushButton>(s.w, "filterGroup")->text(), QStringLiteral("VIP(3)"));
        QSignalSpy groupSms(&s.tab(), &CustomersTab::groupSmsRequested);
        QTest::mouseClick(s.tab().view()->viewport(), Qt::LeftButton, {},
                          s.tab().partRect(0, Part::GroupSms).center());
        QCOMPARE(groupSms.size(), 1);
        // A group page that comes back short ends the paging.
        scrollToBottom(s.tab());
        QCOMPARE(rig.sim.journal()
                     .withKind(QStringLiteral("customer"))
                     .last()
                     .field(QStringLiteral("offSet")),
                 QStringLiteral("0"));

        const qint64 refresh = rig.sim.journal().lastSeq();
        QTest::mouseClick(child<QPushButton>(s.w, "refreshButton"), Qt::LeftButton);
        QCOMPARE(rig.kindsSince(refresh), strs({"myname", "select_group", "customer"}));
    }

    void userWithoutGroups() {
        ClientRig rig(office(30));
        LoggedIn s(rig, "0212345679");
        QVERIFY(rig.session.loggedIn);
        QCOMPARE(child<QPushButton>(s.w, "filterGroup")->text(), QStringLiteral("그룹(0)"));
        QVERIFY(s.w.customerList().groups().empty());
        QCOMPARE(child<QPushButton>(s.w, "filterAll")->text(), QStringLiteral("전체(30)"));
    }

    void rowButtons() {
        ClientRig rig(office(0));
        officesim::Record none, one, two, landline;
        one[QStringLiteral("m_hp")] = QStringLiteral("010-1111-2222");
        two[QStringLiteral("m_name_ceo")] = QStringLiteral("대표");
        two[QStringLiteral("m_hp_ceo")] = QStringLiteral("01033334444");
        two[QStringLiteral("add_tel_2")] = QStringLiteral("0115556666");
        landline[QStringLiteral("m_hp")] = QStringLiteral("0312345678");
        landline[QStringLiteral("add_tel")] = QStringLiteral("0101234567"); // ten digits: no mobile
        const QString longName = QStringLiteral("가").repeated(300);
        const qint64 nNone = addCustomer(rig, QStringLiteral("A 번호없음"), none);
        addCustomer(rig, QStringLiteral("B 하나"), one);
        addCustomer(rig, QStringLiteral("C 둘"), two);
        addCustomer(rig, QStringLiteral("D 유선"), landline);
        addCustomer(rig, longName, none);
        LoggedIn s(rig);
        QVERIFY(rig.session.loggedIn);
        QCOMPARE(s.tab().model().customerCount(), 5);
        QCOMPARE(s.tab().model().entry(0).employee, QStringLiteral("미배정"));
        QCOMPARE(s.tab().model().entry(4).company, longName);
        s.tab().view()->viewport()->repaint(); // a 300-character name is painted cut short

        QSignalSpy quick(&s.tab(), &CustomersTab::quickSmsRequested);
        QSignalSpy picker(&s.tab(), &CustomersTab::recipientPickerRequested);
        auto clickSms = [&](int row) {
            QTest::mouseClick(s.tab().view()->viewport(), Qt::LeftButton, {},
                              s.tab().partRect(row, Part::Sms).center());
        };
        clickSms(0);
        QCOMPARE(rig.prompter.prompts(),
                 QList<P::Prompt>{P::msg(QStringLiteral("등록된 휴대번호가 없습니다."),
                                         QStringLiteral("알림"), Prompter::Icon::Error)});
        clickSms(3);
        QCOMPARE(rig.prompter.prompts().size(), 2);
        clickSms(1);
        QCOMPARE(quick.size(), 1);
        QCOMPARE(quick[0][0].toString(), QStringLiteral("010-1111-2222"));
        clickSms(2);
        QCOMPARE(picker.size(), 1);
        QCOMPARE(picker[0][0].toString(), QStringLiteral("대표,01033334444,추가번호3,0115556666"));
        QCOMPARE(rig.prompter.prompts().size(), 2);

        QSignalSpy card(&s.tab(), &CustomersTab::customerCardRequested);
        QSignalSpy menu(&s.tab(), &CustomersTab::contextMenuRequested);
        QSignalSpy call(&s.tab(), &CustomersTab::callRequested);
        QTest::mouseClick(s.tab().view()->viewport(), Qt::LeftButton, {},
                          s.tab().partRect(0, Part::Company).center());
        QTest::mousePress(s.tab().view()->viewport(), Qt::RightButton, {},
                          s.tab().partRect(0, Part::Company).center());
        QTest::mouseClick(s.tab().view()->viewport(), Qt::LeftButton, {},
                          s.tab().partRect(0, Part::Call).center());
        QCOMPARE(card.size(), 1);
        QCOMPARE(card[0][0].toString(), QString::number(nNone));
        QCOMPARE(menu.size(), 1);
        QCOMPARE(menu[0][1].toString(), QStringLiteral("A 번호없음"));
        QCOMPARE(call.size(), 1);
        QCOMPARE(call[0][0].toString(), QString::number(nNone));
    }

    void menuPanel() {
        ClientRig rig(office(5));
        LoggedIn s(rig);
        auto *panel = child<QWidget>(s.w, "menuPanel");
        QTest::mouseClick(child<QPushButton>(s.w, "menuButton"), Qt::LeftButton);
        QVERIFY(panel->isVisible());
        QSignalSpy all(&s.tab(), &CustomersTab::smsAllRequested);
        QTest::mouseClick(child<QPushButton>(s.w, "menuItem1"), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(all.size(), 1);
        QTest::mouseClick(child<QPushButton>(s.w, "menuButton"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(s.w, "menuItem4"), Qt::LeftButton);
        QVERIFY(rig.launcher.calls().last().target.endsWith(
            QStringLiteral("&return_url=/hp_admin/main.php?class=customer@tab=member")));
        QTest::mouseClick(child<QPushButton>(s.w, "menuButton"), Qt::LeftButton);
        QTest::mouseClick(s.tab().view()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!panel->isVisible());
        QCOMPARE(child<QPushButton>(s.w, "excelImportButton")->toolTip(),
                 QStringLiteral("거래처 엑셀등록"));
        QCOMPARE(child<QPushButton>(s.w, "refreshButton")->toolTip(),
                 QStringLiteral("거래처 새로고침"));
    }

    void wholeDirectoryAndCallerLookup() {
        ClientRig rig(office(120));
        LoggedIn s(rig);
        CustomerList &list = s.w.customerList();
        list.get_customer_data_total(false);
        auto sent = rig.sim.journal().withKind(QStringLiteral("customer")).last();
        QCOMPARE(sent.fieldNames(), strs({"pKind", "total_mod", "off_id", "telNo", "cercode"}));
        QCOMPARE(list.directory().size(), std::size_t(120));
        // The answer stays in the primary table for the callers to read.
        QCOMPARE(rig.service.table1().rowCount(), 120);
        list.get_customer_data_total(true);
        sent = rig.sim.journal().withKind(QStringLiteral("customer")).last();
        QCOMPARE(sent.field(QStringLiteral("u_num")), QStringLiteral("1"));
        QVERIFY(list.directory().size() < 120);
        for (std::size_t i = 0; i < list.directory().size(); ++i)
            QCOMPARE(list.directory().cell(i, 13), QStringLiteral("김도윤"));
        // The screen rows are not touched by a whole-directory load.
        QCOMPARE(s.tab().model().customerCount(), 100);

        const QString tel = list.directory().cell(0, 2);
        list.lookupCaller(QStringLiteral("0212345678"));
        QCOMPARE(rig.sim.journal()
                     .withKind(QStringLiteral("customer_tel"))
                     .last()
                     .field(QStringLiteral("tel")),
                 QStringLiteral("0212345678"));
        QCOMPARE(rig.service.table1().first(), QStringLiteral("null"));
        list.lookupCaller(tel);
        QCOMPARE(rig.service.table1().value(0, QStringLiteral("m_com")),
                 list.directory().cell(0, 14));
    }

    void directoryLookups() {
        ResponseTable t;
        flatten(
            "{\"return\":[{\"m_num\":\"7\",\"m_com\":\"A\",\"m_tel\":\"0212345678\",\"m_name_ceo\":"
            "\"\","
            "\"m_hp_ceo\":\"010-1234-5678\",\"m_name\":\"%ea%b9%80\",\"m_hp\":\"0190000111\","
            "\"add_name\":\"\",\"add_tel\":\"\",\"add_name_1\":\"\",\"add_tel_1\":\"0101234567\","
            "\"add_name_2\":\"\",\"add_tel_2\":\"0112222333\",\"u_name\":\"\",\"m_bookmark\":\",12,"
            "57,\"}]}",
            t);
        PhoneDirectory d;
        d.append(t);
        QCOMPARE(d.cell(0, 1), QStringLiteral("사업장"));
        QCOMPARE(d.cell(0, 3), QStringLiteral("대표자"));
        QCOMPARE(d.cell(0, 5), QStringLiteral("김"));
        QCOMPARE(d.cell(0, 7), QStringLiteral("추가번호"));
        QCOMPARE(d.cell(0, 9), QStringLiteral("추가번호2"));
        QCOMPARE(d.cell(0, 11), QStringLiteral("추가번호3"));
        QCOMPARE(d.cell(0, 14), QStringLiteral("A"));
        d.setCell(0, 15, QStringLiteral(",5,"));
        QVERIFY(d.get_bookmark(QStringLiteral(",5,"), QStringLiteral("7")));
        d.setCell(0, 15, QStringLiteral(",12,57,"));
        QCOMPARE(d.get_mobile(QStringLiteral("7")),
                 QStringLiteral("대표자,010-1234-5678,김,0190000111,추가번호3,0112222333"));
        QCOMPARE(d.get_mobile(QStringLiteral("8")), QString());
        QVERIFY(d.get_bookmark(QStringLiteral(",57,"), QStringLiteral("7")));
        QVERIFY(d.get_bookmark(QStringLiteral(",12,"), QStringLiteral("7")));
        QVERIFY(!d.get_bookmark(QStringLiteral(",5,"), QStringLiteral("7")));
    }

    void popupPlacement_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QPoint>("expected");
        // screen 1280 × 1024, pop-up 200 × 300, anchor 32 wide, "그룹" button 60, strip 58, list 90
        QTest::newRow("dialling, fits") << 0 << 400 << 300 << QPoint(400 + 32 + 58 - 10, 300 + 90);
        QTest::newRow("picker, fits") << 1 << 400 << 300 << QPoint(400 + 32 + 48, 390);
        QTest::newRow("menu, fits") << 2 << 400 << 300 << QPoint(400 + 50 + 48, 390);
        QTest::newRow("group, fits") << 3 << 400 << 300 << QPoint(400 + 60 + 48, 390);
        QTest::newRow("no room right") << 0 << 1100 << 300 << QPoint(1100 - 200 + 48, 390);
        QTest::newRow("just fits") << 2 << 1080 << 300 << QPoint(1080 + 50 + 48, 390);
        QTest::newRow("no room below") << 1 << 400 << 800 << QPoint(480, 800 - 300 + 90);
    }
    void popupPlacement() {
        QFETCH(int, kind);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QPoint, expected);
        const QPoint p = placePopup(static_cast<PopupKind>(kind), PopupAnchor{x, y, 32, 60},
                                    QSize(200, 300), PopupFrame{QSize(1280, 1024), 58, 90});
        QCOMPARE(p, expected);
    }
};

QTEST_MAIN(TestCustomerList)
#include "tst_customerlist.moc"
