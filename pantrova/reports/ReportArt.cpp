#include "ReportArt.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace pantrova {

namespace {

const QColor kInk(0x3A, 0x35, 0x2F);
const QColor kAccent(0xC8, 0x4B, 0x31);
const QColor kDarkRed(0x8B, 0x10, 0x10);
const QColor kWood(0xA8, 0x6B, 0x32);
const QColor kWoodDark(0x6E, 0x42, 0x1C);
const QColor kBrass(0xD9, 0xA4, 0x41);
const QColor kGlass(0xDC, 0xEE, 0xF2);

QImage canvas(QSize design, qreal scale)
{
    QImage image(design * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    return image;
}

// A small wooden chest with a brass lock, in a 56 by 56 box.
void drawChest(QPainter& p, const QPointF& at)
{
    p.save();
    p.translate(at);
    p.setPen(QPen(kWoodDark, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath lid;
    lid.moveTo(6, 24);
    lid.cubicTo(6, 10, 50, 10, 50, 24);
    lid.closeSubpath();
    p.setBrush(kWood.lighter(115));
    p.drawPath(lid);
    p.setBrush(kWood);
    p.drawRoundedRect(QRectF(6, 24, 44, 26), 2, 2);
    p.setPen(QPen(kWoodDark, 1.2));
    p.drawLine(QPointF(6, 36), QPointF(50, 36));
    p.setBrush(kBrass);
    p.setPen(QPen(kWoodDark, 1.0));
    p.drawRect(QRectF(24, 22, 8, 10));
    p.drawEllipse(QPointF(28, 27.5), 1.3, 1.3);
    p.restore();
}

// A glass jar of vegetables, in a 56 by 56 box.
void drawJar(QPainter& p, const QPointF& at)
{
    p.save();
    p.translate(at);
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(QColor(0x8C, 0x8C, 0x8C));
    p.drawRoundedRect(QRectF(14, 4, 28, 8), 2, 2);
    QPainterPath jar;
    jar.addRoundedRect(QRectF(10, 12, 36, 40), 7, 7);
    p.setBrush(kGlass);
    p.drawPath(jar);
    p.setClipPath(jar);
    p.setPen(Qt::NoPen);
    const struct
    {
        QPointF c;
        double r;
        QColor colour;
    } pieces[] = {{{18, 44}, 6, QColor(0xE0, 0x7A, 0x1F)}, {{31, 45}, 7, QColor(0x4E, 0x9A, 0x3A)},
                  {{40, 36}, 5, QColor(0xC8, 0x2A, 0x2A)}, {{22, 32}, 5, QColor(0xE8, 0xC5, 0x3A)},
                  {{34, 26}, 5, QColor(0x4E, 0x9A, 0x3A)}, {{17, 21}, 4, QColor(0xC8, 0x2A, 0x2A)}};
    for (const auto& piece : pieces) {
        p.setBrush(piece.colour);
        p.drawEllipse(piece.c, piece.r, piece.r);
    }
    p.setClipping(false);
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 18), QPointF(15, 30));
    p.restore();
}

void drawWord(QPainter& p, const QRectF& box, const QString& word, double pixelSize)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(int(pixelSize));
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(kDarkRed);
    p.drawText(box, Qt::AlignVCenter | Qt::AlignLeft, word);
}

} // namespace

QPixmap ReportArt::mark(int index, qreal devicePixelRatio)
{
    QPixmap pm(QSize(12, 12) * devicePixelRatio);
    pm.setDevicePixelRatio(devicePixelRatio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.75, 0.75, 10.5, 10.5);
    if (index == 2) {
        p.setPen(QPen(kAccent.darker(120), 1.0));
        p.setBrush(kAccent);
        p.drawRoundedRect(box, 2, 2);
        p.setPen(QPen(Qt::white, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        QPainterPath tick;
        tick.moveTo(3.0, 6.2);
        tick.lineTo(5.1, 8.4);
        tick.lineTo(9.0, 3.8);
        p.drawPath(tick);
    } else {
        p.setPen(QPen(QColor(0x8A, 0x82, 0x78), 1.0));
        p.setBrush(Qt::white);
        p.drawRoundedRect(box, 2, 2);
    }
    return pm;
}

QImage ReportArt::picture(Banner which, qreal scale)
{
    if (which == Banner::NoPicture) {
        QImage image = canvas({200, 200}, scale);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kInk, 2));
        p.setBrush(QColor(0xF4, 0xEF, 0xE6));
        p.drawRect(QRectF(2, 2, 196, 196));
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(26);
        font.setBold(true);
        p.setFont(font);
        p.setPen(kInk);
        p.drawText(QRectF(0, 0, 200, 200), Qt::AlignCenter, QStringLiteral("No\nPicture"));
        return image;
    }

    QImage image = canvas({225, 70}, scale);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    // A thin rule under the word ties the banner to the text beside it.
    p.setPen(QPen(kDarkRed.lighter(160), 1.0));
    p.drawLine(QPointF(68, 56), QPointF(220, 56));
    const QRectF wordBox(68, 8, 155, 46);
    switch (which) {
    case Banner::Description:
        drawChest(p, {6, 7});
        drawWord(p, wordBox, QStringLiteral("Description"), 24);
        break;
    case Banner::Ingredients:
        drawJar(p, {6, 7});
        drawWord(p, wordBox, QStringLiteral("Ingredients"), 24);
        break;
    case Banner::Instructions:
        drawChest(p, {6, 7});
        drawWord(p, wordBox, QStringLiteral("Instructions"), 24);
        break;
    case Banner::NoPicture:
        break;
    }
    return image;
}

} // namespace pantrova
