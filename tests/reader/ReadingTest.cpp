// Reading through a book: clicks, paging, the reading position, the toolbar's commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTableView>
#include <QTest>
#include <QWebEngineView>

#include "ReaderFixture.h"
#include "reader/ReadingToolbar.h"
#include "reader/TReaderView.h"
#include "toolkit/TextCodec.h"

TEST(Reading, ClickShowsStoredChaptersAndMarksThemReadOnce)
{
    // Unread stored, read stored, not fetched, unread with pictures missing.
    ReaderBook book({{1, 0}, {1, 1}, {0, 0}, {2, 0}});

    book.ClickRow(2);  // not fetched: blank page, nothing else
    EXPECT_EQ(book.ShownUrl(), QUrl("about:blank"));
    EXPECT_TRUE(book.host.deltas.empty());
    EXPECT_TRUE(book.RowIsBold(2));
    EXPECT_EQ(book.view->CurrentChapterAddress(), "");

    book.ClickRow(0);  // unread: shown, written read, count one lower
    EXPECT_EQ(book.ShownUrl(), book.PageUrl(0));
    EXPECT_EQ(book.view->CurrentChapterAddress(), ReaderBook::Source(0));
    EXPECT_EQ(book.host.deltas, std::vector<int>({-1}));
    EXPECT_FALSE(book.RowIsBold(0));
    EXPECT_EQ(book.MarksInTable(), std::vector<int>({1, 1, 0, 0}));

    book.ClickRow(0);  // again: nothing more
    book.ClickRow(1);  // read already
    EXPECT_EQ(book.ShownUrl(), book.PageUrl(1));
    EXPECT_EQ(book.host.deltas, std::vector<int>({-1}));

    book.ClickRow(3);  // stored with pictures missing counts as fetched
    EXPECT_EQ(book.ShownUrl(), book.PageUrl(3));
    EXPECT_EQ(book.host.deltas, std::vector<int>({-1, -1}));
    EXPECT_EQ(book.MarksInTable(), std::vector<int>({1, 1, 0, 1}));
}

TEST(Reading, PagingMovesOneRowAndStopsAtBothEnds)
{
    ReaderBook book({{1, 1}, {1, 0}, {0, 0}, {1, 0}});
    ReadingToolbar* bar = book.view->Toolbar();

    book.ClickRow(0);
    const std::string clicked = book.view->CurrentChapterAddress();
    bar->priorChapter->trigger();  // first row: stays, shows it again
    EXPECT_EQ(book.FocusedRow(), 0);
    EXPECT_EQ(book.ShownUrl(), book.PageUrl(0));

    bar->nextChapter->trigger();  // unread: marked read on the way
    EXPECT_EQ(book.FocusedRow(), 1);
    EXPECT_EQ(book.ShownUrl(), book.PageUrl(1));
    EXPECT_EQ(book.host.deltas, std::vector<int>({-1}));

    book.PressKey(Qt::Key_Right);  // not fetched: its page file, no read mark
    EXPECT_EQ(book.FocusedRow(), 2);
    EXPECT_EQ(book.ShownUrl(), book.PageUrl(2));
    EXPECT_EQ(book.host.deltas, std::vector<int>({-1}));

    book.PressKey(Qt::Key_Right);
    book.PressKey(Qt::Key_Right);  // last row: stays
    EXPECT_EQ(book.FocusedRow(), 3);
    EXPECT_EQ(book.ShownUrl(), book.PageUrl(3));
    EXPECT_EQ(book.view->Grid()->selectionModel()->selectedRows().size(), 1);

    book.PressKey(Qt::Key_Left);
    EXPECT_EQ(book.FocusedRow(), 2);
    book.PressKey(Qt::Key_Up);  // moves without showing
    EXPECT_EQ(book.FocusedRow(), 1);
    EXPECT_EQ(book.ShownUrl(), book.PageUrl(2));

    EXPECT_EQ(book.host.deltas, std::vector<int>({-1, -1}));
    EXPECT_EQ(book.MarksInTable(), std::vector<int>({1, 1, 0, 1}));
    // Paging leaves the clicked chapter's address for "外部打开章节页面".
    EXPECT_EQ(book.view->CurrentChapterAddress(), clicked);
    bar->openChapterOutside->trigger();
    ASSERT_EQ(book.opened.size(), 1u);
    EXPECT_EQ(book.opened[0], QUrl(QString::fromStdString(ReaderBook::Source(0))));
}

TEST(Reading, JumpShowsTheChapterBeforeTheFirstUnreadOne)
{
    {
        ReaderBook book({{1, 1}, {1, 1}, {1, 1}, {1, 0}, {1, 0}});
        book.view->Toolbar()->jumpToUnread->trigger();
        EXPECT_EQ(book.FocusedRow(), 2);
        EXPECT_EQ(book.ShownUrl(), book.PageUrl(2));
        EXPECT_TRUE(book.host.deltas.empty());
    }
    {
        ReaderBook book({{1, 0}, {1, 0}, {1, 1}});
        book.ClickRow(2);
        book.view->Toolbar()->jumpToUnread->trigger();
        EXPECT_EQ(book.FocusedRow(), 0);
        EXPECT_EQ(book.ShownUrl(), book.PageUrl(0));
        EXPECT_EQ(book.host.deltas, std::vector<int>({-1}));  // the first chapter is now read
        EXPECT_EQ(book.MarksInTable(), std::vector<int>({1, 0, 1}));
    }
    {
        ReaderBook book({{1, 1}, {1, 1}, {1, 1}});  // nothing unread: one chapter back
        book.ClickRow(2);
        book.view->JumpToUnread();
        EXPECT_EQ(book.FocusedRow(), 1);
        EXPECT_EQ(book.ShownUrl(), book.PageUrl(1));
    }
}

