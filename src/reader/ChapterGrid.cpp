#include "reader/ChapterGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <set>

#include "db/DbDataSet.h"
#include "reader/ChapterColumns.h"
#include "reader/ChapterTableModel.h"
#include "reader/RowIndicatorHeader.h"

namespace {

// Shares of the grid's width for "章节名", "下载时间", "原始地址".
constexpr int kColumnShares[ChapterColumn::kVisibleCount] = {46, 16, 38};

}  // namespace

ChapterGrid::ChapterGrid(DbDataSet& chapters, QWidget* parent)
    : QTableView(parent), chapters_(chapters), model_(new ChapterTableModel(chapters, this))
{
    setVerticalHeader(new RowIndicatorHeader(this));
    setModel(model_);
    for (int c = ChapterColumn::kVisibleCount; c < ChapterColumn::Count; ++c)
        setColumnHidden(c, true);

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::ClickFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setShowGrid(true);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: #C0C0C0; }"));

    QHeaderView* columns = horizontalHeader();
    columns->setSectionsMovable(false);
    columns->setSectionsClickable(false);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultSectionSize(std::max(18, fontMetrics().height() + 6));

    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, &ChapterGrid::RememberSelection);
    connect(model_, &QAbstractItemModel::modelReset, this, &ChapterGrid::RestoreSelection);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && chapters_.Active() && chapters_.RecNo() != current.row())
                    chapters_.SetRecNo(current.row());
            });
    connect(&chapters_, &DbDataSet::CurrentRowChanged, this, &ChapterGrid::FollowDataSet);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit RowClicked(index.row());
    });
    StretchColumns();
}

std::vector<int> ChapterGrid::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ChapterGrid::FocusRow(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    QModelIndex index = model_->index(row, 0);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

bool ChapterGrid::MoveFocus(int step)
{
    int rows = model_->rowCount();
    if (rows == 0)
        return false;
    int from = currentIndex().isValid() ? currentIndex().row() : chapters_.RecNo();
    int to = from + step;
    if (from < 0 || to < 0 || to >= rows)
        return false;
    FocusRow(to);
    return true;
}

void ChapterGrid::FollowDataSet(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    if (currentIndex().isValid() && currentIndex().row() == row)
        return;
    FocusRow(row);
}

void ChapterGrid::RememberSelection()
{
    selectedKeys_.clear();
    for (int row : SelectedRows())
        selectedKeys_.push_back(model_->RowKey(row));
}

void ChapterGrid::RestoreSelection()
{
    int current = chapters_.Active() ? chapters_.RecNo() : -1;
    if (current >= 0 && current < model_->rowCount())
        selectionModel()->setCurrentIndex(model_->index(current, 0), QItemSelectionModel::NoUpdate);
    // Rows read anew keep their selection when they are still there (marking many rows at once).
    std::set<std::string> keys(selectedKeys_.begin(), selectedKeys_.end());
    QItemSelection selection;
    if (!keys.empty()) {
        for (int row = 0; row < model_->rowCount(); ++row)
            if (keys.count(model_->RowKey(row)))
                selection.select(model_->index(row, 0), model_->index(row, 0));
    }
    if (selection.isEmpty() && current >= 0 && current < model_->rowCount())
        selection.select(model_->index(current, 0), model_->index(current, 0));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selectedKeys_.clear();
}

void ChapterGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Left) {
            emit PriorKey();
            return;
        }
        if (event->key() == Qt::Key_Right) {
            emit NextKey();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void ChapterGrid::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && !event->isAutoRepeat()) {
        emit DeleteKeyReleased();
        return;
    }
    QTableView::keyReleaseEvent(event);
}

void ChapterGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            emit ChapterMenuWanted(index.row(), event->globalPosition().toPoint());
        return;
    }
    QTableView::mousePressEvent(event);
}

void ChapterGrid::TakeRowForMenu(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    // The menu acts on the selection; a row outside it becomes the selection first.
    if (!selectionModel()->isRowSelected(row, QModelIndex()))
        FocusRow(row);
    else
        selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::NoUpdate);
}

void ChapterGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    StretchColumns();
}

void ChapterGrid::StretchColumns()
{
    int width = viewport()->width();
    int used = 0;
    for (int c = 0; c < ChapterColumn::kVisibleCount; ++c) {
        int w = c + 1 < ChapterColumn::kVisibleCount ? width * kColumnShares[c] / 100 : width - used;
        setColumnWidth(c, std::max(w, 20));
        used += w;
    }
}
