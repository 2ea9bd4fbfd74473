#pragma once

#include <QWidget>

class QLabel;

namespace vorrin {
class VorrinCtl;
}

// The demo's window: a two-month inline calendar with range selection, a one-month calendar with
// week numbers and bold days, buttons that open the popup, and a line reporting the last event.
class DemoWindow : public QWidget
{
    Q_OBJECT

public:
    DemoWindow();

    vorrin::VorrinCtl* rangeControl() const { return m_range; }
    vorrin::VorrinCtl* singleControl() const { return m_single; }

private:
    void report(const QString& text);

    vorrin::VorrinCtl* m_range;
    vorrin::VorrinCtl* m_single;
    QLabel* m_events;
};
