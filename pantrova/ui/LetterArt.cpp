#include "LetterArt.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace ui {

QPixmap LetterArt::pixmap(QChar letter, Look look, qreal devicePixelRatio)
{
    const QSize logical = tileSize();
    QPixmap pm(logical * devicePixelRatio);
    pm.setDevicePixelRatio(devicePixelRatio);
    pm.fill(Qt::transparent);

    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF tile = QRectF(QPointF(0, 0), QSizeF(logical)).adjusted(1.5, 1.5, -1.5, -1.5);

    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(14);
    QColor ink;
    switch (look) {
    case Look::Normal:
        p.setPen(QPen(QColor(0xC9, 0xBC, 0xA4), 1.0));
        p.setBrush(QColor(0xFB, 0xF6, 0xEC));
        p.drawRoundedRect(tile, 3, 3);
        font.setBold(true);
        ink = QColor(0x2F, 0x4F, 0x3F);
        break;
    case Look::Active:
        p.setPen(QPen(QColor(0x8E, 0x32, 0x22), 1.0));
        p.setBrush(QColor(0xC8, 0x4B, 0x31));
        p.drawRoundedRect(tile, 3, 3);
        font.setBold(true);
        font.setPixelSize(15);
        ink = Qt::white;
        break;
    case Look::NoData:
        font.setBold(false);
        ink = QColor(0xB8, 0xB2, 0xA8);
        break;
    }
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRectF(QPointF(0, 0), QSizeF(logical)), Qt::AlignCenter, QString(letter));
    return pm;
}

QIcon LetterArt::icon(QChar letter, Look look)
{
    QIcon icon;
    icon.addPixmap(pixmap(letter, look, 1.0));
    icon.addPixmap(pixmap(letter, look, 2.0));
    return icon;
}

} // namespace ui
