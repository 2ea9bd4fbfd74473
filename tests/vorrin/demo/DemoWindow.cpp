#include "DemoWindow.h"

#include "vorrin/control/VorrinCtl.h"

#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vorrin;

namespace {

QString dayText(double automationDate)
{
    return QDate(1899, 12, 30).addDays(static_cast<qint64>(automationDate)).toString(Qt::ISODate);
}

} // namespace

DemoWindow::DemoWindow()
{
    setObjectName(QStringLiteral("DemoWindow"));
    setWindowTitle(tr("Calendar control"));

    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    column->addLayout(row);

    // The planner's setup: multi-select, one day at a time, twelve months in the popup.
    auto* rangeBox = new QGroupBox(tr("Range selection"), this);
    auto* rangeLayout = new QVBoxLayout(rangeBox);
    auto* rangeHost = new QWidget(rangeBox);
    m_range = new VorrinCtl(this);
    m_range->put_PopupMonths(Display12Months);
    m_range->setExtent(QSize(500, 250));
    rangeHost->setMinimumSize(m_range->extent());
    m_range->createWindow(rangeHost);
    m_range->put_MaxSelCount(7);
    rangeLayout->addWidget(rangeHost);
    auto* popup12 = new QPushButton(tr("Display Full Year"), rangeBox);
    popup12->setObjectName(QStringLiteral("FullYearButton"));
    rangeLayout->addWidget(popup12);
    row->addWidget(rangeBox);

    auto* singleBox = new QGroupBox(tr("Single day, week numbers, bold days"), this);
    auto* singleLayout = new QVBoxLayout(singleBox);
    auto* singleHost = new QWidget(singleBox);
    m_single = new VorrinCtl(this);
    m_single->put_MonthCalStyle(DayStateWeekNumbers);
    m_single->put_PopupMonths(Display3Months);
    m_single->put_FirstDayOfWeek(Monday);
    m_single->setExtent(QSize(260, 250));
    singleHost->setMinimumSize(m_single->extent());
    // Paydays and weekends of the requested months in bold.
    connect(m_single, &VorrinCtl::DayState, this, [](double start, QVariant& state, bool, bool& handled) {
        QVariantList months = state.toList();
        QDate month = QDate(1899, 12, 30).addDays(static_cast<qint64>(start));
        for (QVariant& m : months) {
            QVariantList days = m.toList();
            for (int d = 1; d <= month.daysInMonth(); ++d)
                days[d - 1] = d == 15 || QDate(month.year(), month.month(), d).dayOfWeek() == Qt::Saturday;
            m = days;
            month = month.addMonths(1);
        }
        state = months;
        handled = true;
    });
    m_single->createWindow(singleHost);
    singleLayout->addWidget(singleHost);
    auto* popup3 = new QPushButton(tr("Three months…"), singleBox);
    popup3->setObjectName(QStringLiteral("ThreeMonthsButton"));
    singleLayout->addWidget(popup3);
    row->addWidget(singleBox);

    m_events = new QLabel(tr("Pick a day."), this);
    m_events->setObjectName(QStringLiteral("EventLine"));
    column->addWidget(m_events);

    connect(popup12, &QPushButton::clicked, m_range, [this] {
        m_range->put_EndDate(
            static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(QDate::currentDate().year(), 12, 31))));
        m_range->Popup();
    });
    connect(popup3, &QPushButton::clicked, m_single, &VorrinCtl::Popup);
    connect(m_range, &VorrinCtl::DateRangeSelect, this, [this](double s, double e) {
        report(tr("DateRangeSelect %1 to %2").arg(dayText(s), dayText(e)));
    });
    connect(m_range, &VorrinCtl::DateRangeChanged, this, [this](double s, double e) {
        report(tr("DateRangeChanged %1 to %2").arg(dayText(s), dayText(e)));
    });
    connect(m_single, &VorrinCtl::DateSelect, this,
            [this](double d) { report(tr("DateSelect %1").arg(dayText(d))); });
    connect(m_single, &VorrinCtl::DateChanged, this,
            [this](double d) { report(tr("DateChanged %1").arg(dayText(d))); });
}

void DemoWindow::report(const QString& text)
{
    m_events->setText(text);
}
