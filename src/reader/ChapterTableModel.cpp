#include "reader/ChapterTableModel.h"

#include <cstdlib>

#include "db/DbDataSet.h"
#include "toolkit/TextCodec.h"

namespace {

const char* const kCaptions[ChapterColumn::kVisibleCount] = {"章节名", "下载时间", "原始地址"};

}  // namespace

ChapterTableModel::ChapterTableModel(DbDataSet& chapters, QObject* parent)
    : QAbstractTableModel(parent), chapters_(chapters)
{
    unreadStyle_.setBold(true);
    fieldOf_.fill(-1);
    ReadColumnPositions();
    // The data set has already changed when it tells us; a reset is all the view needs.
    connect(&chapters_, &DbDataSet::RowsReset, this, [this] {
        beginResetModel();
        ReadColumnPositions();
        endResetModel();
    });
    connect(&chapters_, &DbDataSet::RowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, ChapterColumn::Count - 1));
    });
}

void ChapterTableModel::ReadColumnPositions()
{
    for (int c = 0; c < ChapterColumn::Count; ++c)
        fieldOf_[c] = chapters_.Active() ? chapters_.FieldIndex(ChapterColumn::kFields[c]) : -1;
    keyField_ = chapters_.Active() ? chapters_.FieldIndex("id") : -1;
}

int ChapterTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !chapters_.Active())
        return 0;
    return chapters_.RecordCount();
}

int ChapterTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ChapterColumn::Count;
}

bool ChapterTableModel::IsUnread(int row) const
{
    int field = fieldOf_[ChapterColumn::ReadMark];
    if (field < 0 || row < 0 || row >= rowCount())
        return false;
    return std::atoi(chapters_.Value(row, field).c_str()) < 1;
}

std::string ChapterTableModel::RowKey(int row) const
{
    if (keyField_ < 0 || row < 0 || row >= rowCount())
        return {};
    return chapters_.Value(row, keyField_);
}

QVariant ChapterTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        int field = fieldOf_[index.column()];
        if (field < 0)
            return {};
        return GbToQString(chapters_.Value(index.row(), field));
    }
    if (role == Qt::FontRole && IsUnread(index.row()))
        return unreadStyle_;
    return {};
}

QVariant ChapterTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString();
    if (section >= 0 && section < ChapterColumn::kVisibleCount)
        return QString::fromUtf8(kCaptions[section]);
    if (section >= 0 && section < ChapterColumn::Count)
        return QString::fromLatin1(ChapterColumn::kFields[section]);
    return {};
}

Qt::ItemFlags ChapterTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
