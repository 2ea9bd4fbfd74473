#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace print {

// The window shown while a document goes to the printer: which page is being sent, of which
// document, to which printer, with a Cancel button. Cancel stops the run after the page being
// sent; the pages already sent are printed.
class PrintProgress : public QDialog
{
    Q_OBJECT

public:
    PrintProgress(const QString& documentName, const QString& device, const QString& place,
                  QWidget* parent = nullptr);

    // The texts of the window, as they have always read.
    static QString caption() { return QStringLiteral("Printing..."); }
    static QString cancelText() { return QStringLiteral("Cancel"); }
    static QString pageText() { return QStringLiteral("Now printing Page %d of"); }
    static QString deviceText() { return QStringLiteral("on the %s on %s"); }

    void setPage(int page);
    bool isCancelled() const { return m_cancelled; }
    void cancel();

    QLabel* PageLabel;
    QLabel* DocumentLabel;
    QLabel* DeviceLabel;
    QPushButton* CancelButton;

protected:
    void reject() override;

private:
    bool m_cancelled = false;
};

} // namespace print
