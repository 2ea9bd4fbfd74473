#pragma once

class QPainter;

namespace print {

class Document;

// Paints one page of a document: the single render path of the preview, the printout and the PDF.
//
// The painter's coordinates must be twips with the paper's top-left corner at (0, 0); the caller
// sets the transform for its device. `pictureDpi` caps the resolution pictures are decoded at (a
// screen needs far fewer pixels than paper), so a photo is never decoded larger than it is shown.
class PagePainter
{
public:
    static void paint(const Document& document, int page, QPainter& painter, double pictureDpi);
};

} // namespace print
