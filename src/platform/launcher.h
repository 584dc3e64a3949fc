#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace tdx {

// Everything the client hands to another program: the browser (Internet Explorer on the office
// PCs), a file or folder with its default program, a text file for reading (Notepad there) and
// the installation's sibling programs.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Only http and https addresses are handed to the browser; anything else is refused.
    virtual bool openUrl(const QUrl &url) = 0;
    virtual bool openPath(const QString &path) = 0;
    virtual bool openTextFile(const QString &path) = 0;
    // A program at a fixed path, data passed as separate arguments, never through a shell.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;

    static bool isWebUrl(const QUrl &url);
};

class DesktopLauncher final : public Launcher {
public:
    bool openUrl(const QUrl &url) override;
    bool openPath(const QString &path) override;
    bool openTextFile(const QString &path) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
};

} // namespace tdx
