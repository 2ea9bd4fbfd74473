#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pantrova {

// The small modal dialogs that ask for a group or section name: a prompt (Label1), the present
// name where there is one (Label2), the box to type in (Text1), "Apply" and "Cancel".
//
// "Apply" (or Enter) with nothing but blanks typed does nothing. Otherwise the name as stored
// (trimmed, cut to 20 characters) goes to the store call; when that reports the name taken, the
// dialog says "Name exists", empties Text1 and stays open, else it closes accepted. "Cancel",
// Escape and closing the window leave without a change.
class NameForm : public QDialog
{
    Q_OBJECT

public:
    // Stores `name`; false when the name is taken.
    using Store = std::function<bool(const QString& name)>;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr; // the present name; absent from the dialog that adds a group
    QLineEdit* Text1 = nullptr;
    QPushButton* ApplyButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void setStore(Store store) { m_store = std::move(store); }

    void ApplyButton_Click();
    void CancelButton_Click();

protected:
    NameForm(const QString& objectName, const QString& accessibleName, const QString& prompt,
             const std::optional<QString>& presentName, QWidget* parent);

private:
    Store m_store;
};

// Asks for the name of a new group of the current section.
class AddGroupNameForm : public NameForm
{
public:
    explicit AddGroupNameForm(QWidget* parent = nullptr);
};

// Asks for a new name of the current group, showing the present one.
class ChangeGroupNameForm : public NameForm
{
public:
    explicit ChangeGroupNameForm(const QString& presentName, QWidget* parent = nullptr);
};

// Asks for a new name of the current section, showing the present one.
class ChangeSectionNameForm : public NameForm
{
public:
    explicit ChangeSectionNameForm(const QString& presentName, QWidget* parent = nullptr);
};

} // namespace pantrova
