// The chapter menu: read marks in bulk, removal, and the menu itself.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTableView>
#include <QTest>

#include <filesystem>

#include "ReaderFixture.h"
#include "db/DbQuery.h"
#include "reader/ChapterMenu.h"
#include "reader/TReaderView.h"
#include "toolkit/TextCodec.h"

namespace {

// Six chapters: the last one not fetched.
const std::vector<ChapterSpec> kBook = {{1, 1}, {1, 0}, {1, 1}, {1, 1}, {1, 0}, {0, 0}};

struct MarkCase {
    const char* name;
    QAction* ChapterMenu::*command;
    std::vector<int> selected;
    int focused;
    std::vector<int> marks;   // typeb of every row afterwards
    std::vector<int> deltas;  // what the book's counter was told
};

}  // namespace

TEST(ReadMarks, EachCommandChangesItsRowsAndTellsTheCounter)
{
    const MarkCase cases[] = {
        // Two of three selected rows are read; the unread one is not counted.
        {"标记为未读", &ChapterMenu::markUnread, {0, 1, 2}, 0, {0, 0, 0, 1, 0, 0}, {2}},
        {"标记为已读", &ChapterMenu::markRead, {1, 3, 5}, 1, {1, 1, 1, 1, 0, 1}, {-2}},
        {"标记为已读 nothing to do", &ChapterMenu::markRead, {0, 2}, 0, {1, 0, 1, 1, 0, 0}, {}},
        {"全部标记为未读", &ChapterMenu::markAllUnread, {2}, 2, {0, 0, 0, 0, 0, 0}, {0}},
        {"全部标记为已读", &ChapterMenu::markAllRead, {2}, 2, {1, 1, 1, 1, 1, 1}, {0}},
        {"以下标记为未读", &ChapterMenu::markBelowUnread, {0}, 0, {1, 0, 0, 0, 0, 0}, {0}},
        {"以下标记为未读 mid", &ChapterMenu::markBelowUnread, {3}, 3, {1, 0, 1, 1, 0, 0}, {0}},
        {"以上标记为已读", &ChapterMenu::markAboveRead, {5}, 5, {1, 1, 1, 1, 1, 0}, {0}},
        {"以上标记为已读 first", &ChapterMenu::markAboveRead, {0}, 0, {1, 0, 1, 1, 0, 0}, {0}},
    };
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(c.name);
        ReaderBook book(kBook, false);
        book.SelectRows(c.selected, c.focused);
        (book.view->Menu()->*c.command)->trigger();
        EXPECT_EQ(book.MarksInTable(), c.marks);
        EXPECT_EQ(book.host.deltas, c.deltas);
        // The grid shows the new marks, and keeps its position and selection.
        for (int row = 0; row < 6; ++row)
            EXPECT_EQ(book.RowIsBold(row), c.marks[row] == 0) << row;
        EXPECT_EQ(book.FocusedRow(), c.focused);
        EXPECT_EQ(static_cast<size_t>(book.view->Grid()->selectionModel()->selectedRows().size()),
                  c.selected.size());
    }
}

TEST(ReadMarks, RemovalAsksThenHidesTheRowsAndKeepsTheirFiles)
{
    ReaderBook book(kBook, false);
    const std::string list = book.dir.File("Book/" + book.Key() + "/List.htm");
    WriteFileBytes(list, "<html>list</html>");
    const std::string question = Utf8ToGb("确认删除选中的章节吗?");

    // Nothing selected: no question, nothing changes.
    book.view->Grid()->selectionModel()->clearSelection();
    book.view->Menu()->removeSelected->trigger();
    EXPECT_TRUE(book.host.prompts.shown.empty());

    // Answered no.
    book.SelectRows({1, 2}, 1);
    book.host.prompts.yesNoAnswers = {false};
    book.view->Menu()->removeSelected->trigger();
    EXPECT_EQ(book.host.prompts.Texts("question"), std::vector<std::string>({question}));
    EXPECT_EQ(book.TypesInTable(), std::vector<int>({1, 1, 1, 1, 1, 0}));
    EXPECT_TRUE(book.host.deltas.empty());

    // Answered yes, by the Delete key: one unread and one read chapter go.
    book.host.prompts.yesNoAnswers = {true};
    book.ReleaseKey(Qt::Key_Delete);
    EXPECT_EQ(book.host.prompts.Texts("question").size(), 2u);
    EXPECT_EQ(book.TypesInTable(), std::vector<int>({1, -1, -1, 1, 1, 0}));
    EXPECT_EQ(book.host.deltas, std::vector<int>({0}));  // recount
    EXPECT_EQ(book.UnreadInTable(), 2);
    QAbstractItemModel* model = book.view->Grid()->model();
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->index(1, 3).data().toString(), QStringLiteral("100004"));
    EXPECT_TRUE(std::filesystem::exists(book.PagePath(1)));
    EXPECT_TRUE(std::filesystem::exists(book.PagePath(2)));
    EXPECT_EQ(ReadFileBytes(list), "<html>list</html>");
}

