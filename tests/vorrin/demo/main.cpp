// The calendar control demo: a two-month inline calendar with range selection, a one-month
// calendar with week numbers and bold days, buttons that open the popup, and a line reporting the
// last event. With "--screenshots DIR" it writes the inline calendars and both popups as PNG
// files and exits, for looking at the drawing without a desktop; "--open-popup" presses
// "Display Full Year" once the window is up.
#include "vorrin/control/AutomationDate.h"
#include "vorrin/control/MonthCalendar.h"
#include "vorrin/control/PopupCalendar.h"
#include "vorrin/control/VorrinCtl.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace vorrin;

namespace {

// A box holding `ctl`'s window of `size` and a button that opens its popup.
QPushButton* addBox(QHBoxLayout* row, const QString& title, VorrinCtl* ctl, QSize size, const QString& button)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    auto* host = new QWidget(box);
    ctl->setExtent(size);
    host->setMinimumSize(size);
    ctl->createWindow(host);
    layout->addWidget(host);
    auto* open = new QPushButton(button, box);
    layout->addWidget(open);
    row->addWidget(box);
    return open;
}

QString dayText(double date)
{
    return dateFromAutomation(date).toString(Qt::ISODate);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Calendar control"));
    auto* column = new QVBoxLayout(&window);
    auto* row = new QHBoxLayout;
    column->addLayout(row);

    // The planner's setup: multi-select, a week at most, twelve months in the popup.
    auto* range = new VorrinCtl(&window);
    range->put_PopupMonths(Display12Months);
    QPushButton* fullYear = addBox(row, QStringLiteral("Range selection"), range, QSize(500, 250),
                                   QStringLiteral("Display Full Year"));
    range->put_MaxSelCount(7);

    auto* single = new VorrinCtl(&window);
    single->put_MonthCalStyle(DayStateWeekNumbers);
    single->put_PopupMonths(Display3Months);
    single->put_FirstDayOfWeek(Monday);
    // Paydays and Saturdays of the requested months in bold.
    QObject::connect(single, &VorrinCtl::DayState, [](double start, QVariant& state, bool, bool& handled) {
        QVariantList months = state.toList();
        QDate month = dateFromAutomation(start);
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
    QPushButton* threeMonths = addBox(row, QStringLiteral("Single day, week numbers, bold days"), single,
                                      QSize(260, 250), QStringLiteral("Three months…"));

    auto* events = new QLabel(QStringLiteral("Pick a day."), &window);
    column->addWidget(events);
    const double yearEnd = automationFromDate(QDate(QDate::currentDate().year(), 12, 31));
    QObject::connect(fullYear, &QPushButton::clicked, [&] {
        range->put_EndDate(yearEnd);
        range->Popup();
    });
    QObject::connect(threeMonths, &QPushButton::clicked, single, &VorrinCtl::Popup);
    QObject::connect(range, &VorrinCtl::DateRangeSelect, [&](double s, double e) {
        events->setText("DateRangeSelect " + dayText(s) + " to " + dayText(e));
    });
    QObject::connect(range, &VorrinCtl::DateRangeChanged, [&](double s, double e) {
        events->setText("DateRangeChanged " + dayText(s) + " to " + dayText(e));
    });
    QObject::connect(single, &VorrinCtl::DateSelect,
                     [&](double d) { events->setText("DateSelect " + dayText(d)); });
    QObject::connect(single, &VorrinCtl::DateChanged,
                     [&](double d) { events->setText("DateChanged " + dayText(d)); });
    window.show();

    const QStringList args = QApplication::arguments();
    if (args.contains(QStringLiteral("--open-popup")))
        QTimer::singleShot(300, fullYear, &QPushButton::click);
    const int at = args.indexOf(QStringLiteral("--screenshots"));
    if (at < 0 || at + 1 >= args.size())
        return QApplication::exec();

    const QDir dir(args.at(at + 1));
    auto grabPopup = [&](const char* file) {
        return [&dir, file](PopupCalendar& popup) {
            QApplication::processEvents();
            popup.grab().save(dir.filePath(QLatin1String(file)));
        };
    };
    QTimer::singleShot(200, &window, [&] {
        window.grab().save(dir.filePath(QStringLiteral("demo-window.png")));
        range->calendarWindow()->grab().save(dir.filePath(QStringLiteral("inline.png")));
        range->setPopupDriver(grabPopup("popup12.png"));
        fullYear->click();
        single->setPopupDriver(grabPopup("popup3.png"));
        single->Popup();
        QApplication::quit();
    });
    return QApplication::exec();
}
