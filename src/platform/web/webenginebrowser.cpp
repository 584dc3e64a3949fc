#include "platform/web/webenginebrowser.h"

#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace tdx {

namespace {

// Service pages run without dialogs and without new windows.
class QuietPage final : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptAlert(const QUrl &, const QString &) override {}
    bool javaScriptConfirm(const QUrl &, const QString &) override { return false; }
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) override {
        return false;
    }
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
};

QString jsString(const QString &text) {
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        if (c.unicode() < 0x20) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            continue;
        }
        out += c;
    }
    return out + QLatin1Char('"');
}

} // namespace

WebEngineBrowser::WebEngineBrowser(QWidget *parent)
    : EmbeddedBrowser(parent), m_view(new QWebEngineView(parent)) {
    auto *page = new QuietPage(m_view);
    m_view->setPage(page);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    QWebEngineSettings *s = page->settings();
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    connect(page, &QWebEnginePage::titleChanged, this, &WebEngineBrowser::onTitleChanged);
    connect(page, &QWebEnginePage::loadFinished, this, &EmbeddedBrowser::loadFinished);
}

WebEngineBrowser::~WebEngineBrowser() = default;

QWidget *WebEngineBrowser::widget() {
    return m_view;
}

void WebEngineBrowser::navigate(const QUrl &url) {
    m_opened = url;
    m_view->setUrl(url);
}

void WebEngineBrowser::post(const QUrl &url, const Headers &headers, const QByteArray &body) {
    m_opened = url;
    QWebEngineHttpRequest request(url, QWebEngineHttpRequest::Post);
    for (const auto &h : headers)
        request.setHeader(h.first, h.second);
    request.setPostData(body);
    m_view->load(request);
}

QUrl WebEngineBrowser::url() const {
    return m_view->url();
}

QString WebEngineBrowser::title() const {
    return m_view->title();
}

bool WebEngineBrowser::onOpenedOrigin() const {
    const QUrl now = m_view->url();
    return now.scheme() == m_opened.scheme() && now.host() == m_opened.host() &&
           now.port() == m_opened.port();
}

void WebEngineBrowser::onTitleChanged(const QString &title) {
    // A page that navigated elsewhere no longer speaks for the service.
    if (!onOpenedOrigin())
        return;
    // Before a page sets a title the engine reports its address; that is no command.
    if (title == m_view->url().toString(QUrl::RemoveScheme).mid(2) ||
        title == m_view->url().toString())
        return;
    Q_EMIT titleChanged(title);
}

void WebEngineBrowser::runScript(const QString &script, std::function<void(const QString &)> done) {
    m_view->page()->runJavaScript(script, [done](const QVariant &v) {
        if (done)
            done(v.toString());
    });
}

void WebEngineBrowser::elementValue(const QString &name,
                                    std::function<void(const QString &)> done) {
    runScript(QStringLiteral("(function(){var e=document.getElementsByName(%1);"
                             "return e.length?String(e[0].value):'';})()")
                  .arg(jsString(name)),
              std::move(done));
}

void WebEngineBrowser::innerHtml(std::function<void(const QString &)> done) {
    runScript(QStringLiteral("document.documentElement.innerHTML"), std::move(done));
}

BrowserFactory WebEngineBrowser::factory() {
    return [](QWidget *parent) -> EmbeddedBrowser * { return new WebEngineBrowser(parent); };
}

} // namespace tdx