TEST(Reading, WithoutABookPagingJumpingAndTheContentsPageDoNothing)
{
    ReaderBook book({{1, 0}});
    book.view->ShowBookChapters("");
    book.host.bookOpen = false;
    const QUrl before = book.ShownUrl();
    ReadingToolbar* bar = book.view->Toolbar();
    for (QAction* a : {bar->priorChapter, bar->nextChapter, bar->jumpToUnread, bar->contentsPage,
                       bar->openOutside, bar->openContentsOutside})
        a->trigger();
    book.PressKey(Qt::Key_Right);
    book.ReleaseKey(Qt::Key_Delete);
    EXPECT_EQ(book.ShownUrl(), before);
    EXPECT_TRUE(book.host.deltas.empty());
    EXPECT_TRUE(book.host.prompts.shown.empty());
    EXPECT_TRUE(book.opened.empty());
}

TEST(Reading, ContentsPageAndOutsideAddresses)
{
    ReaderBook book({{1, 0}});
    ReadingToolbar* bar = book.view->Toolbar();

    bar->contentsPage->trigger();
    EXPECT_EQ(book.host.prompts.Texts("info"), std::vector<std::string>({Utf8ToGb("本书还未生成目录页")}));
    const std::string list = book.dir.File("Book/" + book.Key() + "/List.htm");
    WriteFileBytes(list, "<html><body>list</body></html>");
    bar->contentsPage->trigger();
    EXPECT_EQ(book.ShownUrl(), QUrl::fromLocalFile(QString::fromStdString(list)));
    EXPECT_EQ(book.host.prompts.shown.size(), 1u);

    bar->openOutside->trigger();  // no chapter clicked yet: nothing
    EXPECT_TRUE(book.opened.empty());
    bar->openContentsOutside->trigger();
    ASSERT_EQ(book.opened.size(), 1u);
    EXPECT_EQ(book.opened[0], QUrl("http://novel.test/book/"));
    book.ClickRow(0);
    bar->openOutside->trigger();
    ASSERT_EQ(book.opened.size(), 2u);
    EXPECT_EQ(book.opened[1], QUrl(QString::fromStdString(ReaderBook::Source(0))));
}

TEST(Reading, EnlargeHidesTheGridAndRestoresIt)
{
    ReaderBook book({{1, 0}, {1, 0}});
    QAction* enlarge = book.view->Toolbar()->enlarge;
    QSplitter* splitter = book.view->Splitter();
    const QPixmap onePicture = enlarge->icon().pixmap(20, 20);
    EXPECT_EQ(enlarge->toolTip(), QString::fromUtf8("最大化"));

    enlarge->trigger();
    EXPECT_EQ(enlarge->toolTip(), QString::fromUtf8("还原"));
    EXPECT_NE(enlarge->icon().pixmap(20, 20).toImage(), onePicture.toImage());
    EXPECT_FALSE(book.view->Grid()->isVisible());
    EXPECT_FALSE(splitter->handle(1)->isVisible());
    EXPECT_TRUE(book.view->Browser()->isVisible());

    enlarge->trigger();
    EXPECT_EQ(enlarge->toolTip(), QString::fromUtf8("最大化"));
    EXPECT_EQ(enlarge->icon().pixmap(20, 20).toImage(), onePicture.toImage());
    EXPECT_TRUE(book.view->Grid()->isVisible());
    EXPECT_TRUE(splitter->handle(1)->isVisible());
    EXPECT_TRUE(WaitUntil([&] { return book.view->Grid()->height() == 168; }, 3000));
    EXPECT_EQ(book.host.enlargements, std::vector<bool>({true, false}));
}

TEST(Reading, HomeAndTheEngineButtons)
{
    ReaderBook book({{1, 0}});
    ReadingToolbar* bar = book.view->Toolbar();
    bar->home->trigger();
    EXPECT_EQ(book.ShownUrl(), QUrl::fromLocalFile(QString::fromStdString(TReaderView::HomePagePath())));
    EXPECT_EQ(TReaderView::HomePagePath(), book.dir.File("Model/home.htm"));
    bar->refetchChapter->trigger();
    EXPECT_EQ(book.host.commands, std::vector<ChapterEngineCommand>({ChapterEngineCommand::RefetchSelected}));
    // Back and forward without history are nothing.
    bar->back->trigger();
    bar->forward->trigger();
    bar->reload->trigger();

    QStringList hints;
    for (QAction* a : bar->actions())
        hints << a->toolTip();
    EXPECT_EQ(hints.join(QLatin1Char(',')),
              QString::fromUtf8("最大化,后退,前进,刷新,主页,重新下载本章内容,跳至未读章节,上一章,下一章,目录页,打开外部连接"));
    for (QAction* a : bar->actions())
        EXPECT_TRUE(a->text().isEmpty() && !a->icon().isNull()) << a->toolTip().toStdString();
}
