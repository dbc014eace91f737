#pragma once
// The chapter grid's row indicator: a 16 px column of white cells with a silver frame on the
// left, right and bottom edges and the blank-page picture one pixel below each cell's top.
#include <QHeaderView>

class RowIndicatorHeader : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int kWidth = 16;

    explicit RowIndicatorHeader(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
