#include "RecipeToolbar.h"

#include "ToolbarArt.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

namespace pantrova {

QAction* RecipeToolbar::Toolbar1Button(int n) const
{
    return n >= 1 && n <= 8 ? m_toolbar1[size_t(n)] : nullptr;
}

void RecipeToolbar::buildToolbar(QWidget* parent)
{
    Toolbar1 = new QToolBar(parent);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setAccessibleName(QStringLiteral("Recipe commands"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(24, 24));

    struct Button
    {
        const char* tip;
        ToolbarArt::Kind art;
    };
    const Button buttons[] = {
        {"Add a new Recipe", ToolbarArt::Kind::Add},     {"Save Recipe", ToolbarArt::Kind::Save},
        {"Cancel recipe add", ToolbarArt::Kind::Cancel}, {"Delete recipe", ToolbarArt::Kind::Delete},
        {"Previous recipe", ToolbarArt::Kind::Previous}, {"Next Recipe", ToolbarArt::Kind::Next},
    };
    int n = 1;
    for (const Button& b : buttons) {
        QAction* a = Toolbar1->addAction(ToolbarArt::icon(b.art), QString::fromLatin1(b.tip));
        a->setToolTip(QString::fromLatin1(b.tip));
        a->setObjectName(QStringLiteral("Toolbar1_") + QString::number(n));
        m_toolbar1[size_t(n++)] = a;
    }
    m_toolbar1[7] = Toolbar1->addSeparator();
    m_toolbar1[7]->setObjectName(QStringLiteral("Toolbar1_7"));
    QAction* print =
        Toolbar1->addAction(ToolbarArt::icon(ToolbarArt::Kind::Print), QStringLiteral("Print Recipe"));
    print->setToolTip(QStringLiteral("Print Recipe"));
    print->setObjectName(QStringLiteral("Toolbar1_8"));
    m_toolbar1[8] = print;

    for (int i = 1; i <= 8; ++i)
        if (auto* button = qobject_cast<QToolButton*>(Toolbar1->widgetForAction(m_toolbar1[size_t(i)]))) {
            button->setObjectName(QStringLiteral("Toolbar1_Button") + QString::number(i));
            button->setAccessibleName(m_toolbar1[size_t(i)]->toolTip());
        }
}

} // namespace pantrova
