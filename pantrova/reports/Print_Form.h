#pragma once

#include "ReportTable.h"

#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ui {
class FlexGrid;
}

namespace pantrova {

class RecipeNew;
class ReportWindowForm;
class SelectionGrids;

// The report selection window "Report Type": the six scopes of a report, the five options, and the
// two grids for choosing sections and groups or single recipes. "Display Report" fills the
// cookbook's `report` table for the chosen scope (ReportTable) and shows the report window
// modally, hiding itself meanwhile; the report window reads the options straight from this
// window's controls.
//
// The window is 4470 twips wide while scopes 0-3 are chosen and 9090 when the grids are needed
// (scopes 4 and 5); the grids and their label lie outside the narrow window. Marks made in the
// grids last until the window is closed, across any number of reports.
class Print_Form : public QWidget
{
    Q_OBJECT

public:
    explicit Print_Form(RecipeNew& mainWindow, QWidget* parent = nullptr);
    ~Print_Form() override;

    QLabel* Label1;
    QGroupBox* Frame1;
    std::array<QRadioButton*, 6> Report_Option{};
    QCheckBox* ListCheck;
    QCheckBox* ServingInfo;
    QCheckBox* CardPrint;
    QCheckBox* NewPageSkip;
    QCheckBox* HTMLCheck1;
    QPushButton* PrintButton;
    QPushButton* Command1;
    QLabel* Label2;
    ui::FlexGrid* Grid1;
    ui::FlexGrid* Grid2;

    // The two marks of ImageList1: 1 a row that is not selected, 2 a selected row.
    QPixmap ImageList1(int index) const;

    void Form_Load();
    void Form_Activate();
    void Report_Option_Click(int index);
    void ListCheck_Click();
    void Grid1_Click();
    void Grid2_Click();
    void PrintButton_Click();
    void Command1_Click();

    void AddToReport(const QString& where, const QList<engine::Value>& params = {});
    void LabelNewReportRows(const QString& sectionName, const QString& groupName);

    // The scope and its choices as the window shows them now.
    ReportScope CurrentScope() const;
    int SelectedOption() const;
    // The width the rules give the window, in twips (4470 or 9090).
    int FormWidth() const { return m_width; }

    RecipeNew& mainWindow() const { return m_main; }
    SelectionGrids& grids() const { return *m_grids; }

protected:
    bool event(QEvent* e) override;

private:
    void placeControls();
    void setFormWidth(int twips);
    void connectControls();
    ReportTable table() const;

    RecipeNew& m_main;
    std::unique_ptr<SelectionGrids> m_grids;
    int m_width = 4470;
    int m_extraWidth = 0; // pixels the captions need beyond the design, in the current font
};

} // namespace pantrova
