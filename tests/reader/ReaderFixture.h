#pragma once
// A book in a fresh application directory, its chapter rows made through the database API and
// its page files written here, shown by a TReaderView with a recording host.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/ScriptedPrompts.h"
#include "support/TempAppDir.h"
#include "db/DbConnection.h"
#include "db/DbDataSet.h"
#include "reader/ReaderHost.h"

class TReaderView;
class QWebEnginePage;

class FakeHost : public ReaderHost {
public:
    TMType book;
    bool bookOpen = true;
    int engineState = 0;
    std::vector<int> deltas;
    std::vector<bool> enlargements;
    std::vector<ChapterEngineCommand> commands;
    ScriptedPrompts prompts;

    TMType* CurrentBook() override { return bookOpen ? &book : nullptr; }
    void UpdateCurrentBookUnread(int delta) override { deltas.push_back(delta); }
    int EngineState() const override { return engineState; }
    Prompts& UserPrompts() override { return prompts; }
    void ReadingPaneEnlarged(bool enlarged) override { enlargements.push_back(enlarged); }
    void RunChapterEngineCommand(ChapterEngineCommand command) override { commands.push_back(command); }
};

// Chapter rows as the engine leaves them: `type` 0 not fetched, 1 stored, 2 pictures missing;
// `typeb` 0 unread, 1 read.
struct ChapterSpec {
    int type;
    int typeb;
};

class ReaderBook {
public:
    explicit ReaderBook(const std::vector<ChapterSpec>& chapters, bool show = true);
    ~ReaderBook();

    TempAppDir dir;
    DbConnection db;
    DbDataSet chapters;
    FakeHost host;
    std::unique_ptr<TReaderView> view;
    std::vector<QUrl> opened;  // what the view handed to the desktop

    const std::string& Key() const { return host.book.id; }
    static std::string Number(int i);  // local number of the i-th chapter (0-based)
    static std::string Source(int i);
    std::string PagePath(int i) const;
    QUrl PageUrl(int i) const;

    // Columns of every chapter row of the book in the table, removed ones included.
    std::vector<int> MarksInTable();
    std::vector<int> TypesInTable();
    int UnreadInTable();

    // User actions on the grid.
    void ClickRow(int row);
    void RightClickRow(int row);
    void SelectRows(const std::vector<int>& rows, int focused);
    void PressKey(int key);
    void ReleaseKey(int key);
    int FocusedRow() const;
    bool RowIsBold(int row) const;
    QUrl ShownUrl() const;

private:
    std::vector<int> ColumnInTable(const char* column);
};

// Runs the event loop until `done` holds; false after `timeoutMs`.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 15000);
// Runs a script in the page and waits for its result.
QVariant RunScript(QWebEnginePage* page, const QString& script, int timeoutMs = 15000);
// Waits for the page to finish loading `url`.
bool WaitForPage(QWebEnginePage* page, const QUrl& url, int timeoutMs = 15000);
