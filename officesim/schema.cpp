#include "officesim/schema.h"

#include "officesim/store.h"

namespace officesim {

void createSchema(Store &store) {
    static const char *ddl[] = {
        "CREATE TABLE IF NOT EXISTS offices (off_id TEXT PRIMARY KEY, name TEXT NOT NULL)",
        "CREATE TABLE IF NOT EXISTS accounts (u_id TEXT PRIMARY KEY, off_id TEXT NOT NULL,"
        " salt TEXT NOT NULL, pw_hash TEXT NOT NULL)",
        // Office phones that may sign in (each staff desk, plus lines nobody sits at).
        "CREATE TABLE IF NOT EXISTS lines (tel TEXT PRIMARY KEY, off_id TEXT NOT NULL)",
        "CREATE TABLE IF NOT EXISTS staff (u_num INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " u_name TEXT NOT NULL, u_position TEXT NOT NULL DEFAULT '', u_tel TEXT NOT NULL,"
        " u_hp TEXT NOT NULL DEFAULT '', skb_id TEXT NOT NULL DEFAULT '',"
        " skb_pass TEXT NOT NULL DEFAULT '', uplus_pw TEXT NOT NULL DEFAULT '')",
        "CREATE INDEX IF NOT EXISTS staff_tel ON staff(u_tel)",
        "CREATE TABLE IF NOT EXISTS customers (m_num INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " m_com TEXT NOT NULL, m_gubun TEXT NOT NULL DEFAULT '0', m_comNum TEXT NOT NULL DEFAULT "
        "'',"
        " m_corNum TEXT NOT NULL DEFAULT '', u_num INTEGER NOT NULL DEFAULT 0,"
        " m_addrZip TEXT NOT NULL DEFAULT '00000', m_addr TEXT NOT NULL DEFAULT '',"
        " m_tel TEXT NOT NULL DEFAULT '', add_tel TEXT NOT NULL DEFAULT '',"
        " add_name TEXT NOT NULL DEFAULT '', add_tel_1 TEXT NOT NULL DEFAULT '',"
        " add_name_1 TEXT NOT NULL DEFAULT '', add_tel_2 TEXT NOT NULL DEFAULT '',"
        " add_name_2 TEXT NOT NULL DEFAULT '', m_name TEXT NOT NULL DEFAULT '',"
        " m_hp TEXT NOT NULL DEFAULT '', m_name_ceo TEXT NOT NULL DEFAULT '',"
        " m_hp_ceo TEXT NOT NULL DEFAULT '', m_memo TEXT NOT NULL DEFAULT '',"
        " hometax_id TEXT NOT NULL DEFAULT '', hometax_pwd TEXT NOT NULL DEFAULT '',"
        " m_use TEXT NOT NULL DEFAULT '1', m_pwd TEXT NOT NULL DEFAULT '',"
        " m_bookmark TEXT NOT NULL DEFAULT '')",
        "CREATE INDEX IF NOT EXISTS customers_list ON customers(off_id, m_com, m_num)",
        // Every number of a customer, digits only, for the caller lookup.
        "CREATE TABLE IF NOT EXISTS customer_phones (m_num INTEGER NOT NULL, tel TEXT NOT NULL)",
        "CREATE INDEX IF NOT EXISTS customer_phones_tel ON customer_phones(tel)",
        "CREATE INDEX IF NOT EXISTS customer_phones_num ON customer_phones(m_num)",
        "CREATE TABLE IF NOT EXISTS groups (g_num INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " u_num INTEGER NOT NULL, g_name TEXT NOT NULL, m_nums TEXT NOT NULL DEFAULT ',')",
        "CREATE TABLE IF NOT EXISTS calls (c_num INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " u_num INTEGER NOT NULL, c_tel TEXT NOT NULL, c_flag TEXT NOT NULL,"
        " c_date TEXT NOT NULL, c_content TEXT NOT NULL DEFAULT '',"
        " c_recordFile TEXT NOT NULL DEFAULT '')",
        "CREATE INDEX IF NOT EXISTS calls_user ON calls(off_id, u_num, c_date)",
        "CREATE INDEX IF NOT EXISTS calls_tel ON calls(off_id, c_tel, c_date)",
        "CREATE TABLE IF NOT EXISTS recordings (seq INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " u_num INTEGER NOT NULL, u_tel TEXT NOT NULL, c_tel TEXT NOT NULL, c_flag TEXT NOT NULL,"
        " c_recordFile TEXT NOT NULL, c_date TEXT NOT NULL)",
        "CREATE TABLE IF NOT EXISTS history (seq INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " m_num INTEGER NOT NULL, u_num INTEGER NOT NULL, c_flag TEXT, c_manual TEXT,"
        " c_complete TEXT, c_content_gubun TEXT, c_content TEXT, c_name TEXT, created TEXT)",
        "CREATE TABLE IF NOT EXISTS sms_log (seq INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " kind TEXT NOT NULL, u_num INTEGER, c_name TEXT, numbers TEXT, c_content TEXT,"
        " c_history TEXT, created TEXT)",
        // busyCall, failSend, received_sms, update_recordFile as the service was told them.
        "CREATE TABLE IF NOT EXISTS reports (seq INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " kind TEXT NOT NULL, c_tel TEXT, u_num INTEGER, c_name TEXT, message TEXT,"
        " created TEXT)",
        "CREATE TABLE IF NOT EXISTS kakao_batches (seq INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " user_id TEXT NOT NULL, s_kind TEXT NOT NULL, s_type TEXT NOT NULL, s_limit TEXT,"
        " s_cnt TEXT, sent INTEGER NOT NULL DEFAULT 0, created TEXT)",
        "CREATE TABLE IF NOT EXISTS kakao_rows (id INTEGER PRIMARY KEY, seq INTEGER NOT NULL,"
        " ord INTEGER NOT NULL, m_comNum TEXT, m_com TEXT, m_gubun TEXT, m_hp TEXT, price TEXT,"
        " bank1 TEXT, bank2 TEXT, bank3 TEXT, bank4 TEXT, bank5 TEXT, up1 TEXT, up2 TEXT)",
        "CREATE INDEX IF NOT EXISTS kakao_rows_seq ON kakao_rows(seq, ord)",
        "CREATE TABLE IF NOT EXISTS kakao_sends (seq INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " user_id TEXT, s_kind TEXT, s_type TEXT, history TEXT, template TEXT, u_num TEXT,"
        " u_name TEXT, mycompany TEXT, period TEXT, messages INTEGER, created TEXT)",
        "CREATE TABLE IF NOT EXISTS notifications (seq INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " u_num INTEGER NOT NULL, kind TEXT NOT NULL, name TEXT NOT NULL, created TEXT NOT NULL,"
        " is_read INTEGER NOT NULL DEFAULT 0, task INTEGER)",
        // Work handed over by a colleague (the "trans_s"/"trans_e" notifications).
        "CREATE TABLE IF NOT EXISTS tasks (seq INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " from_u_num INTEGER NOT NULL, c_date TEXT NOT NULL, c_tel TEXT NOT NULL,"
        " c_content TEXT NOT NULL DEFAULT '')",
        "CREATE TABLE IF NOT EXISTS calendar (id INTEGER PRIMARY KEY, off_id TEXT NOT NULL,"
        " u_num INTEGER NOT NULL, s_date TEXT NOT NULL, s_date_t TEXT NOT NULL,"
        " alrim TEXT NOT NULL, kakao_code TEXT NOT NULL DEFAULT '')",
        // SK Broadband users the line knows (registered through the IMS library).
        "CREATE TABLE IF NOT EXISTS ims_users (id TEXT PRIMARY KEY, password TEXT NOT NULL,"
        " phone TEXT NOT NULL)",
        "CREATE TABLE IF NOT EXISTS exceptions (seq INTEGER PRIMARY KEY, off_id TEXT,"
        " telno TEXT, formname TEXT, state TEXT, param TEXT, fcname TEXT, raw_query TEXT,"
        " created TEXT)",
    };
    for (const char *sql : ddl)
        store.exec(QString::fromLatin1(sql));
}

} // namespace officesim
