#pragma once

#include "platform/filechooser.h"

#include <QList>

namespace tdx::test {

// Answers the choosers with what the test set, and remembers what was asked.
class FakeFileChooser final : public FileChooser {
public:
    QString folder;
    QStringList files;
    QStringList captions;

    QString chooseFolder(const QString &caption, const QString &) override {
        captions << caption;
        return folder;
    }
    QStringList chooseFiles(const QString &caption, const QString &, const QString &,
                            bool) override {
        captions << caption;
        return files;
    }
};

} // namespace tdx::test
