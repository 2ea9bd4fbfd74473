#pragma once

#include "MenuStore.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace print {
class VSPrinter;
}

namespace pantrova {

class CalendarHost;
class MenuCalendar;

// The daily meal planner: a month calendar, the four meal texts of the chosen day on four tabs,
// and the commands to save, delete and print the day's menu.
//
// The window is loaded hidden when the main window loads and stays loaded as long as it (see
// MealPlanner); the main window shows it modally, and its planner panel adds recipes to the
// meal boxes of the day shown here and saves them with SaveMenu. The shown day is the program's
// CurrentMenuDate. While the main window is up, closing this window only hides it.
//
// The window keeps the menus database open (MenuStore) from Form_Load to Form_Unload; menu
// printing works on the same open database (MenusDatabase()).
class MenuForm : public QDialog
{
    Q_OBJECT

public:
    explicit MenuForm(QWidget* parent = nullptr);
    ~MenuForm() override;

    // The loaded planner, or nullptr.
    static MenuForm* Loaded();

    // Controls, under the system's names. Cal is the calendar control (valid while loaded and
    // the control could be created; see calendar()).
    CalendarHost* Cal = nullptr;
    QTabWidget* SSTab1 = nullptr;
    QPlainTextEdit* Breakfast = nullptr;
    QPlainTextEdit* Lunch = nullptr;
    QPlainTextEdit* Dinner = nullptr;
    QPlainTextEdit* Other = nullptr;
    QCheckBox* ADelete = nullptr;
    QPushButton* FullYearButton = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    std::array<QPushButton*, 2> PrintButton{};
    QPushButton* CloseButton = nullptr;
    print::VSPrinter* VSPrinter1 = nullptr; // the print component menu printing uses; never shown

    // The shown day's stored record, empty when the day has no menu.
    std::optional<engine::Bookmark> MenuBookmark;

    // The meal box for a meal number: 0 Breakfast, 1 Lunch, 2 Dinner, 3 Other.
    QPlainTextEdit* mealBox(int meal) const;

    // Public routines.
    void Set_Date();     // shows the menu of CurrentMenuDate
    void Display_Year(); // pops the calendar up with 31 December of the day's year as its end
    void SaveMenu();     // writes the shown day's menu
    void DeleteMenu();   // removes the shown day's stored menu, without asking
    // Menu printing: the shown day, or the Sunday-to-Saturday week around it.
    void PrintDayMenu();
    void PrintWeekMenu();

    // The open menus database, for menu printing.
    engine::Database& MenusDatabase() { return m_store.database(); }
    MenuStore& store() { return m_store; }
    MenuCalendar& calendar() { return *m_calendar; }

    // Window events and handlers.
    void Form_Load();   // throws when the menus database cannot be used
    void Form_Unload(); // closes the database and the calendar; safe to call twice
    void Cal_DateRangeChanged(double dStart, double dEnd);
    void Cal_DateRangeSelect(double dStart, double dEnd);
    void SaveButton_Click();
    void DeleteButton_Click();
    void FullYearButton_Click();
    void CloseButton_Click();
    void PrintButton_Click(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void showChosenDay(double automationDate);

    MenuStore m_store;
    MenuCalendar* m_calendar = nullptr;
    QWidget* m_calendarFrame = nullptr;
    bool m_unloaded = false;
};

} // namespace pantrova
