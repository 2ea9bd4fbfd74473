#pragma once

#include <QIcon>

namespace pantrova {

// The icons of the recipe toolbar, drawn in code so they stay sharp at any screen resolution:
// add, save, cancel, delete, previous, next, print (the toolbar's buttons 1-6 and 8).
class ToolbarArt
{
public:
    enum class Kind { Add, Save, Cancel, Delete, Previous, Next, Print, Calendar };
    static QIcon icon(Kind kind);
    static QPixmap pixmap(Kind kind, int size, qreal devicePixelRatio);
};

} // namespace pantrova
