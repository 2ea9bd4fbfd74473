#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace pantrova {

class FoundRecipesModel;
class RecipeNew;
struct FoundEntry;

// The find window: a tool window beside the main window with a search box, the "All cookbooks"
// check box and the list of recipes found, which follows the typing after a short pause.
//
// Enter in the box or the list, a double-click, or "Show Recipe" shows the chosen recipe in the
// main window (its section, group and letter selected, as after a move); a recipe of another
// cookbook is shown after the cook agrees to switch to that cookbook. Escape closes the window.
// The window closes with the main window.
class FindForm : public QWidget
{
    Q_OBJECT

public:
    explicit FindForm(RecipeNew& mainWindow);
    ~FindForm() override;

    // Opens the main window's find window, or brings it forward with its words selected.
    static FindForm* Open(RecipeNew& mainWindow);

    // The pause after the last key before the list follows the typing.
    static constexpr int kTypingPause = 250;

    QLineEdit* SearchText;
    QCheckBox* AllCookbooks;
    QListView* Results;
    QLabel* Status;
    QPushButton* ShowButton;
    QPushButton* CloseButton;

    // Runs the search for the words in the box now (the pause timer runs it otherwise).
    void Search();
    // Shows the current row's recipe in the main window.
    void ShowButton_Click();

    FoundRecipesModel& results() { return *m_model; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void placeBesideMainWindow();
    void showStatus(int found, bool more, const QStringList& unsearched);

    QPointer<RecipeNew> m_main;
    FoundRecipesModel* m_model;
    QTimer m_pause;
    QString m_searched; // the words of the list shown, to tell whether a search is due
    bool m_searchedAll = false;
};

} // namespace pantrova
