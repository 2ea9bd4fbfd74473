#pragma once

#include <QImage>
#include <QLabel>

namespace pantrova {

// The picture box of the recipe page: shows one picture as large as the box allows without
// distorting it (scaled up or down, centred, its proportions kept), and follows the box's size.
// The picture never makes the box ask for more room, so a large photo cannot push the page apart.
class ScaledPicture : public QLabel
{
    Q_OBJECT

public:
    explicit ScaledPicture(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    void clearPicture();
    QImage picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }

    // Where the picture is drawn inside the box (empty when there is none).
    QRect pictureRect() const;

    QSize sizeHint() const override { return {150, 100}; }
    QSize minimumSizeHint() const override { return {150, 100}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

} // namespace pantrova
