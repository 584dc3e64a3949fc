#pragma once

#include "customers/directory.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tdx {

struct AppContext;

// The user's groups, in the order "select_group" gave them.
struct Group {
    QString name;
    QString members; // "m_nums": numbers between commas, a comma at both ends
    QString number;  // "g_num"
};

// The customer list of the customers tab without its widgets: the user record, the list mode,
// word and offset, paging, the phone directory and the group list.
class CustomerList {
public:
    static constexpr int kPageSize = 100;
    enum class NameResult { Ok, NoEmployee, CertificateDenied };

    explicit CustomerList(AppContext &ctx);

    // "myname": the user record, the counters and the group list.
    NameResult get_name();
    // "select_group" into the group list (empty on "null" or failure).
    void get_group_data();
    // One page for the current mode, word and offset into the phone directory; false when it
    // loaded nothing.
    bool relocate_customer_data();
    // The whole directory in one request (only the user's customers when mine is set); the
    // answer stays in the primary table.
    void get_customer_data_total(bool mine);
    // "customer_tel" for a number; the answer stays in the primary table.
    void lookupCaller(const QString &number);

    // List state.
    void startNewList(); // offset 0, not appending
    // Whether scrolling to the bottom fetches another page.
    bool wantsNextPage() const;
    // Sets the appending flag, moves the offset one page on and fetches; returns what loaded.
    bool fetchNextPage();
    int offset() const { return m_offset; }
    // The search word as the field gives it (the placeholder counts as no word).
    void setSearchText(const QString &fieldText, const QString &placeholder);
    QString searchWord() const { return m_word; }
    void selectGroup(const Group &group);
    const Group &selectedGroup() const { return m_group; }
    void reset(); // logout: mode 0, offset 0, no word, no group

    // Captions of the filter buttons with their counters.
    QString caption(int mode) const;
    QString groupCaption() const;

    PhoneDirectory &directory() { return m_directory; }
    const PhoneDirectory &directory() const { return m_directory; }
    const std::vector<Group> &groups() const { return m_groups; }

private:
    AppContext &m_ctx;
    PhoneDirectory m_directory;
    std::vector<Group> m_groups;
    Group m_group; // selected group (list mode 3)
    QString m_word;
    int m_offset = 0;
    bool m_appending = false;
    bool m_groupExhausted = false; // a group page came back short: no more pages
};

} // namespace tdx
