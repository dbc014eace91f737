#include "reader/BlankPagePicture.h"

#include <QPainter>
#include <QPolygonF>

QPixmap BlankPagePicture()
{
    static const QPixmap picture = [] {
        QPixmap p(16, 16);
        p.fill(Qt::transparent);
        QPainter g(&p);
        g.setRenderHint(QPainter::Antialiasing, false);
        // A sheet with its top right corner folded down.
        const QPolygon sheet({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)});
        g.setPen(QColor(0x80, 0x80, 0x80));
        g.setBrush(Qt::white);
        g.drawPolygon(sheet);
        const QPolygon fold({QPoint(10, 1), QPoint(10, 4), QPoint(13, 4)});
        g.setBrush(QColor(0xE0, 0xE0, 0xE0));
        g.drawPolygon(fold);
        return p;
    }();
    return picture;
}
