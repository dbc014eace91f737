#pragma once
// The chapter grid: read-only rows over the chapter data set, whole-row multiple selection, the
// painted row indicator. It keeps the data set's current row on the focused row (and back), and
// turns the reader's keys and mouse buttons into signals.
#include <QTableView>

#include <string>
#include <vector>

class ChapterTableModel;
class DbDataSet;

class ChapterGrid : public QTableView {
    Q_OBJECT
public:
    ChapterGrid(DbDataSet& chapters, QWidget* parent = nullptr);

    ChapterTableModel* ChapterModel() const { return model_; }
    // Selected rows in grid order.
    std::vector<int> SelectedRows() const;
    // Moves the focus one row up or down, selecting only that row; false at either end.
    bool MoveFocus(int step);
    // Focuses and selects only this row.
    void FocusRow(int row);
    // Before the chapter menu opens on a row: the row joins the focus (and the selection when
    // it is not in it).
    void TakeRowForMenu(int row);

signals:
    void RowClicked(int row);
    void PriorKey();
    void NextKey();
    void DeleteKeyReleased();
    void ChapterMenuWanted(int row, const QPoint& globalPosition);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void StretchColumns();
    void FollowDataSet(int row);
    void RememberSelection();
    void RestoreSelection();

    DbDataSet& chapters_;
    ChapterTableModel* model_;
    std::vector<std::string> selectedKeys_;
};
