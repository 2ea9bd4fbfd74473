#include "QtDialogs.h"

#include "ErrorBox.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>

namespace ui {

int QtDialogs::messageBox(const MessageQuestion& question)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(question.title);
    box.setText(question.text);
    switch (question.icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    switch (question.buttons) {
    case MsgButtons::OK:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OKCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return AnswerYes;
    case QMessageBox::No:
        return AnswerNo;
    case QMessageBox::Cancel:
        return AnswerCancel;
    default:
        return question.buttons == MsgButtons::YesNo ? AnswerNo : AnswerOK;
    }
}

std::optional<QString> QtDialogs::inputBox(const InputQuestion& question)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), question.title, question.prompt,
                                               QLineEdit::Normal, question.defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QStringList QtDialogs::nameFilters(const QString& legacyFilter)
{
    const QStringList parts = legacyFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(u';', u' ');
        if (!label.contains(u'('))
            label += QStringLiteral(" (") + patterns + u')';
        filters << label;
    }
    return filters;
}

std::optional<QString> QtDialogs::openFile(const FileQuestion& question)
{
    QFileDialog dialog(QApplication::activeWindow(), question.title, question.directory);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = nameFilters(question.filter);
    dialog.setNameFilters(filters);
    if (question.filterIndex >= 1 && question.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[question.filterIndex - 1]);
    if (!question.fileName.isEmpty())
        dialog.selectFile(question.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void QtDialogs::errorBox(const ErrorQuestion& question)
{
    ErrorBox box(question, QApplication::activeWindow());
    box.exec();
}

int QtDialogs::runModal(QWidget& window)
{
    if (auto* dialog = qobject_cast<QDialog*>(&window))
        return dialog->exec();
    // A plain window run modally: shown application-modal until it is closed or hidden.
    QPointer<QWidget> guard(&window);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    QEventLoop loop;
    while (guard && guard->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    if (guard)
        guard->setWindowModality(Qt::NonModal);
    return 0;
}

} // namespace ui