TEST(ReadMarks, MenuOpensOnlyWhileTheEngineIsIdle)
{
    ReaderBook book(kBook);
    ChapterMenu* menu = book.view->Menu();

    for (int state : {1, 2}) {
        book.host.engineState = state;
        book.SelectRows({0}, 0);
        book.RightClickRow(3);
        EXPECT_FALSE(menu->isVisible()) << state;
        EXPECT_EQ(book.FocusedRow(), 0) << state;  // nothing at all happens
    }
    // The Delete key is not held back by an update.
    book.host.prompts.yesNoAnswers = {false};
    book.ReleaseKey(Qt::Key_Delete);
    EXPECT_EQ(book.host.prompts.Texts("question").size(), 1u);

    book.host.engineState = 0;
    book.RightClickRow(3);
    EXPECT_TRUE(WaitUntil([&] { return menu->isVisible(); }, 3000));
    EXPECT_EQ(book.FocusedRow(), 3);
    menu->hide();

    auto captions = [](QMenu* m) {
        QStringList out;
        for (QAction* a : m->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out.join(QLatin1Char(','));
    };
    EXPECT_EQ(captions(menu), QString::fromUtf8("跳至未读章节,-,标记更改,-,重新下载,删除选中章节,重新生成目录"));
    EXPECT_EQ(captions(menu->marks),
              QString::fromUtf8("标记为未读,标记为已读,-,全部标记为未读,全部标记为已读,-,以下标记为未读,以上标记为已读"));
    EXPECT_EQ(captions(menu->refetch), QString::fromUtf8("章节内容,空白章节,缺图章节"));

    menu->refetchContent->trigger();
    menu->refetchBlank->trigger();
    menu->refetchMissingPictures->trigger();
    menu->regenerateList->trigger();
    EXPECT_EQ(book.host.commands,
              std::vector<ChapterEngineCommand>({ChapterEngineCommand::RefetchSelected,
                                                 ChapterEngineCommand::RefetchBlank,
                                                 ChapterEngineCommand::RefetchMissingPictures,
                                                 ChapterEngineCommand::RegenerateList}));
}

TEST(ReadMarks, AWriteThatFailsIsNotCounted)
{
    ReaderBook book({{1, 1}, {1, 1}, {1, 1}, {1, 0}});
    // The table refuses any change of the second chapter's mark.
    DbQuery(book.db).Execute({"create trigger refuse before update of typeb on booktit when old.addressb='" +
                                  ReaderBook::Source(1) + "' begin select raise(abort, 'refused'); end",
                              {}});
    book.SelectRows({0, 1, 2}, 0);
    book.view->Menu()->markUnread->trigger();
    EXPECT_EQ(book.MarksInTable(), std::vector<int>({0, 1, 0, 0}));
    EXPECT_EQ(book.host.deltas, std::vector<int>({2}));

    // Showing it cannot write it read either: the error is reported and the count stays.
    DbQuery(book.db).Execute({"drop trigger refuse", {}});
    DbQuery(book.db).Execute({"create trigger refuse before update of typeb on booktit when old.addressb='" +
                                  ReaderBook::Source(3) + "' begin select raise(abort, 'refused'); end",
                              {}});
    book.ClickRow(3);
    EXPECT_EQ(book.ShownUrl(), book.PageUrl(3));
    EXPECT_EQ(book.host.deltas, std::vector<int>({2}));
    EXPECT_EQ(book.host.prompts.Texts("error").size(), 1u);
    EXPECT_TRUE(book.RowIsBold(3));
}
