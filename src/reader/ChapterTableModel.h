#pragma once
// The chapter data set as a table for the grid: "章节名", "下载时间", "原始地址", then the
// hidden columns. Unread rows (typeb < 1) come in bold.
#include <QAbstractTableModel>
#include <QFont>

#include <array>

#include "reader/ChapterColumns.h"

class DbDataSet;

class ChapterTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChapterTableModel(DbDataSet& chapters, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    bool IsUnread(int row) const;
    // The row's key in the table, to find it again after the rows were read anew.
    std::string RowKey(int row) const;

private:
    void ReadColumnPositions();

    DbDataSet& chapters_;
    std::array<int, ChapterColumn::Count> fieldOf_{};
    int keyField_ = -1;
    QFont unreadStyle_;  // UnreadStyle
};
