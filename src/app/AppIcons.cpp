#include "app/AppIcons.h"

#include "reader/BlankPagePicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

QPixmap Canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void Begin(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
}

QLinearGradient Vertical(const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A sheet of paper with a folded corner; `scale` 1 is 16 px.
void DrawPage(QPainter& p, const QRectF& r)
{
    const qreal fold = r.width() * 0.3;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(QPen(QColor(120, 130, 145), 1));
    p.setBrush(Vertical(r, Qt::white, QColor(228, 234, 242)));
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(205, 214, 226));
    p.drawPath(corner);
}

void DrawFolder(QPainter& p, bool open)
{
    const QColor edge(176, 128, 28);
    p.setPen(QPen(edge, 1));
    // Back with its tab.
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setBrush(Vertical(QRectF(1, 3, 14, 11), QColor(250, 214, 120), QColor(228, 170, 50)));
    p.drawPath(back);
    if (open) {
        QPainterPath front;
        front.moveTo(3.5, 7.5);
        front.lineTo(15.5, 7.5);
        front.lineTo(13.5, 13.5);
        front.lineTo(1.5, 13.5);
        front.closeSubpath();
        p.setBrush(Vertical(QRectF(1, 7, 15, 7), QColor(255, 236, 170), QColor(244, 196, 82)));
        p.drawPath(front);
    } else {
        p.setBrush(Vertical(QRectF(1, 6, 14, 8), QColor(255, 228, 150), QColor(238, 184, 66)));
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
    }
}

void DrawClosedBook(QPainter& p, const QColor& cover)
{
    p.setPen(QPen(cover.darker(160), 1));
    // Pages peeking out at the bottom right.
    p.setBrush(QColor(250, 248, 238));
    p.drawRoundedRect(QRectF(4.5, 2.5, 10, 12), 1, 1);
    p.setBrush(Vertical(QRectF(2, 1, 11, 13), cover.lighter(130), cover));
    p.drawRoundedRect(QRectF(2.5, 1.5, 10, 12), 1.2, 1.2);
    p.setPen(QPen(cover.darker(180), 1.2));
    p.drawLine(QPointF(4.5, 2), QPointF(4.5, 13));
    p.setPen(QPen(QColor(255, 255, 255, 180), 1));
    p.drawLine(QPointF(6.5, 5), QPointF(10.5, 5));
}

void DrawOpenBook(QPainter& p)
{
    const QColor edge(60, 90, 150);
    p.setPen(QPen(edge, 1));
    p.setBrush(QColor(80, 120, 190));
    QPainterPath cover;
    cover.moveTo(0.5, 4.5);
    cover.lineTo(8, 5.5);
    cover.lineTo(15.5, 4.5);
    cover.lineTo(15.5, 13.5);
    cover.lineTo(8, 14.5);
    cover.lineTo(0.5, 13.5);
    cover.closeSubpath();
    p.drawPath(cover);
    p.setBrush(Vertical(QRectF(1, 2, 14, 11), Qt::white, QColor(232, 236, 244)));
    QPainterPath left;
    left.moveTo(1.5, 3);
    left.quadTo(5, 2, 8, 4);
    left.lineTo(8, 13);
    left.quadTo(5, 11.5, 1.5, 12.5);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(14.5, 3);
    right.quadTo(11, 2, 8, 4);
    right.lineTo(8, 13);
    right.quadTo(11, 11.5, 14.5, 12.5);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(150, 160, 180), 0.8));
    for (qreal y = 5.5; y < 11; y += 2) {
        p.drawLine(QPointF(3, y), QPointF(6.8, y + 0.4));
        p.drawLine(QPointF(9.2, y + 0.4), QPointF(13, y));
    }
}

