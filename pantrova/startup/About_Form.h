#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace pantrova {

// The about window, which is also the splash. In splash mode it shows the artwork and version,
// starts Timer1 when it becomes active, and on the second tick (about two seconds later) opens the
// main window; the main window closes it when it first becomes active. Otherwise it is the about
// box, with a Return button that closes it.
class About_Form : public QDialog
{
    Q_OBJECT

public:
    explicit About_Form(QWidget* parent = nullptr);

    // Shows the about box modally (through the dialog seam).
    static void showAboutBox(QWidget* parent);
    static QString versionText();

    QLabel* Image1;
    QLabel* VersionLabel;
    QLabel* TitleLabel;
    QPushButton* Return_Button;
    QTimer* Timer1;

    void Form_Load();
    void Form_Activate();
    void Timer1_Timer();
    void LeaveStep();
    qint16 ticks() const { return m_ticks; }

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    qint16 m_ticks = 0;
};

} // namespace pantrova
