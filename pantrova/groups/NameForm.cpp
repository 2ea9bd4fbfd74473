#include "NameForm.h"

#include "GroupStore.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pantrova {

NameForm::NameForm(const QString& objectName, const QString& accessibleName, const QString& prompt,
                   const std::optional<QString>& presentName, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setWindowTitle(QString());
    setModal(true);

    Label1 = new QLabel(prompt, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    if (presentName) {
        Label2 = new QLabel(*presentName, this);
        Label2->setObjectName(QStringLiteral("Label2"));
        Label2->setAccessibleName(QStringLiteral("Present name"));
        Label2->setTextFormat(Qt::PlainText);
        QFont bold = Label2->font();
        bold.setBold(true);
        Label2->setFont(bold);
    }
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(prompt.trimmed());
    Label1->setBuddy(Text1);

    ApplyButton = new QPushButton(QStringLiteral("Apply"), this);
    ApplyButton->setObjectName(QStringLiteral("ApplyButton"));
    ApplyButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ApplyButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    if (Label2)
        layout->addWidget(Label2);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Text1->setMinimumWidth(Text1->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);

    connect(ApplyButton, &QPushButton::clicked, this,
            [this] { ui::guarded(QStringLiteral("Storing the name"), [this] { ApplyButton_Click(); }); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

void NameForm::ApplyButton_Click()
{
    // Blanks alone would store an empty name: a group nobody could select or delete.
    if (Text1->text().trimmed().isEmpty())
        return;
    const QString name = GroupStore::storedName(Text1->text());
    if (m_store && !m_store(name)) {
        ui::Dialogs::messageBox(QStringLiteral("Name exists"), ui::MsgButtons::OK, ui::MsgIcon::Information);
        Text1->clear();
        Text1->setFocus();
        return;
    }
    accept();
}

void NameForm::CancelButton_Click()
{
    reject();
}

AddGroupNameForm::AddGroupNameForm(QWidget* parent)
    : NameForm(QStringLiteral("AddGroupNameForm"), QStringLiteral("Add a new Recipe Group"),
               QStringLiteral("Enter a name for the new recipe group: "), std::nullopt, parent)
{}

ChangeGroupNameForm::ChangeGroupNameForm(const QString& presentName, QWidget* parent)
    : NameForm(QStringLiteral("ChangeGroupNameForm"), QStringLiteral("Change Recipe Group name"),
               QStringLiteral("Enter a new name for the recipe group: "), presentName, parent)
{}

ChangeSectionNameForm::ChangeSectionNameForm(const QString& presentName, QWidget* parent)
    : NameForm(QStringLiteral("ChangeSectionNameForm"), QStringLiteral("Change Recipe Section Name"),
               QStringLiteral("Enter a new name for the recipe section: "), presentName, parent)
{}

} // namespace pantrova
