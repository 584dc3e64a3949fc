#include "shell/core/settings.h"

#include "service/scrambler.h"

#include <QFile>
#include <QSaveFile>

namespace tdx {

namespace {

// The lines of an INI file and where a section's "String" key stands.
struct IniText {
    QStringList lines;
    int sectionLine = -1;
    int keyLine = -1;
    int sectionEnd = -1; // first line after the section
};

IniText locate(const QString &path, const QString &section) {
    IniText ini;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        ini.lines = QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'));
    for (QString &l : ini.lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    while (!ini.lines.isEmpty() && ini.lines.last().isEmpty())
        ini.lines.removeLast();
    for (int i = 0; i < ini.lines.size(); ++i) {
        const QString t = ini.lines[i].trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            if (ini.sectionLine >= 0 && ini.sectionEnd < 0)
                ini.sectionEnd = i;
            if (ini.sectionLine < 0 &&
                t.mid(1, t.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0)
                ini.sectionLine = i;
            continue;
        }
        if (ini.sectionLine >= 0 && ini.sectionEnd < 0 && ini.keyLine < 0) {
            const qsizetype eq = t.indexOf(QLatin1Char('='));
            if (eq > 0 &&
                t.left(eq).trimmed().compare(QLatin1String("String"), Qt::CaseInsensitive) == 0)
                ini.keyLine = i;
        }
    }
    if (ini.sectionLine >= 0 && ini.sectionEnd < 0)
        ini.sectionEnd = int(ini.lines.size());
    return ini;
}

} // namespace

QString Settings::raw(const QString &name) const {
    const IniText ini = locate(m_path, name);
    if (ini.keyLine < 0)
        return {};
    const QString line = ini.lines[ini.keyLine];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

QString Settings::read(const QString &name) const {
    return scrambler::unscramble(raw(name));
}

bool Settings::write(const QString &name, const QString &value) {
    const QString stored = QStringLiteral("String=") + scrambler::scramble(value).trimmed();
    IniText ini = locate(m_path, name);
    if (ini.keyLine >= 0) {
        ini.lines[ini.keyLine] = stored;
    } else if (ini.sectionLine >= 0) {
        ini.lines.insert(ini.sectionLine + 1, stored);
    } else {
        ini.lines << QLatin1Char('[') + name + QLatin1Char(']') << stored;
    }
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(ini.lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    return f.commit();
}

Hosts Settings::hosts(const QString &appDir) const {
    Hosts h = Hosts::demo(appDir);
    auto url = [this](const char *name, QUrl &target) {
        const QString v = read(QString::fromLatin1(name)).trimmed();
        if (!v.isEmpty())
            target = QUrl(v);
    };
    url("service_http", h.serviceHttp);
    url("service_https", h.serviceHttps);
    url("centrex_host", h.centrex);
    url("address_host", h.address);
    const QString line = read(QStringLiteral("line_host")).trimmed();
    if (!line.isEmpty())
        h.lineAddress = line;
    const QString ca = read(QStringLiteral("ca_file")).trimmed();
    if (!ca.isEmpty())
        h.caFile = ca;
    return h;
}

} // namespace tdx
