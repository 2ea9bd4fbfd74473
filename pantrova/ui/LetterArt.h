#pragma once

#include <QChar>
#include <QIcon>

namespace ui {

// The artwork of the letter strip: three clearly different looks of each letter, drawn at one and at
// two device pixels per logical pixel so they stay crisp on high-resolution screens.
//   Normal  - dark letter on a light tile: the letter has recipes.
//   Active  - white bold letter on a strong tile: the letter whose recipes are listed.
//   NoData  - pale letter without a tile: nothing to show.
class LetterArt
{
public:
    enum class Look { Normal = 0, Active = 1, NoData = 2 };

    static QSize tileSize() { return {21, 24}; }
    static QIcon icon(QChar letter, Look look);
    static QPixmap pixmap(QChar letter, Look look, qreal devicePixelRatio);
};

} // namespace ui
