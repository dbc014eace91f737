// The reader's commands: showing chapters, paging, the contents page, the outside browser.
#include <QSplitter>
#include <QSplitterHandle>

#include <cstdlib>
#include <filesystem>

#include "db/DbDataSet.h"
#include "db/DbError.h"
#include "reader/ChapterDataSet.h"
#include "reader/ChapterFiles.h"
#include "reader/ChapterGrid.h"
#include "reader/ChapterMenu.h"
#include "reader/ReaderBrowser.h"
#include "reader/ReaderHost.h"
#include "reader/ReadingToolbar.h"
#include "reader/TReaderViewImpl.h"
#include "toolkit/Prompts.h"
#include "toolkit/TextCodec.h"

void TReaderView::Impl::Navigate(const QUrl& url)
{
    browser->setUrl(url);
}

void TReaderView::Impl::MarkCurrentRead(bool quiet)
{
    const int row = chapters.RecNo();
    if (row < 0 || ChapterNumberField(chapters, row, "type") <= 0 ||
        ChapterNumberField(chapters, row, "typeb") >= 1)
        return;
    try {
        chapters.Edit();
        chapters.SetField("typeb", SqlValue(1LL));
        chapters.Post();
    } catch (const DbError& e) {
        chapters.Cancel();
        if (!quiet)
            host.UserPrompts().ReportError(e.what());
        return;
    }
    host.UpdateCurrentBookUnread(-1);
}

void TReaderView::Impl::ShowClickedChapter(int row)
{
    if (!HasChapters(chapters) || row < 0 || row >= chapters.RecordCount())
        return;
    if (chapters.RecNo() != row)
        chapters.SetRecNo(row);
    if (ChapterNumberField(chapters, row, "type") <= 0) {
        Navigate(QUrl(QStringLiteral("about:blank")));
        return;
    }
    currentChapterAddress = ChapterField(chapters, row, "addressb");
    view.NavigateTo(ChapterPagePath(ChapterField(chapters, row, "name"), ChapterField(chapters, row, "address")));
    MarkCurrentRead(false);
}

void TReaderView::Impl::PageChapter(int step, bool quiet)
{
    if (!HasChapters(chapters))
        return;
    grid->MoveFocus(step);
    std::vector<int> selected = grid->SelectedRows();
    int row = selected.empty() ? chapters.RecNo() : selected.front();
    if (row < 0)
        return;
    // Paging shows the page file whatever the row's state; the browser says when it is missing.
    view.NavigateTo(ChapterPagePath(ChapterField(chapters, row, "name"), ChapterField(chapters, row, "address")));
    MarkCurrentRead(quiet);
}

void TReaderView::Impl::JumpToUnread()
{
    if (!HasChapters(chapters))
        return;
    try {
        for (int row = 0; row < chapters.RecordCount(); ++row) {
            if (ChapterField(chapters, row, "typeb") == "0") {
                chapters.SetRecNo(row);
                grid->FocusRow(row);
                break;
            }
        }
        PageChapter(-1, true);
    } catch (...) {
        // The jump is a convenience; whatever fails here is not worth a message.
    }
}

void TReaderView::Impl::ShowContentsPage()
{
    const TMType* book = host.CurrentBook();
    if (!book || book->id.empty())
        return;
    const std::string path = BookListPagePath(book->id);
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path, ignored))
        view.NavigateTo(path);
    else
        host.UserPrompts().Inform(Utf8ToGb("本书还未生成目录页"));
}

void TReaderView::Impl::OpenChapterOutside()
{
    if (currentChapterAddress.empty() || !openUrl)
        return;
    openUrl(QUrl(GbToQString(currentChapterAddress), QUrl::TolerantMode));
}

void TReaderView::Impl::OpenContentsOutside()
{
    const TMType* book = host.CurrentBook();
    if (!book || book->address.empty() || !openUrl)
        return;
    openUrl(QUrl(GbToQString(book->address), QUrl::TolerantMode));
}

void TReaderView::Impl::ToggleEnlarged()
{
    enlarged = !enlarged;
    toolbar->ShowEnlarged(enlarged);
    if (enlarged) {
        sizesBeforeEnlarging = splitter->sizes();
        grid->hide();
        splitter->handle(1)->hide();
    } else {
        grid->show();
        splitter->handle(1)->show();
        if (!sizesBeforeEnlarging.isEmpty())
            splitter->setSizes(sizesBeforeEnlarging);
    }
    host.ReadingPaneEnlarged(enlarged);
}

void TReaderView::Impl::OpenChapterMenu(int row, const QPoint& globalPosition)
{
    // The engine's commands must not run into an update under way.
    if (host.EngineState() != 0)
        return;
    grid->TakeRowForMenu(row);
    menu->popup(globalPosition);
}

void TReaderView::Impl::BrowserStep(int action)
{
    // Back without history and the like are simply nothing.
    browser->triggerPageAction(static_cast<QWebEnginePage::WebAction>(action));
}
