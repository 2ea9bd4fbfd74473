#include "AboutArtwork.h"

#include <QDir>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace pantrova {

QPixmap AboutArtwork::load(const QString& programFolder)
{
    QPixmap art(QDir(programFolder).filePath(QStringLiteral("about.png")));
    if (art.isNull())
        return fallback(2.0);
    // The file is drawn at twice the design size so it stays sharp on high-resolution screens.
    art.setDevicePixelRatio(qreal(art.width()) / designSize().width());
    return art;
}

QPixmap AboutArtwork::fallback(qreal devicePixelRatio)
{
    const QSize size = designSize();
    QPixmap pm(size * devicePixelRatio);
    pm.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0xFB, 0xF6, 0xEC));
    g.setColorAt(1, QColor(0xF1, 0xE4, 0xCC));
    p.fillRect(QRect(QPoint(), size), g);
    QFont title(QStringLiteral("Liberation Serif"));
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0x8E, 0x32, 0x22));
    p.drawText(QRect(QPoint(), size), Qt::AlignCenter, QStringLiteral("Pantrova"));
    return pm;
}

} // namespace pantrova
