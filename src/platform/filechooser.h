#pragma once

#include <QString>
#include <QStringList>

namespace tdx {

// The system's folder and file choosers. Empty results mean the user chose nothing.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString chooseFolder(const QString &caption, const QString &start) = 0;
    virtual QStringList chooseFiles(const QString &caption, const QString &start,
                                    const QString &filter, bool many) = 0;
};

} // namespace tdx
