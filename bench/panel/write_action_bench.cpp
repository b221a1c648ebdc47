// Wall time of one Write action in the real main window, offscreen, on the simulated
// board with clock delay 0: busy indicator and repaint, the write, the read-back, every
// phase shown in Text_curBit with the whole window repainted.
#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

#include "device/Variables.h"
#include "panel/Main.h"
#include "platform/parllio/parllio.h"

namespace {

void writeAction(benchmark::State& state) {
    panel::Main window;
    window.load("");
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was never exposed");
        return;
    }
    if (!device::portAvailable) {
        state.SkipWithError("the simulated port was not claimed");
        return;
    }
    device::selectedCode = 19;
    for (auto _ : state)
        benchmark::DoNotOptimize(window.writeAction());
}
BENCHMARK(writeAction)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("FLTAMP_PORT", "sim");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
