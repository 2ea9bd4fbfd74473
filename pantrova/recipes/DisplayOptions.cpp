#include "DisplayOptions.h"

#include "RecipeNew.h"

#include "ui/PlainTextBox.h"
#include <QAction>
#include <QKeySequence>
#include <QLineEdit>

namespace pantrova {

void DisplayOptions::applyBold(RecipeNew& w, bool bold)
{
    // The ingredient box holds plain text, so its weight is the box's, like the others'.
    for (QWidget* box : {static_cast<QWidget*>(w.Recipe_Name), static_cast<QWidget*>(w.Text1),
                         static_cast<QWidget*>(w.Description), static_cast<QWidget*>(w.Ingrediants),
                         static_cast<QWidget*>(w.Instructions)}) {
        QFont font = box->font();
        font.setBold(bold);
        box->setFont(font);
    }
}

void DisplayOptions::addShortcuts(RecipeNew& w)
{
    const auto keys = [](int key) { return QKeySequence(Qt::CTRL | Qt::Key(key)); };
    w.AddRecipeMenu->setShortcut(keys(Qt::Key_N));
    w.saverecipemenu->setShortcut(keys(Qt::Key_S));
    w.Quit_Menu->setShortcut(keys(Qt::Key_Q));
    // Print has no menu entry, so the toolbar button carries its shortcut.
    w.Toolbar1Button(8)->setShortcut(keys(Qt::Key_P));

    const auto tip = [&](int button, const QKeySequence& sequence) {
        QAction* a = w.Toolbar1Button(button);
        const QString caption = a->text();
        a->setToolTip(caption + QStringLiteral(" (") + sequence.toString(QKeySequence::NativeText) + u')');
    };
    tip(1, keys(Qt::Key_N));
    tip(2, keys(Qt::Key_S));
    tip(8, keys(Qt::Key_P));
}

} // namespace pantrova