void DrawArrowArc(QPainter& p, const QPointF& c, qreal radius, qreal startDeg, const QColor& color,
                  qreal width)
{
    const qreal span = 150;
    QPen pen(color, width, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QRectF box(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(box, int(startDeg * 16), int(span * 16));
    // Arrow head at the end of the arc, pointing along it (counter-clockwise).
    const qreal end = qDegreesToRadians(startDeg + span);
    const QPointF tip(c.x() + radius * qCos(end), c.y() - radius * qSin(end));
    const QPointF along(-qSin(end), -qCos(end));  // direction of travel
    const QPointF normal(qCos(end), -qSin(end));
    const qreal head = width * 1.8;
    QPolygonF arrow;
    arrow << tip + along * head << tip + normal * head * 0.9 << tip - normal * head * 0.9;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(arrow);
}

QPixmap TreePicture16(int index)
{
    // Picture 0 is the one the chapter grid's row indicator shows: one drawing for both.
    if (index == PictureBlankPage)
        return BlankPagePicture();
    QPixmap pixmap = Canvas(16);
    QPainter p(&pixmap);
    Begin(p);
    switch (index) {
    case PictureOpenFolder:
        DrawFolder(p, true);
        break;
    case PictureClosedFolder:
        DrawFolder(p, false);
        break;
    case PictureClosedBook:
        DrawClosedBook(p, QColor(60, 110, 190));
        break;
    case PictureUpdating:
        DrawArrowArc(p, QPointF(8, 8), 5.2, 20, QColor(30, 150, 60), 1.8);
        DrawArrowArc(p, QPointF(8, 8), 5.2, 200, QColor(30, 110, 200), 1.8);
        break;
    case PictureOpenBook:
        DrawOpenBook(p);
        break;
    default:
        break;
    }
    return pixmap;
}

// --- toolbar pictures (32x32) ----------------------------------------------------------------

void DrawBigBook(QPainter& p, const QColor& cover)
{
    p.setPen(QPen(cover.darker(170), 1.2));
    p.setBrush(QColor(252, 250, 240));
    p.drawRoundedRect(QRectF(8.5, 4.5, 19, 24), 2, 2);
    p.setBrush(Vertical(QRectF(4, 2, 20, 25), cover.lighter(135), cover));
    p.drawRoundedRect(QRectF(4.5, 2.5, 19, 24), 2.5, 2.5);
    p.setPen(QPen(cover.darker(190), 2));
    p.drawLine(QPointF(8.5, 3.5), QPointF(8.5, 25.5));
    p.setPen(QPen(QColor(255, 255, 255, 190), 1.5));
    p.drawLine(QPointF(12, 9), QPointF(20, 9));
    p.drawLine(QPointF(12, 12.5), QPointF(18, 12.5));
}

void DrawBadge(QPainter& p, const QPointF& c, qreal r, const QColor& color)
{
    QRadialGradient g(c - QPointF(r / 3, r / 3), r * 1.4);
    g.setColorAt(0, color.lighter(150));
    g.setColorAt(1, color);
    p.setPen(QPen(color.darker(150), 1));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void DrawPlus(QPainter& p, const QPointF& c, qreal half)
{
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c - QPointF(half, 0), c + QPointF(half, 0));
    p.drawLine(c - QPointF(0, half), c + QPointF(0, half));
}

void DrawCross(QPainter& p, const QPointF& c, qreal half, const QColor& color, qreal width)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-half, -half), c + QPointF(half, half));
    p.drawLine(c + QPointF(-half, half), c + QPointF(half, -half));
}

void DrawGear(QPainter& p, const QPointF& c, qreal outer, qreal inner, int teeth, const QColor& color)
{
    QPainterPath gear;
    const int points = teeth * 4;
    for (int i = 0; i < points; ++i) {
        const qreal a = 2 * M_PI * i / points;
        const qreal r = (i % 4 < 2) ? outer : inner;
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, inner * 0.42, inner * 0.42);
    gear = gear.subtracted(hole);
    QRadialGradient g(c - QPointF(outer / 3, outer / 3), outer * 1.6);
    g.setColorAt(0, color.lighter(160));
    g.setColorAt(1, color);
    p.setPen(QPen(color.darker(160), 1));
    p.setBrush(g);
    p.drawPath(gear);
}

