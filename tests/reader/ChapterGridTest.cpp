// The chapter grid as the user sees it: columns, options, bold unread rows, the row indicator.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QImage>
#include <QSplitter>
#include <QTableView>

#include "ReaderFixture.h"
#include "reader/TReaderView.h"

TEST(ChapterGrid, ShowsTheBooksChaptersWithUnreadOnesInBold)
{
    // Read and stored, unread and stored, not fetched (unread), read with pictures missing.
    ReaderBook book({{1, 1}, {1, 0}, {0, 0}, {2, 1}});
    QAbstractItemModel* model = book.view->Grid()->model();

    ASSERT_EQ(model->rowCount(), 4);
    const char* captions[] = {"章节名", "下载时间", "原始地址", "address", "name", "nameb", "type", "typeb"};
    ASSERT_EQ(model->columnCount(), 8);
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), QString::fromUtf8(captions[c]));
        EXPECT_EQ(book.view->Grid()->isColumnHidden(c), c >= 3) << c;
    }
    EXPECT_EQ(model->index(1, 0).data().toString(), QString::fromUtf8("第2章"));
    EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("2024/03/01"));
    EXPECT_EQ(model->index(2, 2).data().toString(), QString::fromStdString(ReaderBook::Source(2)));
    EXPECT_EQ(model->index(3, 3).data().toString(), QStringLiteral("100004"));

    EXPECT_FALSE(book.RowIsBold(0));
    EXPECT_TRUE(book.RowIsBold(1));
    EXPECT_TRUE(book.RowIsBold(2));  // not fetched yet still counts as unread
    EXPECT_FALSE(book.RowIsBold(3));
}

TEST(ChapterGrid, HasTheReadersOptionsAndLayout)
{
    ReaderBook book({{1, 0}, {1, 0}});
    QTableView* grid = book.view->Grid();
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_FALSE(grid->isSortingEnabled());
    EXPECT_FALSE(grid->horizontalHeader()->sectionsMovable());
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(grid->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(grid->verticalHeader()->width(), 16);
    // The visible columns fill the grid's width.
    int widths = grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2);
    EXPECT_EQ(widths, grid->viewport()->width());

    EXPECT_EQ(book.view->Splitter()->handleWidth(), 2);
    EXPECT_EQ(grid->height(), 168);
    book.view->resize(1000, 900);
    EXPECT_TRUE(WaitUntil([&] { return book.view->height() == 900; }));
    EXPECT_EQ(grid->height(), 168);  // the reading pane takes the extra room
}

TEST(ChapterGrid, RowIndicatorIsAWhiteCellWithSilverFrameAndTheBlankPage)
{
    ReaderBook book({{1, 0}, {1, 1}, {1, 0}});
    QHeaderView* indicator = book.view->Grid()->verticalHeader();
    QImage image = indicator->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    ASSERT_EQ(scale, 1.0);
    const QRgb white = qRgb(0xFF, 0xFF, 0xFF), silver = qRgb(0xC0, 0xC0, 0xC0);

    for (int row = 0; row < 3; ++row) {
        const int top = indicator->sectionViewportPosition(row);
        const int bottom = top + indicator->sectionSize(row) - 1;
        SCOPED_TRACE(row);
        EXPECT_EQ(image.pixel(0, bottom - 1), silver);         // left edge
        EXPECT_EQ(image.pixel(15, bottom - 1), silver);        // right edge
        EXPECT_EQ(image.pixel(8, bottom), silver);             // bottom edge
        EXPECT_EQ(image.pixel(1, bottom - 1), white);          // inside
        EXPECT_EQ(image.pixel(1, top), white);                 // no top edge
        // The sheet's top edge is the picture's second line: one pixel below the cell's top.
        EXPECT_EQ(image.pixel(6, top + 1), white);
        EXPECT_EQ(image.pixel(6, top + 2), qRgb(0x80, 0x80, 0x80));
    }
}
