#pragma once

namespace print {

// The dispatch identifiers that bind the print component's operations for automation callers, with
// the operation each one stands for. The program itself calls the operations by name.
namespace dispatch {
enum Id : int {
    FontName = 2,      // Document::fontName / setFontName
    FontSize = 3,      // Document::fontSize / setFontSize (points)
    FontBold = 4,      // Document::fontBold / setFontBold
    PageWidth = 31,    // Document::pageWidth (twips, read)
    PageHeight = 32,   // Document::pageHeight (twips, read)
    TextColor = 38,    // Document::textColor / setTextColor
    MarginLeft = 49,   // Document::setMarginLeft (twips)
    MarginTop = 50,    // Document::setMarginTop
    MarginRight = 51,  // Document::setMarginRight
    MarginBottom = 52, // Document::setMarginBottom
    IndentLeft = 53,   // Document::setLeftIndent (twips from the left margin)
    Columns = 58,      // Document::setColumns
    StartDoc = 65,     // Document::start
    EndDoc = 66,       // Document::end
    Clear = 67,        // Document::clear
    NewPage = 68,      // Document::newPage
    PrintDoc = 70,     // VSPrinter::printDocument
    DrawPicture = 87,  // Document::drawPicture
    PreviewPage = 88,  // VSPrinter::previewPage / setPreviewPage
    Paragraph = 105,   // Document::paragraph
    CurrentX = 106,    // Document::currentX / setCurrentX (twips)
    CurrentY = 107,    // Document::currentY / setCurrentY (twips)
    TextAlign = 108,   // Document::textAlign / setTextAlign (6 left, 7 centred)
    ExportFile = 167,  // Document::exportFile / setExportFile
};
} // namespace dispatch

} // namespace print
