#include "platform/hosts/qt/qt_form_host.h"
#include "tests/support/watched_window.h"
#include "tests/support/window_probe.h"
#include "window/frmtessary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <random>

// Runs the real window at full pace while clicking its buttons and its bare
// area at random every few milliseconds, and watches its memory. Fails where
// resident memory grows by more than kAllowedGrowthKb after the warm-up.
namespace {

constexpr long kAllowedGrowthKb = 1024;
constexpr int kWarmUpSeconds = 10;
constexpr int kDefaultSeconds = 120;
constexpr int kClickEveryMs = 4;
constexpr qint64 kMsPerSecond = 1000;

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int seconds = argc > 1 ? std::max(kWarmUpSeconds + 1, std::atoi(argv[1])) : kDefaultSeconds;
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    WindowProbe<WatchedWindow> probe;
    const SteadyClock steady;
    QtFormHost host(tessaryProject, steady, &probe);
    const WatchedWindow* counting = probe.window;
    host.start();

    // Faster is picked three times as often as the others, so that the
    // interval stays near 1 ms and the ticks keep coming between the clicks.
    const std::vector<QWidget*> targets = [&] {
        std::vector<QWidget*> all {&host.window().drawingArea()};
        for (const ButtonDefinition& b : frmtessary.buttons)
            all.push_back(host.window().button(b.name));
        all.push_back(host.window().button("cmdfast"));
        all.push_back(host.window().button("cmdfast"));
        return all;
    }();
    std::mt19937 random(1);
    long clicks = 0;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        QWidget* target = targets[random() % targets.size()];
        const QPoint at = target == &host.window().drawingArea() ? QPoint(50 + static_cast<int>(random() % 250), 60 + static_cast<int>(random() % 140))
                                                   : target->rect().center();
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
        ++clicks;
    });
    clicker.start(kClickEveryMs);

    long warmKb = 0;
    long peakKb = 0;
    QTimer sampler;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const long kb = residentKb();
        peakKb = std::max(peakKb, kb);
        if (warmKb == 0 && clock.elapsed() >= kWarmUpSeconds * kMsPerSecond)
            warmKb = kb;
        if (clock.elapsed() >= seconds * kMsPerSecond)
            QApplication::quit();
    });
    sampler.start(static_cast<int>(kMsPerSecond));
    QApplication::exec();

    const long endKb = residentKb();
    const long growth = endKb - warmKb;
    std::printf("soak: %d s at interval 1 with random clicks\n", seconds);
    std::printf("  ticks drawn      %ld\n", counting->rings);
    std::printf("  clicks           %ld\n", clicks);
    std::printf("  errors reported  %d\n", host.errors().count());
    std::printf("  resident memory  %ld kB after %d s, %ld kB at the end, peak %ld kB\n", warmKb, kWarmUpSeconds, endKb, peakKb);
    std::printf("  growth           %ld kB (allowed %ld kB)\n", growth, kAllowedGrowthKb);
    if (growth > kAllowedGrowthKb) {
        std::printf("soak: FAILED, memory grew\n");
        return 1;
    }
    std::printf("soak: passed\n");
    return 0;
}
