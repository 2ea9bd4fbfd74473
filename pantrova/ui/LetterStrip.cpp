#include "LetterStrip.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace ui {

LetterStrip::LetterStrip(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(1);
    for (int i = 1; i <= ButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("Toolbar2_") + QString::number(i));
        b->setAutoRaise(true);
        b->setIcon(LetterArt::icon(letterOf(i), lookOf(i)));
        b->setIconSize(LetterArt::tileSize());
        b->setFocusPolicy(Qt::NoFocus);
        b->setAccessibleName(QString(letterOf(i)));
        connect(b, &QToolButton::clicked, this, [this, i] { emit ButtonClick(i); });
        layout->addWidget(b);
        m_buttons[size_t(i - 1)] = b;
        // Until the window marks the letters, every letter shows its normal look.
        setButtonVisible(i, lookOf(i) == LetterArt::Look::Normal);
    }
    layout->addStretch(1);
}

bool LetterStrip::isButtonVisible(int index) const
{
    return index >= 1 && index <= ButtonCount && m_visible[size_t(index - 1)];
}

void LetterStrip::setButtonVisible(int index, bool visible)
{
    if (index < 1 || index > ButtonCount)
        return;
    m_visible[size_t(index - 1)] = visible;
    m_buttons[size_t(index - 1)]->setVisible(visible);
}

QString LetterStrip::buttonToolTip(int index) const
{
    return index >= 1 && index <= ButtonCount ? m_buttons[size_t(index - 1)]->toolTip() : QString();
}

void LetterStrip::setButtonToolTip(int index, const QString& toolTip)
{
    if (index < 1 || index > ButtonCount)
        return;
    m_buttons[size_t(index - 1)]->setToolTip(toolTip);
    m_buttons[size_t(index - 1)]->setAccessibleName(toolTip);
}

LetterArt::Look LetterStrip::visibleLook(int letter) const
{
    const int base = letter * 3 + 1;
    if (isButtonVisible(base + 1))
        return LetterArt::Look::Active;
    if (isButtonVisible(base))
        return LetterArt::Look::Normal;
    return LetterArt::Look::NoData;
}

QToolButton* LetterStrip::button(int index) const
{
    return index >= 1 && index <= ButtonCount ? m_buttons[size_t(index - 1)] : nullptr;
}

void LetterStrip::click(int index)
{
    if (index >= 1 && index <= ButtonCount)
        emit ButtonClick(index);
}

} // namespace ui
