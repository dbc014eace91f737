#pragma once
// The right-hand side of the main window: the chapter grid above a splitter and the reading
// pane with its own toolbar.
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class ChapterMenu;
class DbDataSet;
class QTableView;
class QUrl;
class ReadingToolbar;
class QWebEngineView;
class ReaderHost;
class QSplitter;

class TReaderView : public QWidget {
    Q_OBJECT
public:
    // `chapters` is the main window's chapter data set (ADODataSet1); the view shows it.
    TReaderView(ReaderHost& host, DbDataSet& chapters, QWidget* parent = nullptr);
    ~TReaderView() override;

    QTableView* Grid() const;
    QWebEngineView* Browser() const;
    // The splitter between grid and reading pane (its handle is 2 px high).
    QSplitter* Splitter() const;

    // Closes the chapter data set and opens it with the chapters of the book; a failure leaves
    // it closed and the grid empty. An empty key just closes it.
    void ShowBookChapters(const std::string& bookKey);

    // Shows a local file (native path) or an address in the reading pane.
    void NavigateTo(const std::string& pathOrAddress);
    // The fixed welcome page beside the program ("主页" and start-up).
    void GoHome();
    static std::string HomePagePath();

    // The source address of the chapter last shown by a click ("外部打开章节页面").
    const std::string& CurrentChapterAddress() const;

    // The reading pane's toolbar and the chapter grid's menu (their actions carry the commands).
    ReadingToolbar* Toolbar() const;
    ChapterMenu* Menu() const;
    // "上一章", "下一章", "跳至未读章节".
    void PriorChapter();
    void NextChapter();
    void JumpToUnread();
    // True while "最大化" has hidden the grid.
    bool ReadingPaneEnlarged() const;
    // Hands addresses to the desktop's default handler; replaceable so tests can watch it.
    using UrlOpener = std::function<void(const QUrl&)>;
    void SetUrlOpener(UrlOpener opener);

signals:
    // The page title changed (as the page wrote it).
    void PageTitleChanged(const QString& title);

private:
    struct Impl;
    Impl* d;
};
