#include "reader/RowIndicatorHeader.h"

#include <QPainter>

#include "reader/BlankPagePicture.h"

RowIndicatorHeader::RowIndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(true);
    setHighlightSections(false);
    setFixedWidth(kWidth);
}

QSize RowIndicatorHeader::sizeHint() const
{
    return QSize(kWidth, QHeaderView::sizeHint().height());
}

void RowIndicatorHeader::paintSection(QPainter* painter, const QRect& rect, int) const
{
    if (!rect.isValid())
        return;
    painter->save();
    painter->fillRect(rect, QColor(0xFF, 0xFF, 0xFF));
    painter->setPen(QColor(0xC0, 0xC0, 0xC0));
    // One-pixel frame without the top edge; the cell above draws the line between them.
    painter->drawLine(rect.topLeft(), rect.bottomLeft());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->drawPixmap(rect.left(), rect.top() + 1, BlankPagePicture());
    painter->restore();
}
