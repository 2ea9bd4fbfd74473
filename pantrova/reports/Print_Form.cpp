#include "Print_Form.h"

#include "ReportArt.h"
#include "ReportWindowForm.h"
#include "SelectionGrids.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"
#include "ui/FlexGrid.h"
#include "ui/Named.h"
#include "ui/Twips.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <cmath>

namespace pantrova {

namespace {

constexpr int kNarrow = 4470;
constexpr int kWide = 9090;
constexpr int kDesignHeight = 5655;
constexpr int kFrame = 120; // the widths are the window's outer widths; its borders take this much
constexpr int kFrameWidth = 4215;

using ui::named;

const char* const kScopeCaptions[6] = {
    "Print report for the displayed recipe",
    "Print report for all the recipes in current group",
    "Print report for all the recipes in current section",
    "Print report for all the recipes in cookbook",
    "Print report for selected sections and groups",
    "Print report for selected recipes",
};

// Space on the grids toggles the current row, as a click does.
class SpaceToggles : public QObject
{
public:
    SpaceToggles(QObject* parent, std::function<void()> toggle) : QObject(parent), m_toggle(std::move(toggle))
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
            m_toggle();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_toggle;
};

} // namespace

Print_Form::Print_Form(RecipeNew& mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Dialog), m_main(mainWindow)
{
    setObjectName(QStringLiteral("Print_Form"));
    setWindowTitle(QStringLiteral("Report Type"));
    setAccessibleName(windowTitle());

    Label1 = named(new QLabel(QStringLiteral("Select Report Type"), this), "Label1",
                   QStringLiteral("Select Report Type"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Frame1 = named(new QGroupBox(this), "Frame1", QStringLiteral("Select Report Type"));
    for (int i = 0; i < 6; ++i) {
        const QString caption = QString::fromLatin1(kScopeCaptions[i]);
        Report_Option[size_t(i)] = named(new QRadioButton(caption, Frame1), "Report_Option", caption);
        Report_Option[size_t(i)]->setObjectName(QStringLiteral("Report_Option_%1").arg(i));
    }
    Report_Option[0]->setChecked(true);
    const auto check = [this](const char* name, const char* caption, bool ticked) {
        auto* box =
            named(new QCheckBox(QString::fromLatin1(caption), this), name, QString::fromLatin1(caption));
        box->setChecked(ticked);
        return box;
    };
    ListCheck = check("ListCheck", "Print list report. (displays name only)", false);
    ServingInfo = check("ServingInfo", "Include Serving Information on Report", false);
    CardPrint = check("CardPrint", "Print Recipes on 5 by 7 cards", false);
    NewPageSkip = check("NewPageSkip", "Start each Recipe on New Page", true);
    HTMLCheck1 = check("HTMLCheck1", "Create Recipe Report as HTML document", false);
    PrintButton = named(new QPushButton(QStringLiteral("Display Report"), this), "PrintButton",
                        QStringLiteral("Display Report"));
    Command1 = named(new QPushButton(QStringLiteral("Close"), this), "Command1", QStringLiteral("Close"));
    Label2 = named(new QLabel(QStringLiteral("Select Desired Sections/Groups to print"), this), "Label2",
                   QStringLiteral("Select Desired Sections/Groups to print"));
    Label2->setFont(bold);
    Grid1 = named(new ui::FlexGrid(this), "Grid1", QStringLiteral("Recipe sections and groups"));
    Grid2 = named(new ui::FlexGrid(this), "Grid2", QStringLiteral("Recipes"));
    Grid2->hide();
    m_grids = std::make_unique<SelectionGrids>(*Grid1, *Grid2, ImageList1(1), ImageList1(2));

    placeControls();
    connectControls();
    setFormWidth(kNarrow);
}

Print_Form::~Print_Form() = default;

QPixmap Print_Form::ImageList1(int index) const
{
    return ReportArt::mark(index);
}

void Print_Form::placeControls()
{
    using ui::Twips;
    // The design is in twips; where the captions need more room in the current font, the left
    // column widens and the grids move right with it.
    int needed = 0;
    for (QRadioButton* option : Report_Option)
        needed = std::max(needed, option->sizeHint().width() + Twips::toPixelsX(240));
    for (QCheckBox* box : {ListCheck, ServingInfo, CardPrint, NewPageSkip, HTMLCheck1})
        needed = std::max(needed, box->sizeHint().width() + Twips::toPixelsX(60));
    m_extraWidth = std::max(0, needed - Twips::toPixelsX(kFrameWidth));
    const int extra = m_extraWidth;

    const auto place = [](QWidget* w, int left, int top, int width, int height, int widen = 0,
                          int shift = 0) {
        w->setGeometry(Twips::toPixelsX(left) + shift, Twips::toPixelsY(top), Twips::toPixelsX(width) + widen,
                       std::max(Twips::toPixelsY(height), w->sizeHint().height()));
    };
    place(Label1, 120, 90, kFrameWidth - 60, 285, extra);
    place(Frame1, 60, 450, kFrameWidth, 2895, extra);
    for (int i = 0; i < 6; ++i)
        place(Report_Option[size_t(i)], 120, 240 + i * 430, kFrameWidth - 240, 330, extra);
    int top = 3420;
    for (QCheckBox* box : {ListCheck, ServingInfo, CardPrint, NewPageSkip, HTMLCheck1}) {
        place(box, 120, top, kFrameWidth - 60, 300, extra);
        top += 330;
    }
    place(PrintButton, 120, 5160, 1950, 375);
    place(Command1, 2220, 5160, 1950, 375);
    place(Label2, 4410, 60, 4560, 285, 0, extra);
    place(Grid1, 4410, 360, 4560, 5250, 0, extra);
    place(Grid2, 4410, 360, 4560, 5250, 0, extra);
}

void Print_Form::setFormWidth(int twips)
{
    m_width = twips;
    setFixedSize(ui::Twips::toPixelsX(twips - kFrame) + m_extraWidth, ui::Twips::toPixelsY(kDesignHeight));
}

void Print_Form::connectControls()
{
    const auto on = [this](auto* sender, auto signal, const QString& what, auto handler) {
        connect(sender, signal, this,
                [what, handler](auto... args) { ui::guarded(what, [&] { handler(args...); }); });
    };
    for (int i = 0; i < 6; ++i)
        on(Report_Option[size_t(i)], &QRadioButton::toggled, QStringLiteral("Choosing the report"),
           [this, i](bool chosen) {
               if (chosen)
                   Report_Option_Click(i);
           });
    on(ListCheck, &QCheckBox::clicked, QStringLiteral("Choosing the report"),
       [this](bool) { ListCheck_Click(); });
    on(Grid1, &ui::FlexGrid::Click, QStringLiteral("Marking the recipe groups"), [this] { Grid1_Click(); });
    on(Grid2, &ui::FlexGrid::Click, QStringLiteral("Marking the recipes"), [this] { Grid2_Click(); });
    on(PrintButton, &QPushButton::clicked, QStringLiteral("Preparing the report"),
       [this](bool) { PrintButton_Click(); });
    on(Command1, &QPushButton::clicked, QStringLiteral("Closing the report selection"),
       [this](bool) { Command1_Click(); });
    Grid1->table()->installEventFilter(new SpaceToggles(this, [this] {
        ui::guarded(QStringLiteral("Marking the recipe groups"), [this] { Grid1_Click(); });
    }));
    Grid2->table()->installEventFilter(new SpaceToggles(
        this, [this] { ui::guarded(QStringLiteral("Marking the recipes"), [this] { Grid2_Click(); }); }));
    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    addAction(escape);
    connect(escape, &QAction::triggered, this, [this] { Command1_Click(); });
}

bool Print_Form::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        ui::guarded(QStringLiteral("Showing the report selection"), [this] { Form_Activate(); });
    return QWidget::event(e);
}

void Print_Form::Form_Load()
{
    ListCheck->setEnabled(false);
    engine::Database& cookbook = program().Cookbook;
    m_grids->SetUpGrids();
    m_grids->FillSections(cookbook);
    m_grids->FillRecipes(cookbook);
    setFormWidth(kNarrow);
}

void Print_Form::Form_Activate()
{
    if (!Report_Option[4]->isChecked() && !Report_Option[5]->isChecked())
        setFormWidth(kNarrow);
}

void Print_Form::Report_Option_Click(int index)
{
    if (index <= 3) {
        setFormWidth(kNarrow);
    } else {
        setFormWidth(kWide);
        Grid1->setVisible(index == 4);
        Grid2->setVisible(index == 5);
    }
    if (index == 0) {
        if (ListCheck->isChecked()) {
            ListCheck->setChecked(false);
            ListCheck_Click();
        }
        ListCheck->setEnabled(false);
    } else {
        ListCheck->setEnabled(true);
    }
}

void Print_Form::ListCheck_Click()
{
    if (ListCheck->isChecked())
        CardPrint->setChecked(false);
    CardPrint->setEnabled(!ListCheck->isChecked());
}

void Print_Form::Grid1_Click()
{
    m_grids->SectionGridClick();
}

void Print_Form::Grid2_Click()
{
    m_grids->RecipeGridClick();
}

int Print_Form::SelectedOption() const
{
    for (int i = 0; i < 6; ++i)
        if (Report_Option[size_t(i)]->isChecked())
            return i;
    return 0;
}

ReportScope Print_Form::CurrentScope() const
{
    ReportScope scope;
    scope.option = SelectedOption();
    scope.section = program().CurrentSection;
    scope.group = program().CurrentGroup;
    scope.recipeName = m_main.Recipe_Name->text();
    scope.recipeNumber = std::abs(numberOr(m_main.Text1->text(), 1));
    if (scope.option == 4)
        scope.groups = m_grids->MarkedGroups();
    if (scope.option == 5)
        scope.recipes = m_grids->MarkedRecipes();
    return scope;
}

ReportTable Print_Form::table() const
{
    return ReportTable(program().Cookbook, program().CurrentCookbookFile);
}

void Print_Form::AddToReport(const QString& where, const QList<engine::Value>& params)
{
    table().AddToReport(where, params);
}

void Print_Form::LabelNewReportRows(const QString& sectionName, const QString& groupName)
{
    table().LabelNewReportRows(sectionName, groupName);
}

void Print_Form::PrintButton_Click()
{
    std::unique_ptr<ReportWindowForm> report;
    {
        const ui::BusyCursor busy;
        table().Fill(CurrentScope());
        report = std::make_unique<ReportWindowForm>(*this, &m_main);
        report->Form_Load();
    }
    hide();
    QCoreApplication::processEvents();
    ui::Dialogs::runModal(*report);
    report.reset();
    setFormWidth(kWide);
    show();
    Form_Activate();
}

void Print_Form::Command1_Click()
{
    close();
}

} // namespace pantrova
