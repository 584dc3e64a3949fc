#pragma once

#include "platform/gui/embeddedbrowser.h"

class QWebEngineView;

namespace tdx {

class WebEngineBrowser final : public EmbeddedBrowser {
    Q_OBJECT
public:
    explicit WebEngineBrowser(QWidget *parent);
    ~WebEngineBrowser() override;

    QWidget *widget() override;
    void navigate(const QUrl &url) override;
    void post(const QUrl &url, const Headers &headers, const QByteArray &body) override;
    QUrl url() const override;
    QString title() const override;
    void runScript(const QString &script, std::function<void(const QString &)> done) override;
    void elementValue(const QString &name, std::function<void(const QString &)> done) override;
    void innerHtml(std::function<void(const QString &)> done) override;

    static BrowserFactory factory();

private:
    void onTitleChanged(const QString &title);
    bool onOpenedOrigin() const;

    QWebEngineView *m_view;
    QUrl m_opened;
};

} // namespace tdx
