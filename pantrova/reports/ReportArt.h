#pragma once

#include <QImage>
#include <QPixmap>

namespace pantrova {

// The pictures of the report windows, drawn by the program itself so they are sharp at any
// resolution: the selection marks of the report selection grids (12 by 12), the "No Picture" box
// (200 by 200) and the three banners of the full report (225 by 70), each given in pixels at 96 per
// inch and drawn finer for high-resolution screens and paper.
class ReportArt
{
public:
    enum class Banner { NoPicture = 1, Description = 2, Ingredients = 3, Instructions = 4 };

    // Mark 1 is a row that is not selected, mark 2 a selected row.
    static QPixmap mark(int index, qreal devicePixelRatio = 3.0);
    // Picture 1-4 of the report window's image list, at `scale` times its design size (the image's
    // device pixel ratio says so, and its natural size stays the design size).
    static QImage picture(Banner which, qreal scale = 3.0);
};

} // namespace pantrova
