#pragma once

#include "DialogAnswerer.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ui {

// The error box a person sees: what failed, the file and the cause in plain words, an "OK" button,
// and a "Details" button that shows the technical details (statement, engine message) below.
class ErrorBox : public QDialog
{
public:
    explicit ErrorBox(const ErrorQuestion& question, QWidget* parent = nullptr);

    QPushButton* okButton() const { return m_ok; }
    QPushButton* detailsButton() const { return m_detailsButton; }
    QPlainTextEdit* detailsText() const { return m_details; }
    QLabel* text() const { return m_text; }

private:
    QLabel* m_text;
    QPushButton* m_ok;
    QPushButton* m_detailsButton;
    QPlainTextEdit* m_details;
};

} // namespace ui
