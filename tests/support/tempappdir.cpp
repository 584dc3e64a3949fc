#include "support/tempappdir.h"

#include "platform/apppaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace tdx::test {

static void copyTree(const QString &from, const QString &to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = QDir(to).filePath(QDir(from).relativeFilePath(src));
        QDir().mkpath(QFileInfo(dst).path());
        QFile::copy(src, dst);
    }
}

TempAppDir::TempAppDir(bool withFolders, bool withAssets) {
    if (withFolders)
        for (const char *sub : {"log", "txt", "tmp", "img", "record"})
            QDir(m_dir.path()).mkpath(QString::fromLatin1(sub));
    if (withAssets)
        copyTree(QStringLiteral(TDX_ASSET_DIR), m_dir.path());
    QDir(m_dir.path()).mkpath(QStringLiteral("certs"));
    QFile::copy(QStringLiteral(TDX_CERT_DIR "/ca.pem"), file(QStringLiteral("certs/ca.pem")));
}

QString TempAppDir::file(const QString &relative) const {
    return AppPaths::file(m_dir.path(), relative);
}

QByteArray TempAppDir::read(const QString &relative) const {
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TempAppDir::write(const QString &relative, const QByteArray &bytes) const {
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace tdx::test
