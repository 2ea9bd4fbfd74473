#pragma once

#include <QDialog>

#include <memory>

class QListWidget;
class QPushButton;

namespace pantrova {

class CookbookLibrary;

// The cookbook manager: the list of cookbooks by display name, and buttons to create a cookbook,
// make the selected one current, delete it, or close. It holds the catalogue open while it is
// loaded; the work itself is CookbookLibrary's. It never touches the main window: a switch takes
// effect when the main window is next activated and finds another current cookbook.
class CookBook_Form : public QDialog
{
    Q_OBJECT

public:
    explicit CookBook_Form(QWidget* parent = nullptr);
    ~CookBook_Form() override;

    // CB_Menu: loads the window, runs it modally and unloads it.
    static void ShowModal(QWidget* owner);

    QListWidget* CB_List;
    QPushButton* CreateCB;
    QPushButton* OpenCB;
    QPushButton* DeleteCB;
    QPushButton* ExitCB;

    void Form_Load();
    void Form_Unload();
    void CreateCB_Click();
    void OpenCB_Click();
    void DeleteCB_Click();
    void ExitCB_Click();

protected:
    void done(int result) override;

private:
    QString selectedName() const; // empty when nothing is selected
    void refill();

    std::unique_ptr<CookbookLibrary> m_library;
};

} // namespace pantrova
