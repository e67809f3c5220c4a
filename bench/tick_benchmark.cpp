#include "logic/drawing_state.h"
#include "platform/mersenne_sequence.h"
#include "platform/qt/qt_cadence_timer.h"
#include "platform/qt/qt_form_window.h"
#include "window/frmtessary.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// The cost of one tick and of one Clear: the real handlers, through the real
// desktop window, into its off-screen picture; nothing reaches the screen.
namespace {

struct Bench {
    explicit Bench(QSize size)
    {
        window.resize(size);
        window.setAttribute(Qt::WA_DontShowOnScreen);
        window.show(); // resizes the picture to the window
        code.Form_Load();
    }
    QtFormWindow window {frmtessary};
    QtCadenceTimer timer {1, false, [] {}};
    MersenneSequence rnd;
    FormWindow formWindow {window, "frmtessary"};
    FormTimer formTimer {timer, "tmrtime"};
    DrawingState code {{formWindow, formTimer, rnd}};
};

// Rings are as large as the centre is deep; moving the centre now and then
// gives the spread of radii of a whole run rather than of one centre.
constexpr int kTicksPerCentre = 64;

void tick(benchmark::State& state)
{
    Bench bench(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    int ticks = 0;
    for (auto _ : state) {
        bench.code.tmrtime_Timer();
        if (++ticks % kTicksPerCentre == 0)
            bench.code.cmdmove_Click();
    }
}

void clear(benchmark::State& state)
{
    Bench bench(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    for (auto _ : state)
        bench.code.cmdclear_Click();
}

BENCHMARK(tick)->Args({353, 214})->Args({1920, 1080});
BENCHMARK(clear)->Args({353, 214})->Args({1920, 1080});

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
