#pragma once

#include "DialogAnswerer.h"

namespace ui {

// The real dialogs: QMessageBox, QInputDialog, QFileDialog and a modal run of the window.
class QtDialogs : public DialogAnswerer
{
public:
    int messageBox(const MessageQuestion& question) override;
    std::optional<QString> inputBox(const InputQuestion& question) override;
    std::optional<QString> openFile(const FileQuestion& question) override;
    int runModal(QWidget& window) override;
    void errorBox(const ErrorQuestion& question) override;

    // "BMP (*.bmp)|*.bmp|JPG (*.jpg)|*.jpg" as a list of Qt name filters ("BMP (*.bmp)", ...).
    static QStringList nameFilters(const QString& legacyFilter);
};

} // namespace ui
