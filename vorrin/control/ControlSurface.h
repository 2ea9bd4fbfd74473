#pragma once

#include <QPointer>
#include <QWidget>

namespace vorrin {

class VorrinCtl;

// The calendar control's own window inside its host: it draws the control's surface (ambient
// background, border, design-time icon), holds the calendar window, and hands the focus on to it.
// It only forwards to its control, which may be gone before the widget is.
class ControlSurface : public QWidget
{
    Q_OBJECT

public:
    ControlSurface(VorrinCtl* control, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QPointer<VorrinCtl> m_control;
};

} // namespace vorrin
