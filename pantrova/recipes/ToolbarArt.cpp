#include "ToolbarArt.h"

#include <QPainter>
#include <QPainterPath>

namespace pantrova {

namespace {
const QColor kGreen(0x3B, 0x7A, 0x57);
const QColor kRed(0xC8, 0x4B, 0x31);
const QColor kInk(0x3A, 0x35, 0x2F);
const QColor kPaper(0xFB, 0xF6, 0xEC);
const QColor kBlue(0x2F, 0x5F, 0x8A);

void drawSheet(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - 5, r.top());
    page.lineTo(r.right(), r.top() + 5);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.drawPath(page);
    p.setPen(QPen(QColor(0xB9, 0xAE, 0x9A), 1.0));
    for (qreal y = r.top() + 7; y < r.bottom() - 2; y += 3.5)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void drawBadge(QPainter& p, const QPointF& centre, const QColor& colour)
{
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(colour);
    p.drawEllipse(centre, 6.0, 6.0);
}
} // namespace

QPixmap ToolbarArt::pixmap(Kind kind, int size, qreal devicePixelRatio)
{
    QPixmap pm(QSize(size, size) * devicePixelRatio);
    pm.setDevicePixelRatio(devicePixelRatio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    const QRectF sheet(4, 2, 13, 18);

    switch (kind) {
    case Kind::Add:
        drawSheet(p, sheet);
        drawBadge(p, {17, 17}, kGreen);
        p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(17, 13.8), QPointF(17, 20.2));
        p.drawLine(QPointF(13.8, 17), QPointF(20.2, 17));
        break;
    case Kind::Save: {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 3, 11, 7));
        p.setBrush(QColor(0xE8, 0xDF, 0xCF));
        p.drawRect(QRectF(6, 13, 12, 8));
        break;
    }
    case Kind::Cancel:
        drawSheet(p, sheet);
        drawBadge(p, {17, 17}, QColor(0x8A, 0x80, 0x74));
        p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(14, 14, 6, 6), 30 * 16, 280 * 16);
        p.drawLine(QPointF(19.6, 13.6), QPointF(19.6, 16.2));
        break;
    case Kind::Delete:
        drawSheet(p, sheet);
        drawBadge(p, {17, 17}, kRed);
        p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.6, 14.6), QPointF(19.4, 19.4));
        p.drawLine(QPointF(19.4, 14.6), QPointF(14.6, 19.4));
        break;
    case Kind::Previous:
    case Kind::Next: {
        QPainterPath arrow;
        arrow.moveTo(15, 4);
        arrow.lineTo(7, 12);
        arrow.lineTo(15, 20);
        p.setPen(QPen(kGreen, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        if (kind == Kind::Next) {
            p.translate(24, 0);
            p.scale(-1, 1);
        }
        p.drawPath(arrow);
        break;
    }
    case Kind::Print:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.setBrush(QColor(0x9C, 0x93, 0x86));
        p.drawRoundedRect(QRectF(3, 9, 18, 9), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 14, 10, 7));
        p.setPen(QPen(QColor(0xB9, 0xAE, 0x9A), 1.0));
        p.drawLine(QPointF(9, 17), QPointF(15, 17));
        p.drawLine(QPointF(9, 19), QPointF(14, 19));
        break;
    case Kind::Calendar:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(3, 5, 18, 16), 2, 2);
        p.setBrush(kRed);
        p.drawRect(QRectF(3, 5, 18, 4.5));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col)
                p.drawRect(QRectF(5.5 + col * 4, 11.5 + row * 3, 2, 1.6));
        break;
    }
    return pm;
}

QIcon ToolbarArt::icon(Kind kind)
{
    QIcon icon;
    for (qreal ratio : {1.0, 2.0})
        icon.addPixmap(pixmap(kind, 24, ratio));
    return icon;
}

} // namespace pantrova
