#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QPushButton;

namespace vorrin {

// The calendar control's about box: title "About Halvane Cal Control", the control's icon, the
// version line taken from the library's version information, a line about the rights holder and
// an OK button. It stays on top, and closes on OK, on its close command, or by itself once its
// close delay (5000 ms unless a test shortens it) has passed since it was shown.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    // `fileVersion` empty means the library has no version information.
    explicit AboutBox(const QString& fileVersion, QWidget* owner = nullptr);

    // "Halvane Cal Control, Version <fileVersion>", or "Halvane Cal Control" alone.
    static QString versionLine(const QString& fileVersion);
    // The file version of the library this code was loaded from; empty when it has none.
    static QString libraryFileVersion();
    // Shows the box for the library's own version, modally, through the modal seam.
    static void showFor(QWidget* owner);

    int closeDelay() const { return m_closeDelay; }
    void setCloseDelay(int milliseconds) { m_closeDelay = milliseconds; }
    static void setDefaultCloseDelay(int milliseconds);
    static int defaultCloseDelay();

    // The control's icon, drawn rather than loaded so the library needs no resource files.
    static QPixmap icon(int size = 32);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer m_autoClose;
    int m_closeDelay;
};

} // namespace vorrin
