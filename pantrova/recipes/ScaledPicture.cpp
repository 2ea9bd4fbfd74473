#include "ScaledPicture.h"

#include <QPainter>

namespace pantrova {

ScaledPicture::ScaledPicture(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ScaledPicture::setPicture(const QImage& picture)
{
    m_picture = picture;
    QLabel::clear();
    update();
}

void ScaledPicture::clearPicture()
{
    m_picture = QImage();
    QLabel::clear();
    update();
}

QRect ScaledPicture::pictureRect() const
{
    if (m_picture.isNull())
        return {};
    const QRect room = contentsRect().adjusted(2, 2, -2, -2);
    if (room.isEmpty())
        return {};
    const QSize size = m_picture.size().scaled(room.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), size);
    target.moveCenter(room.center());
    return target;
}

void ScaledPicture::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(), m_picture);
}

} // namespace pantrova
