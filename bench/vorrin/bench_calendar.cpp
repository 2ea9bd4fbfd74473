// Targets: creating the control with its calendar window under 30 ms; opening a twelve-month popup
// until it is painted under 30 ms; one repaint of twelve months under 8 ms.
#include "vorrin/control/MonthCalendar.h"
#include "vorrin/control/PopupCalendar.h"
#include "vorrin/control/VorrinCtl.h"

#include <QApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace vorrin;

static void BM_CreateControlWithCalendarWindow(benchmark::State& state)
{
    QWidget host;
    host.resize(400, 300);
    host.show();
    for (auto _ : state) {
        VorrinCtl ctl;
        ctl.createWindow(&host);
        benchmark::DoNotOptimize(ctl.calendarWindow());
    }
}
BENCHMARK(BM_CreateControlWithCalendarWindow)->Unit(benchmark::kMillisecond);

static void BM_OpenTwelveMonthPopupUntilPainted(benchmark::State& state)
{
    QWidget host;
    host.resize(400, 300);
    host.show();
    VorrinCtl ctl;
    ctl.createWindow(&host);
    ctl.put_PopupMonths(Display12Months);
    // Painted into an image: the offscreen platform never exposes a window, so a repaint alone
    // would measure nothing.
    QImage image;
    ctl.setPopupDriver([&](PopupCalendar& popup) {
        image = QImage(popup.size(), QImage::Format_ARGB32_Premultiplied);
        popup.render(&image);
    });
    for (auto _ : state)
        ctl.Popup();
}
BENCHMARK(BM_OpenTwelveMonthPopupUntilPainted)->Unit(benchmark::kMillisecond);

static void BM_RepaintTwelveMonths(benchmark::State& state)
{
    MonthCalendar calendar(StyleMultiSelect | StyleWeekNumbers | StyleDayState);
    calendar.setFont(PopupCalendar::popupFont());
    calendar.resize(VorrinCtl::popupSizeFor(Display12Months, calendar.minimumMonthSize()));
    calendar.show();
    calendar.setDayState(std::vector<std::uint32_t>(14, 0x40404040u));
    if (calendar.visibleMonthCount() != 12)
        state.SkipWithError("the calendar does not show twelve months");
    QImage image(calendar.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        calendar.render(&image);
}
BENCHMARK(BM_RepaintTwelveMonths)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
