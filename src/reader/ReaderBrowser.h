#pragma once
// The reading pane's browser: its own off-the-record profile whose requests pass the request
// guard, the page with paging links and navigation rules, the scripting object, no context
// menu, and the keyboard focus when it is clicked.
#include <QElapsedTimer>
#include <QUrl>
#include <QWebEngineView>

class ReaderWebPage;
class RequestGuard;
class QWebEngineProfile;

class ReaderBrowser : public QWebEngineView {
    Q_OBJECT
public:
    explicit ReaderBrowser(QWidget* parent = nullptr);
    ~ReaderBrowser() override;

    ReaderWebPage* ReaderPage() const { return page_; }
    RequestGuard* Guard() const { return guard_; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool UserClickedLink(const QUrl& url) const;
    bool Contains(QObject* object) const;

    QWebEngineProfile* profile_;
    RequestGuard* guard_;
    ReaderWebPage* page_;
    QUrl hoveredLink_;
    QElapsedTimer lastLeftClick_;
};
