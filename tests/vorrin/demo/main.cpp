// The calendar control demo. With "--screenshots DIR" it writes the inline calendars and a
// twelve-month popup as PNG files and exits, for looking at the drawing without a desktop.
#include "DemoWindow.h"

#include "vorrin/control/MonthCalendar.h"
#include "vorrin/control/PopupCalendar.h"
#include "vorrin/control/VorrinCtl.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    DemoWindow window;
    window.show();

    const QStringList args = QApplication::arguments();
    // "--open-popup" presses "Display Full Year" once the window is up, to look at the real popup.
    if (args.contains(QStringLiteral("--open-popup"))) {
        QTimer::singleShot(300, &window, [&] {
            if (auto* button = window.findChild<QPushButton*>(QStringLiteral("FullYearButton")))
                button->click();
        });
    }
    const int at = args.indexOf(QStringLiteral("--screenshots"));
    if (at < 0 || at + 1 >= args.size())
        return QApplication::exec();

    const QDir dir(args.at(at + 1));
    QTimer::singleShot(200, &window, [&] {
        window.grab().save(dir.filePath(QStringLiteral("demo-window.png")));
        window.rangeControl()->calendarWindow()->grab().save(dir.filePath(QStringLiteral("inline.png")));
        vorrin::VorrinCtl& ctl = *window.rangeControl();
        ctl.setPopupDriver([&](vorrin::PopupCalendar& popup) {
            QApplication::processEvents();
            popup.grab().save(dir.filePath(QStringLiteral("popup12.png")));
        });
        ctl.put_EndDate(
            static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(QDate::currentDate().year(), 12, 31))));
        ctl.Popup();
        window.singleControl()->setPopupDriver([&](vorrin::PopupCalendar& popup) {
            QApplication::processEvents();
            popup.grab().save(dir.filePath(QStringLiteral("popup3.png")));
        });
        window.singleControl()->Popup();
        QApplication::quit();
    });
    return QApplication::exec();
}
