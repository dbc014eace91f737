#pragma once
// The reading pane's page: turns links to "Prior.htm" and "Next.htm" into paging, keeps
// navigations within the browsing policy and opens no windows.
#include <QElapsedTimer>
#include <QWebEnginePage>

#include <functional>

#include "reader/BrowsingPolicy.h"

class ReaderWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    ReaderWebPage(QWebEngineProfile* profile, std::function<BrowsingPolicy()> policy,
                  QObject* parent = nullptr);

    // Tells whether a navigation to `url` is the user's click on a link to it.
    std::function<bool(const QUrl& url)> isUserLinkClick;

signals:
    // A page link to "Prior.htm" / "Next.htm" was followed (reported after the navigation
    // was cancelled, outside the browser's callback).
    void PriorLinkFollowed();
    void NextLinkFollowed();

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    std::function<BrowsingPolicy()> policy_;
    // Redirects are let through for a short while after the user followed a link.
    QElapsedTimer userNavigation_;
};
