#include "CookBook_Form.h"

#include "CookbookLibrary.h"
#include "startup/Program.h"
#include "startup/SharedRoutines.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pantrova {

namespace {
const QString kTitle = QStringLiteral("Pantrova - CookBook Utility");

QString createPrompt()
{
    return QStringLiteral("Enter a name for the new CookBook\n\nNOTE: DO NOT USE ANY SPECIAL CHARACTERS!!");
}

QPushButton* addButton(QWidget* parent, QVBoxLayout* column, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    column->addWidget(button);
    return button;
}
} // namespace

CookBook_Form::CookBook_Form(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CookBook_Form"));
    setWindowTitle(kTitle);
    setAccessibleName(kTitle);

    CB_List = new QListWidget(this);
    CB_List->setObjectName(QStringLiteral("CB_List"));
    CB_List->setAccessibleName(QStringLiteral("CookBooks"));
    CB_List->setMinimumWidth(220);

    auto* buttons = new QVBoxLayout;
    CreateCB = addButton(this, buttons, "CreateCB", QStringLiteral("Create a New CookBook"));
    OpenCB = addButton(this, buttons, "OpenCB", QStringLiteral("Open Selected CookBook"));
    DeleteCB = addButton(this, buttons, "DeleteCB", QStringLiteral("Delete Selected CookBook"));
    buttons->addStretch(1);
    ExitCB = addButton(this, buttons, "ExitCB", QStringLiteral("Close CookBook Utility"));
    OpenCB->setDefault(true);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(CB_List, 1);
    layout->addLayout(buttons);

    auto guardedCall = [this](const QString& what, void (CookBook_Form::*handler)()) {
        return [this, what, handler] { ui::guarded(what, [&] { (this->*handler)(); }); };
    };
    const QString opening = QStringLiteral("Opening the cookbook");
    connect(CreateCB, &QPushButton::clicked, this,
            guardedCall(QStringLiteral("Creating the cookbook"), &CookBook_Form::CreateCB_Click));
    connect(OpenCB, &QPushButton::clicked, this, guardedCall(opening, &CookBook_Form::OpenCB_Click));
    connect(DeleteCB, &QPushButton::clicked, this,
            guardedCall(QStringLiteral("Deleting the cookbook"), &CookBook_Form::DeleteCB_Click));
    connect(ExitCB, &QPushButton::clicked, this,
            guardedCall(QStringLiteral("Closing"), &CookBook_Form::ExitCB_Click));
    // A double click (or Enter) on a name opens that cookbook, as the button does.
    connect(CB_List, &QListWidget::itemActivated, this, guardedCall(opening, &CookBook_Form::OpenCB_Click));
}

CookBook_Form::~CookBook_Form()
{
    Form_Unload();
}

void CookBook_Form::ShowModal(QWidget* owner)
{
    CookBook_Form form(owner);
    form.Form_Load();
    ui::Dialogs::runModal(form);
    form.Form_Unload();
}

void CookBook_Form::Form_Load()
{
    const Program& p = program();
    m_library = std::make_unique<CookbookLibrary>(ProgramFolder(p.programDir(), p.shippedDir()));
    refill();
}

void CookBook_Form::Form_Unload()
{
    m_library.reset();
}

void CookBook_Form::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void CookBook_Form::refill()
{
    FillCookbookList(m_library->recipebooks(), *CB_List);
}

QString CookBook_Form::selectedName() const
{
    const QListWidgetItem* item = CB_List->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void CookBook_Form::CreateCB_Click()
{
    if (!m_library)
        return;
    const std::optional<QString> answer = ui::Dialogs::inputBox(createPrompt());
    if (!answer || answer->isEmpty())
        return;
    const CookbookLibrary::Outcome outcome = m_library->create(*answer);
    if (outcome.kind == CookbookLibrary::Outcome::Refused) {
        ui::Dialogs::messageBox(outcome.message, ui::MsgButtons::OK, ui::MsgIcon::Exclamation);
        return;
    }
    if (outcome.kind == CookbookLibrary::Outcome::Unchanged)
        return;
    refill();
    // The new cookbook is the current one now: show it selected.
    const QList<QListWidgetItem*> made = CB_List->findItems(*answer, Qt::MatchExactly);
    if (!made.isEmpty())
        CB_List->setCurrentItem(made.constFirst());
}

void CookBook_Form::OpenCB_Click()
{
    if (!m_library)
        return; // unloaded: a second Enter or double click after the window closed
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    const CookbookLibrary::Outcome outcome = m_library->open(name);
    if (outcome.kind == CookbookLibrary::Outcome::Refused)
        ui::Dialogs::messageBox(outcome.message, ui::MsgButtons::OK, ui::MsgIcon::Exclamation);
    else if (outcome.kind == CookbookLibrary::Outcome::Opened)
        accept();
}

void CookBook_Form::DeleteCB_Click()
{
    if (!m_library)
        return;
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    if (const QString why = CookbookLibrary::whyNotDeletable(name); !why.isEmpty()) {
        ui::Dialogs::messageBox(why);
        return;
    }
    if (ui::Dialogs::messageBox(QStringLiteral("Delete the selected cookbook???"), ui::MsgButtons::YesNo) !=
        ui::AnswerYes)
        return;
    if (m_library->remove(name))
        refill();
}

void CookBook_Form::ExitCB_Click()
{
    reject();
}

} // namespace pantrova