QPixmap ToolbarPixmap(ToolbarPicture picture)
{
    QPixmap pixmap = Canvas(32);
    QPainter p(&pixmap);
    Begin(p);
    switch (picture) {
    case ToolbarPicture::Add:
        DrawBigBook(p, QColor(50, 110, 200));
        DrawBadge(p, QPointF(23, 23), 7.5, QColor(40, 160, 60));
        DrawPlus(p, QPointF(23, 23), 4);
        break;
    case ToolbarPicture::Properties: {
        DrawPage(p, QRectF(5.5, 2.5, 19, 26));
        p.setPen(QPen(QColor(140, 150, 170), 1.4));
        for (qreal y = 10; y <= 22; y += 4)
            p.drawLine(QPointF(9, y), QPointF(20, y));
        // A pencil across the page.
        p.save();
        p.translate(22, 20);
        p.rotate(45);
        p.setPen(QPen(QColor(120, 80, 20), 1));
        p.setBrush(Vertical(QRectF(-3, -11, 6, 16), QColor(255, 210, 80), QColor(230, 160, 20)));
        p.drawRect(QRectF(-2.5, -11, 5, 15));
        p.setBrush(QColor(240, 200, 160));
        QPolygonF tip;
        tip << QPointF(-2.5, 4) << QPointF(2.5, 4) << QPointF(0, 9);
        p.drawPolygon(tip);
        p.setBrush(QColor(230, 120, 130));
        p.drawRect(QRectF(-2.5, -13, 5, 2.5));
        p.restore();
        break;
    }
    case ToolbarPicture::Delete:
        DrawBigBook(p, QColor(110, 120, 140));
        DrawBadge(p, QPointF(23, 23), 7.5, QColor(210, 50, 40));
        DrawCross(p, QPointF(23, 23), 3.2, Qt::white, 2.4);
        break;
    case ToolbarPicture::EBook: {
        DrawBigBook(p, QColor(180, 90, 40));
        p.setPen(QPen(QColor(40, 70, 130), 1));
        p.setBrush(Vertical(QRectF(12, 17, 19, 12), QColor(90, 150, 230), QColor(40, 90, 180)));
        p.drawRoundedRect(QRectF(12.5, 17.5, 18, 11), 2, 2);
        QFont f;
        f.setPixelSize(8);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(12.5, 17.5, 18, 11), Qt::AlignCenter, QStringLiteral("TXT"));
        break;
    }
    case ToolbarPicture::Stop: {
        QPolygonF octagon;
        for (int i = 0; i < 8; ++i) {
            const qreal a = M_PI / 8 + i * M_PI / 4;
            octagon << QPointF(16 + 13 * qCos(a), 16 + 13 * qSin(a));
        }
        QRadialGradient g(QPointF(12, 11), 18);
        g.setColorAt(0, QColor(250, 110, 90));
        g.setColorAt(1, QColor(190, 30, 20));
        p.setPen(QPen(QColor(140, 20, 10), 1.2));
        p.setBrush(g);
        p.drawPolygon(octagon);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(9, 14, 14, 4), 1, 1);
        break;
    }
    case ToolbarPicture::Settings:
        DrawGear(p, QPointF(13, 13), 11, 8, 8, QColor(110, 125, 145));
        DrawGear(p, QPointF(24, 24), 7, 5, 6, QColor(70, 120, 190));
        break;
    case ToolbarPicture::Exit: {
        // A door frame with an arrow leaving it.
        p.setPen(QPen(QColor(90, 70, 50), 1.2));
        p.setBrush(Vertical(QRectF(4, 3, 15, 26), QColor(200, 160, 110), QColor(150, 105, 60)));
        p.drawRect(QRectF(4.5, 3.5, 14, 25));
        p.setBrush(QColor(60, 40, 25));
        p.drawRect(QRectF(7, 6, 9, 20));
        p.setBrush(QColor(230, 200, 90));
        p.drawEllipse(QPointF(14, 16), 1.2, 1.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 160, 70));
        QPolygonF arrow;
        arrow << QPointF(14, 13) << QPointF(22, 13) << QPointF(22, 8) << QPointF(30, 16)
              << QPointF(22, 24) << QPointF(22, 19) << QPointF(14, 19);
        p.drawPolygon(arrow);
        break;
    }
    }
    return pixmap;
}

QIcon WithDisabledLook(const QPixmap& normal)
{
    QIcon icon(normal);
    // A softer grey than Qt's default disabled rendering keeps the pictures recognisable.
    QImage grey = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int g = qGray(line[x]);
            const int light = 110 + g * 120 / 255;
            line[x] = qRgba(light, light, light, qAlpha(line[x]) * 3 / 5);
        }
    }
    icon.addPixmap(QPixmap::fromImage(grey), QIcon::Disabled);
    return icon;
}

}  // namespace

QPixmap TreePictureAt(int index)
{
    static QPixmap cache[kTreePictureCount];
    if (index < 0 || index >= kTreePictureCount)
        return {};
    if (cache[index].isNull())
        cache[index] = TreePicture16(index);
    return cache[index];
}

QIcon ToolbarIcon(ToolbarPicture picture)
{
    return WithDisabledLook(ToolbarPixmap(picture));
}

QIcon SkinButtonIcon()
{
    QPixmap pixmap = Canvas(16);
    QPainter p(&pixmap);
    Begin(p);
    QPainterPath palette;
    palette.addEllipse(QRectF(1.5, 2.5, 13, 11));
    QPainterPath thumb;
    thumb.addEllipse(QRectF(8.5, 8.5, 4, 3.5));
    palette = palette.subtracted(thumb);
    p.setPen(QPen(QColor(140, 100, 50), 1));
    p.setBrush(QColor(240, 215, 165));
    p.drawPath(palette);
    const QColor dots[] = {QColor(220, 50, 40), QColor(40, 140, 220), QColor(50, 170, 60),
                           QColor(240, 190, 30)};
    const QPointF at[] = {{5, 6}, {8.5, 5}, {11.5, 6.5}, {4.5, 9.5}};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(dots[i]);
        p.drawEllipse(at[i], 1.4, 1.4);
    }
    return QIcon(pixmap);
}
