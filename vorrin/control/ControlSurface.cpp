#include "ControlSurface.h"

#include "MonthCalendar.h"
#include "VorrinCtl.h"

#include <QFocusEvent>

namespace vorrin {

ControlSurface::ControlSurface(VorrinCtl* control, QWidget* parent) : QWidget(parent), m_control(control)
{
    setObjectName(QStringLiteral("VorrinCtl"));
    setAccessibleName(tr("Calendar control"));
    setFocusPolicy(Qt::StrongFocus);
}

void ControlSurface::paintEvent(QPaintEvent*)
{
    if (m_control)
        m_control->paintSurface(*this);
}

void ControlSurface::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_control) {
        m_control->m_extent = size();
        m_control->placeCalendar();
    }
}

void ControlSurface::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // The calendar window is where keys belong.
    if (m_control && m_control->calendarWindow())
        m_control->calendarWindow()->setFocus(event->reason());
}

} // namespace vorrin
