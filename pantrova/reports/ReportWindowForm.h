#pragma once

#include "print/Picture.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QToolButton;

namespace engine {
class Recordset;
}
namespace print {
class VSPrinter;
}

namespace pantrova {

class Print_Form;

// The report window "Pantrova: Report Window": a preview of the report the selection window has
// gathered in the cookbook's `report` table, with buttons to page through it, print it, save it as
// a PDF file, and close.
//
// It builds exactly one document while it loads, in the layout the selection window's options ask
// for: the names-only list, the 5 by 7 cards, or the full recipe report; it reads those options from
// the selection window's controls. The window may be resized; the preview grows with it.
class ReportWindowForm : public QWidget
{
    Q_OBJECT

public:
    explicit ReportWindowForm(Print_Form& selection, QWidget* parent = nullptr);
    ~ReportWindowForm() override;

    print::VSPrinter* VSPrinter1;
    QToolButton* BButton;
    QToolButton* PButton;
    QPushButton* PdfButton;
    QPushButton* PrintButton;
    QPushButton* Command1;
    QLabel* PageLabel;

    // Pictures 1-4 of ImageList1: the "No Picture" box and the Description, Ingredients and
    // Instructions banners.
    print::Picture ImageList1(int index) const;
    // The picture holder LoadRecipePicture fills.
    print::Picture RecipePicture;

    // Loads the picture file the row's Picture field names (relative to the program folder) into
    // RecipePicture; false, and no message, when it cannot be loaded.
    bool LoadRecipePicture(const engine::Recordset& row);

    void Form_Load();
    void BButton_Click();
    void PButton_Click();
    void PrintButton_Click();
    void PdfButton_Click();
    void Command1_Click();

    // The three layouts; Form_Load runs the one the options ask for.
    void PrintRecipeReport();
    void PrintNameList();
    void PrintRecipeCards();

    Print_Form& selection() const { return m_selection; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void connectControls();
    void showPageNumber();

    Print_Form& m_selection;
    std::array<print::Picture, 4> m_pictures;
};

} // namespace pantrova
