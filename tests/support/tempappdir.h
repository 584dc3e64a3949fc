#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tdx::test {

// A throw-away application directory with the sub-folders an installation has.
class TempAppDir {
public:
    explicit TempAppDir(bool withFolders = true, bool withAssets = false);
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const;
    QByteArray read(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

} // namespace tdx::test
