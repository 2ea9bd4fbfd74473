#pragma once

#include "LetterArt.h"

#include <QWidget>

#include <array>

class QToolButton;

namespace ui {

// The letter strip: 78 picture buttons, three per letter A-Z, numbered from 1. Letter k
// (A = 1) owns buttons 3(k-1)+1 (normal look), +2 (active look) and +3 (no-data look); the window
// decides which of the three is visible. Hidden buttons take no room, so the strip shows one tile
// per letter.
//
// Visibility is kept here rather than asked of the widgets, so it reads the same before the
// window is shown. Each button's tooltip is also its accessible name. ButtonClick reports the
// button's number.
class LetterStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ButtonCount = 78;

    explicit LetterStrip(QWidget* parent = nullptr);

    bool isButtonVisible(int index) const;
    void setButtonVisible(int index, bool visible);
    QString buttonToolTip(int index) const;
    void setButtonToolTip(int index, const QString& toolTip);

    // What a person sees for a letter (0 = A): the look of its visible button, if any.
    LetterArt::Look visibleLook(int letter) const;

    QToolButton* button(int index) const;
    // Acts as a click on the button, visible or not (for the window's own use and for tests).
    void click(int index);

    static QChar letterOf(int index) { return QChar(u'A' + (index - 1) / 3); }
    static LetterArt::Look lookOf(int index) { return LetterArt::Look((index - 1) % 3); }

signals:
    void ButtonClick(int index);

private:
    std::array<QToolButton*, ButtonCount> m_buttons{};
    std::array<bool, ButtonCount> m_visible{};
};

} // namespace ui
