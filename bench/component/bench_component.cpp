// Hosting the calendar control the way the meal planner does. Target: creating, siting and
// releasing the control by ProgID well under the 1000 ms the start-up gives the main window
// (aim: under 5 ms once the library is loaded); a dispatch call and a settings save or load
// under 0.1 ms each, so the planner's per-day work never waits on the control.
#include "component/ComponentRegistry.h"
#include "component/Dispatch.h"
#include "pantrova/planner/CalendarHost.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace component;
using pantrova::CalendarHost;

static void BM_CreateSiteAndReleaseByProgId(benchmark::State& state)
{
    for (auto _ : state) {
        CalendarHost host;
        if (!host.create())
            state.SkipWithError("the control is not registered");
        benchmark::DoNotOptimize(host.dispatch());
    }
}
BENCHMARK(BM_CreateSiteAndReleaseByProgId)->Unit(benchmark::kMillisecond);

static void BM_DispatchPutAndGetDate(benchmark::State& state)
{
    CalendarHost host;
    host.create();
    double day = 46000;
    for (auto _ : state) {
        putProperty(host.dispatch(), 14, Variant::fromDate(day));
        Variant v;
        getProperty(host.dispatch(), 16, v);
        benchmark::DoNotOptimize(v.toDate());
        day += 1;
    }
}
BENCHMARK(BM_DispatchPutAndGetDate)->Unit(benchmark::kMicrosecond);

static void BM_SaveSettings(benchmark::State& state)
{
    CalendarHost host;
    host.create();
    for (auto _ : state)
        benchmark::DoNotOptimize(host.saveSettings());
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMicrosecond);

static void BM_LoadSettings(benchmark::State& state)
{
    CalendarHost host;
    host.create();
    const QByteArray saved = host.saveSettings();
    for (auto _ : state)
        benchmark::DoNotOptimize(host.loadSettings(saved));
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A registry of the benchmark's own, never the user's.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QString error;
    if (!pantrova::ensureCalendarControlRegistered(QStringLiteral(PANTROVA_BUILT_PROGRAM_DIR), &error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
