#include "platform/hosts/qt/qt_form_host.h"
#include "platform/form/form_layout.h"
#include "window/frmtessary.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// The cost of one tick and of one Clear: the real handlers, through the real
// session and desktop window, into its off-screen picture; the timer is never
// started and nothing reaches the screen.
namespace {

struct Bench {
    explicit Bench(QSize size)
    {
        host.window().resize(size);
        host.window().setAttribute(Qt::WA_DontShowOnScreen);
        host.window().show(); // resizes the picture to the window
        session.load();
    }
    SteadyClock clock;
    QtFormHost host {tessaryProject, clock};
    FormSession& session = host.runner().session();
};

constexpr std::string_view kMove = "cmdmove";
constexpr std::string_view kClear = "cmdclear";

// Rings are as large as the centre is deep; moving the centre now and then
// gives the spread of radii of a whole run rather than of one centre.
constexpr int kTicksPerCentre = 64;

void tick(benchmark::State& state)
{
    Bench bench(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    int ticks = 0;
    for (auto _ : state) {
        bench.session.tick();
        if (++ticks % kTicksPerCentre == 0)
            bench.session.click(kMove);
    }
}

// One frame's ticks at 1 ms on a 60 Hz screen: shown after each tick (each
// ring drawn whole at once, as it was before the picture kept rings until it
// is read) or once at the frame's end (each pixel written once).
constexpr int kTicksPerFrame = 16;

void frame(benchmark::State& state)
{
    Bench bench(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    const bool showEachTick = state.range(2) != 0;
    int ticks = 0;
    for (auto _ : state) {
        for (int i = 0; i < kTicksPerFrame; ++i) {
            bench.session.tick();
            if (++ticks % kTicksPerCentre == 0)
                bench.session.click(kMove);
            if (showEachTick)
                benchmark::DoNotOptimize(bench.host.picture().pixels());
        }
        benchmark::DoNotOptimize(bench.host.picture().pixels());
    }
}

void clear(benchmark::State& state)
{
    Bench bench(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    for (auto _ : state)
        bench.session.click(kClear);
}

const FormLayout kDefined(frmtessary);

BENCHMARK(tick)->Args({kDefined.clientWidth(), kDefined.clientHeight()})->Args({1920, 1080});
BENCHMARK(clear)->Args({kDefined.clientWidth(), kDefined.clientHeight()})->Args({1920, 1080});
// The last argument: 1 shows after each tick, 0 at the frame's end.
BENCHMARK(frame)
    ->Args({kDefined.clientWidth(), kDefined.clientHeight(), 1})
    ->Args({kDefined.clientWidth(), kDefined.clientHeight(), 0})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 0});

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
