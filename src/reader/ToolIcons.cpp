#include "reader/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor kInk(0x35, 0x4E, 0x6E);
const QColor kFill(0xDD, 0xE7, 0xF3);
const QColor kAccent(0x2E, 0x7D, 0x32);

void Arrow(QPainter& g, QPointF from, QPointF to)
{
    g.drawLine(from, to);
    QLineF back(to, from);
    QLineF wing1 = back, wing2 = back;
    wing1.setLength(4.5);
    wing2.setLength(4.5);
    wing1.setAngle(back.angle() + 40);
    wing2.setAngle(back.angle() - 40);
    g.drawLine(wing1);
    g.drawLine(wing2);
}

void Sheet(QPainter& g)
{
    QPainterPath p;
    p.moveTo(4.5, 1.5);
    p.lineTo(12, 1.5);
    p.lineTo(15.5, 5);
    p.lineTo(15.5, 18.5);
    p.lineTo(4.5, 18.5);
    p.closeSubpath();
    g.setBrush(Qt::white);
    g.drawPath(p);
    g.setBrush(Qt::NoBrush);
}

void Window(QPainter& g, QRectF r)
{
    g.setBrush(Qt::white);
    g.drawRect(r);
    g.setBrush(kInk);
    g.drawRect(QRectF(r.left(), r.top(), r.width(), 2.5));
    g.setBrush(Qt::NoBrush);
}

void Draw(QPainter& g, ToolPicture picture)
{
    QPen pen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    g.setPen(pen);
    switch (picture) {
    case ToolPicture::OneWindow:
        Window(g, QRectF(2.5, 3.5, 15, 13));
        break;
    case ToolPicture::TwoWindows:
        Window(g, QRectF(6.5, 2.5, 11, 9));
        Window(g, QRectF(2.5, 8.5, 11, 9));
        break;
    case ToolPicture::Back:
        Arrow(g, QPointF(16.5, 10), QPointF(3.5, 10));
        break;
    case ToolPicture::Forward:
        Arrow(g, QPointF(3.5, 10), QPointF(16.5, 10));
        break;
    case ToolPicture::Reload: {
        QRectF circle(4, 4, 12, 12);
        g.drawArc(circle, 60 * 16, 280 * 16);
        g.setBrush(kInk);
        QPolygonF head({QPointF(11, 1.5), QPointF(16, 4.5), QPointF(11, 7.5)});
        g.drawPolygon(head);
        break;
    }
    case ToolPicture::Home: {
        g.setBrush(kFill);
        QPolygonF house({QPointF(4.5, 9), QPointF(4.5, 17.5), QPointF(15.5, 17.5), QPointF(15.5, 9)});
        g.drawPolygon(house);
        g.setBrush(Qt::NoBrush);
        g.drawPolyline(QPolygonF({QPointF(2, 10.5), QPointF(10, 3), QPointF(18, 10.5)}));
        g.drawRect(QRectF(8.5, 12, 3, 5.5));
        break;
    }
    case ToolPicture::Refetch:
        Arrow(g, QPointF(10, 2.5), QPointF(10, 13));
        g.drawPolyline(QPolygonF({QPointF(3, 12), QPointF(3, 17.5), QPointF(17, 17.5), QPointF(17, 12)}));
        break;
    case ToolPicture::JumpUnread: {
        g.setBrush(kFill);
        QPolygonF mark({QPointF(5.5, 2), QPointF(14.5, 2), QPointF(14.5, 18), QPointF(10, 14), QPointF(5.5, 18)});
        g.drawPolygon(mark);
        break;
    }
    case ToolPicture::PriorChapter:
        Sheet(g);
        g.setPen(QPen(kAccent, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        Arrow(g, QPointF(13, 11), QPointF(7, 11));
        break;
    case ToolPicture::NextChapter:
        Sheet(g);
        g.setPen(QPen(kAccent, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        Arrow(g, QPointF(7, 11), QPointF(13, 11));
        break;
    case ToolPicture::ContentsPage:
        Sheet(g);
        for (double y : {6.5, 10.0, 13.5})
            g.drawLine(QPointF(7, y), QPointF(13, y));
        break;
    case ToolPicture::OpenOutside:
        g.drawPolyline(QPolygonF({QPointF(9, 4), QPointF(3.5, 4), QPointF(3.5, 16.5), QPointF(16, 16.5),
                                  QPointF(16, 11)}));
        Arrow(g, QPointF(8.5, 11.5), QPointF(16.5, 3.5));
        break;
    }
}

QPixmap Render(ToolPicture picture, int size)
{
    QPixmap glyph(size, size);
    glyph.fill(Qt::transparent);
    {
        QPainter g(&glyph);
        g.setRenderHint(QPainter::Antialiasing);
        g.scale(size / 20.0, size / 20.0);
        Draw(g, picture);
    }
    // A soft light outline keeps the dark ink readable on the dark toolbars of some skins.
    QPixmap halo = glyph;
    {
        QPainter g(&halo);
        g.setCompositionMode(QPainter::CompositionMode_SourceIn);
        g.fillRect(halo.rect(), QColor(255, 255, 255, 200));
    }
    QPixmap out(size, size);
    out.fill(Qt::transparent);
    QPainter g(&out);
    const int r = size >= 40 ? 2 : 1;
    for (int dx = -r; dx <= r; dx += r)
        for (int dy = -r; dy <= r; dy += r)
            if (dx || dy)
                g.drawPixmap(dx, dy, halo);
    g.drawPixmap(0, 0, glyph);
    return out;
}

}  // namespace

QIcon ToolIcon(ToolPicture picture)
{
    QIcon icon;
    for (int size : {20, 40})
        icon.addPixmap(Render(picture, size));
    return icon;
}
