#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>

namespace tdx {

// A service page shown inside a window. Pages talk back by setting their document title; the
// adapter reports a title only while the page is still on the host it was opened for.
class EmbeddedBrowser : public QObject {
    Q_OBJECT
public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;

    explicit EmbeddedBrowser(QObject *parent = nullptr) : QObject(parent) {}

    virtual QWidget *widget() = 0;
    virtual void navigate(const QUrl &url) = 0;
    virtual void post(const QUrl &url, const Headers &headers, const QByteArray &body) = 0;
    virtual QUrl url() const = 0;
    virtual QString title() const = 0;
    // Runs a script in the page; the callback, when given, receives its result as text.
    virtual void runScript(const QString &script,
                           std::function<void(const QString &)> done = nullptr) = 0;
    // The value of the first form element with that name, and the document's inner HTML.
    virtual void elementValue(const QString &name, std::function<void(const QString &)> done) = 0;
    virtual void innerHtml(std::function<void(const QString &)> done) = 0;

Q_SIGNALS:
    void titleChanged(const QString &title);
    void loadFinished(bool ok);
};

// Makes an EmbeddedBrowser for a parent widget; windows receive one so tests can hand them a
// fake without a web engine.
using BrowserFactory = std::function<EmbeddedBrowser *(QWidget *parent)>;

} // namespace tdx
