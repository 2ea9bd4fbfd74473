#pragma once

#include <QPixmap>
#include <QString>

namespace pantrova {

// The about window's picture. The shipped artwork "about.png" (Program::shippedDir) is used when
// it is there; otherwise a plain panel with the program's name is painted, so the window never
// shows a hole.
class AboutArtwork
{
public:
    static QSize designSize() { return {420, 236}; }
    static QPixmap load(const QString& programFolder);
    static QPixmap fallback(qreal devicePixelRatio);
};

} // namespace pantrova
