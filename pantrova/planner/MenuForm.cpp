#include "MenuForm.h"

#include "CalendarHost.h"
#include "MenuCalendar.h"
#include "MenuDays.h"
#include "MenuPlannerPanel.h"
#include "data/Value.h"
#include "print/VSPrinter.h"
#include "reports/MenuPrinting.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace pantrova {

namespace {

using ui::named;

QPushButton* button(const QString& caption, const QString& name)
{
    auto* b = named(new QPushButton(caption), name, caption.simplified());
    // Enter belongs to the meal texts, never to a button.
    b->setAutoDefault(false);
    return b;
}

} // namespace

MenuForm::MenuForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MenuForm"));
    setWindowTitle(QStringLiteral("Daily Meal Planner"));
    setAccessibleName(windowTitle());
    setSizeGripEnabled(true);
    buildControls();
    m_calendar = new MenuCalendar(
        m_calendarFrame, [this](QDate from, QDate until) { return m_store.daysWithMenus(from, until); },
        this);
    Cal = &m_calendar->host();
    connectControls();
}

MenuForm::~MenuForm()
{
    Form_Unload();
}

MenuForm* MenuForm::Loaded()
{
    return qobject_cast<MenuForm*>(program().menuForm.data());
}

void MenuForm::buildControls()
{
    VSPrinter1 =
        named(new print::VSPrinter(this), QStringLiteral("VSPrinter1"), QStringLiteral("Menu printing"));
    VSPrinter1->hide();
    m_calendarFrame = named(new QWidget, QStringLiteral("CalFrame"), QStringLiteral("Calendar"));

    Label1 = named(new QLabel(QStringLiteral("Daily Menu for:")), QStringLiteral("Label1"),
                   QStringLiteral("Daily Menu for:"));
    Label3 = named(new QLabel, QStringLiteral("Label3"), QStringLiteral("Day"));
    Label2 = named(new QLabel, QStringLiteral("Label2"), QStringLiteral("Weekday"));
    QFont headingFont = Label3->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.35);
    Label3->setFont(headingFont);
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont weekdayFont = Label2->font();
    weekdayFont.setPointSizeF(weekdayFont.pointSizeF() * 1.15);
    Label2->setFont(weekdayFont);

    FullYearButton = button(QStringLiteral("Display Full Year"), QStringLiteral("FullYearButton"));
    FullYearButton->setToolTip(QStringLiteral("Pick the day from the months of the whole year"));

    SSTab1 = named(new QTabWidget, QStringLiteral("SSTab1"), QStringLiteral("Meals"));
    const std::array<QString, 4> meals{QStringLiteral("Breakfast"), QStringLiteral("Lunch"),
                                       QStringLiteral("Dinner"), QStringLiteral("Other")};
    std::array<QPlainTextEdit*, 4> boxes{};
    for (size_t i = 0; i < meals.size(); ++i) {
        boxes[i] = named(new QPlainTextEdit, meals[i], meals[i]);
        boxes[i]->setTabChangesFocus(true);
        auto* page = named(new QWidget, QStringLiteral("SSTab1_") + meals[i], meals[i]);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(6, 6, 6, 6);
        pageLayout->addWidget(boxes[i]);
        SSTab1->addTab(page, meals[i]);
    }
    Breakfast = boxes[0];
    Lunch = boxes[1];
    Dinner = boxes[2];
    Other = boxes[3];

    ADelete =
        named(new QCheckBox(QStringLiteral("Automatically Delete this Day's Menu after Date has passed")),
              QStringLiteral("ADelete"),
              QStringLiteral("Automatically Delete this Day's Menu after Date has passed"));

    SaveButton = button(QStringLiteral("Save Menu"), QStringLiteral("SaveButton"));
    SaveButton->setToolTip(QStringLiteral("Save this day's menu (Ctrl+S)"));
    DeleteButton = button(QStringLiteral("Delete Menu"), QStringLiteral("DeleteButton"));
    PrintButton[0] = button(QStringLiteral("Print  Current Day's Menu"), QStringLiteral("PrintButton_0"));
    PrintButton[1] = button(QStringLiteral("Print Current Week's Menu"), QStringLiteral("PrintButton_1"));
    CloseButton = button(QStringLiteral("Close"), QStringLiteral("CloseButton"));

    auto* heading = new QGridLayout;
    heading->setHorizontalSpacing(8);
    heading->setVerticalSpacing(2);
    heading->addWidget(Label1, 0, 0, Qt::AlignLeft | Qt::AlignBottom);
    heading->addWidget(Label3, 0, 1, Qt::AlignLeft | Qt::AlignBottom);
    heading->addWidget(Label2, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    heading->setColumnStretch(2, 1);

    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    left->addWidget(m_calendarFrame, 0, Qt::AlignHCenter);
    left->addWidget(FullYearButton);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addLayout(heading);
    right->addWidget(SSTab1, 1);
    right->addWidget(ADelete);

    auto* commands = new QHBoxLayout;
    commands->setSpacing(6);
    commands->addWidget(SaveButton);
    commands->addWidget(DeleteButton);
    commands->addSpacing(12);
    commands->addWidget(PrintButton[0]);
    commands->addWidget(PrintButton[1]);
    commands->addStretch(1);
    commands->addWidget(CloseButton);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setHorizontalSpacing(14);
    layout->setVerticalSpacing(10);
    layout->addLayout(left, 0, 0);
    layout->addLayout(right, 0, 1);
    layout->addLayout(commands, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    resize(720, 420);
}

void MenuForm::connectControls()
{
    auto on = [this](auto* sender, auto signal, const QString& what, auto handler) {
        connect(sender, signal, this,
                [what, handler](auto... args) { ui::guarded(what, [&] { handler(args...); }); });
    };
    on(SaveButton, &QPushButton::clicked, QStringLiteral("Saving the menu"),
       [this](bool) { SaveButton_Click(); });
    on(DeleteButton, &QPushButton::clicked, QStringLiteral("Deleting the menu"),
       [this](bool) { DeleteButton_Click(); });
    on(FullYearButton, &QPushButton::clicked, QStringLiteral("Showing the full year"),
       [this](bool) { FullYearButton_Click(); });
    on(CloseButton, &QPushButton::clicked, QStringLiteral("Closing the planner"),
       [this](bool) { CloseButton_Click(); });
    on(PrintButton[0], &QPushButton::clicked, QStringLiteral("Printing the day's menu"),
       [this](bool) { PrintButton_Click(0); });
    on(PrintButton[1], &QPushButton::clicked, QStringLiteral("Printing the week's menu"),
       [this](bool) { PrintButton_Click(1); });
    on(Cal, &CalendarHost::DateRangeChanged, QStringLiteral("Showing the day's menu"),
       [this](double start, double end) { Cal_DateRangeChanged(start, end); });
    on(Cal, &CalendarHost::DateRangeSelect, QStringLiteral("Showing the day's menu"),
       [this](double start, double end) { Cal_DateRangeSelect(start, end); });
    auto* save = new QShortcut(QKeySequence::Save, this);
    on(save, &QShortcut::activated, QStringLiteral("Saving the menu"), [this] { SaveButton_Click(); });
}

QPlainTextEdit* MenuForm::mealBox(int meal) const
{
    switch (meal) {
    case 0:
        return Breakfast;
    case 1:
        return Lunch;
    case 2:
        return Dinner;
    case 3:
        return Other;
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Load and unload.

void MenuForm::Form_Load()
{
    Program& p = program();
    m_unloaded = false;
    m_store.open(p.programDir());
    p.CurrentMenuDate = QDate::currentDate();
    // Menus marked for it go once their day has passed; a menu of today stays until tomorrow.
    // A purge that cannot be written (a read-only file) must not keep the planner away.
    ui::guarded(QStringLiteral("Removing the past menus"), [&] { m_store.purgeBefore(p.CurrentMenuDate); });
    if (m_calendar->create())
        m_calendar->setDate(p.CurrentMenuDate);
    Set_Date();
}

void MenuForm::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_calendar)
        m_calendar->release();
    m_store.close();
    MenuBookmark.reset();
}

void MenuForm::closeEvent(QCloseEvent* event)
{
    if (program().MainWindowActive) {
        // The planner lives as long as the main window: closing it only puts it away.
        event->ignore();
        hide();
        return;
    }
    event->accept();
    Form_Unload();
    if (program().menuForm == this)
        program().menuForm = nullptr;
    deleteLater();
}

// ---------------------------------------------------------------------------------------------
// Public routines.

void MenuForm::Set_Date()
{
    const QDate day = program().CurrentMenuDate;
    if (!day.isValid())
        return;
    // Read first: a failing read leaves the window showing the day it showed.
    const std::optional<StoredMenu> stored = m_store.find(day);

    SaveButton->setEnabled(true);
    PrintButton[0]->setEnabled(true);
    PrintButton[1]->setEnabled(true);
    ADelete->setChecked(false);
    if (!stored) {
        for (int meal = 0; meal < 4; ++meal)
            mealBox(meal)->setPlainText(QString());
        MenuBookmark.reset();
        DeleteButton->setEnabled(false);
    } else {
        for (int meal = 0; meal < 4; ++meal)
            mealBox(meal)->setPlainText(stored->meals[size_t(meal)]);
        MenuBookmark = stored->bookmark;
        DeleteButton->setEnabled(true);
        ADelete->setChecked(stored->autodelete);
    }
    MenuPlannerPanel::ShowPlannerDay();
    Label3->setText(MenuDays::headingText(day));
    Label2->setText(MenuDays::englishWeekdayName(day));
    FullYearButton->setText(QStringLiteral("Display Full Year: ") + QString::number(day.year()));
    FullYearButton->setAccessibleName(FullYearButton->text());
}

void MenuForm::Display_Year()
{
    m_calendar->setEndDate(MenuDays::lastDayOfYear(program().CurrentMenuDate));
    Set_Date();
    m_calendar->popup(); // a pick raises the range events, which show the picked day
    Set_Date();
}

void MenuForm::SaveMenu()
{
    MealTexts meals;
    QString joined;
    for (int meal = 0; meal < 4; ++meal) {
        meals[size_t(meal)] = mealBox(meal)->toPlainText();
        joined += meals[size_t(meal)];
    }
    if (joined.isEmpty())
        return; // nothing to keep; a menu stored for the day stays as it was
    const bool isNew = !MenuBookmark;
    MenuBookmark = m_store.save(program().CurrentMenuDate, meals, Label2->text(), ADelete->isChecked());
    if (isNew)
        DeleteButton->setEnabled(true);
    m_calendar->refreshBoldDays();
    ui::Dialogs::messageBox(QStringLiteral("Menu has been saved/updated"), ui::MsgButtons::OK,
                            ui::MsgIcon::None, QStringLiteral("Daily Menu Confirmation"));
}

void MenuForm::DeleteMenu()
{
    if (!MenuBookmark)
        return;
    m_store.remove(*MenuBookmark);
    MenuBookmark.reset();
    Set_Date();
    m_calendar->refreshBoldDays();
}

void MenuForm::PrintDayMenu()
{
    MenuPrinting::PrintMenus(*VSPrinter1, MenusDatabase(), program().CurrentMenuDate, false);
}

void MenuForm::PrintWeekMenu()
{
    MenuPrinting::PrintMenus(*VSPrinter1, MenusDatabase(), program().CurrentMenuDate, true);
}

// ---------------------------------------------------------------------------------------------
// Handlers.

void MenuForm::showChosenDay(double automationDate)
{
    const QDate day = engine::fromAutomationDate(automationDate).date();
    if (!day.isValid())
        return;
    Program& p = program();
    const QDate previous = p.CurrentMenuDate;
    p.CurrentMenuDate = day;
    try {
        Set_Date();
    } catch (...) {
        // The texts on show still belong to the previous day: a save must go there.
        p.CurrentMenuDate = previous;
        throw;
    }
}

void MenuForm::Cal_DateRangeChanged(double dStart, double)
{
    showChosenDay(dStart);
}

void MenuForm::Cal_DateRangeSelect(double dStart, double)
{
    showChosenDay(dStart);
}

void MenuForm::SaveButton_Click()
{
    SaveMenu();
}

void MenuForm::DeleteButton_Click()
{
    DeleteMenu();
}

void MenuForm::FullYearButton_Click()
{
    Display_Year();
}

void MenuForm::CloseButton_Click()
{
    hide();
}

void MenuForm::PrintButton_Click(int index)
{
    if (index == 0)
        PrintDayMenu();
    else
        PrintWeekMenu();
}

} // namespace pantrova
